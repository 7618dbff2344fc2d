#include "fileops/FileOperation.h"

#include <stdexcept>

#include "fileops/EngineSupport.h"
#include "fileops/FileOperationOptions.h"
#include "platform/IFileOperationService.h"
#include "engine/IFileSystem.h"
#include "platform/MessageBoxIds.h"
#include "platform/Platform.h"
#include "platform/Messages.h"

namespace engine {

bool isExistingFile(const std::string& path) {
    return !path.empty() && path.find('\0') == std::string::npos &&
           platform().fileSystem->fileExists(path);
}

void notice(const QString& text) { ::notice(text); }

}  // namespace engine

namespace {

// Runs collect; a failure is shown in the standard report and ends the
// operation with the count reached so far.
template <typename Collect>
bool collectGuarded(Collect collect) {
    try {
        collect();
        return true;
    } catch (const std::exception& e) {
        ShowErrorReport(QString::fromUtf8(e.what()));
    } catch (...) {
        ShowErrorReport(QStringLiteral("Unknown exception"));
    }
    return false;
}

}  // namespace

int TFileOperation::RequestBufferSize(long long count) {
    if (count < 1) {
        engine::notice(QStringLiteral("ファイルが指定されていません。"));
        return 0;
    }
    if (count > MaxEntries) {
        engine::notice(QStringLiteral("許容数(%1)を超えています。").arg(MaxEntries));
        return 0;
    }
    return int((count + 255) / 256) * 65536;
}

void TFileOperation::FillRequest(FileOpRequest& request, std::int32_t options) {
    const RequestFlags r = requestFlagsFor(options);
    request.owner = nullptr;  // the service's dialogs belong to the active window
    request.anyOperationsAborted = false;
    request.nameMappings = nullptr;
    request.flags = r.flags;
    request.progressTitle = r.progressTitle;
}

void TFileOperation::perform(FileOpRequest& request) {
    // The service shows its own dialogs; its result is not used.
    platform().fileOperations->perform(request);
}

int TFileOperation::nothingFound(int notProcessed) {
    engine::notice(QStringLiteral("ファイルが見つかりませんでした。"));
    return notProcessed;
}

int TFileOperation::CopyMoveFiles(const std::vector<std::string>& paths, std::int32_t options,
                                  bool move, const std::string& destinationFolder,
                                  std::vector<std::string>* usedTargets) {
    if (usedTargets) usedTargets->clear();
    // The limit is checked first so that an oversized list costs no search.
    if (RequestBufferSize((long long)paths.size()) == 0) return 0;
    if (fopt::has(options, fopt::RenameOnCollision)) {
        std::vector<std::string> targets;
        bool nameChanged = false;
        if (!PrepareUniqueTargets(paths, destinationFolder, targets, nameChanged))
            return int(paths.size());
        if (nameChanged) {
            if (usedTargets) *usedTargets = targets;
            return CopyMoveToTargets(paths, targets, options, move);
        }
    }
    std::vector<std::string> sources;
    int notProcessed = 0;
    const bool collected = collectGuarded([&] {
        for (const auto& p : paths) {
            if (engine::isExistingFile(p)) sources.push_back(p);
            else ++notProcessed;
        }
    });
    if (!collected) return notProcessed;
    if (sources.empty()) return nothingFound(notProcessed);
    FileOpRequest request;
    FillRequest(request, options);
    request.func = move ? fo::Move : fo::Copy;
    request.from = joinDoubleNulList(sources);
    request.to = joinDoubleNulList({destinationFolder});
    perform(request);
    return notProcessed;
}

int TFileOperation::CopyMoveToTargets(const std::vector<std::string>& paths,
                                      const std::vector<std::string>& targets,
                                      std::int32_t options, bool move) {
    if (RequestBufferSize((long long)paths.size()) == 0) return 0;
    std::vector<std::string> sources;
    std::vector<std::string> chosen;
    int notProcessed = 0;
    const bool collected = collectGuarded([&] {
        for (std::size_t k = 0; k < paths.size(); ++k) {
            const std::string target = k < targets.size() ? targets[k] : std::string();
            // An empty target would end the target list early.
            if (engine::isExistingFile(paths[k]) && !target.empty() &&
                target.find('\0') == std::string::npos) {
                sources.push_back(paths[k]);
                chosen.push_back(target);
            } else {
                ++notProcessed;
            }
        }
    });
    if (!collected) return notProcessed;
    if (sources.empty()) return nothingFound(notProcessed);
    FileOpRequest request;
    FillRequest(request, options);
    request.flags = fof::MultiDestFiles | fof::AllowUndo;
    request.func = move ? fo::Move : fo::Copy;
    request.from = joinDoubleNulList(sources);
    request.to = joinDoubleNulList(chosen);
    perform(request);
    return notProcessed;
}

int TFileOperation::DeleteFolder(const std::string& folder, bool erase, std::int32_t) {
    if (folder.empty() || folder.find('\0') != std::string::npos ||
        !platform().fileSystem->directoryExists(folder)) {
        engine::notice(QStringLiteral("フォルダが見つかりませんでした。"));
        return 1;
    }
    FileOpRequest request;
    FillRequest(request, 0);
    request.func = fo::Delete;
    request.from = joinDoubleNulList({folder});
    request.to.clear();
    request.flags = erase ? fof::NoConfirmation : fof::AllowUndo;
    perform(request);
    return 0;
}
