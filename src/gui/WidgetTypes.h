#pragma once
// Kinds, alignment codes and well-known ids of the widget layer, cheap to include.
#include "platform/StringUtil.h"

#include <cstdint>
#include <string>

namespace gui {

// Screens tell widgets apart by these numbers, so they never change.
enum class WidgetKind : std::int32_t {
    Widget = 10,
    Panel = 11,
    Image = 12,
    Button = 13,
    Text = 14,
    Window = 15,
    TitleBar = 23,
    CheckBox = 24,
    LineChart = 25,
};

// Horizontal codes below 10, vertical codes from 10.
enum class Align : std::int32_t {
    Left = 0,
    Center = 1,
    Right = 2,
    Top = 10,
    Middle = 11,
    Bottom = 12,
};

enum class ButtonKind : std::int32_t { Text = 0, Icon = 1, FramedIcon = 2 };

// What a widget reports to the UI before running its own callbacks.
enum class WidgetEvent : std::int32_t {
    ButtonClick = 1,
    ButtonRightClick = 2,
    CheckBoxToggle = 8,
};

// Ids are name hashes compared as 32-bit values.
inline std::int32_t widgetId(const std::string& name) {
    return static_cast<std::int32_t>(hashName(name));
}

// The message window and its buttons.
inline const std::int32_t DialogWindowId = widgetId("dlgWnd");
inline const std::int32_t YesButtonId = widgetId("yesMsg");
inline const std::int32_t NoButtonId = widgetId("noMsg");
inline const std::int32_t CloseButtonId = widgetId("closeWindow");

} // namespace gui
