#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace fw::test {

// framewright-cli as a user's shell runs it.
struct Finished {
    int exitCode = -1;
    QString out;
    QString err;
};

Finished finish(QProcess& program);
Finished runProgram(const QStringList& arguments);
// The program started by a shell command, which reaches it as "$0" and the
// arguments as "$1" and on.
Finished runProgram(const QString& shellCommand, const QStringList& arguments);

} // namespace fw::test
