#include "platform/BoundedChild.h"

#include "platform/DescriptorBytes.h"

#include <QDeadlineTimer>
#include <QFile>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fw {

namespace {

// The address space the process uses now, from /proc (read before the fork:
// the child must not read files it does not need).
qint64 mappedBytes()
{
    QFile status(QStringLiteral("/proc/self/statm"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    return status.readLine().split(' ').value(0).toLongLong() * ::sysconf(_SC_PAGESIZE);
}

[[noreturn]] void runInChild(const std::function<QByteArray()>& work, int answer, rlim_t memory,
                             int seconds)
{
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    const struct rlimit addressSpace = {memory, memory};
    ::setrlimit(RLIMIT_AS, &addressSpace);
    ::alarm(static_cast<unsigned>(seconds));
    // Nothing may unwind out of the child into the code that forked it; a
    // failure ends the child and the parent hears of it by its status.
    try {
        const QByteArray bytes = work();
        const quint64 length = static_cast<quint64>(bytes.size());
        DescriptorBytes::writeAll(answer, reinterpret_cast<const char*>(&length), sizeof length);
        DescriptorBytes::writeAll(answer, bytes.constData(), static_cast<size_t>(bytes.size()));
    } catch (...) {
        ::_exit(1);
    }
    ::_exit(0);
}

// The answer comes with its length first: a child forked meanwhile by
// another thread holds a copy of this pipe's writing end, so its end of file
// may come only when that child ends. Reads until the answer is whole, the
// pipe ends, or the deadline.
std::optional<QByteArray> readAnswer(int descriptor, const QDeadlineTimer& deadline)
{
    QByteArray answer;
    char buffer[65536];
    for (;;) {
        quint64 length = 0;
        if (answer.size() >= static_cast<qsizetype>(sizeof length)) {
            std::memcpy(&length, answer.constData(), sizeof length);
            if (static_cast<quint64>(answer.size()) - sizeof length >= length)
                return answer.mid(sizeof length, static_cast<qsizetype>(length));
        }
        pollfd wait{descriptor, POLLIN, 0};
        const int ready = ::poll(&wait, 1, static_cast<int>(deadline.remainingTime()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return std::nullopt;
        const ssize_t got = ::read(descriptor, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return std::nullopt;
        answer.append(buffer, got);
    }
}

} // namespace

std::optional<QByteArray> BoundedChild::run(const std::function<QByteArray()>& work)
{
    int channel[2];
    if (::pipe2(channel, O_CLOEXEC) != 0)
        return std::nullopt;
    const auto memory = static_cast<rlim_t>(mappedBytes() + extraMemoryBytes);
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(channel[0]);
        ::close(channel[1]);
        return std::nullopt;
    }
    if (child == 0) {
        ::close(channel[0]);
        runInChild(work, channel[1], memory, seconds);
    }
    ::close(channel[1]);
    const std::optional<QByteArray> answer =
        readAnswer(channel[0], QDeadlineTimer(seconds * 1000 + 500));
    ::close(channel[0]);
    if (!answer)
        ::kill(child, SIGKILL);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    const bool finished = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return answer && finished ? answer : std::nullopt;
}

} // namespace fw
