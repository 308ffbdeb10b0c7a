// The main window as made at start-up: geometry, styles, creation and stacking order, the
// handlers, the state of the labels, keys and focus, and SetLabelCaption.
#include "app/main_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "window_fixture.h"

namespace dorvane::app {
namespace {

std::string ClassOf(HWND window) {
  char name[64]{};
  GetClassNameA(window, name, sizeof name);
  return name;
}

TEST_F(WindowTest, CentredAtItsOuterSize) {
  const RECT outer = ScreenRect(main_->hwnd());
  EXPECT_EQ(outer.right - outer.left, 1389);
  EXPECT_EQ(outer.bottom - outer.top, 137);
  EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 1389) / 2);
  EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 137) / 2);
  EXPECT_EQ(WindowText(main_->hwnd()), "Dorvane");
  EXPECT_EQ(GetWindow(main_->hwnd(), GW_OWNER), nullptr);
}

TEST_F(WindowTest, MainWindowStyles) {
  const auto style = static_cast<DWORD>(GetWindowLongA(main_->hwnd(), GWL_STYLE));
  for (DWORD wanted : {DWORD{WS_CAPTION}, DWORD{WS_SYSMENU}, DWORD{WS_MINIMIZEBOX},
                       DWORD{WS_CLIPCHILDREN}, DWORD{WS_VISIBLE}}) {
    EXPECT_EQ(style & wanted, wanted) << std::hex << wanted;
  }
  for (DWORD unwanted :
       {DWORD{WS_THICKFRAME}, DWORD{WS_MAXIMIZEBOX}, DWORD{WS_POPUP}, DWORD{WS_CHILD}}) {
    EXPECT_EQ(style & unwanted, 0u) << std::hex << unwanted;
  }
  // The system adds WS_EX_WINDOWEDGE to every window with a caption; nothing else is asked for.
  const auto extended = static_cast<DWORD>(GetWindowLongA(main_->hwnd(), GWL_EXSTYLE));
  EXPECT_EQ(extended & ~static_cast<DWORD>(WS_EX_WINDOWEDGE), 0u);
  const auto background = GetClassLongPtrA(main_->hwnd(), GCLP_HBRBACKGROUND);
  EXPECT_EQ(background, COLOR_BTNFACE + 1);
}

TEST_F(WindowTest, IconsAndFontSet) {
  EXPECT_NE(SendMessageA(main_->hwnd(), WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_NE(SendMessageA(main_->hwnd(), WM_GETICON, ICON_SMALL, 0), 0);
  const auto font = reinterpret_cast<HFONT>(main_->font().get());
  ASSERT_NE(font, nullptr);
  for (std::uint32_t number : {kEdit1Number, kEdit2Number, kButton1Number, kButton2Number}) {
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(Control(number), WM_GETFONT, 0, 0)), font);
  }
}

struct ControlWindowCase {
  const char* test_name;
  std::uint32_t number;
  const char* class_name;
  RECT rect;  // in the main window's client coordinates
  DWORD style;
  DWORD extended_style;
  const char* text;
};

const ControlWindowCase kControlWindowCases[] = {
    {"Edit1",
     kEdit1Number,
     "Edit",
     {16, 16, 1368, 40},
     WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL,
     WS_EX_CLIENTEDGE,
     "https://bbs.dorvane.example/forum.php?mod=viewthread&tid=14344644&page=1&ordertype=1"
     "#pid15671752"},
    {"Edit2",
     kEdit2Number,
     "Edit",
     {16, 45, 1368, 69},
     WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL,
     WS_EX_CLIENTEDGE,
     "https://bbs.dorvane.example/forum.php?mod=viewthread&tid=14233658&page=1&ordertype=1"
     "#pid15667666"},
    {"Button1",
     kButton1Number,
     "Button",
     {726, 74, 1367, 103},
     WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE | BS_CENTER |
         BS_VCENTER,
     0,
     "\xB6\xD4\xB1\xC8"},
    {"Button2",
     kButton2Number,
     "Button",
     {15, 74, 656, 103},
     WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE | BS_CENTER |
         BS_VCENTER,
     0,
     "\xC7\xE5\xBF\xD5"},
    {"Label1",
     kLabel1Number,
     TransLabel::kClassName,
     {18, 17, 1376, 40},
     WS_CHILD | WS_CLIPSIBLINGS,
     WS_EX_TRANSPARENT,
     ""},
    {"Label2",
     kLabel2Number,
     TransLabel::kClassName,
     {18, 45, 1376, 70},
     WS_CHILD | WS_CLIPSIBLINGS,
     WS_EX_TRANSPARENT,
     ""},
};

