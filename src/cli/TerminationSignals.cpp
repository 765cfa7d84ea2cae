#include "cli/TerminationSignals.h"

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
std::atomic<bool> alreadyReceived = false;

// Only async-signal-safe calls.
void onSignal(int signalNumber)
{
    if (alreadyReceived.exchange(true)) {
        AtomicFileWriter::removeTemporaryFilesNow();
        ::_exit(TerminationSignals::exitStatusFor(signalNumber));
    }
    const unsigned char number = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &number, 1);
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent)
{
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
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
    for (const int signalNumber : handledSignals)
        ::signal(signalNumber, SIG_DFL);
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
