// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Sections and keys of the settings file.
namespace ini {
inline constexpr const char* Form = "Form";
inline constexpr const char* Maximized = "Maximized";
inline constexpr const char* Left = "Left";
inline constexpr const char* Top = "Top";
inline constexpr const char* Width = "Width";
inline constexpr const char* Height = "Height";

inline constexpr const char* Panels = "Panels";
inline constexpr const char* SelectPanel = "SelectPanel";
inline constexpr const char* RightPanel = "RightPanel";

inline constexpr const char* FileFolder = "FileFolder";
inline constexpr const char* AnyFilter = "AnyFilter";
inline constexpr const char* CheckFilter = "CheckFilter";
inline constexpr const char* AllFilter = "AllFilter";
inline constexpr const char* TxtFilter = "TxtFilter";
inline constexpr const char* DataFolder = "DataFolder";
inline constexpr const char* SendToFolder = "SendToFolder";
inline constexpr const char* SelctedFolder = "SelctedFolder";
inline constexpr const char* FileSearchFindHiddenFile = "FileSearchFindHiddenFile";
inline constexpr const char* FileEraseEnabled = "FileEraseEnabled";

inline constexpr const char* BaseSettings = "BaseSettings";
inline constexpr const char* FileOperationOptions = "FileOperationOptions";
}  // namespace ini