class ControlWindowTest : public WindowTest, public ::testing::WithParamInterface<std::size_t> {};

TEST_P(ControlWindowTest, MadeFromItsDescription) {
  const ControlWindowCase& expected = kControlWindowCases[GetParam()];
  HWND control = Control(expected.number);
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(GetParent(control), main_->hwnd());
  EXPECT_STRCASEEQ(ClassOf(control).c_str(), expected.class_name);
  RECT rect = ScreenRect(control);
  MapWindowPoints(nullptr, main_->hwnd(), reinterpret_cast<POINT*>(&rect), 2);
  EXPECT_EQ(rect.left, expected.rect.left);
  EXPECT_EQ(rect.top, expected.rect.top);
  EXPECT_EQ(rect.right, expected.rect.right);
  EXPECT_EQ(rect.bottom, expected.rect.bottom);
  const auto style = static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE));
  EXPECT_EQ(style & ~static_cast<DWORD>(WS_VISIBLE), expected.style) << std::hex << style;
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(control, GWL_EXSTYLE)), expected.extended_style);
  EXPECT_EQ(WindowText(control), expected.text);
  EXPECT_EQ(static_cast<std::uint32_t>(GetDlgCtrlID(control)), expected.number);
}

INSTANTIATE_TEST_SUITE_P(MainWindow, ControlWindowTest,
                         ::testing::Range<std::size_t>(0, std::size(kControlWindowCases)),
                         [](const auto& param_info) {
                           return kControlWindowCases[param_info.param].test_name;
                         });

