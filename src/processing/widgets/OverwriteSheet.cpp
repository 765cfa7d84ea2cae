#include "processing/widgets/OverwriteSheet.h"

#include "batch/ThumbnailProvider.h"
#include "core/LocalizedStrings.h"
#include "core/StringKeys.h"
#include "core/widgets/FilteredText.h"
#include "processing/ProcessingView.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace fw {

namespace {
constexpr QSize pictureBox{200, 150};
}

OverwriteSheet::OverwriteSheet(ProcessingView& view, LocalizedStrings& strings,
                               ThumbnailProvider& thumbnails, QWidget* parent)
    : QDialog(parent), view(view), thumbnails(thumbnails), picture(new QLabel(this)),
      pathLabel(new QLabel(this)), renameField(new QLineEdit(this)), errorLabel(new QLabel(this))
{
    setWindowModality(Qt::WindowModal);
    setMinimumWidth(640);
    build(strings);
    // The run changes with every photo; the sheet follows it only while it
    // shows, and present() brings it up to date.
    connect(&view, &ProcessingView::changed, this, [this] {
        if (isVisible())
            render();
    });
    connect(&thumbnails, &ThumbnailProvider::thumbnailReady, this, &OverwriteSheet::showPicture);
}

void OverwriteSheet::build(LocalizedStrings& strings)
{
    const auto text = [&strings](const char* key) { return strings.getLocalizedStringForKey(key); };
    setWindowTitle(text(StringKey::FILE_EXISTS_TITLE));
    auto* heading = new QLabel(text(StringKey::FILE_EXISTS), this);
    picture->setFixedSize(pictureBox);
    picture->setAlignment(Qt::AlignCenter);
    picture->setAccessibleName(text(StringKey::SOURCE_PHOTO));
    auto* existing = new QLabel(text(StringKey::EXISTING_FILE), this);
    existing->setTextFormat(Qt::PlainText);
    heading->setWordWrap(true);
    heading->setTextFormat(Qt::PlainText);
    pathLabel->setTextFormat(Qt::PlainText);
    pathLabel->setWordWrap(true);
    pathLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    errorLabel->setTextFormat(Qt::PlainText);
    errorLabel->setStyleSheet("color: #c62828;");
    renameField->setAccessibleName(text(StringKey::RENAME));
    connect(renameField, &QLineEdit::textEdited, this,
            [this](const QString& typed) { this->view.controlTextDidChange(typed); });

    auto* buttons = new QGridLayout;
    const struct {
        const char* key;
        void (ProcessingView::*answer)();
        int row, column;
    } answers[] = {
        {StringKey::REPLACE, &ProcessingView::btnReplaceImageTapped, 0, 0},
        {StringKey::REPLACE_ALL, &ProcessingView::btnReplaceAllImageTapped, 1, 0},
        {StringKey::KEEP_BOTH, &ProcessingView::btnKeepImageTapped, 0, 1},
        {StringKey::KEEP_ALL, &ProcessingView::btnKeepAllImageTapped, 1, 1},
        {StringKey::SKIP, &ProcessingView::btnSkipImageTapped, 0, 2},
        {StringKey::SKIP_ALL, &ProcessingView::btnSkipAllImageTapped, 1, 2},
    };
    for (const auto& answer : answers) {
        auto* button = new QPushButton(text(answer.key), this);
        button->setAccessibleName(button->text());
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this,
                [this, method = answer.answer] { (this->view.*method)(); });
        buttons->addWidget(button, answer.row, answer.column);
    }
    auto* rename = new QPushButton(text(StringKey::RENAME), this);
    rename->setAccessibleName(text(StringKey::RENAME) + ' ' + text(StringKey::OK));
    connect(rename, &QPushButton::clicked, this, [this] { this->view.btnRenameImageTapped(); });
    connect(renameField, &QLineEdit::returnPressed, rename, &QPushButton::click);
    auto* renameRow = new QHBoxLayout;
    auto* newName = new QLabel(text(StringKey::NEW_NAME), this);
    newName->setTextFormat(Qt::PlainText);
    newName->setBuddy(renameField);
    renameRow->addWidget(newName);
    renameRow->addWidget(renameField, 1);
    renameRow->addWidget(rename);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    auto* top = new QHBoxLayout;
    auto* headingColumn = new QVBoxLayout;
    headingColumn->addWidget(heading);
    headingColumn->addWidget(existing);
    headingColumn->addWidget(pathLabel);
    headingColumn->addStretch();
    top->addWidget(picture);
    top->addLayout(headingColumn, 1);
    layout->addLayout(top);
    layout->addLayout(renameRow);
    layout->addWidget(errorLabel);
    layout->addLayout(buttons);
}

void OverwriteSheet::present()
{
    picture->clear();
    render();
    open();
    // Asked once the dialog shows: a cached picture arrives at once.
    if (const PhotoFilePtr& photo = view.overwriteQuestion().fileToOverwrite())
        thumbnails.requestThumbnail(photo->filePath);
    renameField->setFocus();
}

void OverwriteSheet::showPicture(const QString& path, const QImage& thumbnail)
{
    const PhotoFilePtr& photo = view.overwriteQuestion().fileToOverwrite();
    if (isVisible() && photo && photo->filePath == path)
        picture->setPixmap(QPixmap::fromImage(
            thumbnail.scaled(pictureBox, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void OverwriteSheet::render()
{
    const OverwriteQuestion& question = view.overwriteQuestion();
    pathLabel->setText(question.filePathToOverwrite());
    FilteredText::show(*renameField, question.txtRenamefileName());
    errorLabel->setText(question.lblErrorFileNewname());
    errorLabel->setVisible(!question.lblErrorFileNewname().isEmpty());
}

} // namespace fw
