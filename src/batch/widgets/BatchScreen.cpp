#include "batch/widgets/BatchScreen.h"

#include "batch/AddPhotosVC.h"
#include "batch/Batch.h"
#include "batch/BatchModel.h"
#include "batch/widgets/AddPanels.h"
#include "batch/widgets/DropArea.h"
#include "batch/widgets/PhotoGridView.h"
#include "batch/widgets/PhotoInfoPopup.h"
#include "batch/widgets/PhotoTableView.h"
#include "batch/widgets/ProgressSheet.h"
#include "core/LocalizedStrings.h"
#include "core/ModalMessages.h"
#include "core/NotificationCenter.h"
#include "core/NotificationNames.h"
#include "core/StringKeys.h"
#include "core/widgets/AlertSheet.h"
#include "core/widgets/EmphasisedText.h"
#include "core/widgets/Named.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace fw {

namespace {

enum Page { HintPage, ListPage, GridPage };

} // namespace

BatchScreen::BatchScreen(Parts givenParts, QWidget* parent)
    : QWidget(parent), parts(std::move(givenParts)), screen(parts.screen),
      panels(std::make_unique<AddPanels>(parts.screen, parts.strings, parts.imageExtensions)),
      listModel(new BatchModel(parts.batch, screen.listThumbnails(), parts.strings, this)),
      gridModel(new BatchModel(parts.batch, screen.gridThumbnails(), parts.strings, this))
{
    dropArea = new DropArea(this);
    pages = new QStackedWidget(dropArea);
    table = new PhotoTableView(*listModel, screen.listThumbnails(), pages);
    grid = new PhotoGridView(*gridModel, screen.gridThumbnails(), pages);
    table->setAccessibleName(text(StringKey::PHOTO_LIST));
    grid->setAccessibleName(text(StringKey::PHOTO_LIST));
    pages->addWidget(buildDropHint());
    pages->addWidget(table);
    pages->addWidget(grid);
    auto* dropLayout = new QVBoxLayout(dropArea);
    dropLayout->setContentsMargins(0, 0, 0, 0);
    dropLayout->addWidget(pages);
    progressSheet = new ProgressSheet(screen, parts.strings, this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 8);
    layout->addWidget(buildAddBar());
    layout->addWidget(buildListHeader());
    layout->addWidget(dropArea, 1);
    layout->addWidget(buildProgressBar());
    connectViews();
    connect(&screen, &AddPhotosVC::changed, this, &BatchScreen::render);
    render();
}

BatchScreen::~BatchScreen() = default;

QString BatchScreen::text(const char* key) const
{
    return parts.strings.getLocalizedStringForKey(key);
}

QWidget* BatchScreen::buildAddBar()
{
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    const struct {
        const char* key;
        std::function<void()> action;
    } buttons[] = {
        {StringKey::ADD_PHOTOS, [this] { screen.btnAddPhotosTapped(); }},
        {StringKey::ADD_FOLDER, [this] { screen.btnAddFolderTapped(); }},
        {StringKey::ADD_LIBRARY, [this] { screen.btnAddIphotosTapped(); }},
    };
    for (const auto& button : buttons) {
        auto* push = named(new QPushButton(text(button.key), bar), text(button.key));
        connect(push, &QPushButton::clicked, this, button.action);
        addButtons.append(push);
        row->addWidget(push);
    }
    // A push button with a menu leaves room for its arrow beside the text.
    moreButton = named(new QPushButton(text(StringKey::ADD_MORE), bar), text(StringKey::ADD_MORE));
    auto* more = new QMenu(moreButton);
    const char* const rows[] = {StringKey::ADD_PHOTOS, StringKey::ADD_FOLDER,
                                StringKey::ADD_WITH_FILTERS, StringKey::ADD_IPHOTO_LIBRARY};
    for (int index = 0; index < 4; ++index) {
        connect(more->addAction(text(rows[index])), &QAction::triggered, this, [this, index] {
            if (index == AddPanel::Library)
                screen.btnAddIphotosTapped();
            else
                screen.btnAddPhotosTappedWithIndex(index);
        });
    }
    moreButton->setMenu(more);
    row->addWidget(moreButton);
    fileTypes = named(new QComboBox(bar), text(StringKey::FILE_TYPE));
    auto* fileTypeLabel = new QLabel(text(StringKey::FILE_TYPE_LABEL), bar);
    fileTypeLabel->setBuddy(fileTypes);
    row->addWidget(fileTypeLabel);
    fileTypes->addItems(AddPhotosVC::fileTypeTexts());
    connect(fileTypes, &QComboBox::currentIndexChanged, this,
            [this](int index) { screen.fileTypeSelectedAtIndex(index); });
    row->addWidget(fileTypes);
    row->addStretch();
    const std::pair<int, const char*> modes[] = {{ViewMode::List, StringKey::VIEW_LIST},
                                                 {ViewMode::Grid, StringKey::VIEW_GRID},
                                                 {ViewMode::LargeGrid, StringKey::VIEW_LARGE_GRID}};
    for (const auto& [mode, key] : modes) {
        auto* button = named(new QToolButton(bar), text(key));
        button->setText(text(key));
        button->setCheckable(true);
        viewModes.insert(mode, button);
        row->addWidget(button);
        // Toggled, not clicked: a screen reader's toggle action switches too.
        connect(button, &QToolButton::toggled, this, [this, mode = mode](bool on) {
            if (on)
                screen.changePhotosViewImageMode(mode);
            render();
        });
    }
    return bar;
}