TEST_F(WindowTest, StackedInDescriptionOrder) {
  const std::vector<HWND> expected = {label2(), label1(), button2(), button1(), edit2(), edit1()};
  std::vector<HWND> stacked;
  for (HWND child = GetWindow(main_->hwnd(), GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    stacked.push_back(child);
  }
  EXPECT_EQ(stacked, expected);
}

TEST_F(WindowTest, AtStartLabelsHiddenFocusInFirstBox) {
  EXPECT_TRUE(IsWindowVisible(main_->hwnd()));
  EXPECT_EQ(GetActiveWindow(), main_->hwnd());
  EXPECT_FALSE(IsWindowVisible(label1()));
  EXPECT_FALSE(IsWindowVisible(label2()));
  for (HWND visible : {edit1(), edit2(), button1(), button2()})
    EXPECT_TRUE(IsWindowVisible(visible));
  EXPECT_EQ(GetFocus(), edit1());
  EXPECT_TRUE(main_->Label(OverlayLabel::kFirst)->caption().empty());
  EXPECT_TRUE(main_->Label(OverlayLabel::kSecond)->caption().empty());
}

TEST_F(WindowTest, EditBoxSettingsApplied) {
  for (HWND box : {edit1(), edit2()}) {
    DWORD start = 1, end = 1;
    SendMessageA(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 0u);
    // 0 asks for the system's maximum, far above the default of 30000.
    EXPECT_GT(static_cast<unsigned>(SendMessageA(box, EM_GETLIMITTEXT, 0, 0)), 0x7FFF0000u);
  }
}

TEST_F(WindowTest, EditBoxColoursAndBrush) {
  HDC dc = CreateCompatibleDC(nullptr);
  const auto brush = reinterpret_cast<HBRUSH>(SendMessageA(main_->hwnd(), WM_CTLCOLOREDIT,
                                                           reinterpret_cast<WPARAM>(dc),
                                                           reinterpret_cast<LPARAM>(edit1())));
  ASSERT_NE(brush, nullptr);
  LOGBRUSH info{};
  ASSERT_NE(GetObjectA(brush, sizeof info, &info), 0);
  EXPECT_EQ(info.lbStyle, static_cast<UINT>(BS_SOLID));
  EXPECT_EQ(info.lbColor, RGB(255, 255, 255));
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
  EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
  DeleteDC(dc);
}

// The state table of the labels: each step is an action, then the state it must leave.
enum class Action { kCompare, kPressLabel1, kPressLabel2, kClear };
struct LabelStateCase {
  const char* test_name;
  std::vector<Action> actions;
  bool shown_at_end;
  bool captions_set;
};

const LabelStateCase kLabelStateCases[] = {
    {"CompareShows", {Action::kCompare}, true, true},
    {"PressOnFirstHides", {Action::kCompare, Action::kPressLabel1}, false, true},
    {"PressOnSecondHides", {Action::kCompare, Action::kPressLabel2}, false, true},
    {"CompareAgainShows", {Action::kCompare, Action::kPressLabel1, Action::kCompare}, true, true},
    {"ClearLeavesThemShown", {Action::kCompare, Action::kClear}, true, true},
    {"ClearLeavesThemHidden", {Action::kClear}, false, false},
};

class LabelStateTest : public WindowTest, public ::testing::WithParamInterface<std::size_t> {};

TEST_P(LabelStateTest, LabelsChangeTogether) {
  const LabelStateCase& state = kLabelStateCases[GetParam()];
  for (Action action : state.actions) {
    switch (action) {
      case Action::kCompare:
        Compare();
        break;
      case Action::kPressLabel1:
        SendMessageA(label1(), WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5));
        break;
      case Action::kPressLabel2:
        SendMessageA(label2(), WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5));
        break;
      case Action::kClear:
        SendMessageA(button2(), BM_CLICK, 0, 0);
        break;
    }
    PumpMessages();
    EXPECT_EQ(IsWindowVisible(label1()), IsWindowVisible(label2()));
  }
  EXPECT_EQ(IsWindowVisible(label1()) != FALSE, state.shown_at_end);
  EXPECT_EQ(!main_->Label(OverlayLabel::kFirst)->caption().empty(), state.captions_set);
  EXPECT_EQ(!main_->Label(OverlayLabel::kSecond)->caption().empty(), state.captions_set);
}

INSTANTIATE_TEST_SUITE_P(MainWindow, LabelStateTest,
                         ::testing::Range<std::size_t>(0, std::size(kLabelStateCases)),
                         [](const auto& param_info) {
                           return kLabelStateCases[param_info.param].test_name;
                         });

TEST_F(WindowTest, CompareSetsTheOverlaysOfTheSampleTexts) {
  Compare();
  const std::string first = main_->Label(OverlayLabel::kFirst)->caption().c_str();
  const std::string second = main_->Label(OverlayLabel::kSecond)->caption().c_str();
  ASSERT_EQ(first.size(), 10000u);
  ASSERT_EQ(second.size(), 10000u);
  // Only digits of the texts stand in the overlays, each at its own place.
  const std::string text1 = WindowText(edit1());
  const std::string text2 = WindowText(edit2());
  int shown = 0;
  for (std::size_t i = 0; i < first.size(); ++i) {
    if (first[i] != ' ') {
      ++shown;
      ASSERT_LT(i, text1.size());
      EXPECT_EQ(first[i], text1[i]);
      EXPECT_TRUE(first[i] >= '0' && first[i] <= '9');
    }
    if (second[i] != ' ') {
      ASSERT_LT(i, text2.size());
      EXPECT_EQ(second[i], text2[i]);
    }
  }
  EXPECT_GT(shown, 0);
  EXPECT_EQ(WindowText(label1()), first);
  EXPECT_EQ(WindowText(label2()), second);
  EXPECT_TRUE(IsWindowVisible(label1()));
  EXPECT_TRUE(IsWindowVisible(label2()));
}

