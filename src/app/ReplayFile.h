#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "assets/FileBytes.h"
#include "player/Controls.h"

// A recorded run: the seed its maze was built from and every frame's input
// record, in order. As text:
//
//   quorralith-replay 1
//   seed 1234
//   0x1.3ap+3 0x1p+9 0x1.8p+8 1024 768 W...R.F
//
// One frame a line: the time, the cursor's x and y (C hexadecimal floating
// point, so that every bit comes back), the window's width and height, and
// the keys W, S, D, A, Left Shift (R, run) and Left Control (C, crouch) as
// their letters or "." when up, then F while the window has the focus.
// Every line ends with a line feed. A reader also takes a carriage return
// before it, a byte-order mark before the header and blank lines at the end.
struct Replay {
    std::uint32_t seed = 0;
    std::vector<ControlInput> frames;
};

constexpr int replayVersion = 1;

// What a real run can record; a replay beyond any of these is refused, so
// that no file can freeze the game. The recording stops, saying so, rather
// than write a frame beyond them (a replay that ends at the clock's limit,
// played on by the player). A file may be of any length: it is read a buffer
// at a time, and the game's memory does not grow with it.
namespace replayLimit {
// The clock starts at 0 when the game does: 1e9 s is over thirty years.
constexpr double clockSeconds = 1e9;
// No frame of a real run lasts a day.
constexpr double frameSeconds = 86400.0;
// The cursor lies in or near the window; no screen is a million pixels wide.
constexpr double cursorPixels = 1e6;
constexpr long long windowPixels = 65536;
// The longest frame line the game writes takes 61 bytes: a longer one is
// damage, and is not held in memory to find that out. Its line end, LF or
// CR LF, is not counted.
constexpr std::size_t lineBytes = 4096;
}  // namespace replayLimit

// The header and the seed: the frames' lines follow.
constexpr std::size_t replayHeaderLines = 2;
std::string replayHeader(std::uint32_t seed);
std::string replayLine(const ControlInput& input);
// The whole text of a replay, as a recording of these frames writes it.
std::string replayText(std::uint32_t seed, const std::vector<ControlInput>& frames);

// What the reader refuses in this frame's line, the frame before it being
// `previous` (none for the first): the empty string when it reads it into
// `input`. The recording asks it before it writes a line.
std::string refusalOfFrame(const std::string& line, const std::optional<ControlInput>& previous,
                           ControlInput& input);

// A replay read a line at a time from a file, or from text: its header and
// seed as soon as it is made, then one frame a call. A file is read a buffer
// at a time: whatever its length, no more than a buffer and a line of it is
// held.
class ReplayReader {
  public:
    // Every message names the file. A file that cannot be read, or is not a
    // regular file (a FIFO could block for ever, a device could be endless),
    // is an error.
    static ReplayReader ofFile(const std::string& path);
    static ReplayReader ofText(std::string text);

    std::uint32_t seed() const { return seedRead; }
    // The next frame into `frame`; false once the frames end, or at the first
    // damage, which error() then says.
    bool next(ControlInput& frame);
    // Back to the first frame; a warning stays.
    void rewind();
    // Empty while the replay is whole so far.
    const std::string& error() const { return errorText; }
    // Not empty when the last line was cut short: the frames before it are
    // whole, and the game plays them, saying so.
    const std::string& warning() const { return warningText; }

  private:
    ReplayReader() = default;
    void readHead();
    bool readLine(std::string& line, bool& cutShort);
    bool readMore();
    void fail(const std::string& what);

    FileDescriptor file;  // none for text
    std::string name;     // "replay PATH: " for a file, before every message
    std::string pending;
    std::size_t position = 0;
    bool inputEnded = false;
    std::size_t firstFrameOffset = 0;
    std::size_t pendingOffset = 0;  // of pending[0] in the input
    std::size_t lineNumber = 0;
    std::size_t blankLineAt = 0;  // a blank line is damage unless only blank lines follow it
    bool cutLineReached = false;
    std::size_t framesRead = 0;
    std::optional<ControlInput> previous;
    std::uint32_t seedRead = 0;
    std::string errorText;
    std::string warningText;
};

// The replay in the text, or the one line saying what is wrong with it.
struct ReplayParse {
    Replay replay;
    std::string error;  // empty when the text is a whole replay
    // Not empty when the last line was cut short: the frames before it are
    // whole, and the game plays them, saying so.
    std::string warning;
};
ReplayParse parseReplay(const std::string& text);

// The replay in the file, read through to find any damage before the run
// begins, and then made ready to play from its first frame: its error() and
// warning() say what parseReplay would of the file's text. A stop signal
// ends the read-through where it is: the run is over.
ReplayReader openReplayFile(const std::string& path);
