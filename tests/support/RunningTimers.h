#pragma once

class QObject;

// How many timers the object has running right now: its own QObject::startTimer
// ones and the active QTimers among its descendants. A test asks this instead of
// sitting out a period to see whether something could still fire.
int runningTimers(const QObject *object);
