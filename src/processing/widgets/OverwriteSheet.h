#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

namespace fw {

class LocalizedStrings;
class ProcessingView;
class ThumbnailProvider;

// The run's existing-file question: the output that is in the way, the
// seven answers and the rename field with its error line. The run waits for
// an answer, so Escape does not close it.
class OverwriteSheet : public QDialog {
    Q_OBJECT
public:
    // The picture of the photo comes from the thumbnail provider, made off
    // the main thread.
    OverwriteSheet(ProcessingView& view, LocalizedStrings& strings, ThumbnailProvider& thumbnails,
                   QWidget* parent);

    void present();

protected:
    void reject() override {}

private:
    void build(LocalizedStrings& strings);
    void render();
    void showPicture(const QString& path, const QImage& thumbnail);

    ProcessingView& view;
    ThumbnailProvider& thumbnails;
    QLabel* picture;
    QLabel* pathLabel;
    QLineEdit* renameField;
    QLabel* errorLabel;
};

} // namespace fw
