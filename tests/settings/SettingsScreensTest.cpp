#include "batch/Batch.h"
#include "core/DialogQueue.h"
#include "core/LocalizedStrings.h"
#include "core/NotificationCenter.h"
#include "core/NotificationNames.h"
#include "core/SharedFlags.h"
#include "settings/FlipView.h"
#include "settings/OnlyIntegerValueFormatter.h"
#include "settings/ProjectSession.h"
#include "settings/ResizeView.h"
#include "settings/RotateView.h"
#include "settings/RememberedChoices.h"
#include "settings/SettingView.h"
#include "support/TemporaryFolder.h"

#include <QDir>
#include <QSettings>
#include <gtest/gtest.h>

namespace fw {
namespace {

using Field = ResizeView::Field;

PhotoFilePtr photoOf(double width, double height, bool marked = true)
{
    auto photo = std::make_shared<PhotoFile>();
    photo->width = width;
    photo->height = height;
    photo->isSelected = marked;
    photo->filePath = QStringLiteral("/p/%1x%2-%3.jpg").arg(width).arg(height).arg(marked);
    return photo;
}

class ResizeViewTest : public ::testing::Test {
protected:
    std::unique_ptr<ResizeView> makeView()
    {
        return std::make_unique<ResizeView>(batch, strings, center, store);
    }
    QString field(Field which) const { return view->state().fields.at(which); }

