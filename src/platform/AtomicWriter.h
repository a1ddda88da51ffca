#pragma once
// Replaces a file's contents so that a crash, a kill or a full disk at any moment
// leaves either the old file or the new one, never a mix: the text goes to a temporary
// file beside the target ("<name>.XXXXXX"), is synced and then renamed over it.
// A symlink is followed, so its target is updated and the link stays a link; something
// that is not a regular file (a device, a folder) is never replaced.
#include <string>

class AtomicWriter {
public:
    // Empty on success; otherwise one line saying what failed and why, and the old
    // file is as it was.
    static std::string write(const std::string& path, const std::string& text);

    // Removes the temporary files a killed write left in `folder`: regular files named
    // "<anything><ending>." followed by six letters or digits. Returns how many went.
    static int removeStaleTemporaries(const std::string& folder, const std::string& ending);

    // The file a write to `path` replaces: `path` with every symlink on it followed.
    static std::string resolveTarget(const std::string& path);
};
