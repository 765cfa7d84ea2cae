#pragma once

#include <QString>

namespace fw::test {

// A small volume of its own over a folder: a tmpfs, when this process may
// mount one (tests that need it skip otherwise). Unmounted when it goes.
class SmallVolume {
public:
    SmallVolume(QString folder, const QString& size);
    ~SmallVolume();
    SmallVolume(const SmallVolume&) = delete;
    SmallVolume& operator=(const SmallVolume&) = delete;

    bool isMounted() const { return mounted; }
    // Remounts the volume read-only; true when it is.
    bool makeReadOnly() const;

private:
    QString folder;
    bool mounted = false;
};

} // namespace fw::test
