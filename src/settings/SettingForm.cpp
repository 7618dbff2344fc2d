// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/SettingForm.h"

#include <algorithm>

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "platform/HelpKey.h"
#include "filters/FilterCheckListView.h"
#include "filters/FilterList.h"
#include "platform/DialogPosition.h"
#include "platform/Messages.h"

namespace {

constexpr int kMargin = 6;

template <typename W>
W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

void nameForScreenReaders(QWidget* w, const QString& japaneseName) {
    w->setAccessibleName(japaneseName);
    w->setAccessibleDescription(w->objectName());
}

QVBoxLayout* pageLayout(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->setSpacing(4);
    return layout;
}

}  // namespace

TSettingForm::TSettingForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("SettingForm"));
    setHelpPage(this, QStringLiteral("settings.html"));
    setWindowTitle(QStringLiteral("設定設定"));
    SettingPanel = named(new QFrame(this), "SettingPanel");
    PageControl1 = named(new QTabWidget(SettingPanel), "PageControl1");
    OKButton = named(new QPushButton(QStringLiteral("OK"), SettingPanel), "OKButton");
    OKButton->setDefault(true);
    CancelButton = named(new QPushButton(QStringLiteral("Cancel"), SettingPanel), "CancelButton");
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    createOptionsPage();
    createFolderPage();
    createFilePage();
    PageControl1->setCurrentIndex(0);
    FormCreate();
}

void TSettingForm::createOptionsPage() {
    FileOperationTabSheet = named(new QWidget, "FileOperationTabSheet");
    PageControl1->addTab(FileOperationTabSheet, QStringLiteral("オプション"));
    auto* layout = pageLayout(FileOperationTabSheet);
    OptionLabel = named(new QLabel(QStringLiteral("ファイル操作時のオプション設定"), FileOperationTabSheet),
                        "OptionLabel");
    layout->addWidget(OptionLabel);
    OptionsPanel = named(new QFrame(FileOperationTabSheet), "OptionsPanel");
    OptionsPanel->setFrameShape(QFrame::StyledPanel);
    layout->addWidget(OptionsPanel);
    layout->addStretch(1);
    auto* boxes = new QVBoxLayout(OptionsPanel);
    boxes->setContentsMargins(kMargin, 4, kMargin, 4);
    boxes->setSpacing(2);
    auto box = [&](const char* name, const char* caption) {
        auto* b = named(new QCheckBox(QString::fromUtf8(caption), OptionsPanel), name);
        boxes->addWidget(b);
        return b;
    };
    NonConfirmationCheckBox = box("NonConfirmationCheckBox", "ユーザーが「すべてはい」を選んだとみなす。");
    NonConfirmMkDirCheckBox = box("NonConfirmMkDirCheckBox", "フォルダ作成を通知しない。");
    NoErrorUiCheckBox = box("NoErrorUiCheckBox", "エラーが起きても通知しない。");
    RenameOnCollisionCheckBox = box("RenameOnCollisionCheckBox", "同名ファイルをリネームする。");
    SilentCheckBox = box("SilentCheckBox", "状況表示ダイアログを表示しない。");
    SimpleProgressCheckBox = box("SimpleProgressCheckBox", "ダイアログにファイル名を表示しない。");
    RemoveReadOnlyAttribsCheckBox = box("RemoveReadOnlyAttribsCheckBox", "読み取り専用を解除する。");
    CallRemoveReadOnlyCheckBox = box("CallRemoveReadOnlyCheckBox", "読み取り専用解除時に通知する。");
    CallRemoveReadOnlyCheckBox->setEnabled(false);
    FindHiddenFileCheckBox = box("FindHiddenFileCheckBox", "全検索時、隠しファイルを表示する。");
    SetFileEraseEnabledCheckBox = box("SetFileEraseEnabledCheckBox", "ファイルの一括消去を有効にする。");
    optionBoxes_ = {NonConfirmationCheckBox,   NonConfirmMkDirCheckBox, NoErrorUiCheckBox,
                    RenameOnCollisionCheckBox, SilentCheckBox,          SimpleProgressCheckBox,
                    RemoveReadOnlyAttribsCheckBox, CallRemoveReadOnlyCheckBox};
    for (QCheckBox* b : optionBoxes_)
        connect(b, &QCheckBox::toggled, this, &TSettingForm::NonConfirmationCheckBoxClick);
}

