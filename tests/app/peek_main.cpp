// A test-only console program that looks into a running Dorvane window from outside: where
// the main window's client area and each edit box's text area lie on the screen, where each
// character of each box stands, and whether the label over it shows that character.
//   dorvane_peek            prints lines for the end-to-end checks:
//   client X Y
//   labels VISIBLE          1 when both labels are shown
//   box N LEFT TOP RIGHT BOTTOM                 the text area on the screen
//   char N AT_BYTE X0 X1 UNCOVERED                 one character of box N on the screen
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>

namespace {

constexpr int kEdit[] = {0x160100B3, 0x160100B4};
constexpr int kLabel[] = {0x160100E7, 0x160100E8};

// The text of a window of another process. GetWindowText does not ask such a window (an edit
// box keeps its text itself), so the box is sent WM_GETTEXT; a label's caption is its window
// text and GetWindowText reads that.
std::string BoxText(HWND box) {
  const auto length = static_cast<int>(SendMessageA(box, WM_GETTEXTLENGTH, 0, 0));
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const auto read = static_cast<int>(SendMessageA(box, WM_GETTEXT, static_cast<WPARAM>(length + 1),
                                                  reinterpret_cast<LPARAM>(text.data())));
  text.resize(static_cast<std::size_t>(read > 0 ? read : 0));
  return text;
}

std::string Caption(HWND label) {
  const int length = GetWindowTextLengthA(label);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int read = GetWindowTextA(label, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(read > 0 ? read : 0));
  return text;
}

}  // namespace

int main() {
  // Plain line ends for the scripts that read this.
  _setmode(_fileno(stdout), _O_BINARY);
  HWND main_window = FindWindowA("DorvaneMainWindow", nullptr);
  if (main_window == nullptr) {
    std::fprintf(stderr, "no Dorvane window\n");
    return 1;
  }
  POINT client{0, 0};
  ClientToScreen(main_window, &client);
  std::printf("client %ld %ld\n", client.x, client.y);
  HWND labels[2] = {GetDlgItem(main_window, kLabel[0]), GetDlgItem(main_window, kLabel[1])};
  std::printf("labels %d\n", IsWindowVisible(labels[0]) && IsWindowVisible(labels[1]) ? 1 : 0);
  for (int n = 0; n < 2; ++n) {
    HWND box = GetDlgItem(main_window, kEdit[n]);
    RECT format{};
    SendMessageA(box, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    MapWindowPoints(box, nullptr, reinterpret_cast<POINT*>(&format), 2);
    std::printf("box %d %ld %ld %ld %ld\n", n + 1, format.left, format.top, format.right,
                format.bottom);
    const std::string text = BoxText(box);
    // The label's window text is its caption: the overlay, at_byte for at_byte over the box's text.
    const std::string caption = Caption(labels[n]);
    int at_byte = 0;
    for (int character = 0; at_byte < static_cast<int>(text.size()); ++character) {
      const int unit = static_cast<unsigned char>(text[at_byte]) > 0x7F &&
                               at_byte + 1 < static_cast<int>(text.size())
                           ? 2
                           : 1;
      const LRESULT from = SendMessageA(box, EM_POSFROMCHAR, character, 0);
      const LRESULT to = SendMessageA(box, EM_POSFROMCHAR, character + 1, 0);
      if (from != -1) {
        POINT start{static_cast<short>(LOWORD(from)), static_cast<short>(HIWORD(from))};
        POINT end{to != -1 ? static_cast<short>(LOWORD(to)) : start.x + 6 * unit, start.y};
        ClientToScreen(box, &start);
        ClientToScreen(box, &end);
        bool uncovered = false;
        for (int i = at_byte; i < at_byte + unit; ++i) {
          if (i < static_cast<int>(caption.size()) && caption[i] != ' ') uncovered = true;
        }
        std::printf("char %d %d %ld %ld %d\n", n + 1, at_byte, start.x, end.x, uncovered ? 1 : 0);
      }
      at_byte += unit;
    }
  }
  return 0;
}
