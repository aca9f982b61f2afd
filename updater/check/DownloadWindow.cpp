#include "DownloadWindow.h"

namespace {

DownloadWindow::Maker &registeredMaker()
{
    static DownloadWindow::Maker maker;
    return maker;
}

} // namespace

void DownloadWindow::registerMaker(Maker maker)
{
    registeredMaker() = std::move(maker);
}

DownloadWindow *DownloadWindow::make(CReaderModuleManager &manager)
{
    const Maker &maker = registeredMaker();
    return maker ? maker(manager) : nullptr;
}
