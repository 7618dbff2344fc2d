// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/QtUserDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

#include "platform/DialogOwner.h"
#include "platform/MessageBoxIds.h"
#include "platform/linux/ClassCopyForm.h"
#include "platform/linux/StandardInputBox.h"
#include "platform/linux/TInputForm.h"
#include "util/PathText.h"
#include "util/DisplayText.h"

namespace {

QString withLineBreaks(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QMessageBox::Icon iconFor(int flags) {
    switch (flags & mb::IconMask) {
        case mb::IconError: return QMessageBox::Critical;
        case mb::IconQuestion: return QMessageBox::Question;
        case mb::IconWarning: return QMessageBox::Warning;
        case mb::IconInformation: return QMessageBox::Information;
        default: return QMessageBox::NoIcon;
    }
}

}  // namespace

int QtUserDialogs::messageBox(const QString& text, const QString& caption, int flags) {
    QMessageBox box(iconFor(flags), caption, withLineBreaks(text), QMessageBox::NoButton,
                    dialogOwner());
    box.setTextFormat(Qt::PlainText);
    struct Choice { QMessageBox::StandardButton button; int id; };
    std::vector<Choice> choices;
    switch (flags & mb::ButtonMask) {
        case mb::OkCancel:
            choices = {{QMessageBox::Ok, id::Ok}, {QMessageBox::Cancel, id::Cancel}};
            break;
        case mb::YesNoCancel:
            choices = {{QMessageBox::Yes, id::Yes}, {QMessageBox::No, id::No},
                       {QMessageBox::Cancel, id::Cancel}};
            break;
        case mb::YesNo:
            choices = {{QMessageBox::Yes, id::Yes}, {QMessageBox::No, id::No}};
            break;
        default:
            choices = {{QMessageBox::Ok, id::Ok}};
            break;
    }
    for (const auto& c : choices) box.addButton(c.button);
    std::size_t def = 0;
    if ((flags & mb::DefButtonMask) == mb::DefButton2) def = 1;
    if ((flags & mb::DefButtonMask) == mb::DefButton3) def = 2;
    if (def < choices.size()) box.setDefaultButton(choices[def].button);
    // Escape answers Cancel where there is one, else the last button (No or OK).
    box.setEscapeButton(choices.back().button);
    box.exec();
    auto* clicked = box.clickedButton();
    for (const auto& c : choices)
        if (clicked == box.button(c.button)) return c.id;
    return choices.size() == 1 ? id::Ok : id::Cancel;
}

void QtUserDialogs::applicationMessage(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(),
                    withLineBreaks(text), QMessageBox::Ok, dialogOwner());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void QtUserDialogs::errorReport(const QString& text) {
    QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(),
                    withLineBreaks(text), QMessageBox::Ok, dialogOwner());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

QString QtUserDialogs::inputBox(const QString& caption, const QString& prompt,
                                const QString& defaultText) {
    StandardInputBox box(caption, prompt, defaultText, dialogOwner());
    return box.ask();
}

std::optional<QString> QtUserDialogs::askText(const QString& prompt, const QString& caption,
                                              const QString& defaultText, bool caretAtEnd) {
    TInputForm form(dialogOwner());
    return form.ask(prompt, caption, defaultText, caretAtEnd);
}

std::optional<std::string> QtUserDialogs::saveFileName(const QString& caption,
                                                       const std::string& folder,
                                                       const std::string& fileName,
                                                       const QStringList& filters,
                                                       int& filterIndex) {
    QFileDialog dialog(dialogOwner(), caption, displayPath(folder));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(filters);
    if (filterIndex >= 0 && filterIndex < filters.size()) dialog.selectNameFilter(filters[filterIndex]);
    if (!fileName.empty()) dialog.selectFile(displayPath(fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    if (const qsizetype chosen = filters.indexOf(dialog.selectedNameFilter()); chosen >= 0)
        filterIndex = int(chosen);
    return pathFromDisplay(dialog.selectedFiles().first());
}

std::optional<int> QtUserDialogs::chooseBaseLevel(const std::vector<std::string>& levels) {
    TClassCopyForm form(dialogOwner());
    form.setLevels(levels);
    if (form.exec() != QDialog::Accepted) return std::nullopt;
    return form.chosenLevel();
}

std::optional<std::string> QtUserDialogs::chooseFolder(const QString& caption,
                                                       const std::string& start) {
    QString dir = QFileDialog::getExistingDirectory(dialogOwner(), caption, displayPath(start));
    if (dir.isEmpty()) return std::nullopt;
    return pathFromDisplay(dir);
}
