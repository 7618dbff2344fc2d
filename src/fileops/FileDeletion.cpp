#include <exception>

#include "fileops/EngineSupport.h"
#include "fileops/FileOperation.h"
#include "platform/IFileOperationService.h"
#include "engine/IFileSystem.h"
#include "platform/MessageBoxIds.h"
#include "platform/Platform.h"
#include "platform/Messages.h"
#include "util/DisplayText.h"
#include "util/PathText.h"

namespace {

enum class Answer { Take, Skip, Cancel, Gone };

// The text naming why a file deserves a warning before it is erased; empty
// for an ordinary file.
QString protectedKind(unsigned attributes) {
    if (attributes & attr::System) return QStringLiteral("はシステムファイルです。");
    if (attributes & attr::Hidden) return QStringLiteral("は隠しファイルです。");
    if (attributes & attr::ReadOnly) return QStringLiteral("は読取り専用ファイルです。");
    return {};
}

// The erase walk of one call: warnings about protected files, and the one
// question whether such warnings are wanted at all.
class EraseWalk {
public:
    explicit EraseWalk(std::size_t count) : count_(count) {}

    Answer consider(const std::string& path, std::size_t index) {
        if (warningsOff_) return Answer::Take;
        const std::optional<unsigned> bits = platform().fileSystem->attributes(path);
        if (!bits) return Answer::Gone;  // vanished since it was found
        const QString kind = protectedKind(*bits);
        if (kind.isEmpty()) return Answer::Take;
        const int answer = MsgBox(displayPath(path) + "\r\n" + kind + "\r\n" +
                                            QStringLiteral("消去しますか?"),
                                        ConfirmCaption, mb::YesNoCancel | mb::IconInformation);
        if (answer == id::No) return Answer::Skip;
        if (answer != id::Yes) return Answer::Cancel;
        if (!askedOnce_ && index + 1 < count_) {
            askedOnce_ = true;
            if (MsgBox(QStringLiteral("この種の警告は必要ですか?"), ConfirmCaption,
                             mb::YesNo) == id::No)
                warningsOff_ = true;
        }
        return Answer::Take;
    }

private:
    std::size_t count_;
    bool warningsOff_ = false;
    bool askedOnce_ = false;
};

}  // namespace

int TFileOperation::DeleteFiles(const std::vector<std::string>& paths, bool erase, std::int32_t) {
    if (RequestBufferSize((long long)paths.size()) == 0) return 0;
    std::vector<std::string> sources;
    int notProcessed = 0;
    EraseWalk walk(paths.size());
    try {
        for (std::size_t k = 0; k < paths.size(); ++k) {
            if (!engine::isExistingFile(paths[k])) {
                ++notProcessed;
                continue;
            }
            if (!erase) {
                sources.push_back(paths[k]);
                continue;
            }
            switch (walk.consider(paths[k], k)) {
                case Answer::Take: sources.push_back(paths[k]); break;
                case Answer::Skip: break;
                case Answer::Gone: ++notProcessed; break;
                case Answer::Cancel: return int(paths.size());
            }
        }
    } catch (const std::exception& e) {
        ShowErrorReport(QString::fromUtf8(e.what()));
        return notProcessed;
    }
    if (sources.empty()) return nothingFound(notProcessed);
    FileOpRequest request;
    FillRequest(request, 0);
    request.func = fo::Delete;
    request.from = joinDoubleNulList(sources);
    request.to.clear();
    if (erase) request.flags = fof::NoConfirmation;
    perform(request);
    return notProcessed;
}
