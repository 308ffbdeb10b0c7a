// The window descriptions: constant data from which the main window and its controls are made,
// found by window number. Plain data, so that tests can hold it against the settings tables.
#pragma once

#include <cstdint>
#include <span>

namespace dorvane::app {

inline constexpr std::uint32_t kMainWindowNumber = 0x52010001;

// Control numbers of the main window.
inline constexpr std::uint32_t kLabel2Number = 0x160100E8;
inline constexpr std::uint32_t kLabel1Number = 0x160100E7;
inline constexpr std::uint32_t kButton2Number = 0x160100B6;
inline constexpr std::uint32_t kButton1Number = 0x160100B5;
inline constexpr std::uint32_t kEdit2Number = 0x160100B4;
inline constexpr std::uint32_t kEdit1Number = 0x160100B3;

enum class ControlKind { kEditBox, kButton, kTransLabel };

// 0 is both the created event of a window and the click of a button.
enum class EventCode : std::int32_t { kCreated = 0, kClick = 0, kPress = -1, kDoubleClick = -3 };

enum class Handler {
  kCreated,
  kClear,
  kCompare,
  kDoubleClickEdit1,
  kDoubleClickEdit2,
  kPressLabel1,
  kPressLabel2,
};

struct EventBinding {
  EventCode code;
  Handler handler;
};

struct Rgb {
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
  friend constexpr bool operator==(Rgb, Rgb) = default;
};

enum class Cursor { kArrow };
enum class HorizontalAlignment { kLeft, kCentre, kRight };
enum class VerticalAlignment { kTop, kCentre, kBottom };
enum class CaseConversion { kNone, kUpper, kLower };
enum class InputMode { kNormal, kReadOnly, kPassword };
// The extra copy drawn before a label's caption: none, a white copy one pixel right and down, a
// white copy in place with the caption moved one pixel right and down, a black copy two down.
enum class LabelEffect { kNone = 0, kWhiteShadow = 1, kRaised = 2, kBlackShadow = 3 };

struct EditBoxSettings {
  const char* text;
  bool sunken_border;
  Rgb text_colour;
  Rgb background_colour;
  bool hide_selection;
  std::int32_t maximum_length;  // 0: the system's maximum
  bool multi_line;
  bool scroll_bars;
  HorizontalAlignment alignment;
  InputMode input_mode;
  CaseConversion case_conversion;
  bool spin_control;
  std::int32_t selection_start;
  std::int32_t selection_length;
};

struct ButtonSettings {
  const char* caption;
  bool default_button;
  HorizontalAlignment horizontal_alignment;
  VerticalAlignment vertical_alignment;
  bool picture;
};

struct LabelSettings {
  const char* caption;
  Rgb text_colour;
  LabelEffect effect;
  HorizontalAlignment horizontal_alignment;
  bool word_wrap;
  VerticalAlignment vertical_alignment;
};

struct ControlDescription {
  std::uint32_t number;
  const char* name;  // code page 936 bytes
  ControlKind kind;
  std::int32_t left;
  std::int32_t top;
  std::int32_t width;
  std::int32_t height;
  std::uint32_t parent;  // 0: the window itself
  bool visible;
  bool disabled;
  bool tab_stop;
  std::int32_t tab_order;
  Cursor cursor;
  const char* tag;
  std::span<const EventBinding> bindings;
  // Exactly one of these is set, the one of the control's kind.
  const EditBoxSettings* edit_box;
  const ButtonSettings* button;
  const LabelSettings* label;
};

enum class StartPosition { kCentred, kGiven };
enum class Border { kFixed, kSizable };

struct WindowDescription {
  std::uint32_t number;
  const char* caption;
  std::int32_t width;
  std::int32_t height;
  StartPosition start_position;
  std::int32_t given_left;  // held, but not used when centred
  std::int32_t given_top;
  Border border;
  bool control_box;
  bool minimize_box;
  bool maximize_box;
  bool movable;
  bool system_background;
  bool always_on_top;
  bool in_taskbar;
  bool escape_closes;
  bool enter_moves_focus;
  bool f1_help;
  bool drag_anywhere;
  const char* icon;
  bool visible;
  std::span<const EventBinding> bindings;
  // In description order: the top of the stacking order first.
  std::span<const ControlDescription> controls;
};

// The description with this number, or null.
const WindowDescription* FindWindowDescription(std::uint32_t number);

// Checks that the built-in descriptions are whole: every control carries the settings of its
// kind, numbers are unique and parents exist. False means they cannot be used.
bool WindowDescriptionsReadable();

// The handler bound to an event of a control or window, if any.
bool FindBinding(std::span<const EventBinding> bindings, EventCode code, Handler* handler);

}  // namespace dorvane::app