void TSettingForm::createFolderPage() {
    FolderTabSheet = named(new QWidget, "FolderTabSheet");
    PageControl1->addTab(FolderTabSheet, QStringLiteral("フォルダ"));
    auto* layout = pageLayout(FolderTabSheet);
    SelectedFolderLabel =
        named(new QLabel(QStringLiteral("選択フォルダを指定する。"), FolderTabSheet), "SelectedFolderLabel");
    layout->addWidget(SelectedFolderLabel);
    auto* row = new QHBoxLayout;
    layout->addLayout(row, 1);
    SelectedFolderNameListBox = named(new QListWidget(FolderTabSheet), "SelectedFolderNameListBox");
    SelectedFolderNameListBox->setSelectionMode(QAbstractItemView::SingleSelection);
    nameForScreenReaders(SelectedFolderNameListBox, QStringLiteral("選択フォルダ"));
    SelectedFolderLabel->setBuddy(SelectedFolderNameListBox);
    row->addWidget(SelectedFolderNameListBox, 1);
    auto* buttons = new QVBoxLayout;
    row->addLayout(buttons);
    auto button = [&](const char* name, const QString& caption) {
        auto* b = named(new QPushButton(caption, FolderTabSheet), name);
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    ListUpButton = button("ListUpButton", QStringLiteral("↑"));
    nameForScreenReaders(ListUpButton, QStringLiteral("上へ"));
    ListDownButton = button("ListDownButton", QStringLiteral("↓"));
    nameForScreenReaders(ListDownButton, QStringLiteral("下へ"));
    buttons->addSpacing(12);
    AddFolderButton = button("AddFolderButton", QStringLiteral("追加"));
    DeleteFolderButton = button("DeleteFolderButton", QStringLiteral("削除"));
    DefaultFolderButton = button("DefaultFolderButton", QStringLiteral("デフォルト"));
    buttons->addStretch(1);
    connect(ListUpButton, &QPushButton::clicked, this, &TSettingForm::ListUpButtonClick);
    connect(ListDownButton, &QPushButton::clicked, this, &TSettingForm::ListDownButtonClick);
    connect(AddFolderButton, &QPushButton::clicked, this, &TSettingForm::AddFolderButtonClick);
    connect(DeleteFolderButton, &QPushButton::clicked, this, &TSettingForm::DeleteFolderButtonClick);
    connect(DefaultFolderButton, &QPushButton::clicked, this, &TSettingForm::DefaultFolderButtonClick);
    connect(SelectedFolderNameListBox, &QListWidget::currentRowChanged, this,
            &TSettingForm::SelectedFolderNameListBoxClick);
}

void TSettingForm::createFilePage() {
    FileTabSheet = named(new QWidget, "FileTabSheet");
    PageControl1->addTab(FileTabSheet, QStringLiteral("ファイル"));
    auto* layout = pageLayout(FileTabSheet);
    TextFilterLabel = named(
        new QLabel(QStringLiteral("データファイルのフィルタ(拡張子)の設定"), FileTabSheet), "TextFilterLabel");
    TextFilterLabel->setWordWrap(true);
    layout->addWidget(TextFilterLabel);
    CategoryFilters = new FilterList(this);
    CategoryFilters->setEntries({});
    CategoryFilterCheckListBox = named(new FilterCheckListView(FileTabSheet), "CategoryFilterCheckListBox");
    CategoryFilterCheckListBox->setModel(CategoryFilters);
    nameForScreenReaders(CategoryFilterCheckListBox, QStringLiteral("データファイルのフィルタ"));
    TextFilterLabel->setBuddy(CategoryFilterCheckListBox);
    layout->addWidget(CategoryFilterCheckListBox, 1);
    connect(CategoryFilterCheckListBox, &FilterCheckListView::entryClicked, this,
            &TSettingForm::CategoryFilterCheckListBoxClick);
}

// Width 296 (more only when a caption needs it), OK and Cancel centred
// under the pages, placed a quarter down the screen.
void TSettingForm::FormCreate() {
    SettingPanel->setFrameShape(QFrame::NoFrame);
    const int width = std::max(296, PageControl1->minimumSizeHint().width());
    const int okTop = std::max(PageControl1->sizeHint().height(), PageControl1->minimumSizeHint().height()) + 6;
    const int panelHeight = okTop + ButtonHeight + 8;
    setFixedSize(width, panelHeight);
    SettingPanel->setGeometry(0, 0, width, panelHeight);
    const int okLeft = (SettingPanel->contentsRect().width() - 2 * ButtonWidth) / 2 - 4;
    OKButton->setGeometry(okLeft, okTop, ButtonWidth, ButtonHeight);
    CancelButton->setGeometry(okLeft + ButtonWidth + 4, okTop, ButtonWidth, ButtonHeight);
    PageControl1->setGeometry(0, 0, width, okTop - 6);
    SetDialogPosition(this);
}

void TSettingForm::setOptions(std::int32_t options) {
    for (std::size_t bit = 0; bit < optionBoxes_.size(); ++bit)
        if (options & (1 << bit)) optionBoxes_[bit]->setChecked(true);
}

void TSettingForm::NonConfirmationCheckBoxClick() {
    CallRemoveReadOnlyCheckBox->setEnabled(RemoveReadOnlyAttribsCheckBox->isChecked());
    std::int32_t mask = 0;
    for (std::size_t bit = 0; bit < 7; ++bit)
        if (optionBoxes_[bit]->isChecked()) mask |= 1 << bit;
    // A disabled box 7 keeps its mark but does not count.
    if (CallRemoveReadOnlyCheckBox->isChecked() && RemoveReadOnlyAttribsCheckBox->isChecked())
        mask |= 1 << 7;
    OptionMask = mask;
}

void TSettingForm::setCategoryFilters(const std::vector<FilterEntry>& filters,
                                      const std::string& txtFilter) {
    std::vector<FilterEntry> entries;
    for (std::size_t row = 1; row < filters.size(); ++row) {
        const std::string& text = filters[row].text;
        entries.push_back({text, !text.empty() && txtFilter.find(text) != std::string::npos});
    }
    CategoryFilters->setEntries(std::move(entries));
}

std::string TSettingForm::dataFileFilter() const {
    std::string text;
    bool first = true;
    for (const FilterEntry& e : CategoryFilters->entries()) {
        if (!e.checked) continue;
        if (!first) text += ';';
        text += e.text;
        first = false;
    }
    return text.empty() ? "*.txt" : text;
}

void TSettingForm::CategoryFilterCheckListBoxClick(int row) {
    FilterList& filters = *CategoryFilters;
    if (filters.count() == 0) {
        filters.setEntries({{"*.txt", true}});
        return;
    }
    if (row >= 0 && row < filters.count()) filters.setChecked(row, !filters.at(row).checked);
    const auto& entries = filters.entries();
    if (std::any_of(entries.begin(), entries.end(), [](const FilterEntry& e) { return e.checked; }))
        return;
    notice(QStringLiteral("１つ以上選択してください"));
    const QModelIndex current = CategoryFilterCheckListBox->currentIndex();
    filters.setChecked(current.isValid() ? current.row() : 0, true);
}
