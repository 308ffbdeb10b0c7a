// The two sample texts that the edit boxes hold at start: two forum addresses that differ in
// some of their digits.
#pragma once

namespace dorvane {

inline constexpr const char* kSampleFirst =
    "https://bbs.dorvane.example/forum.php?mod=viewthread&tid=14344644&page=1&ordertype=1"
    "#pid15671752";
inline constexpr const char* kSampleSecond =
    "https://bbs.dorvane.example/forum.php?mod=viewthread&tid=14233658&page=1&ordertype=1"
    "#pid15667666";

}  // namespace dorvane
