#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

#include "player/Controls.h"

// How long a line may wait for a target that takes nothing (a FIFO or a pipe
// whose reader has stopped reading), in seconds of play: far longer than any
// reader that is still reading lets a full pipe wait, short enough that a
// player sees the recording end while still at the game. Until then the game
// holds the lines that wait: 61 bytes a frame, some 18 KB at 60 frames a
// second.
constexpr double recordingWaitSeconds = 5.0;

// The file a run's frames are recorded to, written in place so that a run
// killed any way at all keeps every whole frame at the file's own name. What
// writing in place could destroy is guarded instead: the replay being read
// (the same file, by any name), the game's own standard output or error and
// any terminal are refused, and so is a file another program holds locked (a
// game recording to it takes an exclusive lock); nothing is emptied until the
// first frame is played, so a run that never starts leaves an old recording
// as it was and takes away a file it only made, as it does one that it could
// not write a frame to. Each frame's line is written at the end of its frame,
// never waiting for the target: a pipe that is full keeps the lines waiting,
// whole, until it takes them, for recordingWaitSeconds at most. A write that
// fails (a full disk, a pipe with no reader, a file that keeps nothing of
// what it is given, a target that takes nothing for that long) is said once,
// on standard error, and recording stops; the game goes on.
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

    // One frame's line, the file emptied and headed first. `clockSeconds` is
    // the game's clock, which stands still over a pause: what a waiting line
    // has waited is counted on it.
    void write(const ControlInput& input, double clockSeconds);

    // At the end of the run: the lines still waiting are offered once more,
    // without waiting. True when the recording is whole; otherwise it says
    // what was lost.
    bool finish();

  private:
    // A frame's line (or the header's two) written but not yet taken, and
    // when it was written.
    struct WaitingLine {
        std::string text;
        double clockSeconds;
    };

    bool begin(double clockSeconds);
    // Says why on standard error, once, and records nothing more.
    bool stop(const std::string& why);
    // Gives the target as much of the waiting lines as it takes now.
    bool offerWaitingLines();
    std::string nextWrite() const;
    void markTaken(std::size_t bytes);
    bool writeSome(const std::string& text, std::size_t& written);
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
    std::deque<WaitingLine> waiting;
    std::size_t frontBytesTaken = 0;  // of waiting.front(), by a target that took a part
    std::size_t linesTaken = 0;       // the header's included
};
