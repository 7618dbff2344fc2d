#include "panes/SelectedFolders.h"

#include "util/DisplayText.h"
#include "util/IniValues.h"
#include "util/PathText.h"
#include "util/SplitWX.h"

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

SelectedFoldersFromText SetSelectedFoldersFromText(
    const std::string& text, const std::function<bool(const std::string&)>& isFolder) {
    SelectedFoldersFromText result;
    if (trimBlanks(text).empty()) return result;
    result.changed = true;
    TSplitWX splitter;
    const int n = splitter.Split(text, ";");
    for (int i = 0; i < n; ++i) {
        const std::string& field = splitter.Items[std::size_t(i)];
        try {
            if (isFolder(field)) result.folders.push_back(field);
        } catch (...) {
            result.dropped = true;
            break;
        }
    }
    if (result.folders.size() < std::size_t(n)) result.dropped = true;
    return result;
}
