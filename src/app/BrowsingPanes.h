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
    TCopyForm& form_;
};
