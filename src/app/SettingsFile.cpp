#include "app/SettingsFile.h"

#include "app/CopyForm.h"

void LoadSettings(TCopyForm& form) {
    form.move(0, 0);
    form.resize(600, 360);
}
void SaveSettings(TCopyForm&) {}
void SetSelectedFoldersFromText(TCopyForm&, const std::string&) {}
void DeriveDataFileExtensions(TCopyForm&) {}
void RebuildFilterList(TCopyForm&, const std::string&, const std::string&) {}
