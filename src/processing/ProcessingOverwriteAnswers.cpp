// The existing-file question of ProcessingView: opening, closing and the
// seven answers, each of which resumes the run at the photo in question.
#include "core/LocalizedStrings.h"
#include "core/NotificationCenter.h"
#include "core/NotificationNames.h"
#include "core/StringKeys.h"
#include "processing/ProcessingView.h"

namespace fw {

void ProcessingView::existingOutputQuestion(const PhotoFilePtr& photo, const QString& outputPath)
{
    question.open(photo, outputPath);
    center.post(NotificationName::notificationShowOverwriteAlert);
    Q_EMIT changed();
}

void ProcessingView::hideOverwriteExistingFilePopup()
{
    question.close();
    center.post(NotificationName::notificationHideOverwriteAlert);
    Q_EMIT changed();
}

void ProcessingView::answerQuestion(std::optional<int> fileAnswer, int processFlag,
                                    const QString& renamedPath)
{
    if (!question.isOpen())
        return;
    hideOverwriteExistingFilePopup();
    run.answerExistingOutput(fileAnswer, processFlag, renamedPath);
}

void ProcessingView::btnReplaceImageTapped()
{
    answerQuestion(FileAnswer::ReplaceThis, ProcessFlag::AskOrOverwrite);
}

void ProcessingView::btnReplaceAllImageTapped()
{
    answerQuestion(std::nullopt, ProcessFlag::ReplaceAll);
}

void ProcessingView::btnKeepImageTapped()
{
    answerQuestion(FileAnswer::KeepBoth, ProcessFlag::AskOrOverwrite);
}

void ProcessingView::btnKeepAllImageTapped()
{
    answerQuestion(std::nullopt, ProcessFlag::KeepAll);
}

void ProcessingView::btnSkipImageTapped()
{
    answerQuestion(FileAnswer::SkipThis, ProcessFlag::AskOrOverwrite);
}

void ProcessingView::btnSkipAllImageTapped()
{
    answerQuestion(std::nullopt, ProcessFlag::SkipAll);
}

void ProcessingView::btnRenameImageTapped()
{
    if (!question.isOpen())
        return;
    const std::optional<QString> renamed =
        question.acceptedRename(localized(StringKey::FILE_NAME_CANT_EMPTY),
                                localized(StringKey::FILE_EXISTS_WITH_SAME_NAME));
    if (!renamed) {
        Q_EMIT changed();
        return;
    }
    answerQuestion(FileAnswer::UseNewName, ProcessFlag::AskOrOverwrite, *renamed);
}

void ProcessingView::controlTextDidChange(const QString& renameText)
{
    question.setRenameText(renameText);
    Q_EMIT changed();
}

} // namespace fw
