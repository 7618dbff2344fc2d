#include "util/ApU.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QLocale>

#include "controls/FileListBox.h"
#include "platform/IClipboard.h"
#include "platform/IFileSystem.h"
#include "platform/IScreen.h"
#include "platform/IUserDialogs.h"
#include "platform/Platform.h"
#include "util/FileNameFit.h"
#include "util/PathText.h"

const QString ConfirmCaption = QStringLiteral("  確認");

TApU* ApU = nullptr;

TApU::TApU(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ApU"));
    setWindowTitle(QStringLiteral("ApU"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    resize(142, 33);
}

void TApU::showEvent(QShowEvent* event) {
    SetDialogPosition(this);
    QDialog::showEvent(event);
}

void TApU::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
}

int TApU::MsgBox(const QString& text, const QString& caption, int flags) {
    try {
        if (flags == -1) {
            platform().dialogs->applicationMessage(text);
            return -1;
        }
        return platform().dialogs->messageBox(text, caption, flags);
    } catch (const std::exception& e) {
        ShowErrorReport(QString::fromUtf8(e.what()));
        return -1;
    }
}

void TApU::SetDialogPosition(QWidget* window) {
    const QSize screen = platform().screen->size();
    const int top = (screen.height() - window->height()) / 4;
    const int left = (screen.width() - window->width()) / 2;
    window->move(left, top);
}

std::string TApU::ZeroPadding(std::uint32_t value, std::uint32_t width, char pad) {
    std::string digits = std::to_string(value);
    if (width > digits.size()) digits.insert(0, width - digits.size(), pad);
    return digits;
}

std::string TApU::DateTimeText() {
    try {
        const QDateTime now = QDateTime::currentDateTime();
        const QLocale locale = QLocale::system();
        QString text = locale.toString(now.date(), QLocale::ShortFormat);
        if (now.time() != QTime(0, 0)) text += ' ' + locale.toString(now.time(), QLocale::LongFormat);
        text.replace(':', '_');
        text.replace('/', '_');
        return text.toStdString();
    } catch (...) {
        return "ExceptName";
    }
}

std::string TApU::UniqueFileName(const std::string& path, int digits) {
    try {
        IFileSystem& fs = *platform().fileSystem;
        if (!fs.fileExists(path)) return path;
        digits = std::clamp(digits, 1, 5);
        const std::string ext = extensionPart(path);
        const std::string name = fileNamePart(path);
        const std::string folder = path.substr(0, path.size() - name.size());
        const std::string base = name.substr(0, name.size() - ext.size());
        for (std::uint32_t i = 1;; ++i) {
            const std::string fitted =
                fitFileName(base, "_" + ZeroPadding(i, std::uint32_t(digits), '0') + ext);
            if (fitted.empty()) return {};
            std::string candidate = folder + fitted;
            if (!fs.fileExists(candidate)) return candidate;
            if (i == UINT32_MAX) return {};
        }
    } catch (...) {
        return {};
    }
}

std::string TApU::UniqueFolderName(const std::string& folder) {
    try {
        IFileSystem& fs = *platform().fileSystem;
        const std::string prefix = withTrailingSlash(folder);
        for (std::uint32_t i = 1;; ++i) {
            std::string candidate = prefix + ZeroPadding(i, 3, '0');
            if (!fs.directoryExists(candidate)) return candidate;
            if (i == UINT32_MAX) return {};
        }
    } catch (...) {
        return {};
    }
}

bool TApU::FileListToList(FileListBox& list, PathListModel& target) {
    target.clear();
    if (list.count() == 0) {
        MsgBox(QStringLiteral("データがありませんよ!"), ConfirmCaption, 0);
        return false;
    }
    const int remembered = list.currentRow();
    list.setUpdatesEnabled(false);
    bool ok = true;
    try {
        std::vector<std::string> paths;
        paths.reserve(std::size_t(list.count()));
        for (int row = 0; row < list.count(); ++row) paths.push_back(list.fullPath(row));
        target.append(paths);
    } catch (...) {
        ok = false;
    }
    list.setCurrentRow(remembered);
    list.setUpdatesEnabled(true);
    return ok;
}

bool TApU::SetClipboardText(const QString& text) {
    try {
        return platform().clipboard->setText(text);
    } catch (...) {
        return false;
    }
}

bool TApU::ClipboardHasText() {
    try {
        return platform().clipboard->hasText();
    } catch (...) {
        return false;
    }
}

QString TApU::GetClipboardText() {
    try {
        return platform().clipboard->hasText() ? platform().clipboard->text() : QString();
    } catch (...) {
        return {};
    }
}

std::string SignedZeroPadding(std::int32_t value, std::int32_t width) {
    const int sign = value > 0 ? 1 : value < 0 ? -1 : 0;
    const std::int64_t magnitude = value < 0 ? -std::int64_t(value) : std::int64_t(value);
    const std::string digits = std::to_string(magnitude);
    if (std::int64_t(digits.size()) > std::int64_t(width)) {
        TApU::MsgBox(sign == 1 ? QStringLiteral("オーバーフローしました(数が大)。")
                               : QStringLiteral("オーバーフローしました(数が小)。"),
                     QString(), -1);
        return digits;
    }
    std::string text = std::string(std::size_t(width) - digits.size(), '0') + digits;
    return sign == -1 ? "-" + text : text;
}

void ShowErrorReport(const QString& text) {
    platform().dialogs->errorReport(text);
}
