#pragma once
// Reads the text form of a save into a SaveFile and checks every value, so that what it
// returns can be applied to a running game without a further check. Input is untrusted:
// anything malformed gives an error and no save. Pure parsing: no files, no locks.
#include "city/SaveFile.h"

#include <optional>
#include <string>
#include <string_view>

class SaveReader {
public:
    struct Result {
        std::optional<SaveFile> save;
        std::string error; // one line, naming the file line; empty on success
    };

    // Refuses: a file that ends early, a line cut short or with too few values, a
    // value that is not a number of its field's type, a NaN or infinite real, a kind
    // outside 0..14, an action outside 0..19, an orientation outside 0..4, a house or
    // shop level outside 1..3, a goods type outside 0..2, a bit other than 0 or 1, a
    // map side above kMaxMapSide, and every number the game itself cannot write: a
    // negative day, count or loan, residents or users beyond the record's capacity,
    // capacities, ranges and base amounts beyond their kind's, a real beyond 1e15, a
    // population no map could hold. After the last tile only history lines may
    // follow, each with its section named, month ends in order up to the save's day.
    // A side of 0 or less means the default 75 x 75, as the game has always read it.
    // Extra values at the end of a line are ignored.
    static Result parse(std::string_view text);
};
