#pragma once

#include <string>

class QObject;
class TCopyForm;

// The left pane's file name lists, data-file loading, the data list's hint,
// selected folders and tree alignment.
class BrowsingPanes {
public:
    explicit BrowsingPanes(TCopyForm& form) : form_(form) {}

    void FileListBox1Change();
    void FileNameListBoxClick();
    void DataListBoxClick();
    void UpdateDataListHint();
    void SelectedFolder_Click(QObject* sender);
    void DirectorySetLeftExecute(QObject* sender);

private:
    // True when the left lists hold the left folder's files (not search
    // results) and no search is filling them.
    bool leftListsShowFolder() const;
    void loadDataFile(const std::string& path);

    TCopyForm& form_;
    std::string builtFolder_;  // folder the left lists were last built from
};