    test::TemporaryFolder folder;
    QSettings store{folder.filePath("defaults.ini"), QSettings::IniFormat};
    Batch batch;
    LocalizedStrings strings{{"en"}};
    NotificationCenter center;
    std::unique_ptr<ResizeView> view = makeView();
};

TEST_F(ResizeViewTest, ReferenceSizeComesFromTheLastMarkedPhoto)
{
    EXPECT_EQ(view->referenceSize(), QSizeF(200, 200)) << "an empty batch";
    EXPECT_EQ(field(Field::CustomWidth), "200");
    batch.append({photoOf(4000, 3000), photoOf(640, 480, false)});
    view->setDefaultCustomSize();
    EXPECT_EQ(view->referenceSize(), QSizeF(4000, 3000));
    batch.setAllMarked(false);
    view->setDefaultCustomSize();
    EXPECT_EQ(view->referenceSize(), QSizeF(200, 200)) << "no photo marked";
    batch.append({photoOf(0, 0)});
    view->setDefaultCustomSize();
    EXPECT_EQ(view->referenceSize(), QSizeF(0, 0)) << "the marked photo has no size";
    // Coupling against a reference side of 0 neither divides by it nor hangs.
    view->btnCustomSizeTapped();
    view->controlTextDidChange(Field::CustomWidth, "50");
    EXPECT_EQ(field(Field::CustomWidth), "50");
    EXPECT_EQ(field(Field::CustomHeight), "1");
}

TEST_F(ResizeViewTest, OptionsSetTheirControlsAndTheRecord)
{
    EXPECT_EQ(view->state().option, ResizeView::KeepOriginal);
    EXPECT_FALSE(view->state().isResetEnabled);
    EXPECT_TRUE(view->getReSizeSettingObject().isKeepOriginalSize);
    view->btnPercentSizeTapped();
    EXPECT_TRUE(view->state().arePercentFieldsEnabled);
    EXPECT_FALSE(view->state().areCustomFieldsEnabled);
    EXPECT_TRUE(view->state().isKeepAspectRatio);
    EXPECT_TRUE(view->state().isResetEnabled);
    const SizeObject percent = view->getReSizeSettingObject();
    EXPECT_TRUE(percent.isPercentSize);
    EXPECT_EQ(percent.perWidth, 100);
    view->btnPredefinedSizeTapped();
    EXPECT_TRUE(view->isPredefinedSizeNotSlectedAnyValue());
    EXPECT_TRUE(view->getReSizeSettingObject().isKeepOriginalSize);
    EXPECT_EQ(view->state().presetText, "Select");
    view->btnKeepOriginalSizeTapped(false);
    EXPECT_EQ(view->state().option, ResizeView::Custom);
}

TEST_F(ResizeViewTest, TypingAndSteppingKeepToTheBoundsAndTheAspectRatio)
{
    batch.append({photoOf(4000, 3000)});
    view->setDefaultCustomSize();
    view->btnCustomSizeTapped();
    view->controlTextDidChange(Field::CustomWidth, "2,000");
    EXPECT_EQ(field(Field::CustomHeight), "1500");
    view->controlTextDidChange(Field::CustomHeight, "300");
    EXPECT_EQ(field(Field::CustomWidth), "400");
    view->controlTextDidChange(Field::CustomWidth, "");
    EXPECT_EQ(field(Field::CustomWidth), "1") << "a cleared field is 1 at once";

    view->setKeepAspectRatio(false);
    view->controlTextDidChange(Field::CustomWidth, "12000");
    EXPECT_EQ(field(Field::CustomWidth), "1200");
    view->controlTextDidChange(Field::CustomWidth, "-5");
    EXPECT_EQ(field(Field::CustomWidth), "1");
    view->controlTextDidChange(Field::CustomWidth, "10000");
    view->upDownTapped(Field::CustomWidth, true);
    EXPECT_EQ(field(Field::CustomWidth), "10000");

    view->btnPercentSizeTapped();
    view->controlTextDidChange(Field::PercentWidth, "300");
    EXPECT_EQ(field(Field::PercentWidth), "30");
    EXPECT_EQ(field(Field::PercentHeight), "30");
    view->setKeepAspectRatio(false);
    view->controlTextDidChange(Field::PercentWidth, "1500");
    EXPECT_EQ(field(Field::PercentWidth), "150");
    view->controlTextDidChange(Field::PercentWidth, "50");
    view->controlTextDidChange(Field::PercentHeight, "100");
    view->setKeepAspectRatio(true);
    EXPECT_EQ(field(Field::PercentHeight), "50") << "ticking the box couples the pair again";
    view->controlTextDidChange(Field::PercentWidth, "1");
    view->upDownTapped(Field::PercentWidth, false);
    EXPECT_EQ(field(Field::PercentWidth), "1");
}

TEST_F(ResizeViewTest, RunSizesBecomePresetsOnceEachAndSurviveARestart)
{
    store.setValue(ProjectSession::settingsKey, QByteArray("not an archive"));
    view = makeView();
    EXPECT_TRUE(view->presets().isEmpty());
    batch.append({photoOf(4000, 3000)});
    view->setDefaultCustomSize();
    view->btnCustomSizeTapped();
    view->controlTextDidChange(Field::CustomWidth, "800");
    view->getReSizeSettingObject();
    center.post(NotificationName::notificationsSaveasPredefinedSize);
    center.post(NotificationName::notificationsSaveasPredefinedSize);
    EXPECT_EQ(store.value(ProjectSession::unreadableKey).toByteArray(), "not an archive");
    // A percentage whose unused custom fields equal the custom preset's.
    view->btnPercentSizeTapped();
    view->controlTextDidChange(Field::PercentWidth, "50");
    view->getReSizeSettingObject();
    center.post(NotificationName::notificationsSaveasPredefinedSize);
    view->btnKeepOriginalSizeTapped(true);
    view->getReSizeSettingObject();
    center.post(NotificationName::notificationsSaveasPredefinedSize);

    QSettings reopened(folder.filePath("defaults.ini"), QSettings::IniFormat);
    ResizeView restarted(batch, strings, center, reopened);
    EXPECT_EQ(restarted.presetTexts(),
              QStringList({"Custom Size: 800 X 600", "Percent Size: 50 X 50 %"}));
    restarted.btnPredefinedSizeTapped();
    restarted.predefinedSizeSelectedAtIndex(1);
    EXPECT_FALSE(restarted.isPredefinedSizeNotSlectedAnyValue());
    EXPECT_TRUE(restarted.getReSizeSettingObject().isPercentSize);
}

TEST(RotateAndFlip, ChoicesAreExclusiveAndResetDisablesItsButton)
{
    RotateView rotate;
    FlipView flip;
    EXPECT_EQ(rotate.getRotateSettingObject(), RotationType::None);
    EXPECT_EQ(flip.getFlipSettongObject(), QList<bool>({false, false}));
    rotate.btnAntiClockwise90Tapped();
    EXPECT_EQ(rotate.getRotateSettingObject(), RotationType::QuarterCounterClockwise);
    flip.btnHorizontalflipTapped();
    flip.btnVerticalflipTapped();
    EXPECT_EQ(flip.getFlipSettongObject(), QList<bool>({false, true}));
    EXPECT_TRUE(flip.isResetEnabled());
    flip.btnResetSettingTapped();
    rotate.btnResetSettingTapped();
    EXPECT_FALSE(flip.isResetEnabled());
    EXPECT_FALSE(rotate.isResetEnabled());
}

TEST(OnlyIntegerValueFormatter, TakesWholeIntegersWithinItsBounds)
{
    const OnlyIntegerValueFormatter quality(100, false);
    for (const char* refused : {"0", "101", "7a", "-5", "-", "1.5", " 5"})
        EXPECT_FALSE(quality.isPartialStringValid(refused)) << refused;
    for (const char* taken : {"", "1", "100", "75"})
        EXPECT_TRUE(quality.isPartialStringValid(taken)) << taken;
    const OnlyIntegerValueFormatter size;
    EXPECT_TRUE(size.isPartialStringValid("-5")) << "the bounds raise it to 1";
    EXPECT_FALSE(size.isPartialStringValid("2147483648"));
}

class SettingViewTest : public ::testing::Test {
protected:
    test::TemporaryFolder folder;
    LocalizedStrings strings{{"en"}};
    SharedFlags flags;
    DialogQueue dialogs{flags};
    SettingView view{strings, dialogs, folder.filePath("Pictures/Framewright")};
};

TEST_F(SettingViewTest, FormatAndQualityFollowTheChoices)
{
    EXPECT_EQ(view.format().selectedFormatText, "*.TIF");
    EXPECT_FALSE(view.format().areConvertControlsEnabled);
    view.btnConvertFormatTapped();
    view.formatSelectionChangedWithIndex(FormatIndex::Jpg);
    EXPECT_TRUE(view.format().isQualityAreaShown);
    view.qualityTextEdited("40");
    view.upDownCompressionQualityTapped(true);
    EXPECT_EQ(view.getOutputSettingObject().compressionRatio, 41);
    view.qualityTextEdited("");
    view.qualityEditingFinished();
    EXPECT_EQ(view.format().qualityText, "41") << "an empty field shows the last value";
    view.formatSelectionChangedWithIndex(FormatIndex::Png);
    EXPECT_FALSE(view.format().isQualityAreaShown);
    const OutputOptionSettings converting = view.getOutputSettingObject();
    EXPECT_EQ(converting.formatOption, FormatOption::Convert);
    EXPECT_EQ(converting.selectedFileFormat, FormatIndex::Png);
    view.btnKeepOriginalFormatTapped();
    EXPECT_EQ(view.getOutputSettingObject().compressionRatio, 75);
    EXPECT_EQ(view.getOutputSettingObject().selectedFileFormat, FormatIndex::Tif);
}

TEST_F(SettingViewTest, FileNameTextIsFilteredAndItsResetFollowsIt)
{
    view.filenameSelectionChangedWithIndex(FileNameOption::Prefix);
    EXPECT_EQ(view.fileName().captionText, "Prefix:");
    EXPECT_FALSE(view.fileName().isResetEnabled);
    view.controlTextDidChange("a/b:c.d");
    EXPECT_EQ(view.fileName().txtSuffix, "abcd");
    EXPECT_TRUE(view.fileName().isResetEnabled);
    view.controlTextDidChange(QString(40, 'x'));
    EXPECT_EQ(view.fileName().txtSuffix.size(), 30);
    EXPECT_EQ(view.getOutputSettingObject().prefixString, QString(30, 'x'));
    view.filenameSelectionChangedWithIndex(FileNameOption::WithPixelSize);
    EXPECT_TRUE(view.fileName().isResetEnabled);
    view.btnResetFilenameTapped();
    EXPECT_FALSE(view.fileName().isResetEnabled);
    EXPECT_EQ(view.getOutputSettingObject().filenameOption, FileNameOption::SourceName);
}

TEST_F(SettingViewTest, FolderChoicesKeepTheirCaseAndRefuseTheTrash)
{
    EXPECT_EQ(view.folder().ouptputFolder, folder.filePath("Pictures/Framewright"));
    QString requested;
    QObject::connect(&view, &SettingView::folderChooserRequested,
                     [&](const QString& start) { requested = start; });
    view.btnSelectFolderTapped();
    EXPECT_TRUE(flags.isSubWindowOpened);
    EXPECT_TRUE(QDir(requested).exists()) << "the default folder is made first";
    view.folderChooserEnded(folder.filePath("Holiday PHOTOS"));
    EXPECT_FALSE(flags.isSubWindowOpened);
    EXPECT_EQ(view.getOutputSettingObject().ouptputFolder, folder.filePath("Holiday PHOTOS"));
    EXPECT_TRUE(view.folder().isResetEnabled);

    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(folder.filePath("data")));
    view.btnSelectFolderTapped();
    view.folderChooserEnded(folder.filePath("data/Trash/files/old"));
    qputenv("XDG_DATA_HOME", dataHome);
    EXPECT_EQ(view.folder().ouptputFolder, folder.filePath("Holiday PHOTOS"));

