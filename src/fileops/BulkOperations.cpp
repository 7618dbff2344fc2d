#include "fileops/BulkOperations.h"

#include <exception>

#include <QAction>
#include <QStringList>

#include "app/CopyForm.h"
#include "controls/DirectoryListBox.h"
#include "controls/PathListBox.h"
#include "fileops/EngineSupport.h"
#include "fileops/FileOperation.h"
#include "fileops/FileOperationOptions.h"
#include "fileops/SortedPaths.h"
#include "platform/IFileSystem.h"
#include "platform/MessageBoxIds.h"
#include "platform/Platform.h"
#include "tools/AttributeCommands.h"
#include "util/ApU.h"
#include "util/PathText.h"

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
    explicit ScratchClaim(PathListModel& list) : list_(list) {}
    ~ScratchClaim() {
        if (held) list_.clear();
    }
    bool held = false;

private:
    PathListModel& list_;
};

}  // namespace

void BulkOperations::File_Operation(QObject* sender) {
    PathListBox& data = *form_.DataListBox;
    if (data.count() == 0) {
        engine::notice(QStringLiteral("データがありませんよ!"));
        return;
    }
    data.setCurrentRow(0);

    Operation op;
    if (sender && sender == form_.action("FileCopy")) op = Operation::Copy;
    else if (sender && sender == form_.action("FileMove")) op = Operation::Move;
    else if (sender && sender == form_.action("FileDelete")) op = Operation::Delete;
    else if (sender && sender == form_.action("FileErase")) op = Operation::Erase;
    else {
        engine::notice(QStringLiteral("予定外の呼び出しです(File_Operation)。"));
        return;
    }
    const bool copyOrMove = op == Operation::Copy || op == Operation::Move;

    PathListModel& scratch = *form_.OpenDialogListBox->list();
    ScratchClaim claim(scratch);
    std::string destination;
    std::string sourceFolder;
    try {
        std::vector<std::string> paths = data.list()->rows();
        const int duplicates = sortDroppingDuplicates(paths);
        destination = form_.DirectoryListBox2->directory();
        const std::int32_t options = form_.FileOperationOptions;
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
                scratch.append(targets);
            }
        }

        TFileOperation& engine = fileOperation();
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
                scratch.setRows(std::move(targets));
            }
        } else {
            if (op == Operation::Erase &&
                TApU::MsgBox(QStringLiteral("ファイルを消去します。"), ConfirmCaption,
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
                TApU::MsgBox(QStringLiteral("読み取り専用属性を解除します。"), ConfirmCaption,
                             mb::YesNo) == id::Yes) {
                const int kept = form_.attributes().ChangeAttributesOfList(
                    *form_.OpenDialogListBox, false, false, false);
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
        if (!summary.isEmpty()) engine::notice(summary.join(QStringLiteral("\r\n")));
    } catch (...) {
        engine::notice(QStringLiteral("File_Operation"));
        return;
    }

    try {
        if (op == Operation::Copy) RefreshFolder(destination);
        else if (op == Operation::Move) RefreshAfterMove(destination, sourceFolder);
        else RefreshFolder(sourceFolder);
    } catch (const std::exception& e) {
        ShowErrorReport(QString::fromUtf8(e.what()));
    }
}
