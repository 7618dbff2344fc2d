// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>

// The main window's actions: object name, caption (with its "&" accelerator)
// and category, in declaration order.
struct ActionSpec {
    const char* name;
    const char* caption;
    const char* category;
};

inline constexpr std::array<ActionSpec, 48> kActionTable = {{
    {"FileErase", "一括消去(&E)", "FileOperation"},
    {"FileDelete", "一括削除(&D)", "FileOperation"},
    {"FileMove", "一括移動(&M)", "FileOperation"},
    {"FileCopy", "一括コピー(&C)", "FileOperation"},
    {"FolderDelete", "削フォルダ(&R)", "FileOperation"},
    {"FolderErase", "消フォルダ(&E)", "FileOperation"},
    {"DirectorySetLeft", "左に合わせる(&L)", "DirectoryListBox"},
    {"DirectorySetRight", "右に合わせる(&R)", "DirectoryListBox"},
    {"SaveFileListDataList", "ファイルリストの保存(&S)", "DataFile"},
    {"ClassKeepingFileMove", "階層移動(&V)", "FileOperation"},
    {"ClassKeepingFileCopy", "階層コピー(&O)", "FileOperation"},
    {"FolderMove", "フォルダの移動(&M)", "FileOperation"},
    {"FolderCopy", "フォルダのコピー(&C)", "FileOperation"},
    {"FolderNew", "新フォルダ(&N)", "FileOperation"},
    {"BaseSetting", "基本設定(&S)", "Setting"},
    {"DataDelete", "データ削除(&L)", "DataFile"},
    {"FileListTranslate", "リスト転送(&T)", "DataFile"},
    {"FilterAdd", "追加(&A)", "Filter"},
    {"FilterDelete", "削除（&D）", "Filter"},
    {"FileSearchAll", "全検索(&A)", "FileOperation"},
    {"RemoveReadOnlyAttribs", "読み取り専用の解除(&R)", "FileOperation"},
    {"RemoveHiddenAttribs", "隠しファイル属性の解除(&H)", "FileOperation"},
    {"DeleteNoFileDirectory", "ファイルのないフォルダの削除(&D)", "FileOperation"},
    {"SaveFileListRight", "ファイルリストの保存(&S)", "DataFile"},
    {"GetDriveTypeAction", "GetDriveTypeAction", "DataFile"},
    {"GetSerialNum", "GetSerialNum", "DataFile"},
    {"FileExtToNewExt", "拡張子の一括変更(&E)", "FileOperation"},
    {"ReNameAllFile", "ファイル名の一括変更(&R)", "FileOperation"},
    {"ClipBoardCopyDataList", "ファイルリストのコピー(&C)", "Edit"},
    {"ClipBoardPaste", "貼り付け(&P)", "Edit"},
    {"ClipBoardCopyRight", "ファイルリストのコピー(&C)", "Edit"},
    {"EditClick", "編集(&E)", "Edit"},
    {"SetReadOnlyAttribs", "読み取り専用にする(&O)", "FileOperation"},
    {"SetHiddenAttribs", "隠しファイルにする( &I )", "FileOperation"},
    {"ReNameFileNameRight", "ファイル名の変更(&R)", "FileOperation"},
    {"FilterReverse", "反転(&R)", "Filter"},
    {"FilterClear", "消去(&C)", "Filter"},
    {"ShowHelp", "ヘルプの表示(&H)", "Help"},
    {"ShowVersion", "バージョン情報(&A)", "Help"},
    {"DeleteSameData", "重複データの削除(D)", "Edit"},
    {"SortDataList", "昇順ソート(&S)", "Edit"},
    {"RenameFileNameLeft", "ファイル名の変更(&R)", "FileOperation"},
    {"ClipBoardCopyLeft", "ファイルリストのコピー(C)", "Edit"},
    {"SaveFileListLeft", "ファイルリストの保存(&S)", "DataFile"},
    {"FilterEdit", "編集(&E)", "Filter"},
    {"SelectAllDataList", "すべて選択(&A)", "Edit"},
    {"ClearDataList", "クリア(&E)", "Edit"},
    {"DoFilterDataList", "フィルタで抽出(&F)", "Edit"},
}};
