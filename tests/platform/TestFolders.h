#pragma once
// Scratch folders and environment overrides, undone at scope end so no test writes
// into the real home folder or leaks into the next test.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tapburg-XXXXXX").string();
        path_ = mkdtemp(pattern.data()) ? pattern + "/" : std::string();
    }
    ~TempFolder() { std::filesystem::remove_all(path_, ec_); }
    const std::string& path() const { return path_; }
    std::string write(const std::string& name, const std::string& contents) const {
        std::ofstream(path_ + name, std::ios::binary) << contents;
        return path_ + name;
    }

private:
    std::string path_;
    std::error_code ec_;
};

class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }

private:
    const char* name_;
    std::optional<std::string> old_;
};

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
