#include "model/FileIo.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quenlar {

std::optional<std::vector<uint8_t>> readWholeFile(const std::filesystem::path &path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::vector<uint8_t> bytes;
    uint8_t chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {  // a folder, or a device that failed
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break;
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    ::close(fd);
    return bytes;
}

Result writeFileAtomically(const std::filesystem::path &path, std::span<const uint8_t> bytes) {
    return writeFileAtomically(path, bytes, {});
}

Result writeFileAtomically(const std::filesystem::path &path, std::span<const uint8_t> bytes,
                           const std::function<void()> &beforeRename) {
    const std::string target = path.string();
    std::string temp = target + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return Result::failure("Cannot create a file beside " + target + ": " + std::strerror(errno));

    auto fail = [&](const char *what) {
        const int err = errno;
        ::close(fd);
        ::unlink(temp.c_str());
        return Result::failure(std::string("Cannot ") + what + " " + target + ": " + std::strerror(err));
    };
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail("write");
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fchmod(fd, 0644) != 0 || ::fsync(fd) != 0)
        return fail("write");
    if (::close(fd) != 0) {
        ::unlink(temp.c_str());
        return Result::failure("Cannot write " + target + ": " + std::strerror(errno));
    }
    if (beforeRename)
        beforeRename();
    if (std::rename(temp.c_str(), target.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return Result::failure("Cannot replace " + target + ": " + std::strerror(err));
    }
    return Result::success();
}

} // namespace quenlar
