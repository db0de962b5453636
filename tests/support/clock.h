// The tests' and benchmarks' clock, on Windows and on Linux alike: the time
// in milliseconds, and a wait for a condition.
#pragma once

#include <chrono>
#include <thread>

inline double nowMs() {
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Asks `condition` every `pollMs` until it holds (true) or `timeoutMs` has
// passed (false). A caller that times a latency polls every millisecond.
template <class Condition>
bool waitUntil(Condition condition, double timeoutMs = 5000, int pollMs = 10) {
    const double deadline = nowMs() + timeoutMs;
    while (!condition()) {
        if (nowMs() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(pollMs));
    }
    return true;
}
