// The daily tick as the game itself takes it. bench_tick runs days back to back, so a
// city small enough for the processor's caches starts each day with the day before's
// data still in them; in the game a day comes after ten clicks and many drawn frames.
// Here the tick benchmark's fully built cities (75 x 75 and 300 x 300) are each saved
// into a slot of a fresh game on its own Xvfb, loaded from the title screen at
// 1280 x 720 and played with the date button, frames drawn between the days as for a
// person. The game prints how long each day's tick took; this reports the median,
// fastest and slowest per size and the ratio of the medians. A plain timed harness:
//   bench/bench_game_tick [days]     (from the build folder; 30 days by default)
#include "CityFixture.h"
#include "GameSession.h"
#include "Player.h"
#include "city/SaveGame.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The first fires break out after about a month, and their message box takes the
// date button's clicks.
constexpr int kDefaultDays = 30;
constexpr const char* kTickLine = "Building tick completed in ";

struct Figures {
    double medianMs;
    double fastestMs;
    double slowestMs;
    std::size_t days;
};

std::vector<double> tickMillis(const std::string& output) {
    std::vector<double> millis;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t at = line.find(kTickLine);
        if (at != std::string::npos)
            millis.push_back(std::atof(line.c_str() + at + std::strlen(kTickLine)) * 1000.0);
    }
    return millis;
}

bool saveFullCity(int side, const std::filesystem::path& path) {
    Simulation sim;
    buildFullCity(sim, side);
    furnishFullCity(sim);
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    return !error && SaveGame::saveToFile(sim, path.string());
}

bool playSlotOne(GameSession& session, int days) {
    Player player(session);
    const bool played = player.loadFromTitleScreen(1) && player.passDays(days);
    session.closeWindow();
    return played;
}

std::optional<Figures> playDays(int side, int days) {
    GameSession session("bench-game-tick-" + std::to_string(side));
    std::ofstream(session.settingsPath())
        << "isFullscreen=false\nwidth=1280\nheight=720\nmusicEnabled=false\n";
    const bool played =
        saveFullCity(side, session.savePath(1)) && session.start() && playSlotOne(session, days);
    std::vector<double> millis = tickMillis(session.output());
    if (!played || millis.empty()) {
        std::fprintf(stderr, "%d x %d: the city was not played for %d days; see %s\n", side, side,
                     days, session.artifacts().c_str());
        return std::nullopt;
    }
    std::sort(millis.begin(), millis.end());
    return Figures{millis[millis.size() / 2], millis.front(), millis.back(), millis.size()};
}

} // namespace

int main(int argc, char** argv) {
    const int days = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultDays;
    std::vector<double> medians;
    for (const int side : {75, 300}) {
        const std::optional<Figures> figures = playDays(side, days);
        if (!figures)
            return 1;
        std::printf("game tick %3d x %3d: %zu days, median %.3f ms (fastest %.3f, slowest %.3f)\n",
                    side, side, figures->days, figures->medianMs, figures->fastestMs,
                    figures->slowestMs);
        medians.push_back(figures->medianMs);
    }
    std::printf("t(300) / t(75) of the medians: %.1f\n", medians[1] / medians[0]);
    return 0;
}
