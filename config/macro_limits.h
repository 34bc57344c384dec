#pragma once

// The device's macro block; the macro editor's macrocodec.js holds the same
// figures, and tst_macros checks that the two agree.
namespace macro_limits {

inline constexpr int blockSize = 128;
// A block holds the 2-byte repeat count and then 2 bytes per action; each
// action may follow one delay row: (128 - 2) / 2 * 2 rows at most.
inline constexpr int maxEvents = 126;

} // namespace macro_limits
