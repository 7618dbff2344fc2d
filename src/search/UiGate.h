// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

class QObject;

// Carries a worker thread's effects on the window over to the user-interface
// thread and lets the worker wait for each one, until the gate is closed:
// then no effect starts any more and a waiting worker goes on at once, so it
// never waits for a user-interface thread that has stopped serving it.
class UiGate {
public:
    // Effects run in the thread of context, which must outlive every run().
    explicit UiGate(QObject* context);

    // Worker side: runs effect on the user-interface thread and waits until
    // it has run. False when the gate closed before it ran to its end. An
    // effect that may outlast a close (one that shows a dialog) must hold
    // copies, not references into the worker.
    bool run(std::function<void()> effect);
    // Worker side: runs effect on the user-interface thread, after the
    // effects handed over before it, without waiting for it.
    void post(std::function<void()> effect);

    // User-interface side.
    void close();
    bool isOpen() const;

private:
    struct State {
        mutable std::mutex mutex;
        std::condition_variable changed;
        bool closed = false;
    };
    QObject* context_;
    std::shared_ptr<State> state_ = std::make_shared<State>();
};
