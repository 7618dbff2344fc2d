// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/FileOperationService.h"

#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QThread>
#include <QWidget>
#include <QWindow>

#include "platform/IFileOpUi.h"
#include "platform/Platform.h"
#include "engine/FileOpErrors.h"
#include "util/Termination.h"
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

QString workingText(JobKind kind) {
    switch (kind) {
        case JobKind::Copy: return QStringLiteral("コピーしています...");
        case JobKind::Move: return QStringLiteral("移動しています...");
        case JobKind::Trash: return QStringLiteral("ごみ箱に移動しています...");
        case JobKind::Erase: break;
    }
    return QStringLiteral("削除しています...");
}

QString defaultTitle(JobKind kind) {
    if (kind == JobKind::Copy) return QStringLiteral("コピー");
    if (kind == JobKind::Move) return QStringLiteral("移動");
    return QStringLiteral("削除");
}

// The worker's calls to the user-interface thread. The worker waits for each
// answer, but only while the user-interface thread serves it: once that
// thread has left the operation's event loop (the program is quitting), every
// call returns its careful answer at once.
class UiChannel {
public:
    // Runs f on the user-interface thread and returns its result; whenStopped
    // when the channel stopped serving first.
    template <class F, class R>
    R call(F f, R whenStopped) {
        auto call = std::make_shared<Call<R>>();
        auto shared = shared_;
        {
            std::lock_guard lock(shared->mutex);
            if (!shared->serving) return whenStopped;
        }
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [shared, call, f]() mutable {
                {
                    std::lock_guard lock(shared->mutex);
                    if (call->abandoned) return;
                    call->running = true;
                }
                R result = f();
                std::lock_guard lock(shared->mutex);
                call->result = result;
                call->done = true;
                shared->changed.notify_all();
            },
            Qt::QueuedConnection);
        std::unique_lock lock(shared->mutex);
        shared->changed.wait(lock, [&] { return call->done || (!shared->serving && !call->running); });
        if (call->done) return call->result;
        call->abandoned = true;
        return whenStopped;
    }

    void stopServing() {
        std::lock_guard lock(shared_->mutex);
        shared_->serving = false;
        shared_->changed.notify_all();
    }

private:
    template <class R>
    struct Call {
        bool running = false;
        bool done = false;
        bool abandoned = false;
        R result{};
    };
    struct Shared {
        std::mutex mutex;
        std::condition_variable changed;
        bool serving = true;
    };
    std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
};

// Answers the engine's questions through IFileOpUi on the user-interface
// thread.
class UiBridge : public FileOpCallbacks {
public:
    // direct: no application object, so every call runs on this thread.
    UiBridge(IFileOpUi* ui, const FileJob& job, bool direct, std::chrono::milliseconds interval)
        : ui_(ui), working_(workingText(job.kind)), direct_(direct),
          showProgress_(ui && !job.options.has(JobOption::Silent)), interval_(interval) {}

    Answer askOverwrite(const std::string& target, const std::string& source) override {
        if (!ui_) return Answer::No;
        return onUi([&] { return toEngine(ui_->askOverwrite(target, source)); }, Answer::Cancel);
    }
    bool askCreateFolder(const std::string& folder) override {
        return ui_ && onUi([&] { return ui_->askCreateFolder(folder); }, false);
    }
    bool reportError(const std::string& path, const std::string& reason) override {
        if (!ui_) return true;
        return onUi(
            [&] {
                return ui_->reportError(path, QString::fromStdString(reason)) ==
                       IFileOpUi::ErrorChoice::Skip;
            },
            false);
    }
    bool confirmTrash(const std::vector<std::string>& paths) override {
        return ui_ && onUi([&] { return ui_->confirmTrash(paths); }, false);
    }
    bool confirmErase(const std::vector<std::string>& paths) override {
        return ui_ && onUi([&] { return ui_->confirmErase(paths); }, false);
    }
    Answer confirmDeletePermanently(const std::string& path) override {
        if (!ui_) return Answer::No;
        return onUi([&] { return toEngine(ui_->confirmDeletePermanently(path)); }, Answer::Cancel);
    }
    bool progress(Phase phase, const std::string& path, long long done, long long total) override {
        if (terminationRequested()) return false;
        if (!showProgress_) return true;
        const auto now = std::chrono::steady_clock::now();
        if (synced_ && now - lastSync_ < interval_) return true;
        synced_ = true;
        lastSync_ = now;
        const QString action =
            phase == Phase::Preparing ? QStringLiteral("準備しています...") : working_;
        const bool cancel = onUi(
            [&] {
                ui_->progressUpdate(action, path, done, total);
                return ui_->cancelRequested();
            },
            true);
        return !cancel;
    }

