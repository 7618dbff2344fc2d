#pragma once

#include <string>

class TCopyForm;

// The settings file: read once when the window is created, written once when
// it closes.
void LoadSettings(TCopyForm& form);
void SaveSettings(TCopyForm& form);
void SetSelectedFoldersFromText(TCopyForm& form, const std::string& text);
void DeriveDataFileExtensions(TCopyForm& form);
void RebuildFilterList(TCopyForm& form, const std::string& allFilter,
                       const std::string& checkFilter);
