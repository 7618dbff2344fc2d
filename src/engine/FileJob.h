#pragma once

// Operation codes and flags of file jobs.
namespace fo {
inline constexpr unsigned Move = 1;
inline constexpr unsigned Copy = 2;
inline constexpr unsigned Delete = 3;
}  // namespace fo

namespace fof {
inline constexpr unsigned MultiDestFiles = 0x0001;
inline constexpr unsigned Silent = 0x0004;
inline constexpr unsigned RenameOnCollision = 0x0008;
inline constexpr unsigned NoConfirmation = 0x0010;
inline constexpr unsigned AllowUndo = 0x0040;
inline constexpr unsigned SimpleProgress = 0x0100;
inline constexpr unsigned NoConfirmMkDir = 0x0200;
inline constexpr unsigned NoErrorUi = 0x0400;
}  // namespace fof
