#pragma once

#include <cstdint>

namespace qarn {

// The DrawText format bits a column's DrawFlags are written in.
inline constexpr int32_t kDtCenter = 0x1;
inline constexpr int32_t kDtRight = 0x2;
inline constexpr int32_t kDtVCenter = 0x4;
inline constexpr int32_t kDtBottom = 0x8;
inline constexpr int32_t kDtWordBreak = 0x10;
inline constexpr int32_t kDtSingleLine = 0x20;
inline constexpr int32_t kDtNoPrefix = 0x800;
inline constexpr int32_t kDtEndEllipsis = 0x8000;
// What a cell gets when neither its column nor an event gives flags: one line, left, centred.
inline constexpr int32_t kDtDefaultCell = kDtSingleLine | kDtVCenter;

// Qt text flags (alignment, wrapping, mnemonic '&') that draw as DrawText does with these bits;
// 0 stands for kDtDefaultCell.
int QtTextFlags(int32_t drawFlags);

}  // namespace qarn
