#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/IFileOperationService.h"
#include "platform/Platform.h"
#include "support/TestEnvironment.h"
#include "util/PathText.h"

// Records every request; optionally carries it out with plain file-system
// calls (copy overwrites, delete removes for good) so that commands can be
// checked by their results.
class RecordingFileOperations : public IFileOperationService {
public:
    struct Call {
        QWidget* owner;
        unsigned func;
        std::vector<std::string> from;
        std::vector<std::string> to;
        unsigned flags;
        QString progressTitle;
    };

    int perform(FileOpRequest& request) override {
        calls.push_back({request.owner, request.func, splitDoubleNulList(request.from),
                         splitDoubleNulList(request.to), request.flags, request.progressTitle});
        if (onPerform) onPerform(calls.back());
        if (performForReal) carryOut(calls.back());
        return 0;
    }

    std::vector<Call> calls;
    bool performForReal = true;
    // Runs while the service "works", before anything is carried out.
    std::function<void(const Call&)> onPerform;

private:
    static void carryOut(const Call& c) {
        namespace fs = std::filesystem;
        std::error_code ec;
        for (std::size_t k = 0; k < c.from.size(); ++k) {
            const std::string& source = c.from[k];
            if (c.func == fo::Delete) {
                fs::remove_all(source, ec);
                continue;
            }
            const std::string target = (c.flags & fof::MultiDestFiles)
                                           ? c.to.at(k)
                                           : joinPath(c.to.at(0), fileNamePart(source));
            if (c.func == fo::Copy)
                fs::copy(source, target,
                         fs::copy_options::overwrite_existing | fs::copy_options::copy_symlinks, ec);
            else
                fs::rename(source, target, ec);
        }
    }
};

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
