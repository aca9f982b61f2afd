#pragma once

#include <functional>

// Runs `body` in a new process of this test program, started for the running
// test alone, and fails the test with the failures `body` found there. For what
// only a fresh process can show: a process-wide record made on first use from
// the environment, a registry before anything filled it. What `body` changes
// (the environment included) stays in that process.
void runInFreshProcess(const std::function<void()> &body);
