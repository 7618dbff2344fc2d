// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/QtFileOpUi.h"

#include <climits>
#include <sys/stat.h>

#include <QApplication>
#include <QDateTime>
#include <QLocale>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

#include "platform/DialogOwner.h"
#include "util/PathText.h"
#include "util/DisplayText.h"

namespace {

const QString DeleteCaption = QStringLiteral("ファイルの削除の確認");

// Path, size and modification time of one side of an overwrite.
QString fileDetails(const std::string& path) {
    QString text = displayPath(path);
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return text;
    if (S_ISLNK(st.st_mode)) text += QStringLiteral("\n種類: シンボリックリンク");
    text += QStringLiteral("\nサイズ: %1 バイト")
                .arg(QLocale(QLocale::English).toString(qlonglong(st.st_size)));
    const QDateTime modified = QDateTime::fromSecsSinceEpoch(st.st_mtim.tv_sec);
    text += QStringLiteral("\n更新日時: ") + modified.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    return text;
}

QString itemText(const std::vector<std::string>& paths, const QString& one, const QString& many) {
    if (paths.size() == 1) return one.arg(displayPath(fileNamePart(paths.front())));
    return many.arg(paths.size());
}

IFileOpUi::Answer fourWay(int index) {
    static const IFileOpUi::Answer answers[] = {IFileOpUi::Answer::Yes, IFileOpUi::Answer::YesToAll,
                                                IFileOpUi::Answer::No, IFileOpUi::Answer::Cancel};
    return answers[index];
}

}  // namespace

QtFileOpUi::~QtFileOpUi() { delete progress_.data(); }

int QtFileOpUi::ask(QMessageBox::Icon icon, const QString& caption, const QString& text,
                    std::initializer_list<Choice> choices, int defaultIndex, int escapeIndex) {
    QWidget* owner = progress_ && progress_->isVisible() ? progress_.data() : dialogOwner();
    QMessageBox box(icon, caption, text, QMessageBox::NoButton, owner);
    box.setTextFormat(Qt::PlainText);
    std::vector<QPushButton*> buttons;
    for (const auto& c : choices) buttons.push_back(box.addButton(c.text, c.role));
    box.setDefaultButton(buttons[std::size_t(defaultIndex)]);
    box.setEscapeButton(buttons[std::size_t(escapeIndex)]);
    ++openQuestions_;
    box.exec();
    --openQuestions_;
    showProgressWhenFree();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (box.clickedButton() == buttons[i]) return int(i);
    return escapeIndex;
}

void QtFileOpUi::showProgressWhenFree() {
    if (progressDue_ && openQuestions_ == 0 && progress_ && !progress_->isVisible() &&
        !progress_->wasCanceled())
        progress_->show();
}

IFileOpUi::Answer QtFileOpUi::askOverwrite(const std::string& target, const std::string& source) {
    const QString text =
        QStringLiteral("このフォルダには既に同じ名前のファイルがあります。\n\n"
                       "置き換えられるファイル:\n%1\n\n新しいファイル:\n%2\n\n"
                       "このファイルを置き換えますか?")
            .arg(fileDetails(target), fileDetails(source));
    // No is the default: a stray Enter keeps the existing file.
    return fourWay(ask(QMessageBox::Question, QStringLiteral("ファイルの上書きの確認"), text,
                       {{QStringLiteral("はい"), QMessageBox::YesRole},
                        {QStringLiteral("すべてはい"), QMessageBox::YesRole},
                        {QStringLiteral("いいえ"), QMessageBox::NoRole},
                        {QStringLiteral("キャンセル"), QMessageBox::RejectRole}},
                       2, 3));
}

bool QtFileOpUi::askCreateFolder(const std::string& folder) {
    const QString text =
        QStringLiteral("フォルダ %1 はありません。\n\nフォルダを作成しますか?").arg(displayPath(folder));
    return ask(QMessageBox::Question, QStringLiteral("フォルダ作成の確認"), text,
               {{QStringLiteral("はい"), QMessageBox::YesRole},
                {QStringLiteral("いいえ"), QMessageBox::NoRole}},
               0, 1) == 0;
}

