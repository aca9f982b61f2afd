#include "UpdateListener.h"

UpdateListener::UpdateListener(QObject *parent)
    : QObject(parent)
{
}

UpdateListener::~UpdateListener() = default;

void UpdateListener::startListener()
{
    // The listener itself arrives with the state reporting.
}
