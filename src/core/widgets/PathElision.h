#pragma once

class QFontMetrics;
class QString;

namespace fw {

// A path shortened to a width by leaving out the middle of its folders, never
// the file's own name (only a name wider than the width itself is cut). The
// full path belongs in the tool tip.
class PathElision {
public:
    PathElision() = delete;

    static QString elided(const QString& path, const QFontMetrics& metrics, int width);
};

} // namespace fw
