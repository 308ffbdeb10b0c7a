// dorvane-diff: the comparison from the command line. Prints the two overlays, or with --color
// the two texts with their uncovered characters in red and azure.
#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/block_array.h"
#include "diff/compare.h"
#include "diff/coverage.h"
#include "diff/samples.h"
#include "diff/segment.h"

namespace {

using dorvane::BlockArray;
using dorvane::ByteBuffer;
using dorvane::Text;

constexpr const char* kUsage =
    "usage: dorvane-diff [--color | --no-color] [FIRST SECOND | --files A B]\n"
    "Compares two single-line texts. Prints, one per line, each text with every character that\n"
    "belongs to a run of three or more characters also found in the other text replaced by a\n"
    "space (trailing spaces cut). With --color it prints the texts themselves with the other\n"
    "characters in red (first) and azure (second); that is the default on a terminal unless\n"
    "NO_COLOR is set. --files compares the whole contents of two files. Without texts it\n"
    "compares the two sample texts.\n";

// The whole file as a text, or an exit with a message naming it.
Text ReadFile(const char* path) {
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) {
    std::fprintf(stderr, "dorvane-diff: cannot read %s\n", path);
    std::exit(2);
  }
  std::size_t size = 0;
  std::size_t room = 1 << 16;
  BlockArray<char> bytes(room + 1);
  for (;;) {
    const std::size_t got = std::fread(bytes.data() + size, 1, room - size, file);
    size += got;
    if (size < room) break;
    BlockArray<char> larger(room * 2 + 1);
    std::memcpy(larger.data(), bytes.data(), size);
    bytes = std::move(larger);
    room *= 2;
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) {
    std::fprintf(stderr, "dorvane-diff: cannot read %s\n", path);
    std::exit(2);
  }
  if (std::memchr(bytes.data(), '\0', size) != nullptr) {
    std::fprintf(stderr, "dorvane-diff: %s holds a NUL byte, which no text can hold\n", path);
    std::exit(2);
  }
  if (size > static_cast<std::size_t>(INT32_MAX - 16)) {
    std::fprintf(stderr, "dorvane-diff: %s is too long\n", path);
    std::exit(2);
  }
  return dorvane::TextFromBytes(bytes.data(), static_cast<int32_t>(size));
}

void PrintOverlay(const Text& overlay) {
  const char* bytes = overlay.c_str();
  std::size_t length = std::strlen(bytes);
  while (length > 0 && bytes[length - 1] == ' ') --length;
  std::fwrite(bytes, 1, length, stdout);
  std::fputc('\n', stdout);
}

// The text with each run of uncovered units wrapped in the colour's escape sequences.
void PrintColoured(const char* text, const ByteBuffer& covered, const char* colour) {
  const int32_t length = static_cast<int32_t>(std::strlen(text));
  const unsigned char* flags = covered.Data();
  bool in_colour = false;
  for (int32_t i = 0; i < length;) {
    const int32_t width = dorvane::IsLeadByte(text[i]) && i + 1 < length ? 2 : 1;
    const bool shown = flags[i] == 0 && (width == 1 || flags[i + 1] == 0);
    if (shown != in_colour) {
      std::fputs(shown ? colour : "\x1b[0m", stdout);
      in_colour = shown;
    }
    std::fwrite(text + i, 1, static_cast<std::size_t>(width), stdout);
    i += width;
  }
  if (in_colour) std::fputs("\x1b[0m", stdout);
  std::fputc('\n', stdout);
}

class PrintingLabels final : public dorvane::LabelCaptions {
 public:
  void SetLabelCaption(dorvane::OverlayLabel, const Text& caption) override {
    PrintOverlay(caption);
  }
};

}  // namespace

int main(int argc, char** argv) {
  const char* no_color = std::getenv("NO_COLOR");
  bool colour = isatty(STDOUT_FILENO) != 0 && (no_color == nullptr || no_color[0] == '\0');
  bool files = false;
  const char* operands[2] = {nullptr, nullptr};
  int operand_count = 0;
  bool options_done = false;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (!options_done && std::strcmp(arg, "--") == 0) {
      options_done = true;
    } else if (!options_done && (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0)) {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (!options_done && std::strcmp(arg, "--color") == 0) {
      colour = true;
    } else if (!options_done && std::strcmp(arg, "--no-color") == 0) {
      colour = false;
    } else if (!options_done && std::strcmp(arg, "--files") == 0) {
      files = true;
    } else if (!options_done && arg[0] == '-' && arg[1] == '-') {
      std::fprintf(stderr, "dorvane-diff: unknown option %s\n%s", arg, kUsage);
      return 2;
    } else if (operand_count < 2) {
      operands[operand_count++] = arg;
    } else {
      std::fprintf(stderr, "dorvane-diff: too many arguments\n%s", kUsage);
      return 2;
    }
  }
  if (operand_count == 1 || (files && operand_count != 2)) {
    std::fprintf(stderr, "dorvane-diff: two texts are needed\n%s", kUsage);
    return 2;
  }

  Text first;
  Text second;
  if (operand_count == 0) {
    first = dorvane::CopyText(dorvane::kSampleFirst);
    second = dorvane::CopyText(dorvane::kSampleSecond);
  } else if (files) {
    first = ReadFile(operands[0]);
    second = ReadFile(operands[1]);
  } else {
    first = dorvane::CopyText(operands[0]);
    second = dorvane::CopyText(operands[1]);
  }

  if (colour) {
    const dorvane::Coverage coverage = dorvane::ComputeCoverage(first, second);
    PrintColoured(first.c_str(), coverage.first, "\x1b[31m");
    PrintColoured(second.c_str(), coverage.second, "\x1b[38;2;0;136;255m");
  } else {
    PrintingLabels labels;
    dorvane::CompareTexts(first, second, labels);
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
