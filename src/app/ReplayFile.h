#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

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
// that no file can freeze the game or exhaust its memory.
namespace replayLimit {
// About six hours at 60 frames a second.
constexpr std::size_t fileBytes = std::size_t{64} << 20;
// The clock starts at 0 when the game does: 1e9 s is over thirty years.
constexpr double clockSeconds = 1e9;
// No frame of a real run lasts a day.
constexpr double frameSeconds = 86400.0;
// The cursor lies in or near the window; no screen is a million pixels wide.
constexpr double cursorPixels = 1e6;
constexpr long long windowPixels = 65536;
}  // namespace replayLimit

std::string replayHeader(std::uint32_t seed);
std::string replayLine(const ControlInput& input);

// The replay in the text, or the one line saying what is wrong with it.
struct ReplayParse {
    Replay replay;
    std::string error;  // empty when the text is a whole replay
    // Not empty when the last line was cut short: the frames before it are
    // whole, and the game plays them, saying so.
    std::string warning;
};
ReplayParse parseReplay(const std::string& text);

// parseReplay of the file's content; a file that cannot be read, is not a
// regular file or is larger than replayLimit::fileBytes is an error too.
// Every message names the file.
ReplayParse readReplayFile(const std::string& path);
