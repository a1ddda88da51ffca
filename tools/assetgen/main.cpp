// Writes the whole generated data set (sprites, fonts, sounds, music) below the
// folder given as the only argument. Output is deterministic. With --contact-sheet it
// instead renders an already generated folder's sprites into one review picture.
#include "AssetGen.h"
#include "ContactSheet.h"

#include <cstdio>
#include <string>

namespace {
std::string folder(std::string path) {
    if (path.empty() || path.back() != '/')
        path += '/';
    return path;
}
} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--contact-sheet")
        return writeContactSheet(folder(argv[2]), argv[3]) ? 0 : 1;
    if (argc != 2) {
        std::fprintf(stderr, "usage: tapburg-assetgen DATA_FOLDER\n"
                             "       tapburg-assetgen --contact-sheet DATA_FOLDER OUT.png\n");
        return 2;
    }
    const std::string out = folder(argv[1]);
    const bool ok = generateSprites(out) && generateFonts(out) && generateSounds(out) &&
                    generateMusic(out) && generateIcon(out);
    return ok ? 0 : 1;
}
