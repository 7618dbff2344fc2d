// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Actions, popup menus and the binding of every action and event to its
// handler.
#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>

#include "app/ActionTable.h"
#include "app/CommandGuard.h"
#include "app/CopyForm.h"
#include "attributes/AttributeCommands.h"
#include "bulk/BulkOperations.h"
#include "cleanup/EmptyFolderCommand.h"
#include "controls/DirectoryListBox.h"
#include "controls/DriveComboBox.h"
#include "controls/FileListBox.h"
#include "controls/FolderFiles.h"
#include "controls/PathListBox.h"
#include "datalist/DataListEditing.h"
#include "datalist/FilterExtraction.h"
#include "datalist/ListClipboard.h"
#include "driveinfo/DriveInfo.h"
#include "engine/FileOperation.h"
#include "filters/FilterCheckListView.h"
#include "filters/FilterCommands.h"
#include "folders/FolderCommands.h"
#include "hierarchy/ClassKeepingOperation.h"
#include "panes/BrowsingPanes.h"
#include "panes/SelectedFolders.h"
#include "platform/ClipboardText.h"
#include "rename/BulkRename.h"
#include "rename/SingleRename.h"
#include "settings/SettingCommand.h"
#include "savelists/SaveFileList.h"
#include "search/FileSearchAllThread.h"
#include "search/SearchCommand.h"
#include "controls/StopButton.h"

namespace {

QMenu* makeMenu(const QString& title, QWidget* parent, const char* name = nullptr) {
    auto* menu = new QMenu(title, parent);
    if (name) menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

// Shift+F10 asks the widget for its context menu as the Menu key does.
class ShiftF10Menu : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_F10 || key->modifiers() != Qt::ShiftModifier) return false;
        auto* widget = static_cast<QWidget*>(watched);
        const QPoint pos = widget->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
        QContextMenuEvent request(QContextMenuEvent::Keyboard, pos, widget->mapToGlobal(pos));
        QCoreApplication::sendEvent(widget, &request);
        return true;
    }
};

void attachPopup(QWidget* widget, QMenu* menu) {
    widget->installEventFilter(new ShiftF10Menu(widget));
    widget->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(widget, &QWidget::customContextMenuRequested, menu,
                     [widget, menu](const QPoint& pos) { menu->popup(widget->mapToGlobal(pos)); });
}

}  // namespace

void TCopyForm::createActions() {
    for (const ActionSpec& spec : kActionTable) {
        auto* a = new QAction(QString::fromUtf8(spec.caption), this);
        a->setObjectName(QString::fromLatin1(spec.name));
        a->setProperty("category", QString::fromLatin1(spec.category));
    }
    action("FileErase")->setEnabled(false);
}

