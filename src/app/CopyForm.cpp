// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/CopyForm.h"

#include <QAction>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QListView>
#include <QSplitter>
#include <QVBoxLayout>

#include "bulk/BulkOperations.h"
#include "driveinfo/DriveInfo.h"
#include "controls/ActionButton.h"
#include "controls/DirectoryListBox.h"
#include "controls/DriveComboBox.h"
#include "controls/FillLayout.h"
#include "controls/FileListBox.h"
#include "controls/FolderFiles.h"
#include "controls/PathListBox.h"
#include "engine/FileOperation.h"
#include "engine/UndoJournal.h"
#include "filters/FilterCheckListView.h"
#include "filters/FilterList.h"
#include "panes/BrowsingPanes.h"
#include "platform/DialogOwner.h"
#include "search/SearchCommand.h"
#include "controls/StopButton.h"

namespace {

QFrame* makePanel(const char* name, QWidget* parent, bool bevel = true) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QString::fromLatin1(name));
    if (bevel) {
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setLineWidth(1);
    }
    return panel;
}

QSplitter* makeSplitter(const char* name, Qt::Orientation o, QWidget* parent, int handleWidth) {
    auto* s = new QSplitter(o, parent);
    s->setObjectName(QString::fromLatin1(name));
    s->setHandleWidth(handleWidth);
    s->setChildrenCollapsible(false);
    s->setOpaqueResize(true);
    return s;
}

QLabel* makeDriveLabel(const char* name, const QString& text, QWidget* parent, int top) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAutoFillBackground(true);
    label->setBackgroundRole(QPalette::ToolTipBase);
    label->setForegroundRole(QPalette::ToolTipText);
    label->setGeometry(0, top, parent->width(), 12);
    return label;
}

}  // namespace

TCopyForm::TCopyForm(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("CopyForm"));
    setWindowTitle(QStringLiteral("Dorvanquellis"));
    setGeometry(102, 47, 600, 360);
    setMainWindow(this);

    createState();
    createActions();
    createUndoActions();
    createControls();
    tagHelpPages();
    createMenus();
    bindCommands();
    openJournal();
    bindUndo();
    panes_ = std::make_unique<BrowsingPanes>(PanesContext{FormReady, *FileListBox1, *FilePathListBox,
                                                          *FileNameListBox, *DataListBox,
                                                          DataFileExtensions, Searching});
    FormCreate();
}

TCopyForm::~TCopyForm() { EndSearch(SearchThread); }

void TCopyForm::createState() {
    FileListBox1 = new FolderFiles(this);
    FileListBox1->setObjectName(QStringLiteral("FileListBox1"));
    FileListBox1->setMask("*.txt");
    FilePathListBox = new PathListModel(this);
    FilePathListBox->setObjectName(QStringLiteral("FilePathListBox"));
    FilePathListBox->setShowNames(true);
    DataList = new PathListModel(this);
    DataList->setObjectName(QStringLiteral("DataList"));
    Filters = new FilterList(this);
    Filters->setObjectName(QStringLiteral("Filters"));
}

FolderTrees TCopyForm::trees() const { return {*DirectoryListBox1, *DirectoryListBox2}; }

BulkContext TCopyForm::bulkContext() {
    if (!FileOperation) throw std::logic_error("FileOperation");
    return {*DataListBox, destinationFolder(), FileOperationOptions, OpenDialogListBox,
            *FileOperation, trees()};
}

SearchContext TCopyForm::searchContext() {
    return {leftFolder(), FileListBox1->mask(), FileSearchFindHiddenFile, *FilePathListBox,
            *FileNameListBox, *stopButton_, SearchThread};
}

