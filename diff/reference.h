// The straightforward comparison, step by step: every run of every length is built by joining
// units and searched from the start of the other text. Far too slow for real use; kept as the
// reference that the fast engine is tested against.
#pragma once

#include <cstdint>

#include "core/array.h"
#include "core/text.h"
#include "diff/compare.h"
#include "diff/coverage.h"

namespace dorvane {

// The 1-based byte position of the first place, at a unit start of haystack, where needle's
// bytes stand; -1 for none. An empty needle is found at 1 in a non-empty haystack.
int32_t FirstOccurrence(TextRef haystack, TextRef needle);

// A fresh text of the first min(n, length) bytes, counted without regard to units; no text
// when that is 0.
Text HeadBytes(TextRef text, int32_t n);

// Copies source's bytes into target from byte offset onwards, in place. The caller guarantees
// offset >= 0 and offset + length(source) <= length(target).
void OverwriteAt(TextRef source, Text& target, int32_t offset);

// Lists, in positions, the unit numbers of the mask's mark bytes (0x14) and returns how many.
int32_t CollectMarkPositions(TextRef mask, IntArray& positions);

// The unit list of text with each TAB unit as one element "\t" (the split gives two empty
// elements for it).
int32_t UnitsForComparison(TextRef text, TextArray& units);

// How the step-by-step procedure builds its runs. kAfresh is the procedure as it stands: for
// each run length from 3 upwards, for each start, the run is joined unit by unit onto an empty
// text. kExtending builds the runs from one start by joining one more unit onto the run before:
// the same runs, searched the same way, so the same coverage, with far fewer joins; the many
// random tests use it.
enum class RunBuilding { kAfresh, kExtending };

// Coverage by the step-by-step procedure.
Coverage ReferenceCoverage(TextRef first, TextRef second,
                           RunBuilding building = RunBuilding::kExtending);

// The whole step-by-step comparison including its own overlay step (mark bytes collected by
// unit number, each unit written at its number less one). It places units right only in texts
// of single-byte units without TAB or 0x14; tests hold the overlay builder to it there.
void CompareTextsReference(TextRef first, TextRef second, LabelCaptions& labels,
                           RunBuilding building = RunBuilding::kAfresh);

}  // namespace dorvane
