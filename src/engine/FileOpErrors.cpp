// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/FileOpErrors.h"

#include <cerrno>
#include <cstring>

std::string fileOpErrorText(int code) {
    using namespace fileop_error;
    switch (code) {
        case SameFile: return "ファイルをそれ自身の上にコピーまたは移動することはできません。";
        case IntoItself: return "フォルダをそれ自身の中へコピーまたは移動することはできません。";
        case SpecialFile: return "特殊ファイル(パイプ、ソケット、デバイス)はコピーできません。";
        case KindMismatch: return "同じ名前のファイルまたはフォルダが既にあります。";
        case NotAFolder: return "コピー先のフォルダと同じ名前のファイルがあります。";
        case Changed: return "コピー中にファイルが変更されました。";
        case TrashFailed: return "ごみ箱に移動できませんでした。";
        case RootRefused: return "このパスは処理できません。";
        case NoFreeName: return "空いている名前が見つかりませんでした。";
        case MountPoint: return "ドライブのルート(マウントポイント)なので処理しません。";
        case HoldsMountPoint: return "中にドライブ(マウントポイント)があるので処理しません。";
        case SourceChanged:
            return "コピーの後で移動元が変更されたので、移動元を残しました(処理されていません)。";
        case WrittenByJob:
            return "同じ名前のファイルをこの処理で既にコピーまたは移動したので、上書きしません。";
        case NoExclusiveRename: return "このファイルシステムでは上書きせずに名前を変更できません。";
        case ENOENT: return "ファイルまたはフォルダが見つかりません。";
        case EACCES:
        case EPERM: return "アクセスが拒否されました。";
        case ENOSPC:
        case EDQUOT: return "ディスクの空き容量が足りません。";
        case EROFS: return "読み取り専用のファイルシステムです。";
        case ENAMETOOLONG: return "ファイル名またはパスが長すぎます。";
        case EEXIST: return "同じ名前のファイルが既にあります。";
        case ENOTEMPTY: return "フォルダが空ではありません。";
        case ENOTDIR: return "パスの途中がフォルダではありません。";
        case EISDIR: return "フォルダです。";
        case ELOOP: return "シンボリックリンクが多すぎます。";
        case EIO: return "入出力エラーが発生しました。";
        case EBUSY: return "使用中です。";
        case EFBIG: return "ファイルが大きすぎます。";
        case EMFILE:
        case ENFILE: return "開いているファイルが多すぎます。";
        case ENOMEM: return "メモリが足りません。";
        case EINVAL: return "無効な引数です。";
        default: break;
    }
    return "エラーが発生しました(" + std::string(std::strerror(code)) + ")。";
}

int fileOpErrorErrno(int code) {
    using namespace fileop_error;
    switch (code) {
        case SameFile:
        case IntoItself:
        case RootRefused: return EINVAL;
        case MountPoint:
        case HoldsMountPoint: return EBUSY;
        case SpecialFile: return EPERM;
        case KindMismatch: return EEXIST;
        case NotAFolder: return ENOTDIR;
        case Changed:
        case SourceChanged: return EAGAIN;
        case TrashFailed: return EIO;
        case NoFreeName:
        case WrittenByJob: return EEXIST;
        case NoExclusiveRename: return EOPNOTSUPP;
        default: return code;
    }
}