TEST_F(WindowTest, CompareOfEmptyBoxesGivesSpacesOnly) {
  SendMessageA(button2(), BM_CLICK, 0, 0);
  Compare();
  const std::string first = main_->Label(OverlayLabel::kFirst)->caption().c_str();
  EXPECT_EQ(first, std::string(10000, ' '));
  EXPECT_EQ(std::string(main_->Label(OverlayLabel::kSecond)->caption().c_str()),
            std::string(10000, ' '));
  EXPECT_TRUE(IsWindowVisible(label1()));
}

TEST_F(WindowTest, ClearEmptiesBothBoxes) {
  SendMessageA(button2(), BM_CLICK, 0, 0);
  EXPECT_EQ(WindowText(edit1()), "");
  EXPECT_EQ(WindowText(edit2()), "");
}

struct DoubleClickCase {
  const char* test_name;
  std::uint32_t clicked;
  std::uint32_t emptied;
  std::uint32_t kept;
};

const DoubleClickCase kDoubleClickCases[] = {
    {"FirstBox", kEdit1Number, kEdit1Number, kEdit2Number},
    {"SecondBox", kEdit2Number, kEdit2Number, kEdit1Number},
};

class DoubleClickTest : public WindowTest, public ::testing::WithParamInterface<std::size_t> {};

TEST_P(DoubleClickTest, EmptiesThatBoxOnly) {
  const DoubleClickCase& click = kDoubleClickCases[GetParam()];
  const std::string kept = WindowText(Control(click.kept));
  SendMessageA(Control(click.clicked), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(30, 8));
  PumpMessages();
  EXPECT_EQ(WindowText(Control(click.emptied)), "");
  EXPECT_EQ(WindowText(Control(click.kept)), kept);
  EXPECT_FALSE(IsWindowVisible(label1()));
}

INSTANTIATE_TEST_SUITE_P(MainWindow, DoubleClickTest,
                         ::testing::Range<std::size_t>(0, std::size(kDoubleClickCases)),
                         [](const auto& param_info) {
                           return kDoubleClickCases[param_info.param].test_name;
                         });

struct PressCase {
  const char* test_name;
  std::uint32_t pressed;
  std::uint32_t focused;
};

const PressCase kPressCases[] = {
    {"FirstLabel", kLabel1Number, kEdit1Number},
    {"SecondLabel", kLabel2Number, kEdit2Number},
};

class PressTest : public WindowTest, public ::testing::WithParamInterface<std::size_t> {};

TEST_P(PressTest, HidesBothAndFocusesTheBoxBeneath) {
  const PressCase& press = kPressCases[GetParam()];
  Compare();
  SetFocus(button1());
  const std::string text1 = WindowText(edit1());
  const std::string text2 = WindowText(edit2());
  // A real press through the input system: it must reach the label, not the box beneath.
  RECT label = ScreenRect(Control(press.pressed));
  SetCursorPos(label.left + 40, (label.top + label.bottom) / 2);
  INPUT inputs[2]{};
  inputs[0].type = inputs[1].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, inputs, sizeof(INPUT));
  PumpMessages();
  EXPECT_FALSE(IsWindowVisible(label1()));
  EXPECT_FALSE(IsWindowVisible(label2()));
  EXPECT_EQ(GetFocus(), Control(press.focused));
  EXPECT_EQ(WindowText(edit1()), text1);
  EXPECT_EQ(WindowText(edit2()), text2);
}

INSTANTIATE_TEST_SUITE_P(MainWindow, PressTest,
                         ::testing::Range<std::size_t>(0, std::size(kPressCases)),
                         [](const auto& param_info) {
                           return kPressCases[param_info.param].test_name;
                         });

