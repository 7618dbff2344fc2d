#pragma once

#include <cstdint>

#include <QString>

// Bits of the option set FileOperationOptions. Bits 0 to 5 become request
// flags; bits 6 and 7 are read by the copy and move commands.
namespace fopt {
inline constexpr std::int32_t NonConfirmation = 0x01;
inline constexpr std::int32_t NonConfirmMkDir = 0x02;
inline constexpr std::int32_t NoErrorUi = 0x04;
inline constexpr std::int32_t RenameOnCollision = 0x08;
inline constexpr std::int32_t Silent = 0x10;
inline constexpr std::int32_t SimpleProgress = 0x20;
inline constexpr std::int32_t ClearReadOnlyOnCopy = 0x40;
inline constexpr std::int32_t CallRemoveReadOnly = 0x80;

constexpr bool has(std::int32_t options, std::int32_t bit) { return (options & bit) != 0; }
}  // namespace fopt

// What an option set asks of a request: the fof:: flags and the progress title.
struct RequestFlags {
    unsigned flags = 0;
    QString progressTitle;
};

RequestFlags requestFlagsFor(std::int32_t options);
