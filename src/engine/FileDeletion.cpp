// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <exception>

#include "engine/EngineUi.h"
#include "engine/FileOperation.h"
#include "engine/IFileSystem.h"

namespace {

enum class Answer { Take, Skip, Cancel, Gone };

// The text naming why a file deserves a warning before it is erased; empty
// for an ordinary file.
std::string protectedKind(unsigned attributes) {
    if (attributes & attr::System) return "はシステムファイルです。";
    if (attributes & attr::Hidden) return "は隠しファイルです。";
    if (attributes & attr::ReadOnly) return "は読取り専用ファイルです。";
    return {};
}

// The erase walk of one call: warnings about protected files, and the one
// question whether such warnings are wanted at all.
class EraseWalk {
public:
    EraseWalk(std::size_t count, EngineUi& ui, IFileSystem& fs) : count_(count), ui_(ui), fs_(fs) {}

    Answer consider(const std::string& path, std::size_t index) {
        if (warningsOff_) return Answer::Take;
        const std::optional<unsigned> bits = fs_.attributes(path);
        if (!bits) return Answer::Gone;  // vanished since it was found
        const std::string kind = protectedKind(*bits);
        if (kind.empty()) return Answer::Take;
        const EngineUi::Answer answer =
            ui_.ask(path + "\r\n" + kind + "\r\n" + "消去しますか?", EngineUi::Question::YesNoCancel);
        if (answer == EngineUi::Answer::No) return Answer::Skip;
        if (answer != EngineUi::Answer::Yes) return Answer::Cancel;
        if (!askedOnce_ && index + 1 < count_) {
            askedOnce_ = true;
            if (ui_.ask("この種の警告は必要ですか?", EngineUi::Question::YesNo) == EngineUi::Answer::No)
                warningsOff_ = true;
        }
        return Answer::Take;
    }

private:
    std::size_t count_;
    EngineUi& ui_;
    IFileSystem& fs_;
    bool warningsOff_ = false;
    bool askedOnce_ = false;
};

}  // namespace

int TFileOperation::DeleteFiles(const std::vector<std::string>& paths, bool erase,
                                JobOutcome* outcome) {
    if (outcome) *outcome = {};
    if (RequestBufferSize((long long)paths.size()) == 0) return 0;
    FileJob job;
    job.kind = erase ? JobKind::Erase : JobKind::Trash;
    if (erase) job.options = {JobOption::NoConfirmation};
    std::vector<std::string>& sources = job.sources;
    std::vector<std::size_t> handedOn;
    int notProcessed = 0;
    EraseWalk walk(paths.size(), ui_, fs_);
    try {
        for (std::size_t k = 0; k < paths.size(); ++k) {
            if (!isExistingFile(paths[k])) {
                ++notProcessed;
                continue;
            }
            if (!erase) {
                sources.push_back(paths[k]);
                handedOn.push_back(k);
                continue;
            }
            switch (walk.consider(paths[k], k)) {
                case Answer::Take:
                    sources.push_back(paths[k]);
                    handedOn.push_back(k);
                    break;
                case Answer::Skip: break;
                case Answer::Gone: ++notProcessed; break;
                case Answer::Cancel: return noneHandedOn(int(paths.size()), paths.size(), outcome);
            }
        }
    } catch (const std::exception& e) {
        ui_.errorReport(e.what());
        return noneHandedOn(notProcessed, paths.size(), outcome);
    }
    if (sources.empty()) return nothingFound(notProcessed, paths.size(), outcome);
    const JobOutcome result = run(job, handedOn, paths.size(), notProcessed);
    if (outcome) *outcome = result;
    return notProcessed;
}
