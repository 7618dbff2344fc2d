#include "app/BrowsingPanes.h"

#include "app/CopyForm.h"

void BrowsingPanes::FileListBox1Change() {}
void BrowsingPanes::FileNameListBoxClick() {}
void BrowsingPanes::DataListBoxClick() {}
void BrowsingPanes::UpdateDataListHint() {}
void BrowsingPanes::SelectedFolder_Click(QObject*) {}
void BrowsingPanes::DirectorySetLeftExecute(QObject*) {}