    view.btnKeepFolderHierarchyTapped(true);
    view.btnKeepOriginalFolderTapped();
    EXPECT_FALSE(view.getOutputSettingObject().keepFolderHierarchy);
    EXPECT_EQ(view.getOutputSettingObject().folderOption, FolderOption::BesideSource);
    view.btnResetFolderTapped();
    const OutputOptionSettings reset = view.getOutputSettingObject();
    EXPECT_EQ(reset.folderOption, FolderOption::IntoFolder);
    EXPECT_TRUE(reset.askBeforeOverwrite);
    EXPECT_FALSE(view.folder().isResetEnabled);
}

} // namespace
} // namespace fw

namespace fw {
namespace {

// A launch starts from the last run's choices, every kind of them; stored
// data that cannot be read gives the defaults.
TEST_F(SettingViewTest, TheLastRunsChoicesComeBackAtTheNextLaunch)
{
    QSettings store{folder.filePath("store.ini"), QSettings::IniFormat};
    RunSettings run;
    run.output.formatOption = FormatOption::Convert;
    run.output.selectedFileFormat = FormatIndex::Webp;
    run.output.compressionRatio = 60;
    run.output.isLossless = true;
    run.output.metadataOption = MetadataOption::WithoutLocation;
    run.output.filenameOption = FileNameOption::Template;
    run.output.nameTemplate = "{n:3}_{name}";
    run.output.counterStart = 5;
    run.output.folderOption = FolderOption::IntoFolder;
    run.output.ouptputFolder = folder.filePath("out");
    run.output.keepFolderHierarchy = true;
    run.output.askBeforeOverwrite = false;
    run.geometry.sizeObject.sizeMode = SizeMode::ShortEdge;
    run.geometry.sizeObject.edgeLength = 1080;
    run.geometry.sizeObject.isKeepAspectRatio = true;
    run.geometry.rotationType = RotationType::QuarterClockwise;
    run.geometry.isVerticalFlip = true;
    RememberedChoices::remember(store, run);

    const std::optional<RunSettings> recalled = RememberedChoices::recall(store);
    ASSERT_TRUE(recalled);
    EXPECT_EQ(*recalled, run);
    view.showOutputSettings(recalled->output);
    EXPECT_EQ(view.getOutputSettingObject(), run.output);
    Batch batch;
    NotificationCenter center;
    ResizeView size(batch, strings, center, store);
    size.showSize(recalled->geometry.sizeObject);
    EXPECT_EQ(size.getReSizeSettingObject(), run.geometry.sizeObject);

    store.setValue(RememberedChoices::storeKey, "{\"output\": ");
    EXPECT_FALSE(RememberedChoices::recall(store));
}

} // namespace
} // namespace fw
