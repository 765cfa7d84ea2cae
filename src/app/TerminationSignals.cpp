#include "app/TerminationSignals.h"

#include "platform/AtomicFileWriter.h"

#include <QSocketNotifier>
#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace fw {

namespace {

constexpr int handledSignals[] = {SIGINT, SIGTERM, SIGHUP};
int signalPipe[2] = {-1, -1};
std::atomic<int> deliveringPipe = -1;
std::atomic<bool> alreadyReceived = false;

// Only async-signal-safe calls. The handler stays installed until the process
// has exited, so a signal that comes after the run has ended (a second one
// racing the first one's stop, or one between the job's end and exit) gives
// the same 128 + N status instead of the default action's death by signal.
void onSignal(int signalNumber)
{
    const int pipe = deliveringPipe.load();
    if (alreadyReceived.exchange(true) || pipe < 0) {
        AtomicFileWriter::removeTemporaryFilesNow();
        ::_exit(TerminationSignals::exitStatusFor(signalNumber));
    }
    const unsigned char number = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(pipe, &number, 1);
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent)
{
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    deliveringPipe = signalPipe[1];
    notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] { readSignal(); });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : handledSignals)
        ::sigaction(signalNumber, &action, nullptr);
}

TerminationSignals::~TerminationSignals()
{
    deliveringPipe = -1;
    ::close(signalPipe[0]);
    ::close(signalPipe[1]);
    signalPipe[0] = signalPipe[1] = -1;
}

void TerminationSignals::readSignal()
{
    unsigned char number = 0;
    while (::read(signalPipe[0], &number, 1) == 1)
        Q_EMIT received(number);
}

} // namespace fw