QWidget* BatchScreen::buildListHeader()
{
    listHeader = new QWidget(this);
    auto* row = new QHBoxLayout(listHeader);
    row->setContentsMargins(0, 4, 0, 4);
    markAll =
        named(new QCheckBox(text(StringKey::SELECT_ALL), listHeader), text(StringKey::SELECT_ALL));
    connect(markAll, &QCheckBox::clicked, this, [this] { screen.btnMarkAllTapped(); });
    information = new QLabel(listHeader);
    information->setTextFormat(Qt::RichText);
    information->setAlignment(Qt::AlignCenter);
    removeSelected = named(new QPushButton(text(StringKey::REMOVE_SELECTED), listHeader),
                           text(StringKey::REMOVE_SELECTED));
    removeAll = named(new QPushButton(text(StringKey::REMOVE_ALL), listHeader),
                      text(StringKey::REMOVE_ALL));
    connect(removeSelected, &QPushButton::clicked, this, [this] { screen.btnRemovePhotoTapped(); });
    connect(removeAll, &QPushButton::clicked, this, [this] { screen.btnRemoveAllTapped(); });
    row->addWidget(markAll);
    row->addWidget(information, 1);
    row->addWidget(removeSelected);
    row->addWidget(removeAll);
    return listHeader;
}

QWidget* BatchScreen::buildProgressBar()
{
    progressBar = new QWidget(this);
    auto* row = new QHBoxLayout(progressBar);
    row->setContentsMargins(0, 4, 0, 0);
    auto* label = new QLabel(text(StringKey::ADDING_PHOTOS), progressBar);
    progressText = new QLabel(progressBar);
    for (QLabel* plain : {label, progressText})
        plain->setTextFormat(Qt::PlainText);
    progressText->setMinimumWidth(200);
    progressText->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* busy = new QProgressBar(progressBar);
    busy->setRange(0, 0);
    busy->setMaximumWidth(160);
    busy->setAccessibleName(text(StringKey::ADDING_PHOTOS));
    auto* stop = named(new QPushButton(text(StringKey::STOP), progressBar), text(StringKey::STOP));
    connect(stop, &QPushButton::clicked, this, [this] { screen.btnStopAddingTapped(); });
    row->addWidget(label);
    row->addWidget(busy);
    row->addWidget(progressText, 1);
    row->addWidget(stop);
    return progressBar;
}

QWidget* BatchScreen::buildDropHint()
{
    auto* hint = new QWidget(pages);
    auto* column = new QVBoxLayout(hint);
    auto* label = new QLabel(text(StringKey::DRAG_PHOTOS), hint);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 1.4);
    label->setFont(font);
    label->setEnabled(false);
    auto* add =
        named(new QPushButton(text(StringKey::ADD_PHOTOS), hint), text(StringKey::ADD_PHOTOS));
    connect(add, &QPushButton::clicked, this, [this] { screen.btnAddPhotosTapped(); });
    addButtons.append(add);
    column->addStretch();
    column->addWidget(label);
    column->addWidget(add, 0, Qt::AlignHCenter);
    column->addStretch();
    return hint;
}

void BatchScreen::connectViews()
{
    connect(table, &PhotoTableView::markClicked, this,
            [this](int row) { screen.btnCheckTappedAtLocationInTableView(row); });
    connect(grid, &PhotoGridView::markClicked, this,
            [this](int row) { screen.btnCheckboxTappedAtLocationInCollectionView(row); });
    connect(table, &PhotoTableView::deleteClicked, this,
            [this](int row) { screen.btnDeleteTappedAtLocationInTableView(row); });
    connect(table, &PhotoTableView::infoClicked, this, &BatchScreen::askForInformation);
    connect(grid, &PhotoGridView::infoClicked, this, &BatchScreen::askForInformation);
    connect(table, &PhotoTableView::photoMenuRequested, this, &BatchScreen::showPhotoMenu);
    connect(grid, &PhotoGridView::photoMenuRequested, this, &BatchScreen::showPhotoMenu);
    connect(table, &PhotoTableView::markAllRequested, this, [this] { screen.markUnmarkAll(); });
    connect(grid, &PhotoGridView::markAllRequested, this, [this] { screen.markUnmarkAll(); });
    connect(&screen, &AddPhotosVC::panelRequested, this,
            [this](int index) { panels->open(index, window()); });
    connect(&screen.photoActions(), &PhotoActions::infoReady, this, &BatchScreen::showInformation);
    connect(&screen.photoActions(), &PhotoActions::notAvailableSheetChanged, this,
            &BatchScreen::renderNotAvailableSheet);
    connect(dropArea, &DropArea::pathsDropped, this, [this](const QStringList& paths) {
        parts.notifications.post(NotificationName::FileDragDropNotification, {{"paths", paths}});
    });
    connect(dropArea, &DropArea::dropFailed, this, [this] {
        parts.messages.showMessage(text(StringKey::PASTE_ERROR), text(StringKey::PASTE_ERROR_MSG));
    });
}

