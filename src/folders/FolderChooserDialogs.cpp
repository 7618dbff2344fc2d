// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "folders/FolderChooserDialogs.h"

#include <QApplication>

#include "folders/GetFolderNameForm.h"

std::optional<std::string> FolderChooserDialogs::chooseFolder(const QString& caption,
                                                              const std::string& start) {
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner) owner = QApplication::activeWindow();
    TGetFolderNameForm form(owner);
    if (!caption.isEmpty()) form.setWindowTitle(caption);
    form.setFolder(start);
    if (form.exec() != QDialog::Accepted || form.folder().empty()) return std::nullopt;
    return form.folder();
}
