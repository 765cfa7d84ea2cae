#pragma once

#include <functional>

namespace fw::test {

// Serves the main thread's events until the condition holds or the time is
// up; true when it holds. Workers that call the main thread need this.
bool waitUntil(const std::function<bool()>& condition, int timeoutMilliseconds = 30000);

} // namespace fw::test
