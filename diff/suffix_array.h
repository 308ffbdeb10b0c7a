// Suffix array and LCP array construction, linear in the text length.
#pragma once

#include <cstdint>

namespace dorvane {

// Sorts the suffixes of text[0, n) into sa by SA-IS (Nong, Zhang and Chan, "Two Efficient
// Algorithms for Linear Time Suffix Array Construction", 2011). text[n - 1] must be 0 and 0 must
// occur nowhere else; every symbol lies below alphabet, which is at most 32768. The text is
// used as working space and holds its own symbols again on return. n >= 1.
void BuildSuffixArray(uint16_t* text, int32_t n, int32_t alphabet, int32_t* sa);

// lcp[r] = length of the longest common prefix of the suffixes sa[r - 1] and sa[r]; lcp[0] = 0.
// The text is the suffix array's: ended by its only 0.
// The permuted-LCP method of Kärkkäinen, Manzini and Puglisi ("Permuted Longest-Common-Prefix
// Array", 2009); phi is scratch space of n entries.
void BuildLcpArray(const uint16_t* text, int32_t n, const int32_t* sa, int32_t* lcp, int32_t* phi);

}  // namespace dorvane
