// tapburg-sim: runs the game's simulation without a window, for testing strategies,
// reproducing bug reports and measuring the daily tick. Days pass through the same
// advanceDay / tick path as in the game, and the built-in player buys and clicks through
// the same calls a player's clicks make. Exit code 2 for a bad argument or a file that
// cannot be read, written or is not a valid save.
#include "AutoPlayer.h"
#include "HistoryCsv.h"
#include "SimOptions.h"
#include "city/City.h"
#include "city/Map.h"
#include "city/SaveGame.h"
#include "city/Simulation.h"
#include "city/SlotSummary.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kBadInput = 2;

struct UnlockName {
    UnlockFlag flag;
    const char* name;
};
constexpr UnlockName kUnlockNames[] = {
    {UnlockFlag::LargeHouse, "large houses"},
    {UnlockFlag::ConvenienceStore, "convenience stores"},
    {UnlockFlag::Flats, "flats"},
    {UnlockFlag::PoliceStation, "police stations"},
    {UnlockFlag::Hospital, "hospitals"},
    {UnlockFlag::FireStation, "fire stations"},
    {UnlockFlag::Commercial, "offices"},
    {UnlockFlag::PumpingStation, "pumping stations"},
    {UnlockFlag::Landfill, "landfills"},
};

// The simulation prints its diagnostics to standard output; while it runs they go to
// standard error (--verbose) or nowhere, so that the summary stays machine-readable.
class QuietStdout {
public:
    explicit QuietStdout(bool toStderr) : saved(::dup(STDOUT_FILENO)) {
        std::fflush(stdout);
        const int target = toStderr ? ::dup(STDERR_FILENO) : ::open("/dev/null", O_WRONLY);
        if (target >= 0) {
            ::dup2(target, STDOUT_FILENO);
            ::close(target);
        }
    }
    ~QuietStdout() {
        std::fflush(stdout);
        if (saved >= 0) {
            ::dup2(saved, STDOUT_FILENO);
            ::close(saved);
        }
    }
    QuietStdout(const QuietStdout&) = delete;
    QuietStdout& operator=(const QuietStdout&) = delete;

private:
    int saved;
};

class Run {
public:
    Run(Simulation& sim, bool autoplay) : simulation(sim), autoplay(autoplay), player(sim) {}

    void advance(int days) {
        const int lastDay = simulation.dayCounter + days;
        while (simulation.dayCounter < lastDay) {
            if (autoplay && simulation.actionKind == ActionKind::None)
                player.buyNextAction();
            if (autoplay && simulation.actionKind != ActionKind::None)
                click();
            else
                timed([this] { simulation.advanceDay(); });
        }
    }

    std::vector<double> tickMilliseconds;
    // Day on which each unlock of kUnlockNames came, 0 while it has not.
    std::array<int, std::size(kUnlockNames)> unlockDays{};

private:
    void noteUnlocks() {
        for (std::size_t i = 0; i < unlockDays.size(); ++i)
            if (unlockDays[i] == 0 && isUnlocked(simulation.unlocked, kUnlockNames[i].flag))
                unlockDays[i] = simulation.dayCounter;
    }

    // One press of the progress button; a press that is lost (nothing to progress)
    // refunds the action, so a stale action can never stall the run.
    void click() {
        const int day = simulation.dayCounter;
        bool accepted = true;
        timed([&] { accepted = simulation.actionClick(); });
        if (!accepted && simulation.dayCounter == day)
            simulation.cancelAction();
    }

    // Runs step and, when it began a day, waits for that day's tick and records how
    // long it took.
    template <class Step> void timed(Step&& step) {
        const auto start = std::chrono::steady_clock::now();
        const int day = simulation.dayCounter;
        step();
        if (simulation.dayCounter == day)
            return;
        simulation.waitForTick([](const Request&) {});
        noteUnlocks();
        if (autoplay)
            player.manageCity();
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        tickMilliseconds.push_back(took.count());
    }

    Simulation& simulation;
    bool autoplay;
    AutoPlayer player;
};

struct Summary {
    int day = 0;
    std::string date;
    double budget = 0.0;
    int loan = 0;
    int population = 0;
    HouseCounts houses{};
    unsigned unlocked = 0;
    std::size_t ticks = 0;
    double tickMedian = 0.0;
    double tickMax = 0.0;
    std::array<int, std::size(kUnlockNames)> unlockDays{};
};