void BatchScreen::render()
{
    const AddPhotosVC::ScreenState& state = screen.screen();
    for (QPushButton* button : addButtons)
        button->setEnabled(state.areAddButtonsEnabled);
    moreButton->setEnabled(state.areAddButtonsEnabled);
    dropArea->setAcceptDrops(screen.acceptsDrops());
    progressBar->setVisible(state.isAddingProgressVisible);
    progressText->setText(state.progressText.section('\n', 0, 0));
    progressSheet->render();
    for (auto mode = viewModes.cbegin(); mode != viewModes.cend(); ++mode) {
        const QSignalBlocker quiet(mode.value());
        mode.value()->setChecked(mode.key() == screen.IMAGES_VIEW_MODE);
    }
    const bool empty = parts.batch.isEmpty();
    pages->setCurrentIndex(empty || state.isDropHintVisible            ? HintPage
                           : screen.IMAGES_VIEW_MODE == ViewMode::List ? ListPage
                                                                       : GridPage);
    grid->setLarge(screen.IMAGES_VIEW_MODE == ViewMode::LargeGrid);
    if (state.selectedPhotoIndex >= 0 && state.selectedPhotoIndex < parts.batch.size() &&
        !table->currentIndex().isValid())
        table->setCurrentIndex(listModel->index(state.selectedPhotoIndex, 0));
    renderListHeader();
}

void BatchScreen::renderListHeader()
{
    const BatchListRules::State& list = screen.listRules().state();
    markAll->setEnabled(list.isMarkAllEnabled);
    markAll->setChecked(list.isMarkAllTicked);
    markAll->setText(list.markAllLabelText);
    markAll->setAccessibleName(list.markAllLabelText);
    removeSelected->setEnabled(list.isRemoveEnabled);
    removeAll->setEnabled(list.isRemoveAllEnabled);
    information->setText(
        EmphasisedText::styled(list.batchInformation.line,
                               {list.batchInformation.countText, list.batchInformation.sizeText},
                               palette().color(QPalette::Link)));
}

void BatchScreen::showPhotoMenu(int row, const QPoint& globalPosition)
{
    if (row < 0 || row >= parts.batch.size())
        return;
    const PhotoFilePtr photo = parts.batch.at(row);
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const std::pair<int, const char*> entries[] = {
        {PhotoMenuOption::RevealInFolder, StringKey::REVEAL_FINDER},
        {PhotoMenuOption::OpenWithDefault, StringKey::OPEN_PREVIEW},
        {PhotoMenuOption::GetInfo, StringKey::GET_INFO},
        {PhotoMenuOption::Remove, StringKey::REMOVE_PHOTO}};
    for (const auto& [option, key] : entries) {
        connect(menu->addAction(text(key)), &QAction::triggered, this,
                [this, photo, option, globalPosition] {
                    infoAnchor = QRect(globalPosition, QSize(1, 1));
                    screen.photoActions().btnOnMenuOptionTapped(photo, option);
                });
    }
    menu->popup(globalPosition);
}

void BatchScreen::askForInformation(int row, const QRect& globalAnchor)
{
    if (row < 0 || row >= parts.batch.size())
        return;
    infoAnchor = globalAnchor;
    screen.photoActions().btnInfoTapped(parts.batch.at(row));
}

void BatchScreen::showInformation(const PhotoFilePtr&, const QList<PhotoInformation::Row>& rows)
{
    auto* popup = new PhotoInfoPopup(parts.strings, this);
    popup->showBeside(infoAnchor, rows);
}

void BatchScreen::renderNotAvailableSheet()
{
    const PhotoActions::NotAvailableSheet& sheet = screen.photoActions().notAvailableSheet();
    if (!sheet.isShown) {
        parts.sheet.dismiss();
        return;
    }
    PhotoActions& actions = screen.photoActions();
    parts.sheet.present(
        sheet.title, sheet.message,
        {{text(StringKey::OK), [&actions] { actions.btnOkOnNotAvailableTapped(); }, true},
         {text(StringKey::REMOVE_FROM_BATCH),
          [&actions] { actions.btnRemoveFromBatchOnNotAvailableTapped(); }}});
}

} // namespace fw