    // Runs f on the user-interface thread and waits for it; a question
    // asked while the program is ending gets whenStopped unasked.
    template <class F, class R>
    R onUi(F f, R whenStopped) {
        if (terminationRequested()) return whenStopped;
        QCoreApplication* app = QCoreApplication::instance();
        if (direct_ || QThread::currentThread() == app->thread()) return f();
        return channel_.call(f, whenStopped);
    }
    void onUi(const std::function<void()>& f) {
        QCoreApplication* app = QCoreApplication::instance();
        if (direct_ || QThread::currentThread() == app->thread()) f();
        else channel_.call([&] { f(); return true; }, false);
    }

    void stopServing() { channel_.stopServing(); }

private:
    IFileOpUi* ui_;
    QString working_;
    bool direct_;
    bool showProgress_;
    std::chrono::milliseconds interval_;
    bool synced_ = false;
    std::chrono::steady_clock::time_point lastSync_;
    UiChannel channel_;
};

// While an operation runs, user input reaches only the modal dialog in front
// (the progress dialog once it shows, or a question): until the progress
// dialog appears nothing else takes a click, a key or a drop, and the user
// closes no window. Its close button cancels; the main window's is inert.
class InputGuard : public QObject {
public:
    InputGuard() { QCoreApplication::instance()->installEventFilter(this); }
    ~InputGuard() override { QCoreApplication::instance()->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override {
        if (!isUserInput(receiver, event)) return false;
        QWidget* modal = QApplication::activeModalWidget();
        QWidget* widget = widgetOf(receiver);
        if (modal && widget && (widget == modal || modal->isAncestorOf(widget))) return false;
        event->ignore();
        return true;
    }

private:
    // A close the program makes itself (close(), the termination path
    // dismissing boxes) is not the user's. Both kinds reach a window's
    // QWindow as spontaneous; its widget then gets the window system's
    // spontaneous and the program's not.
    static bool isUserInput(const QObject* receiver, const QEvent* event) {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::Wheel:
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::ShortcutOverride:
            case QEvent::Shortcut:
            case QEvent::ContextMenu:
            case QEvent::TouchBegin:
            case QEvent::TouchUpdate:
            case QEvent::TouchEnd:
            case QEvent::TabletPress:
            case QEvent::TabletRelease:
            case QEvent::DragEnter:
            case QEvent::DragMove:
            case QEvent::Drop:
            case QEvent::InputMethod:
                return true;
            case QEvent::Close:
                return receiver->isWidgetType() && event->spontaneous();
            default:
                return false;
        }
    }
    static QWidget* widgetOf(QObject* receiver) {
        if (auto* w = qobject_cast<QWidget*>(receiver)) return w;
        if (auto* window = qobject_cast<QWindow*>(receiver)) {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (top->windowHandle() == window) return top;
        }
        return nullptr;
    }
};

std::string normalized(const std::string& path) { return withoutTrailingSlash(path); }

}  // namespace

JobOutcome FileOperationService::run(const FileJob& request) {
    FileOperationScope scope;
    FileJob job = request;
    for (std::string& p : job.sources) p = normalized(p);
    for (std::string& t : job.targets) t = normalized(t);
    job.targetFolder = normalized(job.targetFolder);
    if (terminationRequested()) {
        JobOutcome outcome;
        outcome.cancelled = true;
        outcome.items.assign(job.sources.size(), ItemOutcome{ItemStatus::Cancelled, 0});
        return outcome;
    }
    if (job.sources.empty()) return {};
    const bool silent = job.options.has(JobOption::Silent);

    IFileOpUi* ui = platform().fileOpUi;
    QCoreApplication* app = QCoreApplication::instance();
    const bool onUiThread = app && QThread::currentThread() == app->thread();
    UiBridge bridge(ui, job, !app, interval_);
    JobExecutor engine(bridge, platform().trash, tuning_);
    const bool showProgress = ui && !silent;
    if (showProgress) {
        const QString title = job.progressTitle.empty() ? defaultTitle(job.kind)
                                                        : QString::fromStdString(job.progressTitle);
        const bool simple = job.options.has(JobOption::SimpleProgress);
        bridge.onUi([&] { ui->progressBegin(nullptr, title, simple); });
    }
    JobOutcome outcome;
    if (onUiThread) {
        QEventLoop loop;
        std::atomic<bool> finished{false};
        std::optional<InputGuard> guard;
        if (qobject_cast<QApplication*>(app)) guard.emplace();
        std::thread worker([&] {
            outcome = engine.run(job);
            finished = true;
            QMetaObject::invokeMethod(&loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
        });
        loop.exec();
        if (!finished) {
            // The program is quitting and this thread serves no more: the
            // worker gets careful answers, stops at its next step and leaves
            // the sources of a move as they are.
            bridge.stopServing();
            engine.cancel(true);
        }
        worker.join();
    } else {
        // Called off the user-interface thread (or without one): work here.
        outcome = engine.run(job);
    }
    if (showProgress) bridge.onUi([&] { ui->progressEnd(); });
    return outcome;
}
