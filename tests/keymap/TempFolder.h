#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it when the
// test ends.

#include <atomic>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace quenlar::testing {

class TempFolder {
public:
    explicit TempFolder(const std::string &tag = "quenlar") {
        static std::atomic<int> counter{0};
        path_ = std::filesystem::temp_directory_path() /
                (tag + "-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;

    const std::filesystem::path &path() const { return path_; }
    std::filesystem::path operator/(const std::string &name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// Files in a folder, by name.
inline int fileCount(const std::filesystem::path &folder) {
    int count = 0;
    for ([[maybe_unused]] const auto &entry : std::filesystem::directory_iterator(folder))
        ++count;
    return count;
}

} // namespace quenlar::testing
