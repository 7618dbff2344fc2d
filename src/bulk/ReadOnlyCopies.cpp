// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "bulk/ReadOnlyCopies.h"

#include <optional>

#include "attributes/AttributeCommands.h"
#include "engine/IFileSystem.h"
#include "engine/FileOperation.h"
#include "engine/OperationOptions.h"
#include "platform/MessageBoxIds.h"
#include "platform/Messages.h"
#include "platform/Platform.h"

namespace {

bool isReadOnlyFile(const std::string& path) {
    if (path.empty() || path.find('\0') != std::string::npos || !platform().fileSystem->fileExists(path))
        return false;
    const std::optional<unsigned> bits = platform().fileSystem->attributes(path);
    return bits && (*bits & attr::ReadOnly);
}

}  // namespace

QStringList countLines(int duplicates, int notProcessed) {
    QStringList lines;
    if (duplicates > 0)
        lines << QString::number(duplicates) + QStringLiteral("個のファイルは重複していました。");
    if (notProcessed > 0)
        lines << QString::number(notProcessed) +
                     QStringLiteral("個のファイルは処理できませんでした。");
    return lines;
}

ReadOnlyCopies::~ReadOnlyCopies() {
    if (held_) scratch_.clear();
}

void ReadOnlyCopies::collect(const std::vector<std::string>& sources,
                             const std::function<std::string(std::size_t)>& targetOf) {
    if (!scratch_.empty()) {
        // Another command still holds the scratch list.
        for (const auto& p : sources)
            if (isReadOnlyFile(p)) {
                busy_ = true;
                break;
            }
        return;
    }
    held_ = true;
    for (std::size_t k = 0; k < sources.size(); ++k)
        if (isReadOnlyFile(sources[k])) {
            std::string target = targetOf(k);
            if (!target.empty()) copies_.push_back({k, std::move(target)});
        }
    publish();
}

void ReadOnlyCopies::publish() {
    scratch_.clear();
    for (const Copy& c : copies_) scratch_.push_back(c.target);
}

void ReadOnlyCopies::requestDone(std::size_t count, int notProcessed) {
    const bool handedOn = count <= std::size_t(TFileOperation::MaxEntries) &&
                          std::size_t(notProcessed) < count;
    if (held_ && !handedOn) scratch_.clear();
}

void ReadOnlyCopies::retarget(const std::vector<std::string>& usedTargets) {
    if (!held_ || usedTargets.empty()) return;
    std::vector<Copy> kept;
    for (Copy& c : copies_)
        if (c.source < usedTargets.size() && !usedTargets[c.source].empty())
            kept.push_back({c.source, usedTargets[c.source]});
    copies_ = std::move(kept);
    publish();
}

void ReadOnlyCopies::keepDone(const JobOutcome& outcome) {
    if (!held_ || outcome.items.empty()) return;
    std::erase_if(copies_, [&](const Copy& c) {
        return c.source >= outcome.items.size() || outcome.items[c.source].status != ItemStatus::Done;
    });
    publish();
}

void ReadOnlyCopies::finish(QStringList& summary, OperationOptions options, TFileOperation& engine) {
    if (held_ && !scratch_.empty()) {
        if (!options.has(OperationOption::CallRemoveReadOnly) ||
            MsgBox(QStringLiteral("読み取り専用属性を解除します。"), ConfirmCaption, mb::YesNo) ==
                id::Yes) {
            const int kept = ChangeAttributesOfList(scratch_, false, false, false, engine);
            if (kept > 0)
                summary << QString::number(kept) +
                               QStringLiteral("個のファイルの読み取り専用属性は解除できませんでした。");
        }
    } else if (busy_) {
        summary << QStringLiteral("読み取り専用属性の解除操作は実行できませんでした。");
    }
    if (held_) {
        scratch_.clear();
        held_ = false;
    }
}
