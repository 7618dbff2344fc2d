#include "bulk/BulkOperations.h"

#include <exception>

#include <QStringList>

#include "attributes/AttributeCommands.h"
#include "controls/PathListBox.h"
#include "engine/IFileSystem.h"
#include "fileops/EngineSupport.h"
#include "fileops/FileOperation.h"
#include "fileops/FileOperationOptions.h"
#include "platform/MessageBoxIds.h"
#include "platform/Messages.h"
#include "platform/Platform.h"
#include "util/PathText.h"
#include "util/SortedPaths.h"

namespace {

enum class Operation { Copy, Move, Delete, Erase };

bool isReadOnlyFile(const std::string& path) {
    if (!engine::isExistingFile(path)) return false;
    const std::optional<unsigned> bits = platform().fileSystem->attributes(path);
    return bits && (*bits & attr::ReadOnly);
}

// Empties the scratch list on every way out of a run that filled it.
class ScratchClaim {
public:
    explicit ScratchClaim(std::vector<std::string>& list) : list_(list) {}
    ~ScratchClaim() {
        if (held) list_.clear();
    }
    bool held = false;

private:
    std::vector<std::string>& list_;
};

}  // namespace

void File_Operation(BulkAction action, const BulkContext& context) {
    PathListBox& data = context.dataList;
    if (data.count() == 0) {
        notice(QStringLiteral("データがありませんよ!"));
        return;
    }
    data.setCurrentRow(0);

    Operation op;
    switch (action) {
        case BulkAction::FileCopy: op = Operation::Copy; break;
        case BulkAction::FileMove: op = Operation::Move; break;
        case BulkAction::FileDelete: op = Operation::Delete; break;
        case BulkAction::FileErase: op = Operation::Erase; break;
        default:
            notice(QStringLiteral("予定外の呼び出しです(File_Operation)。"));
            return;
    }
    const bool copyOrMove = op == Operation::Copy || op == Operation::Move;

    std::vector<std::string>& scratch = context.scratch;
    ScratchClaim claim(scratch);
    const std::string& destination = context.destination;
    std::string sourceFolder;
    try {
        std::vector<std::string> paths = data.list()->rows();
        const int duplicates = sortDroppingDuplicates(paths);
        const std::int32_t options = context.options;
        // The tree never ends a folder with "/" except the root itself.
        std::string prefix = fopt::has(options, fopt::ClearReadOnlyOnCopy)
                                 ? withTrailingSlash(destination)
                                 : std::string();
        sourceFolder = folderPart(paths.back());

        bool busy = false;
        std::vector<std::size_t> readOnlySources;
        if (copyOrMove && !prefix.empty()) {
            if (!scratch.empty()) {
                // Another command still holds the scratch list.
                prefix.clear();
                for (const auto& p : paths)
                    if (isReadOnlyFile(p)) {
                        busy = true;
                        break;
                    }
            } else {
                claim.held = true;
                std::vector<std::string> targets;
                for (std::size_t k = 0; k < paths.size(); ++k)
                    if (isReadOnlyFile(paths[k])) {
                        readOnlySources.push_back(k);
                        targets.push_back(prefix + fileNamePart(paths[k]));
                    }
                scratch = std::move(targets);
            }
        }

        TFileOperation& engine = context.engine;
        int notProcessed = 0;
        if (copyOrMove) {
            std::vector<std::string> usedTargets;
            notProcessed = engine.CopyMoveFiles(paths, options, op == Operation::Move,
                                                destination, &usedTargets);
            // Nothing was handed on: no copy exists whose attribute to clear.
            const bool handedOn = paths.size() <= std::size_t(TFileOperation::MaxEntries) &&
                                  std::size_t(notProcessed) < paths.size();
            if (claim.held && !handedOn) scratch.clear();
            // Renamed copies: clear the attribute where the copies really went.
            if (claim.held && handedOn && !usedTargets.empty()) {
                std::vector<std::string> targets;
                for (std::size_t k : readOnlySources)
                    if (!usedTargets[k].empty()) targets.push_back(usedTargets[k]);
                scratch = std::move(targets);
            }
        } else {
            if (op == Operation::Erase &&
                MsgBox(QStringLiteral("ファイルを消去します。"), ConfirmCaption,
                             mb::YesNo | mb::IconInformation) != id::Yes)
                return;
            notProcessed = engine.DeleteFiles(paths, op == Operation::Erase, options);
        }

        QStringList summary;
        if (duplicates > 0)
            summary << QString::number(duplicates) + QStringLiteral("個のファイルは重複していました。");
        if (notProcessed > 0)
            summary << QString::number(notProcessed) +
                           QStringLiteral("個のファイルは処理できませんでした。");
        if (claim.held && !scratch.empty()) {
            if (!fopt::has(options, fopt::CallRemoveReadOnly) ||
                MsgBox(QStringLiteral("読み取り専用属性を解除します。"), ConfirmCaption,
                             mb::YesNo) == id::Yes) {
                const int kept = ChangeAttributesOfList(scratch, false, false, false, engine);
                if (kept > 0)
                    summary << QString::number(kept) +
                                   QStringLiteral("個のファイルの読み取り専用属性は解除できませんでした。");
            }
        } else if (busy) {
            summary << QStringLiteral("読み取り専用属性の解除操作は実行できませんでした。");
        }
        if (claim.held) {
            scratch.clear();
            claim.held = false;
        }
        if (!summary.isEmpty()) notice(summary.join(QStringLiteral("\r\n")));
    } catch (...) {
        notice(QStringLiteral("File_Operation"));
        return;
    }

    try {
        if (op == Operation::Copy) RefreshFolder(context.trees, destination);
        else if (op == Operation::Move) RefreshAfterMove(context.trees, destination, sourceFolder);
        else RefreshFolder(context.trees, sourceFolder);
    } catch (const std::exception& e) {
        ShowErrorReport(QString::fromUtf8(e.what()));
    }
}
