#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "player/Controls.h"

// The file a run's frames are recorded to, written in place so that a run
// killed any way at all keeps every whole frame at the file's own name. What
// writing in place could destroy is guarded instead: the replay being read
// (the same file, by any name) and the game's own standard output or error
// are refused, and so is a file another program holds locked (a game
// recording to it takes an exclusive lock); nothing is emptied until the
// first frame is played, so a run that never starts leaves an old recording
// as it was and takes away a file it only made. Each frame's line reaches the
// kernel in one write at the end of its frame. A write that fails (a full
// disk, a pipe with no reader, a file that keeps nothing of what it is
// given) is said once, on standard error, and recording stops; the game goes
// on.
class Recording {
  public:
    Recording() = default;  // records nothing
    Recording(Recording&& other) noexcept;
    Recording& operator=(Recording&& other) noexcept;
    Recording(const Recording&) = delete;
    Recording& operator=(const Recording&) = delete;
    ~Recording();

    // Opens `path` to record a run of the maze from `seed`, changing nothing
    // in it yet. `replayPath` names the replay being read, if any. The empty
    // string when ready, otherwise one line saying why not.
    std::string open(const std::string& path, std::uint32_t seed, const std::string& replayPath);

    // One frame's line, the file emptied and headed first.
    void write(const ControlInput& input);

    // True once a write has failed: the recording is not whole.
    bool failed() const { return writeFailed; }

  private:
    bool begin();
    // Says why on standard error, once, and records nothing more.
    bool stop(const std::string& why);
    bool writeWhole(const std::string& text);
    void close();

    int fd = -1;
    std::string path;  // as given, for the messages
    std::string absolutePath;
    std::uint32_t seed = 0;
    bool createdHere = false;
    bool begun = false;
    bool writeFailed = false;
    std::optional<ControlInput> lastWritten;
    std::size_t framesWritten = 0;
};
