#include "platform/AtomicWriter.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr const char* TemporarySuffix = ".XXXXXX";
constexpr std::size_t RandomPartLength = 6;
// Beyond this many links the chain is taken for a loop, as the kernel does.
constexpr int MaxLinkDepth = 40;
constexpr mode_t NewFileMode = 0644;

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool writeAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Makes the rename itself durable; a folder that cannot be synced is not an error,
// since the file is complete either way.
void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

std::string systemError(const char* step) {
    return std::string(step) + ": " + std::strerror(errno);
}

// The step that failed, or null; the temporary file is closed either way.
const char* fillTemporary(int fd, const std::string& text, mode_t mode) {
    const char* step = nullptr;
    if (!writeAll(fd, text))
        step = "cannot write";
    else if (::fsync(fd) != 0)
        step = "cannot flush";
    // mkstemp makes the file private; the new file keeps the old one's permissions.
    ::fchmod(fd, mode);
    if (::close(fd) != 0 && step == nullptr)
        step = "cannot close";
    return step;
}

bool isTemporaryName(const std::string& name, const std::string& ending) {
    const std::string marker = ending + ".";
    if (name.size() < marker.size() + RandomPartLength)
        return false;
    const std::size_t at = name.size() - RandomPartLength - marker.size();
    return name.compare(at, marker.size(), marker) == 0 &&
           std::all_of(name.end() - RandomPartLength, name.end(),
                       [](unsigned char c) { return std::isalnum(c) != 0; });
}

} // namespace

std::string AtomicWriter::resolveTarget(const std::string& path) {
    std::string target = path;
    for (int depth = 0; depth < MaxLinkDepth; ++depth) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(target, ec)))
            return target;
        const fs::path link = fs::read_symlink(target, ec);
        if (ec)
            return target;
        target = link.is_absolute() ? link.string() : folderOf(target) + "/" + link.string();
    }
    return target;
}

std::string AtomicWriter::write(const std::string& path, const std::string& text) {
    const std::string target = resolveTarget(path);
    struct stat existing {};
    mode_t mode = NewFileMode;
    if (::stat(target.c_str(), &existing) == 0) {
        if (!S_ISREG(existing.st_mode))
            return "is not a regular file; it was left as it is";
        mode = existing.st_mode & 07777;
    }
    std::vector<char> name(target.begin(), target.end());
    name.insert(name.end(), TemporarySuffix, TemporarySuffix + std::strlen(TemporarySuffix) + 1);
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        return systemError("cannot create a temporary file");
    const std::string temporary = name.data();
    const char* step = fillTemporary(fd, text, mode);
    if (step == nullptr && ::rename(temporary.c_str(), target.c_str()) != 0)
        step = "cannot replace the file";
    if (step != nullptr) {
        std::string why = systemError(step);
        ::unlink(temporary.c_str());
        return why;
    }
    syncFolder(folderOf(target));
    return {};
}

int AtomicWriter::removeStaleTemporaries(const std::string& folder, const std::string& ending) {
    int removed = 0;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError) || it->is_symlink(typeError) ||
            !isTemporaryName(it->path().filename().string(), ending))
            continue;
        std::error_code removeError;
        removed += fs::remove(it->path(), removeError) ? 1 : 0;
    }
    return removed;
}
