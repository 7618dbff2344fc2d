// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

// Suspends a list's redrawing for a scope; it resumes whatever happens.
class ListSuspension {
public:
    explicit ListSuspension(QWidget& list) : list_(list), was_(list.updatesEnabled()) {
        list_.setUpdatesEnabled(false);
    }
    ~ListSuspension() { list_.setUpdatesEnabled(was_); }
    ListSuspension(const ListSuspension&) = delete;
    ListSuspension& operator=(const ListSuspension&) = delete;

private:
    QWidget& list_;
    bool was_;
};
