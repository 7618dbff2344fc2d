// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/FileJob.h"
#include "support/core/EngineDoubles.h"
#include "platform/EngineAdapters.h"
#include "platform/Platform.h"
#include "support/TestEnvironment.h"

using RecordingFileOperations = RecordingJobRunner;

// A fixture base with the recording service installed.
class FileOpsTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        Platform replacement;
        replacement.fileOperations = &service;
        scoped_.emplace(replacement);
    }
    void TearDown() override { scoped_.reset(); }

    RecordingFileOperations service;

private:
    std::optional<ScopedPlatform> scoped_;
};
