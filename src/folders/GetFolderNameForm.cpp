// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "folders/GetFolderNameForm.h"

#include <QFrame>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/HelpKey.h"
#include "controls/DirectoryListBox.h"
#include "controls/DriveComboBox.h"
#include "controls/FillLayout.h"
#include "platform/IScreen.h"
#include "platform/ISettingsLocation.h"
#include "platform/Platform.h"

namespace {

QFrame* makePanel(const char* name, QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QString::fromLatin1(name));
    return panel;
}

void nameForScreenReaders(QWidget* w, const QString& japaneseName) {
    w->setAccessibleName(japaneseName);
    w->setAccessibleDescription(w->objectName());
}

}  // namespace

TGetFolderNameForm::TGetFolderNameForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("GetFolderNameForm"));
    setHelpPage(this, QStringLiteral("settings.html"));
    setWindowTitle(QStringLiteral("フォルダの選択"));
    auto* layout = fillLayout(this);

    DirectoryPanel = makePanel("DirectoryPanel", this);
    auto* directoryLayout = fillLayout(DirectoryPanel);
    DrivePanel = makePanel("DrivePanel", DirectoryPanel);
    DriveComboBox1 = new DriveComboBox(DrivePanel);
    DriveComboBox1->setObjectName(QStringLiteral("DriveComboBox1"));
    nameForScreenReaders(DriveComboBox1, QStringLiteral("ドライブ"));
    fillLayout(DrivePanel)->addWidget(DriveComboBox1);
    directoryLayout->addWidget(DrivePanel);
    DirectoryListBox1 = new DirectoryListBox(DirectoryPanel);
    DirectoryListBox1->setObjectName(QStringLiteral("DirectoryListBox1"));
    nameForScreenReaders(DirectoryListBox1, QStringLiteral("フォルダ"));
    directoryLayout->addWidget(DirectoryListBox1, 1);
    DriveComboBox1->setDirList(DirectoryListBox1);
    layout->addWidget(DirectoryPanel, 1);

    ButtonPanel = makePanel("ButtonPanel", this);
    ButtonPanel->setFixedHeight(41);
    OKButton = new QPushButton(QStringLiteral("OK"), ButtonPanel);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), ButtonPanel);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(ButtonPanel);

    setMinimumSize(188, 250);
    resize(188, 324);
    const QSize screen = platform().screen->size();
    move((screen.width() - width()) / 2, (screen.height() - height()) / 2);
    placeButtons();
}

void TGetFolderNameForm::setFolder(const std::string& folder) {
    if (!DirectoryListBox1->setDirectory(folder))
        DirectoryListBox1->setDirectory(platform().settingsLocation->defaultFolder());
}

const std::string& TGetFolderNameForm::folder() const { return DirectoryListBox1->directory(); }

void TGetFolderNameForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    placeButtons();
}

// The pair sits centred: OK at half of what the two buttons leave free.
void TGetFolderNameForm::placeButtons() {
    const int left = (width() - 2 * ButtonWidth) / 2;
    const int top = (ButtonPanel->height() - 25) / 2;
    OKButton->setGeometry(left, top, ButtonWidth, 25);
    CancelButton->setGeometry(left + ButtonWidth, top, ButtonWidth, 25);
}
