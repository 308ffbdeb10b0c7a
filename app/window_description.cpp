// The main window's description, as constant data.
#include "app/window_description.h"

#include "diff/samples.h"

namespace dorvane::app {
namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kAzure{0, 136, 255};

// Both edit boxes have the same settings but for their text: the sample texts, shared with the
// command-line tool.
constexpr EditBoxSettings EditBoxWithText(const char* text) {
  return EditBoxSettings{text,
                         true,
                         kBlack,
                         kWhite,
                         true,
                         0,
                         false,
                         false,
                         HorizontalAlignment::kLeft,
                         InputMode::kNormal,
                         CaseConversion::kNone,
                         false,
                         0,
                         0};
}
constexpr EditBoxSettings kEdit1Settings = EditBoxWithText(kSampleFirst);
constexpr EditBoxSettings kEdit2Settings = EditBoxWithText(kSampleSecond);

// 清空 and 对比 in code page 936.
constexpr ButtonSettings kButton2Settings{"\xC7\xE5\xBF\xD5", false, HorizontalAlignment::kCentre,
                                          VerticalAlignment::kCentre, false};
constexpr ButtonSettings kButton1Settings{"\xB6\xD4\xB1\xC8", false, HorizontalAlignment::kCentre,
                                          VerticalAlignment::kCentre, false};

constexpr LabelSettings kLabel1Settings{
    "", kRed, LabelEffect::kNone, HorizontalAlignment::kLeft, false, VerticalAlignment::kCentre};
constexpr LabelSettings kLabel2Settings{
    "", kAzure, LabelEffect::kNone, HorizontalAlignment::kLeft, false, VerticalAlignment::kCentre};

constexpr EventBinding kLabel2Bindings[] = {{EventCode::kPress, Handler::kPressLabel2}};
constexpr EventBinding kLabel1Bindings[] = {{EventCode::kPress, Handler::kPressLabel1}};
constexpr EventBinding kButton2Bindings[] = {{EventCode::kClick, Handler::kClear}};
constexpr EventBinding kButton1Bindings[] = {{EventCode::kClick, Handler::kCompare}};
constexpr EventBinding kEdit2Bindings[] = {{EventCode::kDoubleClick, Handler::kDoubleClickEdit2}};
constexpr EventBinding kEdit1Bindings[] = {{EventCode::kDoubleClick, Handler::kDoubleClickEdit1}};
constexpr EventBinding kMainBindings[] = {{EventCode::kCreated, Handler::kCreated}};

// Names in code page 936: 透明标签 (transparent label), 按钮 (button), 编辑框 (edit box).
constexpr ControlDescription kMainControls[] = {
    {kLabel2Number,
     "\xCD\xB8\xC3\xF7\xB1\xEA\xC7\xA9"
     "2",
     ControlKind::kTransLabel, 18, 45, 1358, 25, 0, true, false, false, 0, Cursor::kArrow, "",
     kLabel2Bindings, nullptr, nullptr, &kLabel2Settings},
    {kLabel1Number,
     "\xCD\xB8\xC3\xF7\xB1\xEA\xC7\xA9"
     "1",
     ControlKind::kTransLabel, 18, 17, 1358, 23, 0, true, false, false, 0, Cursor::kArrow, "",
     kLabel1Bindings, nullptr, nullptr, &kLabel1Settings},
    {kButton2Number,
     "\xB0\xB4\xC5\xA5"
     "2",
     ControlKind::kButton, 15, 74, 641, 29, 0, true, false, true, 0, Cursor::kArrow, "",
     kButton2Bindings, nullptr, &kButton2Settings, nullptr},
    {kButton1Number,
     "\xB0\xB4\xC5\xA5"
     "1",
     ControlKind::kButton, 726, 74, 641, 29, 0, true, false, true, 0, Cursor::kArrow, "",
     kButton1Bindings, nullptr, &kButton1Settings, nullptr},
    {kEdit2Number,
     "\xB1\xE0\xBC\xAD\xBF\xF2"
     "2",
     ControlKind::kEditBox, 16, 45, 1352, 24, 0, true, false, true, 0, Cursor::kArrow, "",
     kEdit2Bindings, &kEdit2Settings, nullptr, nullptr},
    {kEdit1Number,
     "\xB1\xE0\xBC\xAD\xBF\xF2"
     "1",
     ControlKind::kEditBox, 16, 16, 1352, 24, 0, true, false, true, 0, Cursor::kArrow, "",
     kEdit1Bindings, &kEdit1Settings, nullptr, nullptr},
};

constexpr WindowDescription kMainWindow{
    kMainWindowNumber,
    "Dorvane",
    1389,
    137,
    StartPosition::kCentred,
    50,
    50,
    Border::kFixed,
    true,
    true,
    false,
    true,
    true,
    false,
    true,
    true,
    false,
    false,
    false,
    "DEFAULT_ICON",
    true,
    kMainBindings,
    kMainControls,
};

constexpr const WindowDescription* kDescriptions[] = {&kMainWindow};

bool KindSettingsMatch(const ControlDescription& control) {
  switch (control.kind) {
    case ControlKind::kEditBox:
      return control.edit_box != nullptr && control.button == nullptr && control.label == nullptr;
    case ControlKind::kButton:
      return control.edit_box == nullptr && control.button != nullptr && control.label == nullptr;
    case ControlKind::kTransLabel:
      return control.edit_box == nullptr && control.button == nullptr && control.label != nullptr;
  }
  return false;
}

bool DescriptionReadable(const WindowDescription& window) {
  if (window.caption == nullptr || window.controls.empty()) return false;
  for (std::size_t i = 0; i < window.controls.size(); ++i) {
    const ControlDescription& control = window.controls[i];
    if (control.name == nullptr || control.tag == nullptr || !KindSettingsMatch(control)) {
      return false;
    }
    bool parent_found = control.parent == 0;
    for (std::size_t j = 0; j < window.controls.size(); ++j) {
      if (j != i && window.controls[j].number == control.number) return false;
      if (window.controls[j].number == control.parent && j != i) parent_found = true;
    }
    if (!parent_found) return false;
  }
  return true;
}

}  // namespace

const WindowDescription* FindWindowDescription(std::uint32_t number) {
  for (const WindowDescription* window : kDescriptions) {
    if (window->number == number) return window;
  }
  return nullptr;
}

bool WindowDescriptionsReadable() {
  for (const WindowDescription* window : kDescriptions) {
    if (!DescriptionReadable(*window)) return false;
  }
  return true;
}

bool FindBinding(std::span<const EventBinding> bindings, EventCode code, Handler* handler) {
  for (const EventBinding& binding : bindings) {
    if (binding.code == code) {
      *handler = binding.handler;
      return true;
    }
  }
  return false;
}

}  // namespace dorvane::app
