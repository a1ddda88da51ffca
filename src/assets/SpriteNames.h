#pragma once
// Every sprite the game loads, in load order. The registry, the art generator's review
// sheet and the tests all read this one list, so a name added here is loaded, drawn
// for review and checked for presence together. Kept free of SFML so that the
// generator and headless code can include it.
#include <array>
#include <string_view>

inline constexpr std::array<std::string_view, 126> spriteNames{{
    // Cursor and tile markers
    "cursor", "tile_border", "tile_outline", "tile_highlighted", "tile_semi_filled",
    "hidden_tile_overlay",
    // Roads
    "road1", "road2", "road3", "road4", "road5", "road6", "road7", "road8", "road9", "road10",
    "road11", "road1_end1", "road1_end2", "road2_end1", "road2_end2",
    // Buildings
    "house_small_1", "house_small_2", "house_small_3", "house_small_4", "house_large_1",
    "house_large_2", "house_large_3", "factory_1", "factory_2", "flats_1", "flats_2", "flats_3",
    "flats_4", "commercial_1", "commercial_2", "commercial_3", "commercial_4", "shop", "market",
    "convenience_store", "park1", "tree1", "rubble", "watertower", "fire_station",
    "police_station", "hospital", "pumping_station", "landfill",
    // Picking and map effects
    "isomap", "fire_animation", "trash_on_streets",
    // Widgets and windows
    "ui/help_button", "ui/help_button_small", "ui/help_button_tiny", "ui/corner",
    "ui/detailed_window_bordered", "ui/detailed_window_bordered_shadow", "ui/titlebar",
    // Action buttons
    "ui/action_clear", "ui/action_housing", "ui/action_housing_large",
    "ui/action_housing_large_upgrade", "ui/action_flats", "ui/action_flats_upgrade",
    "ui/action_road", "ui/action_shop", "ui/action_shop_upgrade", "ui/action_market",
    "ui/action_convenience_store", "ui/action_park", "ui/action_watertower", "ui/action_factory",
    "ui/action_fire_station", "ui/action_police_station", "ui/action_hospital",
    "ui/action_commercial", "ui/action_plant_tree", "ui/action_pumping_station",
    "ui/action_landfill", "ui/action_price_bg", "ui/action_progress_bar",
    // Map overlays and report controls
    "ui/attraction_positive", "ui/attraction_neutral", "ui/attraction_negative",
    "ui/rent_increase", "ui/rent_decrease", "ui/production_next", "ui/production_prev",
    "ui/reset_price", "ui/build_progress_bg", "ui/plusone",
    // HUD
    "ui/budget_slot", "ui/population_slot", "ui/date_slot", "ui/date_button",
    "ui/date_button_disabled", "ui/cancel_action_button", "ui/action_progress_button",
    // Title screen
    "ui/menu/title", "ui/menu/title_separator", "ui/menu/subtitle", "ui/menu/city",
    // Side bar and navigation
    "ui/menu_button", "ui/side_build_button", "ui/side_ratings_button",
    "ui/side_population_button", "ui/side_needs_button", "ui/side_finances_button",
    "ui/side_city_button", "ui/side_production_button", "ui/side_history_button",
    "ui/needs_icons", "ui/action_next", "ui/action_next_disabled", "ui/action_previous",
    "ui/action_previous_disabled", "ui/rotate_left_button", "ui/rotate_right_button",
    // Report decorations and warning icons
    "ui/expenditure_titles_underline", "ui/city_population_titles_underline",
    "ui/production_titles_underline", "ui/crime_icon", "ui/fire_hazard_icon",
    "ui/need_hospital_icon",
}};
