#include "assets/FileBytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace {

constexpr std::size_t kReadChunkBytes = 64 * 1024;

// Appends up to maxBytes from fd; a read error ends the file there.
void readUpTo(int fd, std::size_t maxBytes, std::vector<unsigned char>& bytes) {
    while (bytes.size() < maxBytes) {
        const std::size_t before = bytes.size();
        const std::size_t wanted = std::min(kReadChunkBytes, maxBytes - before);
        bytes.resize(before + wanted);
        const ssize_t got = read(fd, bytes.data() + before, wanted);
        if (got < 0 && errno == EINTR) {
            bytes.resize(before);
            continue;
        }
        bytes.resize(before + static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
        if (got <= 0) {
            return;
        }
    }
}

}  // namespace

bool isRegularFile(int fd) {
    struct stat status {};
    return fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
}

std::optional<std::vector<unsigned char>> readFileBytes(const char* path, std::size_t maxBytes) {
    // Without O_NONBLOCK a FIFO would block in open() itself until a writer
    // came; with it the open returns at once and fstat turns the FIFO away.
    const FileDescriptor file(open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0 || !isRegularFile(file.get())) {
        return std::nullopt;
    }
    std::vector<unsigned char> bytes;
    readUpTo(file.get(), maxBytes, bytes);
    return bytes;
}
