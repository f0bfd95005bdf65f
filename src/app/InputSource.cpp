#include "app/InputSource.h"

#include <cstdio>

#include "player/Player.h"

InputSource InputSource::autoplay(const MazeGrid& grid, bool mayRun) {
    InputSource input;
    input.autopilot.emplace(grid, mayRun);
    input.playedItself = true;
    return input;
}

InputSource InputSource::replay(ReplayReader frames) {
    InputSource input;
    input.replayFrames = std::move(frames);
    input.readReplayAhead();
    input.playedItself = true;
    return input;
}

void InputSource::readReplayAhead() {
    ControlInput frame;
    if (replayFrames->next(frame)) {
        nextReplayFrame = frame;
        return;
    }
    nextReplayFrame.reset();
    // The file was read whole before the run: damage now is a change made
    // to it since.
    if (!replayFrames->error().empty()) {
        std::fprintf(stderr, "quorralith: %s; the player has the game from here\n",
                     replayFrames->error().c_str());
    }
    replayFrames.reset();
}

ControlInput InputSource::fromPlayer(const WindowInput& window) const {
    ControlInput input = window.controls;
    input.now += clockOffsetSeconds;
    return input;
}

// The game puts the cursor back at the centre every frame, so a cursor found
// elsewhere has been moved, unless it has not moved since the last frame (at
// the first frame it may lie anywhere), or the window has not had the focus
// for both frames: without it the cursor is not the game's, and a window
// being minimised or given back reports it anywhere.
bool InputSource::playerTookOver(const WindowInput& window) {
    const ControlInput& seen = window.controls;
    const bool offCentre =
        seen.cursorX != static_cast<double>(windowCentrePixels(seen.windowWidth)) ||
        seen.cursorY != static_cast<double>(windowCentrePixels(seen.windowHeight));
    const bool moved =
        lastCursorX && (seen.cursorX != *lastCursorX || seen.cursorY != *lastCursorY);
    const bool focusedThroughout = seen.focused && hadFocus;
    lastCursorX = seen.cursorX;
    lastCursorY = seen.cursorY;
    hadFocus = seen.focused;
    return (offCentre && moved && focusedThroughout) || window.otherKeyPressed;
}

ControlInput InputSource::fromReplay(const WindowInput& window) {
    const ControlInput input = *nextReplayFrame;
    readReplayAhead();
    if (!nextReplayFrame) {
        // The player's frames go on from the replay's time.
        clockOffsetSeconds = input.now - window.controls.now;
    }
    return input;
}

ControlInput InputSource::next(const WindowInput& window, const Player& player) {
    if (nextReplayFrame) {
        return fromReplay(window);
    }
    if (autopilot && playerTookOver(window)) {
        autopilot.reset();
    }
    if (autopilot) {
        return autopilot->nextInput(player, window.controls.now, window.controls.windowWidth,
                                    window.controls.windowHeight);
    }
    return fromPlayer(window);
}