void TCopyForm::createMenus() {
    auto settingsAndHelp = [this](QMenu* menu) {
        QMenu* settings = menu->addMenu(QStringLiteral("設定(&S)"));
        settings->addAction(action("BaseSetting"));
        QMenu* help = menu->addMenu(QStringLiteral("ヘルプ(&H)"));
        help->addAction(action("ShowHelp"));
        help->addAction(action("ShowVersion"));
    };

    LeftDirectoryPopupMenu = makeMenu(QString(), this, "LeftDirectoryPopupMenu");
    LeftSelectedFolderMenu = LeftDirectoryPopupMenu->addMenu(QStringLiteral("指定フォルダ(&F)"));
    LeftSelectedFolderMenu->setObjectName(QStringLiteral("LeftSelectedFolderMenu"));
    LeftDirectoryPopupMenu->addAction(action("DirectorySetRight"));
    LeftDirectoryPopupMenu->addSeparator();
    LeftDirectoryPopupMenu->addAction(action("FileSearchAll"));
    LeftDirectoryPopupMenu->addSeparator();
    settingsAndHelp(LeftDirectoryPopupMenu);
    QMenu* folderMenu = LeftDirectoryPopupMenu->addMenu(QStringLiteral("フォルダ(&D)"));
    folderMenu->addAction(action("FolderCopy"));
    folderMenu->addAction(action("FolderMove"));
    folderMenu->addSeparator();
    folderMenu->menuAction()->setVisible(false);

    FileOperationPopupMenu = makeMenu(QString(), this, "FileOperationPopupMenu");
    FileOperationPopupMenu->addAction(UndoAction);
    FileOperationPopupMenu->addAction(RedoAction);
    FileOperationPopupMenu->addSeparator();
    QMenu* fileMenu = FileOperationPopupMenu->addMenu(QStringLiteral("ファイル（&F）"));
    fileMenu->addAction(action("SaveFileListDataList"));
    fileMenu->addSeparator();
    QMenu* bulkMenu = fileMenu->addMenu(QStringLiteral("一括操作(A)"));
    bulkMenu->addAction(action("FileCopy"));
    bulkMenu->addAction(action("FileMove"));
    bulkMenu->addAction(action("FileDelete"));
    bulkMenu->addSeparator();
    bulkMenu->addAction(action("FileErase"));
    QMenu* hierarchyMenu = fileMenu->addMenu(QStringLiteral("階層操作(&C)"));
    hierarchyMenu->addAction(action("ClassKeepingFileCopy"));
    hierarchyMenu->addAction(action("ClassKeepingFileMove"));
    fileMenu->addSeparator();
    fileMenu->addAction(action("ReNameAllFile"));
    fileMenu->addAction(action("FileExtToNewExt"));
    QMenu* attribMenu = fileMenu->addMenu(QStringLiteral("属性の一括変更(&T)"));
    attribMenu->addAction(action("RemoveReadOnlyAttribs"));
    attribMenu->addAction(action("SetReadOnlyAttribs"));
    attribMenu->addAction(action("RemoveHiddenAttribs"));
    attribMenu->addAction(action("SetHiddenAttribs"));
    QMenu* editMenu = FileOperationPopupMenu->addMenu(action("EditClick")->text());
    editMenu->setObjectName(QStringLiteral("EditClickMenu"));
    editMenu->addAction(action("ClipBoardCopyDataList"));
    editMenu->addAction(action("ClipBoardPaste"));
    editMenu->addAction(action("DataDelete"));
    editMenu->addAction(action("SelectAllDataList"));
    editMenu->addAction(action("ClearDataList"));
    editMenu->addSeparator();
    editMenu->addAction(action("SortDataList"));
    editMenu->addAction(action("DoFilterDataList"));
    editMenu->addAction(action("DeleteSameData"));
    connect(editMenu, &QMenu::aboutToShow, action("EditClick"), &QAction::trigger);
    settingsAndHelp(FileOperationPopupMenu);

    RightDirectoryPopupMenu = makeMenu(QString(), this, "RightDirectoryPopupMenu");
    RightSelectedFolderMenu = RightDirectoryPopupMenu->addMenu(QStringLiteral("選択フォルダ(&F)"));
    RightSelectedFolderMenu->setObjectName(QStringLiteral("RightSelectedFolderMenu"));
    RightDirectoryPopupMenu->addAction(action("DirectorySetLeft"));
    RightDirectoryPopupMenu->addSeparator();
    RightDirectoryPopupMenu->addAction(action("DeleteNoFileDirectory"));
    RightDirectoryPopupMenu->addSeparator();
    settingsAndHelp(RightDirectoryPopupMenu);

    FileListRightPopupMenu = makeMenu(QString(), this, "FileListRightPopupMenu");
    FileListRightPopupMenu->addAction(action("SaveFileListRight"));
    FileListRightPopupMenu->addSeparator();
    FileListRightPopupMenu->addAction(action("ReNameFileNameRight"));
    FileListRightPopupMenu->addAction(action("ClipBoardCopyRight"));
    FileListRightPopupMenu->addSeparator();
    settingsAndHelp(FileListRightPopupMenu);

    FileListLeftPopupMenu = makeMenu(QString(), this, "FileListLeftPopupMenu");
    FileListLeftPopupMenu->addAction(action("SaveFileListLeft"));
    FileListLeftPopupMenu->addSeparator();
    FileListLeftPopupMenu->addAction(action("RenameFileNameLeft"));
    FileListLeftPopupMenu->addAction(action("ClipBoardCopyLeft"));
    FileListLeftPopupMenu->addSeparator();
    settingsAndHelp(FileListLeftPopupMenu);

    FilterPopupMenu = makeMenu(QString(), this, "FilterPopupMenu");
    FilterPopupMenu->addAction(action("FilterAdd"));
    FilterPopupMenu->addAction(action("FilterEdit"));
    FilterPopupMenu->addAction(action("FilterDelete"));
    FilterPopupMenu->addSeparator();
    FilterPopupMenu->addAction(action("FilterReverse"));
    FilterPopupMenu->addSeparator();
    FilterPopupMenu->addAction(action("FilterClear"));

    attachPopup(DirectoryPanel, LeftDirectoryPopupMenu);
    attachPopup(DirectoryListBox1, LeftDirectoryPopupMenu);
    attachPopup(DataListBox, FileOperationPopupMenu);
    for (QPushButton* b : {CopyButton, MoveButton, ClassKeepingFileCopyButton, ClassKeepingFileMoveButton})
        attachPopup(b, FileOperationPopupMenu);
    attachPopup(SendToDirectoryPanel, RightDirectoryPopupMenu);
    attachPopup(DirectoryListBox2, RightDirectoryPopupMenu);
    attachPopup(FileListBox2, FileListRightPopupMenu);
    attachPopup(FileNameListBox, FileListLeftPopupMenu);
    attachPopup(FilterCheckListBox, FilterPopupMenu);
}

