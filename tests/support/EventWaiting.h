#pragma once

#include <functional>

namespace fw::test {

// Runs the main thread's events until the condition holds or the time is up,
// so that work which comes back to the main thread can finish. Returns whether
// the condition held.
bool waitUntil(const std::function<bool()>& condition, int timeoutMilliseconds = 60000);

} // namespace fw::test
