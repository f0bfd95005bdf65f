#pragma once

#include <cstdint>
#include <vector>

// The game's sounds, synthesised from sines and seeded noise: the same
// samples on every run. All at soundSampleRate, 16-bit mono.
constexpr int soundSampleRate = 22050;

// Two bell-like notes a fifth apart, A5 then E6, each dying away: a cube eaten.
std::vector<std::int16_t> makePickupChime();
// A short burst of muffled noise over a low thud: one footfall.
std::vector<std::int16_t> makeFootstep();
// A deep thud whose pitch falls: a step the wall refuses.
std::vector<std::int16_t> makeBump();
// One second of a soft chord with a slow tremolo, every frequency a whole
// number of hertz so that the loop's end meets its start: a cube's hum.
std::vector<std::int16_t> makeHum();
