#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace fw {

class LocalizedStrings;
class OutputPreview;

// The output step's preview: the original and the output side by side with
// their sizes, the photo shown among the marked ones with buttons to the
// previous and next, and the estimate for the whole run.
class OutputPreviewPanel : public QWidget {
    Q_OBJECT
public:
    OutputPreviewPanel(OutputPreview& preview, LocalizedStrings& strings,
                       QWidget* parent = nullptr);

private:
    QWidget* buildPicture(const QString& title, QLabel*& picture, QLabel*& caption);
    void render();

    OutputPreview& preview;
    LocalizedStrings& strings;
    QLabel* originalPicture = nullptr;
    QLabel* originalCaption = nullptr;
    QLabel* outputPicture = nullptr;
    QLabel* outputCaption = nullptr;
    QPushButton* previous = nullptr;
    QPushButton* next = nullptr;
    QLabel* photoLabel = nullptr;
    QLabel* estimate = nullptr;
};

} // namespace fw
