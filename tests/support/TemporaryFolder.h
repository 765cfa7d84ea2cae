#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace fw::test {

// A fresh folder for one test, removed with everything in it afterwards.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const QString& path() const { return root; }
    // Absolute path of a relative name inside the folder.
    QString filePath(const QString& relativePath) const;
    // Writes bytes to a relative path, making parent folders; returns the path.
    QString writeFile(const QString& relativePath, const QByteArray& bytes) const;
    QString makeFolder(const QString& relativePath) const;
    void removeFile(const QString& relativePath) const;

private:
    QTemporaryDir directory;
    QString root;
};

// The shared real-world test data beside the checkout, or an empty string when
// it is absent (tests then skip with a message).
QString testDataPath(const QString& relativePath = {});
QByteArray readBytes(const QString& path);

} // namespace fw::test

#define FW_REQUIRE_TESTDATA(relative)                                                              \
    do {                                                                                           \
        if (::fw::test::testDataPath(relative).isEmpty())                                          \
            GTEST_SKIP() << "shared test data not found: " << qPrintable(QString(relative));       \
    } while (false)
