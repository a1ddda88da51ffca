#include "SimOptions.h"

#include <charconv>
#include <climits>
#include <cstring>

namespace {

// Whole decimal numbers only: a typo must not silently become 0.
template <class Number> bool parseNumber(const char* text, Number& out) {
    const char* end = text + std::strlen(text);
    const auto [stop, status] = std::from_chars(text, end, out);
    return status == std::errc() && stop == end && stop != text;
}

} // namespace

const char* SimOptions::usage() {
    return "usage: tapburg-sim [--new | --load FILE] [--seed N] [--days N] [--autoplay] "
           "[--save FILE] [--history FILE] [--json] [--verbose] [--help]";
}

const char* SimOptions::helpText() {
    return "Runs Tapburg's simulation without a window and prints a summary of the city.\n"
           "\n"
           "  --new          start a new city (the default)\n"
           "  --load FILE    start from a save file\n"
           "  --seed N       seed of the random numbers (default 1)\n"
           "  --days N       advance N days through the game's daily tick (default 0)\n"
           "  --autoplay     let the built-in player build while the days pass\n"
           "  --save FILE    write the city to FILE in the game's save format\n"
           "  --history FILE write the city's month-end history to FILE as CSV\n"
           "  --json         print the summary as one JSON object\n"
           "  --verbose      show the simulation's own messages on standard error\n"
           "  --help         print this text and exit\n"
           "\n"
           "A bad argument or an unreadable file prints one line on standard error and\n"
           "exits with code 2.";
}

std::optional<SimOptions> SimOptions::parse(int argc, const char* const* argv, std::string& error) {
    SimOptions options;
    bool sawNew = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            return options;
        }
        const bool takesValue = arg == "--load" || arg == "--seed" || arg == "--days" ||
                                arg == "--save" || arg == "--history";
        if (takesValue && i + 1 >= argc) {
            error = arg + " needs a value";
            return std::nullopt;
        }
        const char* value = takesValue ? argv[++i] : nullptr;
        if (arg == "--new") {
            sawNew = true;
        } else if (arg == "--load") {
            options.loadPath = value;
        } else if (arg == "--save") {
            options.savePath = value;
        } else if (arg == "--history") {
            options.historyPath = value;
        } else if (arg == "--seed") {
            if (!parseNumber(value, options.seed)) {
                error = std::string("--seed needs a whole number from 0 to ") +
                        std::to_string(UINT_MAX) + ", not \"" + value + "\"";
                return std::nullopt;
            }
        } else if (arg == "--days") {
            if (!parseNumber(value, options.days) || options.days < 0) {
                error =
                    std::string("--days needs a whole number of at least 0, not \"") + value + "\"";
                return std::nullopt;
            }
        } else if (arg == "--autoplay") {
            options.autoplay = true;
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--verbose") {
            options.verbose = true;
        } else {
            error = "unknown argument \"" + arg + "\"";
            return std::nullopt;
        }
        if (takesValue && std::strlen(value) == 0) {
            error = arg + " needs a value";
            return std::nullopt;
        }
    }
    if (sawNew && !options.loadPath.empty()) {
        error = "--new and --load exclude each other";
        return std::nullopt;
    }
    return options;
}
