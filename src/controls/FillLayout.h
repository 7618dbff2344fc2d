// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QVBoxLayout;
class QWidget;

// A vertical layout for w whose children fill it: no margins, no spacing.
QVBoxLayout* fillLayout(QWidget* w);
