// Time per pair and peak memory of the comparison (sizes are each text's, or the pair's in all
// where the name says so) for the input classes that matter: URL-like
// texts, unrelated texts, long random texts, degenerate repetitions and double-byte text; and
// the step-by-step engine at 400 bytes for the ratio.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "core/storage.h"
#include "diff/compare.h"
#include "diff/reference.h"

namespace dorvane {
namespace {

class CountingLabels final : public LabelCaptions {
 public:
  void SetLabelCaption(OverlayLabel, const Text& caption) override { bytes += ByteLength(caption); }
  std::int64_t bytes = 0;
};

struct Pair {
  std::string first;
  std::string second;
};

std::string Random(std::mt19937& random, const char* alphabet, std::size_t length) {
  const std::size_t size = std::strlen(alphabet);
  std::string text(length, ' ');
  for (char& c : text) c = alphabet[random() % size];
  return text;
}

// Two URL-like texts of about `length` bytes whose numbers differ here and there.
Pair NearIdenticalUrls(std::size_t length) {
  std::mt19937 random(7);
  Pair pair;
  while (pair.first.size() < length) {
    const std::string number = Random(random, "0123456789", 8);
    std::string changed = number;
    if (random() % 3 == 0) changed[random() % 8] = static_cast<char>('0' + random() % 10);
    const std::string head = "https://bbs.example-forum.net/forum.php?mod=viewthread&tid=";
    pair.first += head + number + "&page=1#pid" + Random(random, "0123456789", 6) + "&";
    pair.second += head + changed + "&page=1#pid" + Random(random, "0123456789", 6) + "&";
  }
  return pair;
}

// A copy with one byte in a thousand replaced.
Pair NearIdentical(std::size_t length) {
  std::mt19937 random(11);
  Pair pair;
  pair.first = Random(random, "abcdefghijklmnopqrstuvwxyz0123456789/.?&=", length);
  pair.second = pair.first;
  for (std::size_t i = 0; i < length / 1000; ++i) pair.second[random() % length] = '#';
  return pair;
}

Pair Unrelated(std::size_t length) {
  std::mt19937 random(13);
  return {Random(random, "abcdefghijklmnopqrstuvwxyz", length),
          Random(random, "ABCDEFGHIJKLMNOPQRSTUVWXYZ", length)};
}

Pair RandomTenLetters(std::size_t length) {
  std::mt19937 random(17);
  return {Random(random, "abcdefghij", length), Random(random, "abcdefghij", length)};
}

Pair RepeatedAgainstAlternating(std::size_t length) {
  Pair pair{std::string(length, 'a'), std::string(length, 'a')};
  for (std::size_t i = 1; i < length; i += 2) pair.second[i] = 'b';
  return pair;
}

// Half of the bytes in two-byte units (GBK ideographs), the rest ASCII, lightly edited.
Pair HalfDoubleByte(std::size_t length) {
  std::mt19937 random(19);
  Pair pair;
  while (pair.first.size() < length) {
    if (random() % 2 == 0) {
      pair.first += static_cast<char>(0xB0 + random() % 0x28);
      pair.first += static_cast<char>(0xA1 + random() % 0x5E);
    } else {
      pair.first += static_cast<char>('a' + random() % 4);
      pair.first += static_cast<char>('a' + random() % 4);
    }
  }
  pair.second = pair.first;
  for (std::size_t i = 0; i < length / 500; ++i) pair.second[(random() % (length / 2)) * 2] = 'x';
  return pair;
}

// The most storage one comparison holds at once, per input byte: every block the engine, the
// overlays and the unit lists take comes from AllocateBlock. The caller's two texts and the
// labels' copies of the captions are not counted.
double PeakBytesPerInputByte(const Pair& pair) {
  ResetPeakBlockBytes();
  const std::int64_t before = LiveBlockBytes();
  CountingLabels labels;
  CompareTexts(pair.first.c_str(), pair.second.c_str(), labels);
  return static_cast<double>(PeakBlockBytes() - before) /
         static_cast<double>(pair.first.size() + pair.second.size());
}

void RunCompare(benchmark::State& state, const Pair& pair, bool measure_memory) {
  for (auto _ : state) {
    CountingLabels labels;
    CompareTexts(pair.first.c_str(), pair.second.c_str(), labels);
    benchmark::DoNotOptimize(labels.bytes);
  }
  const double input = static_cast<double>(pair.first.size() + pair.second.size());
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(input));
  if (measure_memory) state.counters["peak_bytes_per_input_byte"] = PeakBytesPerInputByte(pair);
}

void BM_Urls10K(benchmark::State& s) {
  RunCompare(s, NearIdenticalUrls(10000), true);
}
void BM_Unrelated10K(benchmark::State& s) {
  RunCompare(s, Unrelated(10000), true);
}
void BM_RandomTenLetters1M(benchmark::State& s) {
  RunCompare(s, RandomTenLetters(1 << 20), true);
}
void BM_RandomTenLetters10M(benchmark::State& s) {
  RunCompare(s, RandomTenLetters(10 << 20), true);
}
void BM_NearIdentical1M(benchmark::State& s) {
  RunCompare(s, NearIdentical(1 << 20), true);
}
void BM_RepeatedAgainstAlternating1M(benchmark::State& s) {
  RunCompare(s, RepeatedAgainstAlternating(1 << 20), true);
}
void BM_HalfDoubleByte1M(benchmark::State& s) {
  RunCompare(s, HalfDoubleByte(1 << 20), true);
}
// The same classes with the stated size as the pair's total rather than each text's.
void BM_Urls10KInAll(benchmark::State& s) {
  RunCompare(s, NearIdenticalUrls(5000), true);
}
void BM_Unrelated10KInAll(benchmark::State& s) {
  RunCompare(s, Unrelated(5000), true);
}
void BM_RandomTenLetters1MInAll(benchmark::State& s) {
  RunCompare(s, RandomTenLetters(1 << 19), true);
}
void BM_RandomTenLetters10MInAll(benchmark::State& s) {
  RunCompare(s, RandomTenLetters(5 << 20), true);
}
void BM_HalfDoubleByte1MInAll(benchmark::State& s) {
  RunCompare(s, HalfDoubleByte(1 << 19), true);
}
void BM_Fast400(benchmark::State& s) {
  RunCompare(s, NearIdentical(400), false);
}
void BM_StepByStep400(benchmark::State& state) {
  const Pair pair = NearIdentical(400);
  for (auto _ : state) {
    CountingLabels labels;
    CompareTextsReference(pair.first.c_str(), pair.second.c_str(), labels);
    benchmark::DoNotOptimize(labels.bytes);
  }
}

BENCHMARK(BM_Urls10K)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Unrelated10K)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RandomTenLetters1M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RandomTenLetters10M)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_NearIdentical1M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepeatedAgainstAlternating1M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HalfDoubleByte1M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Urls10KInAll)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Unrelated10KInAll)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RandomTenLetters1MInAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RandomTenLetters10MInAll)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_HalfDoubleByte1MInAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Fast400)->Unit(benchmark::kMicrosecond);
void BM_StepByStepExtending400(benchmark::State& state) {
  const Pair pair = NearIdentical(400);
  for (auto _ : state) {
    CountingLabels labels;
    CompareTextsReference(pair.first.c_str(), pair.second.c_str(), labels, RunBuilding::kExtending);
    benchmark::DoNotOptimize(labels.bytes);
  }
}

BENCHMARK(BM_StepByStep400)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_StepByStepExtending400)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace dorvane

BENCHMARK_MAIN();
