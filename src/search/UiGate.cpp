// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "search/UiGate.h"

#include <QMetaObject>
#include <QObject>

UiGate::UiGate(QObject* context) : context_(context) {}

bool UiGate::run(std::function<void()> effect) {
    auto done = std::make_shared<bool>(false);
    const std::shared_ptr<State> state = state_;
    if (!isOpen()) return false;
    QMetaObject::invokeMethod(
        context_,
        [state, done, effect = std::move(effect)] {
            {
                std::lock_guard lock(state->mutex);
                if (state->closed) return;
            }
            try {
                effect();
            } catch (...) {
                // Effects report their own failures; nothing may unwind into the event loop.
            }
            {
                std::lock_guard lock(state->mutex);
                *done = true;
            }
            state->changed.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock lock(state->mutex);
    state->changed.wait(lock, [&] { return *done || state->closed; });
    return *done;
}

void UiGate::post(std::function<void()> effect) {
    const std::shared_ptr<State> state = state_;
    if (!isOpen()) return;
    QMetaObject::invokeMethod(
        context_,
        [state, effect = std::move(effect)] {
            {
                std::lock_guard lock(state->mutex);
                if (state->closed) return;
            }
            try {
                effect();
            } catch (...) {
                // As in run().
            }
        },
        Qt::QueuedConnection);
}

void UiGate::close() {
    {
        std::lock_guard lock(state_->mutex);
        state_->closed = true;
    }
    state_->changed.notify_all();
}

bool UiGate::isOpen() const {
    std::lock_guard lock(state_->mutex);
    return !state_->closed;
}