IFileOpUi::ErrorChoice QtFileOpUi::reportError(const std::string& path, const QString& reason) {
    const QString text =
        QStringLiteral("%1 を処理できませんでした。\n\n%2").arg(displayPath(path), reason);
    const int index = ask(QMessageBox::Critical, QStringLiteral("ファイル操作のエラー"), text,
                          {{QStringLiteral("スキップ"), QMessageBox::AcceptRole},
                           {QStringLiteral("キャンセル"), QMessageBox::RejectRole}},
                          0, 1);
    return index == 0 ? ErrorChoice::Skip : ErrorChoice::Cancel;
}

bool QtFileOpUi::confirmTrash(const std::vector<std::string>& paths) {
    const QString text = itemText(paths, QStringLiteral("'%1' をごみ箱に移動しますか?"),
                                  QStringLiteral("これらの %1 個の項目をごみ箱に移動しますか?"));
    return ask(QMessageBox::Question, DeleteCaption, text,
               {{QStringLiteral("はい"), QMessageBox::YesRole},
                {QStringLiteral("いいえ"), QMessageBox::NoRole}},
               0, 1) == 0;
}

bool QtFileOpUi::confirmErase(const std::vector<std::string>& paths) {
    const QString text = itemText(paths, QStringLiteral("'%1' を完全に削除しますか?"),
                                  QStringLiteral("これらの %1 個の項目を完全に削除しますか?"));
    return ask(QMessageBox::Warning, DeleteCaption, text,
               {{QStringLiteral("はい"), QMessageBox::YesRole},
                {QStringLiteral("いいえ"), QMessageBox::NoRole}},
               1, 1) == 0;
}

IFileOpUi::Answer QtFileOpUi::confirmDeletePermanently(const std::string& path) {
    const QString text = QStringLiteral("%1 はごみ箱に移動できません。\n\n完全に削除しますか?")
                             .arg(displayPath(path));
    return fourWay(ask(QMessageBox::Warning, DeleteCaption, text,
                       {{QStringLiteral("はい"), QMessageBox::YesRole},
                        {QStringLiteral("すべてはい"), QMessageBox::YesRole},
                        {QStringLiteral("いいえ"), QMessageBox::NoRole},
                        {QStringLiteral("キャンセル"), QMessageBox::RejectRole}},
                       2, 3));
}

void QtFileOpUi::progressBegin(QWidget* owner, const QString& title, bool simple) {
    delete progress_.data();
    simple_ = simple;
    title_ = title;
    auto* dialog = new QProgressDialog(owner ? owner : dialogOwner());
    dialog->setObjectName(QStringLiteral("FileOperationProgress"));
    dialog->setWindowTitle(title);
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->setCancelButtonText(QStringLiteral("キャンセル"));
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);
    // Shown by the delay below only: QProgressDialog's own timer (started
    // at construction, stopped by reset) would show it over an open question.
    dialog->setMinimumDuration(INT_MAX);
    dialog->reset();
    dialog->setMinimumWidth(460);
    dialog->setRange(0, 0);
    dialog->setLabelText(simple ? title : QStringLiteral("準備しています..."));
    progress_ = dialog;
    progressDue_ = false;
    auto* delay = new QTimer(dialog);
    delay->setSingleShot(true);
    QObject::connect(delay, &QTimer::timeout, dialog, [this] {
        progressDue_ = true;
        showProgressWhenFree();
    });
    delay->start(kProgressDelayMs);
}

void QtFileOpUi::progressUpdate(const QString& action, const std::string& path, long long done,
                                long long total) {
    if (!progress_) return;
    if (simple_) {
        progress_->setLabelText(title_);
    } else {
        const QFontMetrics metrics(progress_->font());
        progress_->setLabelText(action + QLatin1Char('\n') +
                                metrics.elidedText(displayPath(path), Qt::ElideMiddle, 420));
    }
    if (total <= 0) {
        progress_->setRange(0, 0);
        return;
    }
    progress_->setRange(0, 1000);
    progress_->setValue(int(done * 1000 / total));
}

bool QtFileOpUi::cancelRequested() { return progress_ && progress_->wasCanceled(); }

void QtFileOpUi::progressEnd() {
    progressDue_ = false;
    if (!progress_) return;
    delete progress_.data();
}