Summary summarise(Simulation& sim, std::vector<double> ticks,
                  const std::array<int, std::size(kUnlockNames)>& unlockDays) {
    const std::scoped_lock lock(sim.mapMutex);
    sim.countHousesPerLevel();
    Summary s;
    s.day = sim.dayCounter;
    SlotSummary slot;
    slot.dayCounter = sim.dayCounter;
    s.date = slot.dateText();
    s.budget = sim.city->budgetNow();
    s.loan = sim.city->loan;
    s.population = sim.city->populationNow();
    s.houses = sim.housesPerLevel;
    s.unlocked = sim.unlocked;
    s.unlockDays = unlockDays;
    s.ticks = ticks.size();
    if (!ticks.empty()) {
        std::sort(ticks.begin(), ticks.end());
        const std::size_t mid = ticks.size() / 2;
        s.tickMedian = ticks.size() % 2 == 1 ? ticks[mid] : (ticks[mid - 1] + ticks[mid]) / 2;
        s.tickMax = ticks.back();
    }
    return s;
}

std::string unlockList(unsigned mask, const char* separator, const char* quote) {
    std::string list;
    for (const UnlockName& unlock : kUnlockNames) {
        if (!isUnlocked(mask, unlock.flag))
            continue;
        if (!list.empty())
            list += separator;
        list += std::string(quote) + unlock.name + quote;
    }
    return list;
}

// JSON has no NaN or infinity; a broken budget shows as null rather than as bad JSON.
std::string jsonNumber(double value) {
    if (!std::isfinite(value))
        return "null";
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    return buffer;
}

void printText(const Summary& s) {
    std::printf("day %d (%s)\n", s.day, s.date.c_str());
    std::printf("budget %.2f, loan %d, population %d\n", s.budget, s.loan, s.population);
    std::printf("houses: %d small, %d large, %d flats\n", s.houses[0], s.houses[1], s.houses[2]);
    const std::string unlocks = unlockList(s.unlocked, ", ", "");
    std::printf("unlocked: %s\n", unlocks.empty() ? "nothing yet" : unlocks.c_str());
    std::printf("tick time: median %.3f ms, max %.3f ms over %zu ticks\n", s.tickMedian, s.tickMax,
                s.ticks);
}

// Each unlock seen during the run with its day; unlocks the city had before are not listed.
std::string unlockDayList(const Summary& s) {
    std::string list;
    for (std::size_t i = 0; i < s.unlockDays.size(); ++i) {
        if (s.unlockDays[i] == 0)
            continue;
        if (!list.empty())
            list += ",";
        list += std::string("\"") + kUnlockNames[i].name + "\":" + std::to_string(s.unlockDays[i]);
    }
    return list;
}

void printJson(const Summary& s) {
    std::printf("{\"day\":%d,\"date\":\"%s\",\"budget\":%s,\"loan\":%d,\"population\":%d,"
                "\"houses\":[%d,%d,%d],\"unlockMask\":%u,\"unlocked\":[%s],\"unlockDays\":{%s},"
                "\"ticks\":%zu,"
                "\"tickMedianMs\":%s,\"tickMaxMs\":%s}\n",
                s.day, s.date.c_str(), jsonNumber(s.budget).c_str(), s.loan, s.population,
                s.houses[0], s.houses[1], s.houses[2], s.unlocked,
                unlockList(s.unlocked, ",", "\"").c_str(), unlockDayList(s).c_str(), s.ticks,
                jsonNumber(s.tickMedian).c_str(), jsonNumber(s.tickMax).c_str());
}

int fail(const std::string& message) {
    std::fprintf(stderr, "tapburg-sim: %s\n", message.c_str());
    return kBadInput;
}

} // namespace

int main(int argc, char** argv) {
    std::string error;
    const std::optional<SimOptions> options = SimOptions::parse(argc, argv, error);
    if (!options)
        return fail(error + " (" + SimOptions::usage() + ")");
    if (options->help) {
        std::printf("%s\n%s\n", SimOptions::usage(), SimOptions::helpText());
        return 0;
    }

    Simulation simulation;
    std::vector<double> ticks;
    std::array<int, std::size(kUnlockNames)> unlockDays{};
    {
        const QuietStdout quiet(options->verbose);
        simulation.randomNumbers.seed(options->seed);
        if (options->loadPath.empty()) {
            simulation.startNewGame();
        } else if (const SaveResult loaded = SaveGame::loadFromFile(simulation, options->loadPath);
                   !loaded) {
            return fail(loaded.message);
        }
        Run run(simulation, options->autoplay);
        run.advance(options->days);
        ticks = std::move(run.tickMilliseconds);
        unlockDays = run.unlockDays;
        if (!options->savePath.empty())
            if (const SaveResult saved = SaveGame::saveToFile(simulation, options->savePath);
                !saved)
                return fail(saved.message);
        if (!options->historyPath.empty()) {
            const std::string csv = HistoryCsv::format(simulation.city->history.rows());
            if (const SaveResult written = SaveGame::writeText(options->historyPath, csv); !written)
                return fail(written.message);
        }
    }
    const Summary summary = summarise(simulation, std::move(ticks), unlockDays);
    if (options->json)
        printJson(summary);
    else
        printText(summary);
    return 0;
}
