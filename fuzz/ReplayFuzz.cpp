// libFuzzer target for the replay file reader. Whatever the bytes, the reader
// either refuses them with one line, or returns records that the writer turns
// back into text that reads to the very same records and writes the same
// again: what a replay holds survives a round trip bit for bit.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "app/ReplayFile.h"

namespace {

std::string written(const Replay& replay) {
    return replayText(replay.seed, replay.frames);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ReplayParse parse = parseReplay(std::string(reinterpret_cast<const char*>(data), size));
    if (!parse.error.empty()) {
        if (parse.error.find('\n') != std::string::npos || !parse.replay.frames.empty()) {
            __builtin_trap();
        }
        return 0;
    }
    const std::string text = written(parse.replay);
    const ReplayParse again = parseReplay(text);
    if (!again.error.empty() || again.replay.seed != parse.replay.seed ||
        again.replay.frames.size() != parse.replay.frames.size() || written(again.replay) != text) {
        __builtin_trap();
    }
    for (std::size_t i = 0; i < parse.replay.frames.size(); ++i) {
        const ControlInput& a = parse.replay.frames[i];
        const ControlInput& b = again.replay.frames[i];
        if (std::memcmp(&a.now, &b.now, sizeof a.now) != 0 ||
            std::memcmp(&a.cursorX, &b.cursorX, sizeof a.cursorX) != 0 ||
            std::memcmp(&a.cursorY, &b.cursorY, sizeof a.cursorY) != 0) {
            __builtin_trap();
        }
    }
    return 0;
}
