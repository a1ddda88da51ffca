// The interface half of the sprite set. Sizes the screens can rely on (w x h):
//
//   cursor                              12 x 16   arrow tip at (1, 1)
//   ui/help_button                      13 x 13
//   ui/help_button_small                 9 x 8
//   ui/help_button_tiny                  9 x 9
//   ui/corner                            8 x 8    drawn at the screen frame's (1, 1), mirrored
//   ui/detailed_window_bordered         19 x 19   nine-slice: 9 x 9 corners, 1-pixel edges and
//   ui/detailed_window_bordered_shadow  19 x 19   centre; border 3 deep; shadow = silhouette
//   ui/titlebar                         24 x 9    caps at x 0 and 20, 4 wide
//   ui/action_* (the 21 buttons)        40 x 40   frame included; picture below row 6, where
//                                                 the price badge overlaps; upgrades carry an
//                                                 up arrow in the top right
//   ui/action_price_bg                  25 x 12
//   ui/action_progress_bar             172 x 8    trough rows 2-3 from x 5 to 166
//   ui/build_progress_bg                25 x 12
//   ui/attraction_positive/_neutral/_negative  7 x 7
//   ui/rent_increase, ui/rent_decrease  11 x 12
//   ui/reset_price                      11 x 12
//   ui/production_next, _prev           13 x 13
//   ui/plusone                          16 x 16   centred on (8, 8)
//   ui/budget_slot, ui/population_slot  95 x 24   emblem at the left, number box 90 wide
//   ui/date_slot                       102 x 24
//   ui/date_button (+ _disabled)        15 x 9    icons of framed 23 x 18 buttons
//   ui/cancel_action_button              9 x 9
//   ui/menu_button                      11 x 8
//   ui/action_progress_button           17 x 14   icon of the framed 46 x 23 button
//   ui/side_*_button                    15 x 15   icons of framed 23 x 23 buttons
//   ui/rotate_left_button, _right       15 x 15
//   ui/needs_icons                      27 x 9    cells: employment (0, 0), water (9, 0),
//                                                 shops (18, 0)
//   ui/action_next, _previous (+ _disabled)  24 x 39
//   ui/*_titles_underline              320 x 1    inked 290 (expenditure), 230 (population),
//                                                 300 (production) pixels, clear beyond
//   ui/crime_icon, ui/fire_hazard_icon, ui/need_hospital_icon  9 x 9
//   ui/menu/title                      512 x 96   reads "Tapburg"
//   ui/menu/title_separator            512 x 12
//   ui/menu/subtitle                   320 x 64
//   ui/menu/city                       640 x 320  only rows 0-239 are ever on screen; the
//                                                 picture is centred on column 400
#include "SpriteSets.h"
#include "SpritesUiParts.h"

bool generateUiSprites(const std::string& out) {
    UiSpriteList sprites;
    addWidgetSprites(sprites);
    addActionSprites(sprites);
    addTitleSprites(sprites);
    bool ok = true;
    for (const UiSprite& sprite : sprites)
        ok = sprite.image.savePng(out + "sprites/" + sprite.name + ".png") && ok;
    return ok;
}
