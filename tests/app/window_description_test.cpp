// The main window's description held against the settings tables of the window.
#include "app/window_description.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace dorvane::app {
namespace {

// Code page 936 bytes as UTF-16, to hold names and captions against their characters.
std::wstring FromGbk(const char* bytes) {
  wchar_t wide[64]{};
  const int n = MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, bytes, -1, wide, 64);
  return n > 0 ? std::wstring(wide, static_cast<std::size_t>(n - 1)) : std::wstring(L"<invalid>");
}

const ControlDescription* FindControl(std::uint32_t number) {
  for (const ControlDescription& control : FindWindowDescription(kMainWindowNumber)->controls) {
    if (control.number == number) return &control;
  }
  return nullptr;
}

TEST(WindowDescriptionTest, FoundByItsNumberOnly) {
  ASSERT_NE(FindWindowDescription(0x52010001), nullptr);
  EXPECT_EQ(FindWindowDescription(0x52010001)->number, 0x52010001u);
  EXPECT_EQ(FindWindowDescription(0x52010002), nullptr);
  EXPECT_EQ(FindWindowDescription(0), nullptr);
  EXPECT_TRUE(WindowDescriptionsReadable());
}

TEST(WindowDescriptionTest, MainWindowSettings) {
  const WindowDescription& window = *FindWindowDescription(kMainWindowNumber);
  EXPECT_STREQ(window.caption, "Dorvane");
  EXPECT_EQ(window.width, 1389);
  EXPECT_EQ(window.height, 137);
  EXPECT_EQ(window.start_position, StartPosition::kCentred);
  EXPECT_EQ(window.border, Border::kFixed);
  EXPECT_TRUE(window.control_box);
  EXPECT_TRUE(window.minimize_box);
  EXPECT_FALSE(window.maximize_box);
  EXPECT_TRUE(window.movable);
  EXPECT_FALSE(window.always_on_top);
  EXPECT_TRUE(window.in_taskbar);
  EXPECT_TRUE(window.escape_closes);
  EXPECT_FALSE(window.enter_moves_focus);
  EXPECT_FALSE(window.f1_help);
  EXPECT_FALSE(window.drag_anywhere);
  EXPECT_STREQ(window.icon, "DEFAULT_ICON");
  Handler handler{};
  ASSERT_TRUE(FindBinding(window.bindings, EventCode::kCreated, &handler));
  EXPECT_EQ(handler, Handler::kCreated);
}

struct ControlCase {
  const char* test_name;
  std::uint32_t number;
  const wchar_t* name;
  ControlKind kind;
  int left, top, width, height;
  bool tab_stop;
  EventCode code;
  Handler handler;
};

// In description order: the top of the stacking order first.
const ControlCase kControlCases[] = {
    {"Label2", 0x160100E8, L"透明标签2", ControlKind::kTransLabel, 18, 45, 1358, 25, false,
     EventCode::kPress, Handler::kPressLabel2},
    {"Label1", 0x160100E7, L"透明标签1", ControlKind::kTransLabel, 18, 17, 1358, 23, false,
     EventCode::kPress, Handler::kPressLabel1},
    {"Button2", 0x160100B6, L"按钮2", ControlKind::kButton, 15, 74, 641, 29, true,
     EventCode::kClick, Handler::kClear},
    {"Button1", 0x160100B5, L"按钮1", ControlKind::kButton, 726, 74, 641, 29, true,
     EventCode::kClick, Handler::kCompare},
    {"Edit2", 0x160100B4, L"编辑框2", ControlKind::kEditBox, 16, 45, 1352, 24, true,
     EventCode::kDoubleClick, Handler::kDoubleClickEdit2},
    {"Edit1", 0x160100B3, L"编辑框1", ControlKind::kEditBox, 16, 16, 1352, 24, true,
     EventCode::kDoubleClick, Handler::kDoubleClickEdit1},
};

class ControlDescriptionTest : public ::testing::TestWithParam<std::size_t> {};

TEST_P(ControlDescriptionTest, MatchesTable) {
  const ControlCase& expected = kControlCases[GetParam()];
  const auto& controls = FindWindowDescription(kMainWindowNumber)->controls;
  ASSERT_EQ(controls.size(), std::size(kControlCases));
  const ControlDescription& control = controls[GetParam()];
  EXPECT_EQ(control.number, expected.number);
  EXPECT_EQ(FromGbk(control.name), expected.name);
  EXPECT_EQ(control.kind, expected.kind);
  EXPECT_EQ(control.left, expected.left);
  EXPECT_EQ(control.top, expected.top);
  EXPECT_EQ(control.width, expected.width);
  EXPECT_EQ(control.height, expected.height);
  EXPECT_EQ(control.parent, 0u);
  EXPECT_TRUE(control.visible);
  EXPECT_FALSE(control.disabled);
  EXPECT_EQ(control.tab_stop, expected.tab_stop);
  EXPECT_EQ(control.tab_order, 0);
  EXPECT_EQ(control.cursor, Cursor::kArrow);
  EXPECT_STREQ(control.tag, "");
  ASSERT_EQ(control.bindings.size(), 1u);
  EXPECT_EQ(control.bindings[0].code, expected.code);
  EXPECT_EQ(control.bindings[0].handler, expected.handler);
}

