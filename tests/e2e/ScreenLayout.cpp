#include "ScreenLayout.h"

#include <algorithm>

namespace screen {

namespace {

struct Rect {
    int x, y, width, height;
};

constexpr double BottomShare = 0.85;
constexpr int HalfTileWidth = 16;
constexpr int HalfTileHeight = 8;

// The UI's window placement: centred across, and centred or at 85 % of the free
// height down.
Rect centred(Size ui, int width, int height) {
    return {(ui.width - width) / 2, (ui.height - height) / 2, width, height};
}

Rect nearBottom(Size ui, int width, int height) {
    return {(ui.width - width) / 2, static_cast<int>((ui.height - height) * BottomShare), width,
            height};
}

// The middle of a control at `offset` with `size` inside window `w`.
Point middle(const Rect& w, Point offset, Point size) {
    return {w.x + offset.x + size.x / 2, w.y + offset.y + size.y / 2};
}

const Point WelcomeSize{140, 155};
const Point MenuEntrySize{124, 23};
constexpr int MenuEntryTop = 19;
constexpr int MenuEntryStep = 27;
constexpr int MenuEntryLeft = 8;

constexpr int MessageWidth = 200;
constexpr int MessageChromeTitled = 51;
constexpr int MessageChromeUntitled = 25;
const Point OkaySize{100, 18};
constexpr int OkayRise = 12; // its top, up from the box's bottom edge

constexpr int ActionButtonStep = 39;
constexpr int ActionWindowHeight = 92;
constexpr int ActionsPerPage = 6;
constexpr int ActionRowMinimum = 5;
constexpr int ActionWindowPadding = 15;
const Point ActionButtonSize{40, 40};
constexpr int ActionButtonTop = 23;
constexpr int ActionRowLeft = 7;
const Point CloseSize{80, 18};

const Point GameMenuSize{140, 205};
const Point ResumeOffset{15, 193};
const Point ResumeSize{110, 18};
const Point SaveWindowSize{160, 212};
const Point SlotSize{146, 34};
const Point SlotFirst{7, 20};
constexpr int SlotStep = 38;
const Point OptionsSize{240, 160};
const Point CyclePaletteOffset{9, 90};
const Point CyclePaletteSize{222, 20};
const Point OptionsCloseOffset{80, 148};
const Point ProgressButtonSize{46, 23};
constexpr int ProgressButtonRise = 50; // its top, up from the bottom of the screen
constexpr int SideColumnLeft = 7;
const Point MenuButtonSize{23, 18};
constexpr int SideColumnHeight = 200;
constexpr int MenuButtonDrop = 189; // from the side column's top
constexpr int QuietSpotInset = 140;
constexpr int QuietSpotTop = 100;

int actionWindowWidth(int actionCount) {
    return std::max(ActionRowMinimum, std::min(actionCount, ActionsPerPage)) * ActionButtonStep +
           ActionWindowPadding;
}

Rect actionWindow(Size ui, int actionCount) {
    return nearBottom(ui, actionWindowWidth(actionCount), ActionWindowHeight);
}

Point menuEntry(const Rect& window, int index) {
    return middle(window, {MenuEntryLeft, MenuEntryTop + MenuEntryStep * index}, MenuEntrySize);
}

} // namespace

Point titleEntry(Size ui, int index) {
    return menuEntry(nearBottom(ui, WelcomeSize.x, WelcomeSize.y), index);
}

Point messageOkay(Size ui, bool titled, int textHeight) {
    const int height = (titled ? MessageChromeTitled : MessageChromeUntitled) + textHeight;
    const Rect box = centred(ui, MessageWidth, height);
    // The button hangs over the box's bottom edge.
    return middle(box, {box.width / 2 - OkaySize.x / 2, box.height - OkayRise}, OkaySize);
}

Point tileFromCentre(Size ui, sf::Vector2i offset) {
    return {ui.width / 2 + (offset.x + offset.y) * HalfTileWidth,
            ui.height / 2 + (offset.y - offset.x) * HalfTileHeight};
}

Point tileAction(Size ui, int actionCount, int index) {
    const int left =
        actionCount >= ActionRowMinimum
            ? ActionRowLeft
            : ((ActionRowMinimum - actionCount) * ActionButtonStep) / 2 + ActionRowLeft;
    return middle(actionWindow(ui, actionCount), {left + ActionButtonStep * index, ActionButtonTop},
                  ActionButtonSize);
}

Point progressButton(Size ui) {
    const Rect screen{0, 0, ui.width, ui.height};
    return middle(screen, {(ui.width - ProgressButtonSize.x) / 2, ui.height - ProgressButtonRise},
                  ProgressButtonSize);
}

Point menuButton(Size ui) {
    const Rect column{SideColumnLeft, (ui.height - SideColumnHeight) / 2, 0, SideColumnHeight};
    return middle(column, {0, MenuButtonDrop}, MenuButtonSize);
}

Point gameMenuEntry(Size ui, int index) {
    return menuEntry(centred(ui, GameMenuSize.x, GameMenuSize.y), index);
}

Point gameMenuResume(Size ui) {
    return middle(centred(ui, GameMenuSize.x, GameMenuSize.y), ResumeOffset, ResumeSize);
}

Point saveSlot(Size ui, int slot, bool onTitleScreen) {
    const Rect window = onTitleScreen ? nearBottom(ui, SaveWindowSize.x, SaveWindowSize.y)
                                      : centred(ui, SaveWindowSize.x, SaveWindowSize.y);
    return middle(window, {SlotFirst.x, SlotFirst.y + SlotStep * (slot - 1)}, SlotSize);
}

Point optionsCyclePalette(Size ui) {
    return middle(centred(ui, OptionsSize.x, OptionsSize.y), CyclePaletteOffset, CyclePaletteSize);
}

Point optionsClose(Size ui) {
    return middle(centred(ui, OptionsSize.x, OptionsSize.y), OptionsCloseOffset, CloseSize);
}

Point quietMapSpot(Size ui) {
    return {ui.width - QuietSpotInset, QuietSpotTop};
}

} // namespace screen
