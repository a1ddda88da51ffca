#include "game/ShellRules.h"

#include <algorithm>

int pixelScale(unsigned windowHeight) {
    return std::max(1, static_cast<int>(windowHeight / LogicalHeight));
}

sf::Vector2f viewSize(sf::Vector2u windowSize, int scale) {
    const auto s = static_cast<unsigned>(scale);
    return {static_cast<float>(windowSize.x / s), static_cast<float>(windowSize.y / s)};
}

sf::Vector2u windowedSize(int width, int height, sf::Vector2u desktop) {
    sf::Vector2u size(FallbackWidth, FallbackHeight);
    if (width > 0 && height > 0)
        size = {static_cast<unsigned>(width), static_cast<unsigned>(height)};
    // A desktop smaller than the minimum wins: the window must fit on it.
    const auto fit = [](unsigned side, unsigned minimum, unsigned most) {
        return std::min(std::max(side, minimum), most);
    };
    return {fit(size.x, MinimumWidth, desktop.x), fit(size.y, MinimumHeight, desktop.y)};
}

float nextFrameTime(float previousFrameTime, long long elapsedMs) {
    const float seconds = static_cast<float>(elapsedMs) / 1000.f;
    return seconds < MaxFrameTime ? seconds : previousFrameTime;
}

std::string screenshotFileName(const std::tm& localTime) {
    char text[80];
    const std::size_t length = std::strftime(text, sizeof text, "%d-%m-%Y %I-%M-%S", &localTime);
    return std::string(text, length) + ".png";
}