INSTANTIATE_TEST_SUITE_P(MainWindow, ControlDescriptionTest,
                         ::testing::Range<std::size_t>(0, std::size(kControlCases)),
                         [](const auto& param_info) {
                           return kControlCases[param_info.param].test_name;
                         });

TEST(WindowDescriptionTest, ButtonCaptionsInCodePage936) {
  EXPECT_EQ(FromGbk(FindControl(kButton2Number)->button->caption), L"清空");
  EXPECT_EQ(FromGbk(FindControl(kButton1Number)->button->caption), L"对比");
  for (std::uint32_t number : {kButton1Number, kButton2Number}) {
    const ButtonSettings& button = *FindControl(number)->button;
    EXPECT_FALSE(button.default_button);
    EXPECT_EQ(button.horizontal_alignment, HorizontalAlignment::kCentre);
    EXPECT_EQ(button.vertical_alignment, VerticalAlignment::kCentre);
    EXPECT_FALSE(button.picture);
  }
}

TEST(WindowDescriptionTest, LabelSettings) {
  const LabelSettings& first = *FindControl(kLabel1Number)->label;
  const LabelSettings& second = *FindControl(kLabel2Number)->label;
  EXPECT_EQ(first.text_colour, (Rgb{255, 0, 0}));
  EXPECT_EQ(second.text_colour, (Rgb{0, 136, 255}));
  for (const LabelSettings* label : {&first, &second}) {
    EXPECT_STREQ(label->caption, "");
    EXPECT_EQ(label->effect, LabelEffect::kNone);
    EXPECT_EQ(label->horizontal_alignment, HorizontalAlignment::kLeft);
    EXPECT_FALSE(label->word_wrap);
    EXPECT_EQ(label->vertical_alignment, VerticalAlignment::kCentre);
  }
}

TEST(WindowDescriptionTest, EditBoxSettings) {
  for (std::uint32_t number : {kEdit1Number, kEdit2Number}) {
    const EditBoxSettings& box = *FindControl(number)->edit_box;
    EXPECT_TRUE(box.sunken_border);
    EXPECT_EQ(box.text_colour, (Rgb{0, 0, 0}));
    EXPECT_EQ(box.background_colour, (Rgb{255, 255, 255}));
    EXPECT_TRUE(box.hide_selection);
    EXPECT_EQ(box.maximum_length, 0);
    EXPECT_FALSE(box.multi_line);
    EXPECT_FALSE(box.scroll_bars);
    EXPECT_EQ(box.alignment, HorizontalAlignment::kLeft);
    EXPECT_EQ(box.input_mode, InputMode::kNormal);
    EXPECT_EQ(box.case_conversion, CaseConversion::kNone);
    EXPECT_FALSE(box.spin_control);
    EXPECT_EQ(box.selection_start, 0);
    EXPECT_EQ(box.selection_length, 0);
  }
}

// The sample texts: the same forum host and path, differing only in some digits.
TEST(WindowDescriptionTest, SampleTextsDifferOnlyInDigits) {
  const char* first = FindControl(kEdit1Number)->edit_box->text;
  const char* second = FindControl(kEdit2Number)->edit_box->text;
  ASSERT_EQ(std::strlen(first), std::strlen(second));
  EXPECT_EQ(std::strncmp(first, "https://", 8), 0);
  EXPECT_NE(
      std::strstr(first, "/forum.php?mod=viewthread&tid=14344644&page=1&ordertype=1#pid15671752"),
      nullptr);
  EXPECT_NE(
      std::strstr(second, "/forum.php?mod=viewthread&tid=14233658&page=1&ordertype=1#pid15667666"),
      nullptr);
  int differences = 0;
  for (std::size_t i = 0; first[i] != '\0'; ++i) {
    if (first[i] == second[i]) continue;
    ++differences;
    EXPECT_TRUE(first[i] >= '0' && first[i] <= '9' && second[i] >= '0' && second[i] <= '9') << i;
  }
  EXPECT_GT(differences, 0);
}

}  // namespace
}  // namespace dorvane::app
