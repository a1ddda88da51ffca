// Feeds arbitrary bytes to the font description parser: it must never crash, hang or
// read outside its input.
#include "assets/FontDescription.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    FontDescription::parse("fuzz", in);
    return 0;
}
