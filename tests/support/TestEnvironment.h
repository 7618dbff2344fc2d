// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <ostream>
#include <string>

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include "support/FakeDialogs.h"
#include "support/FakeFileOpUi.h"
#include "support/FakeServices.h"
#include "support/core/TestFiles.h"

// Doubles installed for every test: no test ever opens a real dialog, reads
// the real clipboard or touches the user's real settings.
FakeDialogs& fakeDialogs();
FakeClipboard& fakeClipboard();
FakeScreen& fakeScreen();
FakeHelpViewer& fakeHelp();
FakeSettingsLocation& fakeSettingsLocation();
FakeFileOpUi& fakeFileOpUi();

// Resets every double before each test.
class PlatformTest : public ::testing::Test {
protected:
    void SetUp() override;
};

// Readable failure output for Qt strings.
void PrintTo(const QString& text, std::ostream* os);
void PrintTo(const QStringList& list, std::ostream* os);
