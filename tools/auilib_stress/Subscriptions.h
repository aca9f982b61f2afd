#pragma once

#include "World.h"

// Subscribes the run's handlers to every event a control offers: each public
// EventSignal of its class, OnDestroyed and the event procedure (the toolkit
// events the event bridge makes of Qt's). Now and then a signal gets a second,
// bound subscriber, which runs later from the control's event processing.
namespace Subscriptions {

void subscribe(World &world, World::Control &control);

} // namespace Subscriptions
