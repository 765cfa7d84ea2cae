#pragma once

#include <QObject>

class QSocketNotifier;

namespace fw {

// SIGINT, SIGTERM and SIGHUP, for the command line and the window alike: the
// first one is handed to the main thread as received(), so the program can
// end its run as Stop or closing the window does; a second
// one, or any that comes once this object is gone, ends the process at once
// (status 128 + N), after removing any named temporary output.
// One instance per process, made on the main thread.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

    // The exit status of a process that a signal ended (128 + its number).
    static int exitStatusFor(int signalNumber) { return 128 + signalNumber; }

Q_SIGNALS:
    void received(int signalNumber);

private:
    void readSignal();

    QSocketNotifier* notifier = nullptr;
};

} // namespace fw
