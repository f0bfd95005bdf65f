#pragma once

#include "app/Game.h"

// What the game shell does differently on the desktop and in the browser,
// each in one place (desktop/Platform.cpp and web/Platform.cpp; the build
// takes one of them).

// Drives the run's frames until the run ends. The desktop loops over
// presentFrame here; the browser owns its loop and calls one frame at a time,
// with the input its page gives.
void driveFrames(GameRun& run, const DrawFrame& draw);

// Window hints beyond the context the game asks for everywhere: the page's
// canvas takes no alpha, or the sky's alpha of 0 would show the page through.
void requestPlatformWindowHints();

// The desktop opens its sound device with the run, unless the player asked
// for none; the page waits for its first click or tap (browsers let a page
// sound only after a gesture), so the demo before it makes no sound at all.
void startPlatformSound(SoundOutput& sound, const GameOptions& options);
