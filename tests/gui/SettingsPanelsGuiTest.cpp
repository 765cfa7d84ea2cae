#include "batch/Batch.h"
#include "core/Codes.h"
#include "core/DialogQueue.h"
#include "core/LocalizedStrings.h"
#include "core/NotificationCenter.h"
#include "core/NotificationNames.h"
#include "core/SharedFlags.h"
#include "settings/ResizeView.h"
#include "settings/SettingView.h"
#include "settings/widgets/OutputSettingsPanel.h"
#include "settings/widgets/ResizePanel.h"
#include "settings/widgets/SteppedField.h"
#include "support/TemporaryFolder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <gtest/gtest.h>

namespace fw {
namespace {

using Field = ResizeView::Field;

// The control the user would find by its accessible name.
template <typename Control> Control* find(QWidget& panel, const QString& name)
{
    for (Control* control : panel.findChildren<Control*>()) {
        if (control->accessibleName() == name)
            return control;
    }
    ADD_FAILURE() << "no control named " << name.toStdString();
    return nullptr;
}

// Types over the whole field, as a user who selected its text.
void retype(QLineEdit* field, const QString& text)
{
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
}

class ResizePanelTest : public ::testing::Test {
protected:
    ResizePanelTest()
    {
        auto photo = std::make_shared<PhotoFile>();
        photo->width = 4000;
        photo->height = 3000;
        photo->isSelected = true;
        batch.append({photo});
        view.setDefaultCustomSize();
        panel.show();
    }
    QLineEdit* field(Field which) { return panel.field(which)->lineEdit(); }

    test::TemporaryFolder folder;
    QSettings store{folder.filePath("defaults.ini"), QSettings::IniFormat};
    Batch batch;
    LocalizedStrings strings{{"en"}};
    NotificationCenter center;
    ResizeView view{batch, strings, center, store};
    ResizePanel panel{view, strings};
};

TEST_F(ResizePanelTest, TypedSizesKeepToTheirBoundsAndTheAspectRatio)
{
    find<QAbstractButton>(panel, "Custom size (pixels)")->click();
    find<QAbstractButton>(panel, "Keep aspect ratio")->click();
    retype(field(Field::CustomWidth), "12000");
    EXPECT_EQ(field(Field::CustomWidth)->text(), "1200");

    find<QAbstractButton>(panel, "Percent of original size")->click();
    retype(field(Field::PercentWidth), "300");
    EXPECT_EQ(field(Field::PercentWidth)->text(), "30");
    EXPECT_EQ(field(Field::PercentHeight)->text(), "30");
    QTest::keyClick(field(Field::PercentWidth), Qt::Key_Up);
    EXPECT_EQ(field(Field::PercentHeight)->text(), "31") << "the arrow keys step the number";

    find<QAbstractButton>(panel, "Keep aspect ratio")->click();
    retype(field(Field::PercentWidth), "50");
    retype(field(Field::PercentHeight), "100");
    find<QAbstractButton>(panel, "Keep aspect ratio")->click();
    EXPECT_EQ(field(Field::PercentWidth)->text(), "50");
    EXPECT_EQ(field(Field::PercentHeight)->text(), "50");
}

TEST_F(ResizePanelTest, ASavedPresetIsInTheListAfterARestart)
{
    find<QAbstractButton>(panel, "Custom size (pixels)")->click();
    retype(field(Field::CustomWidth), "800");
    view.getReSizeSettingObject();
    center.post(NotificationName::notificationsSaveasPredefinedSize);

    QSettings reopened(folder.filePath("defaults.ini"), QSettings::IniFormat);
    ResizeView restarted(batch, strings, center, reopened);
    ResizePanel restartedPanel(restarted, strings);
    restartedPanel.show();
    find<QAbstractButton>(restartedPanel, "Saved size")->click();
    find<QPushButton>(restartedPanel, "Choose a saved size")->click();
    auto* list = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->actions().size(), 1);
    EXPECT_EQ(list->actions().first()->text(), "Custom Size: 800 X 600");
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(restarted.getReSizeSettingObject().customWidth, 800);
}

TEST_F(ResizePanelTest, TheSizeControlsDoWhatTheUserAsked)
{
    // Keep-aspect turned on by choosing an option couples the pair too.
    find<QAbstractButton>(panel, "Percent of original size")->click();
    find<QAbstractButton>(panel, "Keep aspect ratio")->click();
    retype(field(Field::PercentWidth), "50");
    find<QAbstractButton>(panel, "Custom size (pixels)")->click();
    find<QAbstractButton>(panel, "Percent of original size")->click();
    EXPECT_EQ(field(Field::PercentHeight)->text(), "50");
    const SizeObject half = view.getReSizeSettingObject();
    EXPECT_EQ(half.perHeight, 50);

    // A cleared field becomes 1 with the 1 selected, so typing replaces it.
    find<QAbstractButton>(panel, "Custom size (pixels)")->click();
    QLineEdit* width = field(Field::CustomWidth);
    width->setFocus();
    width->selectAll();
    QTest::keyClick(width, Qt::Key_Backspace);
    EXPECT_EQ(width->text(), "1");
    QTest::keyClicks(width, "1600");
    EXPECT_EQ(width->text(), "1600");

    // Photos added later do not replace a size the user typed.
    auto other = std::make_shared<PhotoFile>();
    other->width = 640;
    other->height = 480;
    other->isSelected = true;
    batch.append({other});
    view.setDefaultCustomSize();
    EXPECT_EQ(width->text(), "1600");

    // Keeping the original size leaves no size option checked.
    find<QAbstractButton>(panel, "Keep original size")->click();
    for (const char* option : {"Saved size", "Custom size (pixels)", "Percent of original size"})
        EXPECT_FALSE(find<QAbstractButton>(panel, option)->isChecked()) << option;
    find<QAbstractButton>(panel, "Custom size (pixels)")->click();
    find<QAbstractButton>(panel, "Reset")->click();
    EXPECT_FALSE(find<QAbstractButton>(panel, "Custom size (pixels)")->isChecked());
}

TEST_F(ResizePanelTest, ASizeIsSavedOnceAndCanBeRemoved)
{
    find<QAbstractButton>(panel, "Custom size (pixels)")->click();
    retype(field(Field::CustomWidth), "800");
    for (int run = 0; run < 2; ++run) {
        view.getReSizeSettingObject();
        center.post(NotificationName::notificationsSaveasPredefinedSize);
    }
    ASSERT_EQ(view.presets().size(), 1);

    find<QAbstractButton>(panel, "Saved size")->click();
    auto* remove = find<QPushButton>(panel, "Remove saved size");
    EXPECT_FALSE(remove->isEnabled()) << "until one is chosen";
    find<QPushButton>(panel, "Choose a saved size")->click();
    auto* list = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(list, nullptr);
    list->actions().first()->trigger();
    remove->click();
    EXPECT_TRUE(view.presets().isEmpty());
    QSettings reopened(folder.filePath("defaults.ini"), QSettings::IniFormat);
    ResizeView restarted(batch, strings, center, reopened);
    EXPECT_TRUE(restarted.presets().isEmpty()) << "removed for good";
}

class OutputSettingsPanelTest : public ::testing::Test {
protected:
    OutputSettingsPanelTest() { panel.show(); }

