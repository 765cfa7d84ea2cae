#pragma once

#include <QFrame>
#include <QStringList>
#include <optional>

class QMimeData;

namespace fw {

// Where files and folders dropped from a file manager enter the batch. It
// takes local files only: image data dragged without a file is refused
// without a word, and a file list in which no path can be read is a failed
// drop.
class DropArea : public QFrame {
    Q_OBJECT
public:
    explicit DropArea(QWidget* parent = nullptr);

    // The readable local paths of a drop; none when the drop carries no file
    // list at all.
    static std::optional<QStringList> droppedPaths(const QMimeData& data);

Q_SIGNALS:
    void pathsDropped(const QStringList& paths);
    void dropFailed();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void setHighlighted(bool highlighted);
};

} // namespace fw
