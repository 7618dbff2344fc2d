// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>

#include "engine/FileJob.h"

// The option set of file operations, as the settings file keeps it (an
// integer of bits) and the settings dialog edits it. Bits 0 to 5 become job
// options; bits 6 and 7 are read by the copy and move commands.
enum class OperationOption : std::uint32_t {
    NonConfirmation = 1u << 0,
    NonConfirmMkDir = 1u << 1,
    NoErrorUi = 1u << 2,
    RenameOnCollision = 1u << 3,
    Silent = 1u << 4,
    SimpleProgress = 1u << 5,
    ClearReadOnlyOnCopy = 1u << 6,
    CallRemoveReadOnly = 1u << 7,
};

class OperationOptions {
public:
    OperationOptions() = default;
    OperationOptions(std::initializer_list<OperationOption> options) {
        for (OperationOption o : options) set(o);
    }
    // The stored integer and back; bits this program does not know are kept.
    static OperationOptions fromBits(std::int32_t bits) {
        OperationOptions o;
        o.bits_ = std::uint32_t(bits);
        return o;
    }
    std::int32_t bits() const { return std::int32_t(bits_); }

    bool has(OperationOption o) const { return (bits_ & std::uint32_t(o)) != 0; }
    void set(OperationOption o, bool on = true) {
        bits_ = on ? bits_ | std::uint32_t(o) : bits_ & ~std::uint32_t(o);
    }
    bool operator==(const OperationOptions&) const = default;

private:
    std::uint32_t bits_ = 0;
};

// What an option set asks of a copy or move job: its options and, with
// SimpleProgress, the progress dialog's title.
struct JobSettings {
    JobOptions options;
    std::string progressTitle;
};
JobSettings jobSettingsFor(OperationOptions options);
