#include "app/Recording.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
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

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool sameFile(int fd, const std::string& otherPath) {
    struct stat mine {};
    struct stat other {};
    return !otherPath.empty() && fstat(fd, &mine) == 0 && stat(otherPath.c_str(), &other) == 0 &&
           sameFile(mine, other);
}

std::size_t linesIn(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// /dev/null keeps nothing, so nothing can be mixed into it: it is no
// console, even when standard output goes there too.
bool isNullDevice(const struct stat& file) {
    struct stat null {};
    return S_ISCHR(file.st_mode) && stat("/dev/null", &null) == 0 && file.st_rdev == null.st_rdev;
}

// Standard output or error by any name (/dev/stdout, /proc/self/fd/2): the
// console's lines would be mixed into the frames.
bool isOwnConsole(int fd) {
    struct stat mine {};
    if (fstat(fd, &mine) != 0 || isNullDevice(mine)) {
        return false;
    }
    for (const int console : {STDOUT_FILENO, STDERR_FILENO}) {
        struct stat other {};
        if (fstat(console, &other) == 0 && sameFile(mine, other)) {
            return true;
        }
    }
    return false;
}

std::string lockRefusal() {
    // A lock says that someone holds it, not who: another game recording, or
    // any other program.
    return errno == EWOULDBLOCK ? "is locked by another program"
                                : "cannot be locked (" + reason() + ")";
}

// A regular file keeps what is written to it; some that look regular (under
// /proc and /sys) take a write and keep none of it, or only a part.
bool keepsWhatWasWritten(int fd, size_t bytesWritten) {
    struct stat status {};
    return !isRegularFile(fd) ||
           (fstat(fd, &status) == 0 && static_cast<size_t>(status.st_size) == bytesWritten);
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
        lastWritten = other.lastWritten;
        framesWritten = other.framesWritten;
        waiting = std::move(other.waiting);
        frontBytesTaken = other.frontBytesTaken;
        linesTaken = other.linesTaken;
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
    // Not a frame reached it: the run never began, or the disk was full.
    if (createdHere && linesTaken <= replayHeaderLines) {
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
    // Without O_NONBLOCK a FIFO with no reader would hold the game here, and
    // one whose reader stops reading would hold it at a write; O_NOCTTY keeps
    // a terminal, which is refused, from becoming the game's own.
    fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NONBLOCK | O_NOCTTY | O_CLOEXEC,
                recordingMode);
    createdHere = fd >= 0;
    if (fd < 0 && errno == EEXIST) {
        fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    }
    if (fd < 0) {
        return refusal + "cannot be written (" + reason() + ")";
    }
    std::string wrong;
    if (sameFile(fd, replayPath)) {
        wrong = refusal + "is the replay being played: record to another file";
    } else if (isatty(fd)) {
        // Any terminal, not only the game's own: its frames would be lost
        // among whatever else it shows.
        wrong = refusal + "is a terminal: record to a file";
    } else if (isOwnConsole(fd)) {
        wrong = refusal + "is the game's own standard output or error: record to another file";
    } else if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        wrong = refusal + lockRefusal();
    }
    if (!wrong.empty()) {
        close();
    }
    return wrong;
}

bool Recording::stop(const std::string& why) {
    std::fprintf(stderr, "quorralith: record %s: %s; recording stopped\n", path.c_str(),
                 why.c_str());
    writeFailed = true;
    waiting.clear();
    return false;
}

// What the target took of `text`, into `written`, without waiting: a full
// pipe takes nothing. A pipe whose reader has gone fails with EPIPE here: the
// game ignores SIGPIPE, so that it is said like any other failed write.
bool Recording::writeSome(const std::string& text, std::size_t& written) {
    ssize_t wrote = -1;
    do {
        wrote = ::write(fd, text.data(), text.size());
    } while (wrote < 0 && errno == EINTR);
    if (wrote < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
        wrote = 0;
    } else if (wrote <= 0) {
        return stop("cannot be written (" +
                    (wrote < 0 ? reason() : std::string("nothing written")) + ")");
    }
    written = static_cast<std::size_t>(wrote);
    return true;
}

// Whole lines, no more than a pipe takes whole: a pipe takes such a write
// all at once or not at all, so whenever the run ends, what reached it ends
// with a whole line.
std::string Recording::nextWrite() const {
    std::string text = waiting.front().text.substr(frontBytesTaken);
    for (std::size_t line = 1;
         line < waiting.size() && text.size() + waiting[line].text.size() <= PIPE_BUF; ++line) {
        text += waiting[line].text;
    }
    return text;
}

void Recording::markTaken(std::size_t bytes) {
    while (bytes > 0) {
        const std::size_t taken = std::min(bytes, waiting.front().text.size() - frontBytesTaken);
        frontBytesTaken += taken;
        bytes -= taken;
        if (frontBytesTaken == waiting.front().text.size()) {
            linesTaken += linesIn(waiting.front().text);
            waiting.pop_front();
            frontBytesTaken = 0;
        }
    }
}

bool Recording::offerWaitingLines() {
    std::size_t written = 1;
    while (!waiting.empty() && written > 0) {
        if (!writeSome(nextWrite(), written)) {
            return false;
        }
        markTaken(written);
    }
    return true;
}

// The first frame is played: only now is an old file emptied.
bool Recording::begin(double clockSeconds) {
    begun = true;
    if (isRegularFile(fd) && ftruncate(fd, 0) != 0) {
        return stop("cannot be emptied (" + reason() + ")");
    }
    const std::string header = replayHeader(seed);
    waiting.push_back({header, clockSeconds});
    if (!offerWaitingLines()) {
        return false;
    }
    return keepsWhatWasWritten(fd, header.size()) ||
           stop("cannot be written (it does not keep what is written to it)");
}

// Every line is one the replay reads: a frame it would refuse (the clock
// past its limit, when a replay that ends there is played on) stops the
// recording instead, so that what was recorded replays.
void Recording::write(const ControlInput& input, double clockSeconds) {
    if (fd < 0 || writeFailed || (!begun && !begin(clockSeconds))) {
        return;
    }
    const std::string line = replayLine(input);
    ControlInput asRead;
    const std::string refusal =
        refusalOfFrame(line.substr(0, line.size() - 1), lastWritten, asRead);
    if (!refusal.empty()) {
        stop("line " + std::to_string(replayHeaderLines + framesWritten + 1) +
             " would not replay (" + refusal + ")");
        return;
    }
    waiting.push_back({line, clockSeconds});
    lastWritten = input;
    ++framesWritten;
    if (offerWaitingLines() && !waiting.empty() &&
        clockSeconds - waiting.front().clockSeconds > recordingWaitSeconds) {
        stop("cannot be written (it has taken nothing for " +
             std::to_string(static_cast<int>(recordingWaitSeconds)) + " s)");
    }
}

bool Recording::finish() {
    if (fd >= 0 && !writeFailed && offerWaitingLines() && !waiting.empty()) {
        std::size_t linesLost = 0;
        for (const WaitingLine& line : waiting) {
            linesLost += linesIn(line.text);
        }
        stop("cannot be written (" + std::to_string(linesLost) +
             (linesLost == 1 ? " line was" : " lines were") + " not taken when the game ended)");
    }
    return !writeFailed;
}
