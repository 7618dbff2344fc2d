// The user's selected folders and their entries in the two tree menus.
#include "app/SettingsSelectedFolders.h"

#include <QAction>
#include <QMenu>

#include "app/BrowsingPanes.h"
#include "app/CopyForm.h"
#include "app/SettingsFile.h"
#include "platform/IFileSystem.h"
#include "platform/Platform.h"
#include "util/ApU.h"
#include "util/IniValues.h"
#include "util/PathText.h"
#include "util/SplitWX.h"

namespace {

const QString kSelectedFolderError = QStringLiteral("Set_SelectedFolder Error(B1)");

QAction* makeEntry(TCopyForm& form, QMenu* menu, const QString& caption, int tag) {
    auto* entry = new QAction(caption, menu);
    entry->setProperty("tag", tag);
    QObject::connect(entry, &QAction::triggered, entry,
                     [&form, entry] { form.panes().SelectedFolder_Click(entry); });
    return entry;
}

}  // namespace

QString selectedFolderCaption(const std::string& path) {
    const std::string folder = withoutTrailingSlash(path);
    if (folder == "/") return QStringLiteral("/");
    QString caption = displayPath(fileNamePart(folder));
    caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return caption;
}

std::string selectedFolderText(const std::vector<std::string>& paths) {
    std::string text;
    bool first = true;
    for (const std::string& path : paths) {
        if (path.find_first_of("\r\n") != std::string::npos) continue;
        if (!first) text += ';';
        text += path;
        first = false;
    }
    return text;
}

void SetSelectedFoldersFromText(TCopyForm& form, const std::string& text) {
    if (trimBlanks(text).empty()) return;
    form.LeftSelectedFolderMenu->clear();
    form.RightSelectedFolderMenu->clear();
    TSplitWX splitter;
    const int n = splitter.Split(text, ";");
    form.SelectedFolderPaths.assign(std::size_t(n), std::string());
    int kept = 0;
    for (int i = 0; i < n; ++i) {
        const std::string& field = splitter.Items[std::size_t(i)];
        QAction* left = nullptr;
        QAction* right = nullptr;
        try {
            if (!platform().fileSystem->directoryExists(field)) continue;
            const QString caption = selectedFolderCaption(field);
            left = makeEntry(form, form.LeftSelectedFolderMenu, caption, kept);
            right = makeEntry(form, form.RightSelectedFolderMenu, caption, kept);
            form.LeftSelectedFolderMenu->addAction(left);
            form.RightSelectedFolderMenu->addAction(right);
            form.SelectedFolderPaths[std::size_t(kept)] = field;
            ++kept;
        } catch (...) {
            delete left;
            delete right;
            TApU::MsgBox(kSelectedFolderError, ConfirmCaption, 0);
            break;
        }
    }
    if (kept < n) {
        form.SelectedFolderPaths.resize(std::size_t(kept));
        TApU::MsgBox(kSelectedFolderError, ConfirmCaption, 0);
    }
}
