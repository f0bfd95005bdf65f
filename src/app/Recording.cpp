#include "app/Recording.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <utility>

#include "app/ReplayFile.h"
#include "assets/FileBytes.h"

namespace {

constexpr mode_t recordingMode = 0666;  // less the user's umask, as any file they make

std::string reason() {
    return std::strerror(errno);
}

bool sameFile(int fd, const std::string& otherPath) {
    struct stat mine {};
    struct stat other {};
    return !otherPath.empty() && fstat(fd, &mine) == 0 && stat(otherPath.c_str(), &other) == 0 &&
           mine.st_dev == other.st_dev && mine.st_ino == other.st_ino;
}

}  // namespace

Recording::Recording(Recording&& other) noexcept {
    *this = std::move(other);
}

Recording& Recording::operator=(Recording&& other) noexcept {
    if (this != &other) {
        close();
        fd = std::exchange(other.fd, -1);
        path = std::move(other.path);
        absolutePath = std::move(other.absolutePath);
        seed = other.seed;
        createdHere = other.createdHere;
        begun = other.begun;
        writeFailed = other.writeFailed;
    }
    return *this;
}

Recording::~Recording() {
    close();
}

void Recording::close() {
    if (fd < 0) {
        return;
    }
    if (createdHere && !begun) {
        unlink(absolutePath.c_str());
    }
    ::close(fd);
    fd = -1;
}

std::string Recording::open(const std::string& recordPath, std::uint32_t recordSeed,
                            const std::string& replayPath) {
    close();
    path = recordPath;
    // The game enters its data directory after the recording is opened; a
    // file it made and must take away again is then found by its whole path.
    absolutePath = std::filesystem::absolute(recordPath).string();
    seed = recordSeed;
    const std::string refusal = "record " + path + ": ";
    // Without O_NONBLOCK a FIFO with no reader would hold the game here.
    fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NONBLOCK | O_CLOEXEC, recordingMode);
    createdHere = fd >= 0;
    if (fd < 0 && errno == EEXIST) {
        fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    }
    if (fd < 0) {
        return refusal + "cannot be written (" + reason() + ")";
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::string wrong;
    if (sameFile(fd, replayPath)) {
        wrong = refusal + "is the replay being played: record to another file";
    } else if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        wrong = refusal + "another game is recording to it";
    }
    if (!wrong.empty()) {
        close();
    }
    return wrong;
}

bool Recording::writeWhole(const std::string& text) {
    size_t written = 0;
    while (written < text.size()) {
        const ssize_t wrote = ::write(fd, text.data() + written, text.size() - written);
        if (wrote < 0 && errno == EINTR) {
            continue;
        }
        if (wrote <= 0) {
            std::fprintf(stderr,
                         "quorralith: record %s: cannot be written (%s); recording stopped\n",
                         path.c_str(), wrote < 0 ? reason().c_str() : "nothing written");
            writeFailed = true;
            return false;
        }
        written += static_cast<size_t>(wrote);
    }
    return true;
}

// The first frame is played: only now is an old file emptied.
bool Recording::begin() {
    begun = true;
    if (isRegularFile(fd) && ftruncate(fd, 0) != 0) {
        std::fprintf(stderr, "quorralith: record %s: cannot be emptied (%s); recording stopped\n",
                     path.c_str(), reason().c_str());
        writeFailed = true;
        return false;
    }
    return writeWhole(replayHeader(seed));
}

void Recording::write(const ControlInput& input) {
    if (fd < 0 || writeFailed || (!begun && !begin())) {
        return;
    }
    writeWhole(replayLine(input));
}
