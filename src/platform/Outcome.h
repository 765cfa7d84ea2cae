#pragma once

#include <QString>

namespace fw {

// Success, or failure with a message a user or a log can read. Used wherever
// an operation can fail for reasons outside the program (files, libraries).
class Outcome {
public:
    static Outcome success() { return Outcome(true, {}); }
    static Outcome failure(QString message) { return Outcome(false, std::move(message)); }

    bool ok() const { return succeeded; }
    explicit operator bool() const { return succeeded; }
    const QString& message() const { return text; }

private:
    Outcome(bool ok, QString message) : succeeded(ok), text(std::move(message)) {}

    bool succeeded;
    QString text;
};

} // namespace fw