QAction* TCopyForm::action(const char* name) const {
    return findChild<QAction*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

DriveLabels TCopyForm::driveLabels() const {
    return {[this](const QString& text) { DriveTypeLabel->setText(text); },
            [this](const QString& text) { VolumeLabelLabel->setText(text); },
            [this](const QString& text) { SerialNumberLabel->setText(text); }};
}

void TCopyForm::setAccessible(QWidget* w, const QString& japaneseName) {
    w->setAccessibleName(japaneseName);
    w->setAccessibleDescription(w->objectName());
}

void TCopyForm::createControls() {
    MainSplitter = makeSplitter("MainSplitter", Qt::Horizontal, this, 4);
    setCentralWidget(MainSplitter);

    // Left pane: the browsing panel above the data list.
    DataSelectPanel = makePanel("DataSelectPanel", MainSplitter);
    DataSelectPanel->setMinimumWidth(200);
    DataSplitter = makeSplitter("DataSplitter", Qt::Vertical, DataSelectPanel, 3);
    fillLayout(DataSelectPanel)->addWidget(DataSplitter);

    FilePanel = makePanel("FilePanel", DataSplitter);
    FileSplitter = makeSplitter("FileSplitter", Qt::Horizontal, FilePanel, 3);
    fillLayout(FilePanel)->addWidget(FileSplitter);

    DirectoryPanel = makePanel("DirectoryPanel", FileSplitter);
    auto* dirLayout = fillLayout(DirectoryPanel);
    DrivePanel = makePanel("DrivePanel", DirectoryPanel, false);
    DrivePanel->setFixedHeight(64);
    DriveComboBox1 = new DriveComboBox(DrivePanel);
    DriveComboBox1->setObjectName(QStringLiteral("DriveComboBox1"));
    DriveComboBox1->setGeometry(0, 0, 148, 21);
    DriveTypeLabel = makeDriveLabel("DriveTypeLabel", QStringLiteral("Type:"), DrivePanel, 22);
    VolumeLabelLabel = makeDriveLabel("VolumeLabelLabel", QStringLiteral("Vol:"), DrivePanel, 35);
    SerialNumberLabel = makeDriveLabel("SerialNumberLabel", QStringLiteral("Ser:"), DrivePanel, 48);
    DrivePanel->installEventFilter(this);
    dirLayout->addWidget(DrivePanel);
    DirectoryListBox1 = new DirectoryListBox(DirectoryPanel);
    DirectoryListBox1->setObjectName(QStringLiteral("DirectoryListBox1"));
    dirLayout->addWidget(DirectoryListBox1, 1);
    SearchingButton = new QPushButton(DirectoryPanel);
    SearchingButton->setObjectName(QStringLiteral("SearchingButton"));
    SearchingButton->hide();
    stopButton_ = std::make_unique<StopButton>(*SearchingButton, *DirectoryListBox1, Searching);

    FileNameListBox = new PathListBox(FileSplitter, false, FilePathListBox);
    FileNameListBox->setObjectName(QStringLiteral("FileNameListBox"));
    FileSplitter->setStretchFactor(0, 0);
    FileSplitter->setStretchFactor(1, 1);
    FileSplitter->handle(1)->setObjectName(QStringLiteral("DriveSplitter"));
    GetFileListTranslateButton =
        new ActionButton(action("FileListTranslate"), FilePanel, QStringLiteral("↓(&T)"));
    GetFileListTranslateButton->setObjectName(QStringLiteral("GetFileListTranslateButton"));
    GetFileListTranslateButton->resize(36, 19);
    FilePanel->installEventFilter(this);

    DataListBox = new PathListBox(DataSplitter, true, DataList);
    DataListBox->setObjectName(QStringLiteral("DataListBox"));
    DataListBox->setRowHeight(12);
    DataSplitter->setStretchFactor(0, 0);
    DataSplitter->setStretchFactor(1, 1);
    DataSplitter->handle(1)->setObjectName(QStringLiteral("FileDataSplitter"));

    // Right (destination) pane.
    SendToPanel = makePanel("SendToPanel", MainSplitter);
    SendToPanel->setMinimumWidth(100);
    SendToSplitter = makeSplitter("SendToSplitter", Qt::Vertical, SendToPanel, 3);
    fillLayout(SendToPanel)->addWidget(SendToSplitter);
    SendToDirectoryPanel = makePanel("SendToDirectoryPanel", SendToSplitter, false);
    auto* sendLayout = fillLayout(SendToDirectoryPanel);
    SendToDrivePanel = makePanel("SendToDrivePanel", SendToDirectoryPanel, false);
    SendToDrivePanel->setFixedHeight(21);
    DriveComboBox2 = new DriveComboBox(SendToDrivePanel);
    DriveComboBox2->setObjectName(QStringLiteral("DriveComboBox2"));
    fillLayout(SendToDrivePanel)->addWidget(DriveComboBox2);
    sendLayout->addWidget(SendToDrivePanel);
    DirectoryListBox2 = new DirectoryListBox(SendToDirectoryPanel);
    DirectoryListBox2->setObjectName(QStringLiteral("DirectoryListBox2"));
    sendLayout->addWidget(DirectoryListBox2, 1);
    FileListBox2 = new FileListBox(SendToSplitter);
    FileListBox2->setObjectName(QStringLiteral("FileListBox2"));
    SendToSplitter->setStretchFactor(0, 0);
    SendToSplitter->setStretchFactor(1, 1);
    SendToSplitter->handle(1)->setObjectName(QStringLiteral("SendToFileSplitter"));

    // Operation buttons and filters.
    RightPanel = makePanel("RightPanel", MainSplitter);
    RightPanel->setMinimumWidth(84);
    RightPanel->setMaximumWidth(150);
    auto* rightLayout = fillLayout(RightPanel);
    rightLayout->setContentsMargins(1, 1, 1, 1);
    OperationPanel = makePanel("OperationPanel", RightPanel);
    OperationPanel->setFixedHeight(164);
    rightLayout->addWidget(OperationPanel);
    struct ButtonSpec { QPushButton** field; const char* name; const char* action; int top; };
    const ButtonSpec buttons[] = {
        {&MakeFolderButton, "MakeFolderButton", "FolderNew", 1},
        {&DelFolderButton, "DelFolderButton", "FolderDelete", 20},
        {&CopyButton, "CopyButton", "FileCopy", 42},
        {&MoveButton, "MoveButton", "FileMove", 61},
        {&DelButton, "DelButton", "FileDelete", 82},
        {&ClassKeepingFileCopyButton, "ClassKeepingFileCopyButton", "ClassKeepingFileCopy", 103},
        {&ClassKeepingFileMoveButton, "ClassKeepingFileMoveButton", "ClassKeepingFileMove", 122},
        {&DataDelButton, "DataDelButton", "DataDelete", 144},
    };
    for (const auto& b : buttons) {
        auto* button = new ActionButton(action(b.action), OperationPanel);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setGeometry(1, b.top, 80, 19);
        *b.field = button;
    }
    OperationPanel->installEventFilter(this);
    FilterPanel = makePanel("FilterPanel", RightPanel);
    rightLayout->addWidget(FilterPanel, 1);
    FilterCheckListBox = new FilterCheckListView(FilterPanel);
    FilterCheckListBox->setObjectName(QStringLiteral("FilterCheckListBox"));
    FilterCheckListBox->setModel(Filters);
    fillLayout(FilterPanel)->addWidget(FilterCheckListBox);

    MainSplitter->setStretchFactor(0, 0);
    MainSplitter->setStretchFactor(1, 1);
    MainSplitter->setStretchFactor(2, 0);
    MainSplitter->handle(1)->setObjectName(QStringLiteral("LeftSplitter"));
    MainSplitter->handle(2)->setObjectName(QStringLiteral("RightSplitter"));
    MainSplitter->setSizes({300, 600 - 300 - 84 - 8, 84});
    DataSplitter->setSizes({200, 160});
    FileSplitter->setSizes({152, 148});
    SendToSplitter->setSizes({200, 160});

    // Links of the browsing controls.
    DriveComboBox1->setDirList(DirectoryListBox1);
    DirectoryListBox1->setFileList(FileListBox1);
    connect(DirectoryListBox1, &DirectoryListBox::directoryChanged, this,
            [this] { leftFolder_ = DirectoryListBox1->directory(); });
    connect(DirectoryListBox2, &DirectoryListBox::directoryChanged, this,
            [this] { destinationFolder_ = DirectoryListBox2->directory(); });
    DriveComboBox2->setDirList(DirectoryListBox2);
    DirectoryListBox2->setFileList(FileListBox2->files());
    // Both trees start at the process's current folder.
    DirectoryListBox1->setDirectory(".");
    DirectoryListBox2->setDirectory(".");

    setAccessible(DataSelectPanel, QStringLiteral("左ペイン"));
    setAccessible(FilePanel, QStringLiteral("参照パネル"));
    setAccessible(DirectoryPanel, QStringLiteral("左のフォルダパネル"));
    setAccessible(DriveComboBox1, QStringLiteral("左のドライブ"));
    // No fixed name: screen readers read the labels' changing text.
    for (QLabel* l : {DriveTypeLabel, VolumeLabelLabel, SerialNumberLabel})
        l->setAccessibleDescription(l->objectName());
    setAccessible(DirectoryListBox1, QStringLiteral("左のフォルダツリー"));
    setAccessible(SearchingButton, QStringLiteral("検索の中止"));
    setAccessible(FileNameListBox, QStringLiteral("左のファイルリスト"));
    setAccessible(DataListBox, QStringLiteral("データリスト"));
    setAccessible(SendToPanel, QStringLiteral("送り先ペイン"));
    setAccessible(DriveComboBox2, QStringLiteral("右のドライブ"));
    setAccessible(DirectoryListBox2, QStringLiteral("右のフォルダツリー"));
    setAccessible(FileListBox2, QStringLiteral("右のファイルリスト"));
    setAccessible(RightPanel, QStringLiteral("操作パネル"));
    setAccessible(FilterCheckListBox, QStringLiteral("フィルタリスト"));
    for (QPushButton* b : findChildren<QPushButton*>())
        if (b->accessibleDescription().isEmpty()) b->setAccessibleDescription(b->objectName());
}

void TCopyForm::placeTranslateButton() {
    const QRect client = FilePanel->contentsRect();
    GetFileListTranslateButton->move(client.right() + 1 - GetFileListTranslateButton->width(),
                                     client.bottom() - GetFileListTranslateButton->height());
    GetFileListTranslateButton->raise();
}

bool TCopyForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize) {
        if (watched == FilePanel) {
            placeTranslateButton();
        } else if (watched == DrivePanel) {
            for (QLabel* l : {DriveTypeLabel, VolumeLabelLabel, SerialNumberLabel})
                l->resize(DrivePanel->width(), 12);
        } else if (watched == OperationPanel) {
            for (auto* b : OperationPanel->findChildren<QPushButton*>())
                b->resize(OperationPanel->width() - 2, 19);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
