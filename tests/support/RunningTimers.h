#pragma once

class QObject;

// How many timers the object and its descendants have running right now, both
// QObject::startTimer ones and active QTimer children. A test asks this instead of
// sitting out a period to see whether something could still fire.
int runningTimers(const QObject *object);
