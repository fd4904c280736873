// The built-in single-byte code page tables (charset groups 5 to 23).
#pragma once

namespace qm {

inline constexpr int kFirstTableGroup = 5;
inline constexpr int kCodePageTableCount = 19;

// kCodePageTables[group - kFirstTableGroup][byte - 0x80].
extern const char16_t kCodePageTables[kCodePageTableCount][128];

}  // namespace qm
