#pragma once

#include "batch/PhotoFile.h"
#include "batch/PhotoInformation.h"

#include <QRect>
#include <QMap>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QStackedWidget;
class QToolButton;

namespace fw {

class AddPanels;
class AddPhotosVC;
class AlertSheet;
class Batch;
class BatchModel;
class DropArea;
class LocalizedStrings;
class ModalMessages;
class NotificationCenter;
class PhotoGridView;
class PhotoTableView;
class ProgressSheet;

// The batch screen's widgets: the add buttons and panels, the drop area,
// the import's progress, the list and the two grids, the photo menu and the
// info pop-up. They show AddPhotosVC and hand it the user's actions.
class BatchScreen : public QWidget {
    Q_OBJECT
public:
    struct Parts {
        AddPhotosVC& screen;
        Batch& batch;
        LocalizedStrings& strings;
        NotificationCenter& notifications;
        ModalMessages& messages;
        AlertSheet& sheet;
        QStringList imageExtensions;
    };

    explicit BatchScreen(Parts parts, QWidget* parent = nullptr);
    ~BatchScreen() override;

    PhotoTableView* listView() const { return table; }
    PhotoGridView* gridView() const { return grid; }

private:
    QWidget* buildAddBar();
    QWidget* buildListHeader();
    QWidget* buildProgressBar();
    QWidget* buildDropHint();
    void connectViews();
    void render();
    void renderListHeader();
    void showPhotoMenu(int row, const QPoint& globalPosition);
    void askForInformation(int row, const QRect& globalAnchor);
    void showInformation(const PhotoFilePtr& photo, const QList<PhotoInformation::Row>& rows);
    void renderNotAvailableSheet();
    QString text(const char* key) const;

    Parts parts;
    AddPhotosVC& screen;
    std::unique_ptr<AddPanels> panels;
    BatchModel* listModel;
    BatchModel* gridModel;
    QList<QPushButton*> addButtons;
    QPushButton* moreButton = nullptr;
    QComboBox* fileTypes = nullptr;
    // By view mode. Not a button group: Tab would reach only its checked
    // button.
    QMap<int, QToolButton*> viewModes;
    QCheckBox* markAll = nullptr;
    QLabel* information = nullptr;
    QPushButton* removeSelected = nullptr;
    QPushButton* removeAll = nullptr;
    QWidget* listHeader = nullptr;
    QWidget* progressBar = nullptr;
    QLabel* progressText = nullptr;
    DropArea* dropArea = nullptr;
    QStackedWidget* pages = nullptr;
    PhotoTableView* table = nullptr;
    PhotoGridView* grid = nullptr;
    ProgressSheet* progressSheet = nullptr;
    QRect infoAnchor;
};

} // namespace fw
