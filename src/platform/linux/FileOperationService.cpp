#include "platform/linux/FileOperationService.h"

#include <cerrno>
#include <thread>
#include <type_traits>

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>

#include "platform/IFileOpUi.h"
#include "platform/Platform.h"
#include "engine/FileOpErrors.h"
#include "util/PathText.h"

namespace {

using Answer = FileOpCallbacks::Answer;

Answer toEngine(IFileOpUi::Answer a) {
    switch (a) {
        case IFileOpUi::Answer::Yes: return Answer::Yes;
        case IFileOpUi::Answer::YesToAll: return Answer::YesToAll;
        case IFileOpUi::Answer::No: return Answer::No;
        case IFileOpUi::Answer::Cancel: break;
    }
    return Answer::Cancel;
}

QString workingText(const FileOpJob& job) {
    if (job.func == fo::Copy) return QStringLiteral("コピーしています...");
    if (job.func == fo::Move) return QStringLiteral("移動しています...");
    if (job.flags & fof::AllowUndo) return QStringLiteral("ごみ箱に移動しています...");
    return QStringLiteral("削除しています...");
}

QString defaultTitle(unsigned func) {
    if (func == fo::Copy) return QStringLiteral("コピー");
    if (func == fo::Move) return QStringLiteral("移動");
    return QStringLiteral("削除");
}

// Answers the engine's questions through IFileOpUi on the user-interface
// thread; the worker waits for each answer.
class UiBridge : public FileOpCallbacks {
public:
    // direct: no application object, so every call runs on this thread.
    UiBridge(IFileOpUi* ui, const FileOpJob& job, bool direct, std::chrono::milliseconds interval)
        : ui_(ui), working_(workingText(job)), direct_(direct),
          showProgress_(ui && !(job.flags & fof::Silent)), interval_(interval) {}

    Answer askOverwrite(const std::string& target, const std::string& source) override {
        if (!ui_) return Answer::No;
        return onUi([&] { return toEngine(ui_->askOverwrite(target, source)); });
    }
    bool askCreateFolder(const std::string& folder) override {
        return ui_ && onUi([&] { return ui_->askCreateFolder(folder); });
    }
    bool reportError(const std::string& path, const std::string& reason) override {
        if (!ui_) return true;
        return onUi([&] {
            return ui_->reportError(path, QString::fromStdString(reason)) ==
                   IFileOpUi::ErrorChoice::Skip;
        });
    }
    bool confirmTrash(const std::vector<std::string>& paths) override {
        return ui_ && onUi([&] { return ui_->confirmTrash(paths); });
    }
    bool confirmErase(const std::vector<std::string>& paths) override {
        return ui_ && onUi([&] { return ui_->confirmErase(paths); });
    }
    Answer confirmDeletePermanently(const std::string& path) override {
        if (!ui_) return Answer::No;
        return onUi([&] { return toEngine(ui_->confirmDeletePermanently(path)); });
    }
    bool progress(Phase phase, const std::string& path, long long done, long long total) override {
        if (!showProgress_) return true;
        const auto now = std::chrono::steady_clock::now();
        if (synced_ && now - lastSync_ < interval_) return true;
        synced_ = true;
        lastSync_ = now;
        const QString action =
            phase == Phase::Preparing ? QStringLiteral("準備しています...") : working_;
        const bool cancel = onUi([&] {
            ui_->progressUpdate(action, path, done, total);
            return ui_->cancelRequested();
        });
        return !cancel;
    }

    // Runs f on the user-interface thread and waits for it.
    template <class F>
    auto onUi(F f) -> decltype(f()) {
        QCoreApplication* app = QCoreApplication::instance();
        if (direct_ || QThread::currentThread() == app->thread()) return f();
        if constexpr (std::is_void_v<decltype(f())>) {
            QMetaObject::invokeMethod(app, [&] { f(); }, Qt::BlockingQueuedConnection);
        } else {
            decltype(f()) result{};
            QMetaObject::invokeMethod(app, [&] { result = f(); }, Qt::BlockingQueuedConnection);
            return result;
        }
    }

private:

    IFileOpUi* ui_;
    QString working_;
    bool direct_;
    bool showProgress_;
    std::chrono::milliseconds interval_;
    bool synced_ = false;
    std::chrono::steady_clock::time_point lastSync_;
};

std::string normalized(const std::string& path) { return withoutTrailingSlash(path); }

}  // namespace

int FileOperationService::perform(FileOpRequest& request) {
    request.anyOperationsAborted = false;
    FileOpJob job;
    job.func = request.func;
    job.flags = request.flags;
    for (const auto& p : splitDoubleNulList(request.from)) job.sources.push_back(normalized(p));
    if (job.func != fo::Copy && job.func != fo::Move && job.func != fo::Delete) return EINVAL;
    if (job.sources.empty()) return 0;
    if (job.func != fo::Delete) {
        const auto to = splitDoubleNulList(request.to);
        if (job.flags & fof::MultiDestFiles) {
            if (to.size() != job.sources.size()) return EINVAL;
            for (const auto& t : to) job.targets.push_back(normalized(t));
        } else {
            if (to.empty()) return EINVAL;
            const std::string folder = normalized(to.front());
            for (const auto& s : job.sources) job.targets.push_back(joinPath(folder, fileNamePart(s)));
        }
    }
    const bool silent = job.flags & fof::Silent;
    job.countProgress = !silent;

    IFileOpUi* ui = platform().fileOpUi;
    QCoreApplication* app = QCoreApplication::instance();
    const bool onUiThread = app && QThread::currentThread() == app->thread();
    UiBridge bridge(ui, job, !app, interval_);
    FileOpEngine engine(bridge, platform().trash, tuning_);
    const bool showProgress = ui && !silent;
    if (showProgress) {
        const QString title =
            request.progressTitle.isEmpty() ? defaultTitle(job.func) : request.progressTitle;
        bridge.onUi([&] { ui->progressBegin(request.owner, title, job.flags & fof::SimpleProgress); });
    }
    FileOpOutcome outcome;
    if (onUiThread) {
        QEventLoop loop;
        std::thread worker([&] {
            outcome = engine.run(job);
            QMetaObject::invokeMethod(&loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
        });
        // Without a progress dialog nothing modal guards the window: input
        // waits until the operation is over.
        loop.exec(showProgress ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
        worker.join();
    } else {
        // Called off the user-interface thread (or without one): work here.
        outcome = engine.run(job);
    }
    if (showProgress) bridge.onUi([&] { ui->progressEnd(); });
    request.anyOperationsAborted = outcome.aborted;
    if (outcome.firstError) return fileOpErrorErrno(outcome.firstError);
    return outcome.aborted ? ECANCELED : 0;
}
