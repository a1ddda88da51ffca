#pragma once
// The eight two-tone palettes. Paper replaces pure white sprite pixels and is the
// clear colour; ink replaces pure black. In palettes 5 to 7 paper is the dark tone.
// The index is stored in the settings ("palette"), so the order is fixed.
#include <array>
#include <cstdint>

struct PaletteColour {
    std::uint8_t r, g, b;
};

struct Palette {
    PaletteColour paper;
    PaletteColour ink;
};

inline constexpr std::array<Palette, 8> palettes{{
    {{232, 206, 168}, {70, 62, 108}},
    {{237, 221, 183}, {47, 93, 82}},
    {{255, 255, 255}, {0, 0, 0}},
    {{228, 217, 192}, {91, 72, 49}},
    {{231, 230, 224}, {81, 79, 79}},
    {{31, 34, 37}, {164, 92, 44}},
    {{32, 29, 35}, {157, 63, 76}},
    {{40, 36, 42}, {82, 144, 74}},
}};
