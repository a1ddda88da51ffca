#pragma once
// The game shell's arithmetic, kept apart from the window so it can be checked
// without one.
#include <SFML/System/Vector2.hpp>
#include <ctime>
#include <string>

// Logical picture height the pixel scale aims for.
constexpr unsigned LogicalHeight = 360;
// Windowed size used when the settings give none (missing or broken conf.dat).
constexpr unsigned FallbackWidth = 1280;
constexpr unsigned FallbackHeight = 720;
// Frames drawn a second at most.
constexpr unsigned FrameRateLimit = 60;
// Frames this long or longer (a drag of the window, a breakpoint) keep the last
// frame's time so animations do not jump.
constexpr float MaxFrameTime = 0.25f;

// Whole-number pixel scale: only the height decides.
int pixelScale(unsigned windowHeight);

// Size of both views in logical units.
sf::Vector2f viewSize(sf::Vector2u windowSize, int scale);

// Smallest windowed size: one logical picture at scale 1.
constexpr unsigned MinimumWidth = 640;
constexpr unsigned MinimumHeight = 360;

// Windowed size from the "width" and "height" settings; a zero or negative value in
// either gives the fallback size. Each side is then kept between the minimum and the
// desktop's, so a hand-edited size can neither vanish nor exceed what the GL driver
// accepts.
sf::Vector2u windowedSize(int width, int height, sf::Vector2u desktop);

// The frame time for a frame that took `elapsedMs` whole milliseconds.
float nextFrameTime(float previousFrameTime, long long elapsedMs);

// "dd-mm-yyyy hh-mm-ss.png" on a 12-hour clock without AM/PM, so shots taken twelve
// hours apart share a name.
std::string screenshotFileName(const std::tm& localTime);
