#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <QMainWindow>

class QAction;
class QFrame;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QSplitter;
class PathListBox;
class FileListBox;
class DirectoryListBox;
class DriveComboBox;
class BrowsingPanes;
class DriveInfo;
class DroppedFiles;
class BulkOperations;
class AttributeCommands;

// The main window. It owns every list, the private state and the menus; the
// commands live in their subsystems and act on what the window exposes here.
class TCopyForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TCopyForm(QWidget* parent = nullptr);
    ~TCopyForm() override;

    QAction* action(const char* name) const;

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
    PathListBox* FileNameListBox = nullptr;
    QPushButton* GetFileListTranslateButton = nullptr;
    QSplitter* DataSplitter = nullptr;       // FilePanel | FileDataSplitter | DataListBox
    PathListBox* DataListBox = nullptr;
    PathListBox* OpenDialogListBox = nullptr;
    PathListBox* FilePathListBox = nullptr;
    FileListBox* FileListBox1 = nullptr;
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
    QListWidget* FilterCheckListBox = nullptr;

    QMenu* LeftDirectoryPopupMenu = nullptr;
    QMenu* FileOperationPopupMenu = nullptr;
    QMenu* RightDirectoryPopupMenu = nullptr;
    QMenu* FileListRightPopupMenu = nullptr;
    QMenu* FileListLeftPopupMenu = nullptr;
    QMenu* FilterPopupMenu = nullptr;
    QMenu* LeftSelectedFolderMenu = nullptr;   // "指定フォルダ(&F)"
    QMenu* RightSelectedFolderMenu = nullptr;  // "選択フォルダ(&F)"

    // Private state of the window.
    bool FormReady = false;
    bool StartMaximized = false;
    bool FileOperationCreated = false;
    std::int32_t FileOperationOptions = 202;
    bool FileEraseEnabled = false;
    bool FileSearchFindHiddenFile = false;
    std::string TxtFilter = "*.txt";
    std::string DataFileExtensions = ".txt;";
    bool FilterDragging = false;
    int FilterDragIndex = -1;
    std::vector<std::string> SelectedFolderPaths;

    // Commands.
    BrowsingPanes& panes() { return *panes_; }
    DriveInfo& driveInfo() { return *driveInfo_; }
    DroppedFiles& droppedFiles() { return *droppedFiles_; }
    BulkOperations& bulk() { return *bulk_; }
    AttributeCommands& attributes() { return *attributes_; }

    // Handlers of the window itself.
    void FormCreate();
    void FormShow();
    void FormClose();
    void RightSplitterMoved();
    void ShowHelpExecute();
    void ShowVersionExecute();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createControls();
    void createActions();
    void createMenus();
    void bindCommands();
    void setAccessible(QWidget* w, const QString& japaneseName);
    void placeTranslateButton();
    bool eventFilter(QObject* watched, QEvent* event) override;

    std::unique_ptr<BrowsingPanes> panes_;
    std::unique_ptr<DriveInfo> driveInfo_;
    std::unique_ptr<DroppedFiles> droppedFiles_;
    std::unique_ptr<BulkOperations> bulk_;
    std::unique_ptr<AttributeCommands> attributes_;
    bool closed_ = false;
};

// The one main window.
extern TCopyForm* CopyForm;
