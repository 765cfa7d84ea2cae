#pragma once

#include <functional>

class QObject;

namespace fw {

// Runs work on the thread of a main-thread object and returns when it is
// done: how a pool task changes what the interface shows. Called on that
// thread already, the work simply runs.
void runOnThreadOf(QObject* owner, const std::function<void()>& work);

} // namespace fw
