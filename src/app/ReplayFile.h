#pragma once

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
// Every line ends with a line feed.
struct Replay {
    std::uint32_t seed = 0;
    std::vector<ControlInput> frames;
};

constexpr int replayVersion = 1;

std::string replayHeader(std::uint32_t seed);
std::string replayLine(const ControlInput& input);

// The replay in the text, or the one line saying what is wrong with it.
struct ReplayParse {
    Replay replay;
    std::string error;  // empty when the text is a whole replay
};
ReplayParse parseReplay(const std::string& text);

// parseReplay of the file's content; a file that cannot be read is an error
// too. Every message names the file.
ReplayParse readReplayFile(const std::string& path);