void TCopyForm::bindCommands() {
    auto bind = [this](const char* name, auto handler) {
        QAction* a = action(name);
        connect(a, &QAction::triggered, this,
                [this, a, handler] { RunGuarded([&] { runRecorded(a, [&] { handler(a); }); }); });
    };

    auto engine = [this]() -> TFileOperation& {
        if (!FileOperation) throw std::logic_error("FileOperation");
        return *FileOperation;
    };
    const std::pair<const char*, BulkAction> bulkActions[] = {
        {"FileCopy", BulkAction::FileCopy}, {"FileMove", BulkAction::FileMove},
        {"FileDelete", BulkAction::FileDelete}, {"FileErase", BulkAction::FileErase}};
    for (const auto& [name, which] : bulkActions)
        bind(name, [this, which = which](QAction*) { File_Operation(which, bulkContext()); });
    const std::pair<const char*, HierarchyAction> hierarchyActions[] = {
        {"ClassKeepingFileCopy", HierarchyAction::ClassKeepingFileCopy},
        {"ClassKeepingFileMove", HierarchyAction::ClassKeepingFileMove}};
    for (const auto& [name, which] : hierarchyActions)
        bind(name, [this, which = which](QAction*) { ClassKeeping_File_Operation(which, bulkContext()); });
    bind("FolderNew", [this](QAction*) { FolderNewExecute(*DirectoryListBox2); });
    bind("FolderDelete", [this, engine](QAction*) {
        FolderDeleteExecute(FolderAction::FolderDelete, trees(), engine());
    });
    bind("FolderErase", [this, engine](QAction*) {
        FolderDeleteExecute(FolderAction::FolderErase, trees(), engine());
    });
    bind("FolderCopy", [](QAction*) { Folder_Operation(); });
    bind("FolderMove", [](QAction*) { Folder_Operation(); });
    bind("DirectorySetLeft", [this](QAction*) {
        DirectorySetLeftExecute(TreeAlignment::DirectorySetLeft, *DirectoryListBox1, *DirectoryListBox2);
    });
    bind("DirectorySetRight", [this](QAction*) {
        DirectorySetLeftExecute(TreeAlignment::DirectorySetRight, *DirectoryListBox1, *DirectoryListBox2);
    });
    bind("GetDriveTypeAction",
         [this](QAction*) { GetDriveTypeActionExecute(*DirectoryListBox1, driveLabels()); });
    bind("GetSerialNum",
         [this](QAction*) { GetSerialNumExecute(*DirectoryListBox1, driveLabels()); });
    bind("RemoveReadOnlyAttribs",
         [this, engine](QAction*) { RemoveReadOnlyAttribsExecute(*DataListBox, engine()); });
    bind("SetReadOnlyAttribs",
         [this, engine](QAction*) { SetReadOnlyAttribsExecute(*DataListBox, engine()); });
    bind("RemoveHiddenAttribs",
         [this, engine](QAction*) { RemoveHiddenAttribsExecute(*DataListBox, engine()); });
    bind("SetHiddenAttribs",
         [this, engine](QAction*) { SetHiddenAttribsExecute(*DataListBox, engine()); });
    auto filters = [this]() -> FilterContext {
        return {*Filters, *FilterCheckListBox, *FileListBox1};
    };
    bind("FilterAdd", [filters](QAction*) { FilterAddExecute(filters()); });
    bind("FilterEdit", [filters](QAction*) { FilterEditExecute(filters()); });
    bind("FilterDelete", [filters](QAction*) { FilterDeleteExecute(filters()); });
    bind("FilterReverse", [filters](QAction*) { FilterReverseExecute(filters()); });
    bind("FilterClear", [filters](QAction*) { FilterClearExecute(filters()); });
    bind("BaseSetting", [this](QAction*) {
        BaseSettingExecute({FileOperationOptions, SelectedFolderPaths, *Filters, TxtFilter,
                            DataFileExtensions, FileSearchFindHiddenFile, FileEraseEnabled,
                            *action("FileErase"),
                            [this](const std::vector<std::string>& paths) { ApplySelectedFolders(paths); }});
    });
    bind("DataDelete", [this](QAction*) { DataDeleteExecute(*DataListBox); });
    bind("FileListTranslate",
         [this](QAction*) { FileListTranslateExecute(*FilePathListBox, *DataListBox); });
    bind("EditClick", [this](QAction*) { EditClickExecute(*action("ClipBoardPaste")); });
    bind("ClipBoardCopyDataList",
         [this](QAction*) { ClipBoardCopyDataListExecute(*DataList); });
    bind("ClipBoardCopyLeft", [this](QAction*) { ClipBoardCopyLeftExecute(*FilePathListBox); });
    bind("ClipBoardCopyRight",
         [this](QAction*) { ClipBoardCopyRightExecute(*FileListBox2, OpenDialogListBox); });
    bind("ClipBoardPaste", [this](QAction*) { ClipBoardPasteExecute(*DataListBox); });
    bind("SortDataList", [this](QAction*) { SortDataListExecute(*DataListBox); });
    bind("DeleteSameData", [this](QAction*) { DeleteSameDataExecute(*DataListBox); });
    bind("SelectAllDataList", [this](QAction*) { SelectAllDataListExecute(*DataListBox); });
    bind("ClearDataList", [this](QAction*) { ClearDataListExecute(*DataListBox); });
    bind("DoFilterDataList",
         [this](QAction*) {
             DoFilterDataListExecute(*DataListBox, *Filters,
                                     {[this] { return windowTitle(); },
                                      [this](const QString& text) { setWindowTitle(text); }});
         });
    const std::pair<const char*, SaveListAction> saveActions[] = {
        {"SaveFileListDataList", SaveListAction::SaveFileListDataList},
        {"SaveFileListLeft", SaveListAction::SaveFileListLeft},
        {"SaveFileListRight", SaveListAction::SaveFileListRight}};
    for (const auto& [name, which] : saveActions)
        bind(name, [this, which = which](QAction*) {
            SaveFileListDataListExecute(which, {*DataList, *FilePathListBox, *FileListBox2,
                                                OpenDialogListBox, TxtFilter, destinationFolder(),
                                                SaveDialog1, trees()});
        });
    bind("FileSearchAll", [this](QAction*) { FileSearchAllExecute(searchContext()); });
    bind("ReNameAllFile", [this](QAction*) { ReNameAllFileExecute(*DataList, trees()); });
    bind("FileExtToNewExt",
         [this](QAction*) { FileExtToNewExtExecute(*DataList, trees()); });
    bind("ReNameFileNameRight", [this](QAction*) { ReNameFileNameRightExecute(*FileListBox2); });
    bind("RenameFileNameLeft",
         [this](QAction*) { RenameFileNameLeftExecute(*FileNameListBox, *FilePathListBox); });
    bind("DeleteNoFileDirectory",
         [this](QAction*) { DeleteNoFileDirectoryExecute(trees(), *DataListBox); });
    bind("ShowHelp", [this](QAction*) { ShowHelpExecute(); });
    bind("ShowVersion", [this](QAction*) { ShowVersionExecute(); });

    // Commands that a later version brings.

    // Events of the controls.
    auto guarded = [](auto handler) { return [handler] { RunGuarded(handler); }; };
    connect(FileListBox1, &FolderFiles::changed, this,
            guarded([this] { panes().FileListBox1Change(); }));
    connect(FileNameListBox, &PathListBox::userClicked, this,
            guarded([this] { panes().FileNameListBoxClick(); }));
    connect(DataListBox, &PathListBox::userClicked, this,
            guarded([this] { panes().DataListBoxClick(); }));
    connect(DriveComboBox1, &DriveComboBox::driveChanged, this, guarded([this] {
                if (FormReady) DriveComboBox1Change(*DirectoryListBox1, driveLabels());
            }));
    connect(MainSplitter, &QSplitter::splitterMoved, this, [this](int, int index) {
        if (index == 2) RightSplitterMoved();
    });
    connect(FilterCheckListBox, &FilterCheckListView::entryClicked, this, [filters](int row) {
        RunGuarded([&] { FilterCheckListBoxClickAt(filters(), row); });
    });
    connect(FilterCheckListBox, &FilterCheckListView::mouseDown, this,
            [this, filters](bool twice, int) {
                RunGuarded([&] { FilterCheckListBoxMouseDown(FilterDrag, filters(), twice); });
            });
    connect(FilterCheckListBox, &FilterCheckListView::mouseMove, this, [this, filters](int row) {
        RunGuarded([&] { FilterCheckListBoxMouseMove(FilterDrag, filters(), row); });
    });
    connect(FilterCheckListBox, &FilterCheckListView::mouseUp, this,
            guarded([this] { FilterCheckListBoxMouseUp(FilterDrag); }));
    connect(SearchingButton, &QPushButton::clicked, this,
            guarded([this] { SearchingButtonClick(SearchThread); }));
    KeepOverTree(*SearchingButton, *DirectoryListBox1);
}

bool TCopyForm::rebuildSelectedFolderMenus() {
    LeftSelectedFolderMenu->clear();
    RightSelectedFolderMenu->clear();
    for (std::size_t i = 0; i < SelectedFolderPaths.size(); ++i) {
        try {
            const QString caption = selectedFolderCaption(SelectedFolderPaths[i]);
            for (QMenu* menu : {LeftSelectedFolderMenu, RightSelectedFolderMenu}) {
                auto* entry = menu->addAction(caption);
                entry->setProperty("tag", int(i));
                DirectoryListBox* tree =
                    menu == LeftSelectedFolderMenu ? DirectoryListBox1 : DirectoryListBox2;
                connect(entry, &QAction::triggered, this, [this, tree, i] {
                    RunGuarded([&] { SelectedFolder_Click(*tree, SelectedFolderPaths, int(i)); });
                });
            }
        } catch (...) {
            // Both menus keep the entries before this one, and so does the list.
            for (QMenu* menu : {LeftSelectedFolderMenu, RightSelectedFolderMenu})
                while (menu->actions().size() > qsizetype(i)) delete menu->actions().last();
            SelectedFolderPaths.resize(i);
            return false;
        }
    }
    return true;
}
