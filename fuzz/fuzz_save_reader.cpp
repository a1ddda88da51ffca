// Feeds arbitrary bytes to the save reader. It must never crash or hang; whatever it
// accepts must apply to a game and write back to text that reads the same again.
#include "city/SaveFile.h"
#include "city/SaveReader.h"
#include "city/SaveWriter.h"
#include "city/SlotSummary.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    SlotSummary::fromText(text).label();
    const SaveReader::Result result = SaveReader::parse(text);
    if (!result.save)
        return 0;
    const std::string written = SaveWriter::format(*result.save);
    const SaveReader::Result again = SaveReader::parse(written);
    if (!again.save || SaveWriter::format(*again.save) != written)
        std::abort();
    Simulation simulation;
    result.save->apply(simulation);
    if (SaveWriter::format(SaveFile::capture(simulation)).empty())
        std::abort();
    return 0;
}