TEST_F(WindowTest, TabCycleOrder) {
  const std::vector<HWND> expected = {edit1(), edit2(), button1(), button2()};
  EXPECT_EQ(main_->TabCycle(), expected);
}

TEST_F(WindowTest, TabMovesForwardAndWraps) {
  const std::vector<HWND> expected = {edit2(), button1(), button2(), edit1(), edit2()};
  ASSERT_EQ(GetFocus(), edit1());
  for (HWND next : expected) {
    PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), next);
  }
}

TEST_F(WindowTest, ShiftTabMovesBackwardAndWraps) {
  const std::vector<HWND> expected = {button2(), button1(), edit2(), edit1(), button2()};
  ASSERT_EQ(GetFocus(), edit1());
  for (HWND next : expected) {
    PressKey(VK_TAB, /*shift=*/true);
    EXPECT_EQ(GetFocus(), next);
  }
}

TEST_F(WindowTest, CtrlTabIsLeftToTheControl) {
  MSG message{main_->Control(kEdit1Number), WM_KEYDOWN, VK_TAB, 1, 0, {0, 0}};
  BYTE state[256]{};
  GetKeyboardState(state);
  state[VK_CONTROL] = 0x80;
  SetKeyboardState(state);
  EXPECT_FALSE(main_->PreTranslateMessage(message));
  state[VK_CONTROL] = 0;
  SetKeyboardState(state);
  EXPECT_TRUE(main_->PreTranslateMessage(message));
}

TEST_F(WindowTest, EnterClicksNothing) {
  Compare();
  SendMessageA(label1(), WM_LBUTTONDOWN, 0, 0);
  SetFocus(button1());
  const std::string text1 = WindowText(edit1());
  PressKey(VK_RETURN);
  EXPECT_FALSE(IsWindowVisible(label1()));  // Compare did not run
  SetFocus(edit1());
  PressKey(VK_RETURN);
  EXPECT_EQ(WindowText(edit1()), text1);
  EXPECT_EQ(GetFocus(), edit1());
  EXPECT_FALSE(IsWindowVisible(label1()));
}

TEST_F(WindowTest, EscapeClosesTheWindow) {
  HWND window = main_->hwnd();
  PressKey(VK_ESCAPE);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(ToolWindowExists());
}

TEST_F(WindowTest, FocusComesBackAfterDeactivation) {
  SetFocus(button2());
  HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                               nullptr, nullptr, nullptr);
  ASSERT_NE(other, nullptr);
  SetActiveWindow(other);
  PumpMessages();
  SetActiveWindow(main_->hwnd());
  PumpMessages();
  EXPECT_EQ(GetFocus(), button2());
  DestroyWindow(other);
}

TEST_F(WindowTest, SetLabelCaptionKeepsACopyAndVisibility) {
  {
    Text caption = CopyText("  12 ");
    main_->SetLabelCaption(OverlayLabel::kFirst, caption);
  }  // the caller's text is gone; the label's copy stays
  EXPECT_STREQ(main_->Label(OverlayLabel::kFirst)->caption().c_str(), "  12 ");
  EXPECT_EQ(WindowText(label1()), "  12 ");
  EXPECT_TRUE(main_->Label(OverlayLabel::kSecond)->caption().empty());
  EXPECT_FALSE(IsWindowVisible(label1()));
  Compare();
  main_->SetLabelCaption(OverlayLabel::kSecond, CopyText("x"));
  EXPECT_TRUE(IsWindowVisible(label2()));
  EXPECT_STREQ(main_->Label(OverlayLabel::kSecond)->caption().c_str(), "x");
}

TEST_F(WindowTest, WindowGoneEndsTheLoop) {
  HWND window = main_->hwnd();
  PostMessageA(window, WM_CLOSE, 0, 0);
  RunMessageLoop();  // returns only through the quit message
  EXPECT_FALSE(IsWindow(window));
}

}  // namespace
}  // namespace dorvane::app
