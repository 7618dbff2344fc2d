// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QMainWindow>
#include <QPointer>

#include "engine/OperationOptions.h"
#include "filters/FilterDrag.h"
#include "savelists/SaveFileList.h"
#include "settings/Settings.h"

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QSplitter;
class BrowsingPanes;
class DirectoryListBox;
class DriveComboBox;
class FileListBox;
class FilterCheckListView;
class FilterList;
class FolderFiles;
class PathListBox;
class PathListModel;
class StopButton;
class TFileOperation;
class TFileSearchAllThread;
class UndoJournal;
struct BulkContext;
struct DriveLabels;
struct FolderTrees;
struct SearchContext;

// The main window: its widgets, actions and menus, the program's state, and
// the binding of every action and event to its command. The commands live
// in their own folders and receive the state they act on.
class TCopyForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TCopyForm(QWidget* parent = nullptr);
    ~TCopyForm() override;

    QAction* action(const char* name) const;

    // The controls that tests and drivers reach.
    QFrame* dataSelectPanel() const { return DataSelectPanel; }
    QFrame* filePanel() const { return FilePanel; }
    QFrame* directoryPanel() const { return DirectoryPanel; }
    DriveComboBox* driveComboBox1() const { return DriveComboBox1; }
    QLabel* driveTypeLabel() const { return DriveTypeLabel; }
    QLabel* volumeLabelLabel() const { return VolumeLabelLabel; }
    QLabel* serialNumberLabel() const { return SerialNumberLabel; }
    DirectoryListBox* directoryListBox1() const { return DirectoryListBox1; }
    QPushButton* searchingButton() const { return SearchingButton; }
    QSplitter* fileSplitter() const { return FileSplitter; }
    PathListBox* fileNameListBox() const { return FileNameListBox; }
    QPushButton* getFileListTranslateButton() const { return GetFileListTranslateButton; }
    PathListBox* dataListBox() const { return DataListBox; }
    QSplitter* mainSplitter() const { return MainSplitter; }
    QFrame* sendToPanel() const { return SendToPanel; }
    DirectoryListBox* directoryListBox2() const { return DirectoryListBox2; }
    FileListBox* fileListBox2() const { return FileListBox2; }
    QFrame* rightPanel() const { return RightPanel; }
    QFrame* operationPanel() const { return OperationPanel; }
    FilterCheckListView* filterCheckListBox() const { return FilterCheckListBox; }
    QMenu* fileListLeftPopupMenu() const { return FileListLeftPopupMenu; }
    QMenu* leftSelectedFolderMenu() const { return LeftSelectedFolderMenu; }
    QMenu* rightSelectedFolderMenu() const { return RightSelectedFolderMenu; }
    // Null when it could not be made (the window then closes).
    TFileOperation* fileOperation() const { return FileOperation.get(); }

    // The program's state. The widgets show it; commands act on it.
    FolderFiles* FileListBox1 = nullptr;     // the left folder's files that match the mask
    PathListModel* FilePathListBox = nullptr;  // the left pane's found files (full paths)
    PathListModel* DataList = nullptr;       // the data list's rows, shown by DataListBox
    FilterList* Filters = nullptr;           // shown by FilterCheckListBox
    std::vector<std::string> OpenDialogListBox;  // scratch list of paths, empty between commands
    std::vector<std::string> SelectedFolderPaths;
    bool FormReady = false;
    bool StartMaximized = false;
    OperationOptions FileOperationOptions = OperationOptions::fromBits(Settings{}.fileOperationOptions);
    bool FileEraseEnabled = false;
    bool FileSearchFindHiddenFile = false;
    std::string TxtFilter = Settings{}.txtFilter;
    std::string DataFileExtensions = DeriveDataFileExtensions(Settings{}.txtFilter);
    FilterDragState FilterDrag;              // reordering FilterCheckListBox
    bool Searching = false;                  // a search is filling the found files
    SaveDialogMemory SaveDialog1;            // the save dialog remembers its filter entry
    QPointer<TFileSearchAllThread> SearchThread;  // the search started last
    std::unique_ptr<UndoJournal> Journal;    // what the commands did, for undo

    // The folders the two trees show; the right one is the destination.
    const std::string& leftFolder() const { return leftFolder_; }
    const std::string& destinationFolder() const { return destinationFolder_; }

    // The settings the window shows, and showing given settings.
    Settings collectSettings() const;
    void applySettings(const Settings& settings);
    // Rebuilds both selected-folder submenus from SelectedFolderPaths. When
    // an entry cannot be made, SelectedFolderPaths is cut to the entries
    // made before it and the result is false.
    bool rebuildSelectedFolderMenus();
    // Replaces the selected folders by the folders of a stored ";"-joined
    // text (a blank text changes nothing), telling when some are gone.
    void SetSelectedFoldersFromText(const std::string& text);
    // Replaces the selected folders by those of paths that exist, telling
    // when some are gone.
    void ApplySelectedFolders(const std::vector<std::string>& paths);

    BrowsingPanes& panes() { return *panes_; }
    FolderTrees trees() const;
    BulkContext bulkContext();
    SearchContext searchContext();

    // Handlers of the window itself.
    void FormCreate();
    void FormShow();
    void FormClose();
    void RightSplitterMoved();
    void ShowHelpExecute();
    void ShowVersionExecute();
    // Undo and redo enabled when there is something to undo or redo.
    void updateUndoActions();
    // Runs the command of the action a, its steps recorded as one entry of
    // the journal.
    void runRecorded(QAction* a, const std::function<void()>& command);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Controls, named as in the window's design.
    QFrame* DataSelectPanel = nullptr;
    QFrame* FilePanel = nullptr;
    QFrame* DirectoryPanel = nullptr;
    QFrame* DrivePanel = nullptr;
    DriveComboBox* DriveComboBox1 = nullptr;
    QLabel* DriveTypeLabel = nullptr;
    QLabel* VolumeLabelLabel = nullptr;
    QLabel* SerialNumberLabel = nullptr;
    DirectoryListBox* DirectoryListBox1 = nullptr;
    QPushButton* SearchingButton = nullptr;
    QSplitter* FileSplitter = nullptr;       // DirectoryPanel | DriveSplitter | FileNameListBox
    PathListBox* FileNameListBox = nullptr;  // shows FilePathListBox by file name
    QPushButton* GetFileListTranslateButton = nullptr;
    QSplitter* DataSplitter = nullptr;       // FilePanel | FileDataSplitter | DataListBox
    PathListBox* DataListBox = nullptr;
    QSplitter* MainSplitter = nullptr;       // DataSelectPanel | LeftSplitter | SendToPanel | RightSplitter | RightPanel
    QFrame* SendToPanel = nullptr;
    QSplitter* SendToSplitter = nullptr;     // SendToDirectoryPanel | SendToFileSplitter | FileListBox2
    QFrame* SendToDirectoryPanel = nullptr;
    QFrame* SendToDrivePanel = nullptr;
    DriveComboBox* DriveComboBox2 = nullptr;
    DirectoryListBox* DirectoryListBox2 = nullptr;
    FileListBox* FileListBox2 = nullptr;
    QFrame* RightPanel = nullptr;
    QFrame* OperationPanel = nullptr;
    QPushButton* MakeFolderButton = nullptr;
    QPushButton* DelFolderButton = nullptr;
    QPushButton* CopyButton = nullptr;
    QPushButton* MoveButton = nullptr;
    QPushButton* DelButton = nullptr;
    QPushButton* ClassKeepingFileCopyButton = nullptr;
    QPushButton* ClassKeepingFileMoveButton = nullptr;
    QPushButton* DataDelButton = nullptr;
    QFrame* FilterPanel = nullptr;
    FilterCheckListView* FilterCheckListBox = nullptr;

    QMenu* LeftDirectoryPopupMenu = nullptr;
    QMenu* FileOperationPopupMenu = nullptr;
    QMenu* RightDirectoryPopupMenu = nullptr;
    QMenu* FileListRightPopupMenu = nullptr;
    QMenu* FileListLeftPopupMenu = nullptr;
    QMenu* FilterPopupMenu = nullptr;
    QMenu* LeftSelectedFolderMenu = nullptr;   // "指定フォルダ(&F)"
    QMenu* RightSelectedFolderMenu = nullptr;  // "選択フォルダ(&F)"

    void createState();
    void createControls();
    void tagHelpPages();
    void createActions();
    void createMenus();
    void bindCommands();
    void createUndoActions();
    void bindUndo();
    void openJournal();
    std::vector<std::string> journalSetAside_;  // damaged entries, told once shown
    void setAccessible(QWidget* w, const QString& japaneseName);
    DriveLabels driveLabels() const;
    void placeTranslateButton();
    bool eventFilter(QObject* watched, QEvent* event) override;

    std::unique_ptr<TFileOperation> FileOperation;  // made by FormCreate, gone at FormClose
    QAction* UndoAction = nullptr;           // Ctrl+Z, in the data list's menu
    QAction* RedoAction = nullptr;           // Ctrl+Shift+Z
    std::unique_ptr<BrowsingPanes> panes_;
    std::unique_ptr<StopButton> stopButton_;  // SearchingButton over DirectoryListBox1
    std::string leftFolder_;         // kept in step with DirectoryListBox1
    std::string destinationFolder_;  // kept in step with DirectoryListBox2
    bool closed_ = false;
};
