// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "engine/EngineUi.h"
#include "platform/IFileOpUi.h"

// The soak's random source: every choice of a sequence comes from it, so
// that its seed replays the sequence.
class Dice {
public:
    void seed(std::uint64_t seed) { generator_.seed(seed); }
    std::size_t below(std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(generator_);
    }
    bool chance(double p) { return std::bernoulli_distribution(p)(generator_); }
    template <class T>
    const T& pick(const std::vector<T>& from) { return from[below(from.size())]; }

private:
    std::mt19937_64 generator_;
};

// The service's dialogs, answered at random, mostly as users do. The paths
// the user chose to delete for good (the trash could not take them) are
// kept: they are not in any trash.
class RandomFileOpUi : public IFileOpUi {
public:
    explicit RandomFileOpUi(Dice& dice) : dice_(dice) {}

    Answer askOverwrite(const std::string& target, const std::string&) override {
        const double p = double(dice_.below(100)) / 100;
        const Answer a = p < 0.4 ? Answer::Yes : p < 0.5 ? Answer::YesToAll : p < 0.97 ? Answer::No : Answer::Cancel;
        if (a == Answer::Yes) replaceable.insert(target);
        if (a == Answer::YesToAll) yesToAll = true;
        return a;
    }
    bool askCreateFolder(const std::string&) override { return !dice_.chance(0.1); }
    ErrorChoice reportError(const std::string&, const QString&) override {
        return dice_.chance(0.1) ? ErrorChoice::Cancel : ErrorChoice::Skip;
    }
    bool confirmTrash(const std::vector<std::string>&) override { return !dice_.chance(0.05); }
    bool confirmErase(const std::vector<std::string>&) override { return !dice_.chance(0.05); }
    Answer confirmDeletePermanently(const std::string& path) override {
        if (dice_.chance(0.05)) return Answer::Cancel;
        if (dice_.chance(0.3)) return Answer::No;
        deletedForGood.insert(path);
        return Answer::Yes;
    }
    void progressBegin(QWidget*, const QString&, bool) override {}
    void progressUpdate(const QString&, const std::string&, long long, long long) override {}
    bool cancelRequested() override { return dice_.chance(0.02); }
    void progressEnd() override {}

    std::set<std::string> deletedForGood;
    // The targets the user allowed to be replaced, since the last clear.
    std::set<std::string> replaceable;
    bool yesToAll = false;

private:
    Dice& dice_;
};

// The engine's questions (the erase warnings), answered at random; a failure
// report means the engine met an exception: a finding.
class RandomEngineUi : public EngineUi {
public:
    explicit RandomEngineUi(Dice& dice) : dice_(dice) {}

    void notice(const std::string&) override {}
    Answer ask(const std::string&, Question question) override {
        if (question == Question::YesNo) return dice_.chance(0.3) ? Answer::No : Answer::Yes;
        const double p = double(dice_.below(100)) / 100;
        return p < 0.6 ? Answer::Yes : p < 0.92 ? Answer::No : Answer::Cancel;
    }
    void errorReport(const std::string& text) override { reports.push_back(text); }

    std::vector<std::string> reports;

private:
    Dice& dice_;
};
