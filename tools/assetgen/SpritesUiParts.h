#pragma once
// The three groups of interface sprites; each appends its finished images to `out`.
#include "SpritesUiDraw.h"

void addWidgetSprites(UiSpriteList& out); // frames, HUD, side bar, small controls, icons
void addActionSprites(UiSpriteList& out); // the 40 x 40 build action buttons
void addTitleSprites(UiSpriteList& out);  // title lettering, separator, subtitle, city
