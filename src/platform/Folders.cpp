#include "platform/Folders.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string withSlash(std::string path) {
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path;
}

} // namespace

std::string resourcePath() {
    if (const char* dir = std::getenv("TAPBURG_DATA_DIR"); dir && *dir)
        return withSlash(dir);
    std::error_code ec;
    const fs::path exeDir = fs::read_symlink("/proc/self/exe", ec).parent_path();
    if (ec)
        return {};
    for (const fs::path& candidate : {exeDir / "data", exeDir / ".." / "share" / "tapburg"})
        if (fs::is_directory(candidate, ec))
            return withSlash(candidate.lexically_normal().string());
    return {};
}
