#pragma once
// Turns a save into its text form. Pure formatting: no files, no locks.
#include "city/SaveFile.h"

#include <string>

class SaveWriter {
public:
    static std::string format(const SaveFile& save);
};
