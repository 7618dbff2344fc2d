// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Message-box style bits and button identifiers with their Windows values, so
// that callers and stored expectations keep the familiar numbers.
namespace mb {
inline constexpr int Ok = 0x0;
inline constexpr int OkCancel = 0x1;
inline constexpr int YesNoCancel = 0x3;
inline constexpr int YesNo = 0x4;
inline constexpr int ButtonMask = 0xF;

inline constexpr int IconError = 0x10;
inline constexpr int IconQuestion = 0x20;
inline constexpr int IconWarning = 0x30;
inline constexpr int IconInformation = 0x40;
inline constexpr int IconMask = 0xF0;

inline constexpr int DefButton2 = 0x100;
inline constexpr int DefButton3 = 0x200;
inline constexpr int DefButtonMask = 0xF00;
}  // namespace mb

namespace id {
inline constexpr int None = -1;
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int Yes = 6;
inline constexpr int No = 7;
}  // namespace id
