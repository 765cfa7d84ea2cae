#include "support/CliProgram.h"

namespace fw::test {

Finished finish(QProcess& program)
{
    program.waitForFinished(120000);
    return {program.exitCode(), QString::fromUtf8(program.readAllStandardOutput()),
            QString::fromUtf8(program.readAllStandardError())};
}

Finished runProgram(const QStringList& arguments)
{
    QProcess program;
    program.start(FRAMEWRIGHT_CLI_PATH, arguments);
    return finish(program);
}

Finished runProgram(const QString& shellCommand, const QStringList& arguments)
{
    QProcess program;
    program.start("/bin/sh", QStringList{"-c", shellCommand, FRAMEWRIGHT_CLI_PATH} + arguments);
    return finish(program);
}

} // namespace fw::test
