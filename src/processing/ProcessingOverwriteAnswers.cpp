// The existing-file question of ProcessingView: opening, closing and the
// seven answers, each of which resumes the run at the photo in question.
#include "core/LocalizedStrings.h"
#include "core/NotificationCenter.h"
#include "core/NotificationNames.h"
#include "core/StringKeys.h"
#include "processing/ProcessingView.h"

namespace fw {

void ProcessingView::showOverwriteExistingFilePopup(const PhotoFilePtr& photo,
                                                    const QString& outputPath)
{
    if (run.isStopped())
        return;
    run.hold();
    question.open(photo, outputPath);
    center.post(NotificationName::notificationShowOverwriteAlert);
    Q_EMIT changed();
}

void ProcessingView::hideOverwriteExistingFilePopup()
{
    run.setActive(true);
    question.close();
    center.post(NotificationName::notificationHideOverwriteAlert);
    Q_EMIT changed();
}

// Standing answers start their worker before the question closes; one-photo
// answers and skip-all close it first. Either way the new worker begins
// again at the photo in question.
void ProcessingView::answerQuestion(std::optional<int> fileAnswer, int processFlag,
                                    bool startBeforeClosing)
{
    if (!question.isOpen())
        return;
    run.retireWorker();
    run.releaseHold();
    if (fileAnswer)
        run.currentFileFlag = *fileAnswer;
    if (startBeforeClosing) {
        startProcessingOfPhotos(processFlag);
        hideOverwriteExistingFilePopup();
    } else {
        hideOverwriteExistingFilePopup();
        startProcessingOfPhotos(processFlag);
    }
}

void ProcessingView::btnReplaceImageTapped()
{
    answerQuestion(FileAnswer::ReplaceThis, ProcessFlag::AskOrOverwrite, false);
}

void ProcessingView::btnReplaceAllImageTapped()
{
    answerQuestion(std::nullopt, ProcessFlag::ReplaceAll, true);
}

void ProcessingView::btnKeepImageTapped()
{
    answerQuestion(FileAnswer::KeepBoth, ProcessFlag::AskOrOverwrite, false);
}

void ProcessingView::btnKeepAllImageTapped()
{
    answerQuestion(std::nullopt, ProcessFlag::KeepAll, true);
}

void ProcessingView::btnSkipImageTapped()
{
    answerQuestion(FileAnswer::SkipThis, ProcessFlag::AskOrOverwrite, false);
}

void ProcessingView::btnSkipAllImageTapped()
{
    answerQuestion(std::nullopt, ProcessFlag::SkipAll, false);
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
    newFilePath = *renamed;
    answerQuestion(FileAnswer::UseNewName, ProcessFlag::AskOrOverwrite, false);
}

void ProcessingView::controlTextDidChange(const QString& renameText)
{
    question.setRenameText(renameText);
    Q_EMIT changed();
}

} // namespace fw