    test::TemporaryFolder folder;
    LocalizedStrings strings{{"en"}};
    SharedFlags flags;
    DialogQueue dialogs{flags};
    SettingView view{strings, dialogs, folder.filePath("Framewright")};
    OutputSettingsPanel panel{view, strings};
};

TEST_F(OutputSettingsPanelTest, TheQualityAreaShowsForLossyFormatsOnly)
{
    EXPECT_FALSE(panel.qualityArea()->isVisible());
    find<QAbstractButton>(panel, "Convert to")->click();
    auto* formats = find<QPushButton>(panel, "Choose the output format");
    ASSERT_TRUE(formats->isEnabled());
    formats->click();
    auto* list = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(list, nullptr);
    list->actions().at(FormatIndex::Jpg)->trigger();
    EXPECT_TRUE(panel.qualityArea()->isVisible());
    EXPECT_EQ(formats->text(), "*.JPG");
    auto* quality = find<QLineEdit>(panel, "Quality from 0 to 100");
    quality->setFocus();
    quality->selectAll();
    QTest::keyClicks(quality, "-5");
    EXPECT_NE(view.getOutputSettingObject().compressionRatio, -5);

    formats->click();
    qobject_cast<QMenu*>(QApplication::activePopupWidget())
        ->actions()
        .at(FormatIndex::Png)
        ->trigger();
    EXPECT_FALSE(panel.qualityArea()->isVisible());
}

TEST_F(OutputSettingsPanelTest,
       ThePrefixLosesWhatNoFileNameMayHoldKeepsItsCaretAndItsCharactersWhole)
{
    find<QPushButton>(panel, "Choose how outputs are named")->click();
    qobject_cast<QMenu*>(QApplication::activePopupWidget())
        ->actions()
        .at(FileNameOption::Prefix)
        ->trigger();
    QApplication::clipboard()->setText("a/b:c.d");
    panel.affixField()->setFocus();
    QTest::keySequence(panel.affixField(), QKeySequence::Paste);
    EXPECT_EQ(panel.affixField()->text(), "abcd");
    EXPECT_EQ(view.getOutputSettingObject().prefixString, "abcd");

    // A refused character leaves the caret where the user was typing.
    panel.affixField()->setCursorPosition(2);
    QTest::keyClicks(panel.affixField(), "/");
    EXPECT_EQ(panel.affixField()->cursorPosition(), 2);
    QTest::keyClicks(panel.affixField(), "X");
    EXPECT_EQ(panel.affixField()->text(), "abXcd");

    // The 30-character cut never splits a character in two.
    const QString camera = QString::fromUtf8("\xF0\x9F\x93\xB7");
    QApplication::clipboard()->setText(QString(28, 'x') + camera + camera);
    panel.affixField()->selectAll();
    QTest::keySequence(panel.affixField(), QKeySequence::Paste);
    EXPECT_EQ(view.getOutputSettingObject().prefixString, QString(28, 'x') + camera + camera);
    QApplication::clipboard()->setText(QString(29, 'x') + camera);
    panel.affixField()->selectAll();
    QTest::keySequence(panel.affixField(), QKeySequence::Paste);
    EXPECT_EQ(view.getOutputSettingObject().prefixString, QString(29, 'x') + camera);
    QApplication::clipboard()->setText(QString(30, 'x') + camera);
    panel.affixField()->selectAll();
    QTest::keySequence(panel.affixField(), QKeySequence::Paste);
    EXPECT_EQ(view.getOutputSettingObject().prefixString, QString(30, 'x'));
}

} // namespace
} // namespace fw
