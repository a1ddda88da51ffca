#pragma once
// The command line of tapburg-sim.
#include <optional>
#include <string>

struct SimOptions {
    std::string loadPath; // empty: a new game
    unsigned seed = 1;
    int days = 0;
    bool autoplay = false;
    std::string savePath;    // empty: nothing written
    std::string historyPath; // empty: nothing written
    bool json = false;
    bool verbose = false; // the simulation's own diagnostics go to standard error
    bool help = false;    // print the help text and do nothing else

    // Null with a one-line reason in `error` for anything it does not understand.
    static std::optional<SimOptions> parse(int argc, const char* const* argv, std::string& error);
    static const char* usage();
    static const char* helpText(); // what each option does, after usage()
};
