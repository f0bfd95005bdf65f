#pragma once

#include <array>

#include "sound/SoundConstants.h"

struct SoundOrders;
struct ALCdevice_struct;
struct ALCcontext_struct;

// The game's sound through OpenAL: the one part that talks to the sound
// device, playing what SoundCues decided. Until open succeeds every call does
// nothing, so a machine without a sound device (a server, CI, a page before
// its first click) runs the game in silence. Explicit release, as the GL
// objects have: the destructor makes no OpenAL call.
class SoundOutput {
  public:
    // Opens the default device and loads the clips from the working
    // directory; false, and silence, when there is no device. Says nothing
    // either way: sound is heard, never printed.
    bool open();
    bool isOpen() const { return context != nullptr; }
    // The whole game's loudness, 0 to 1.
    void setVolume(float gain);
    void play(const SoundOrders& orders);
    // Stops everything and closes the device; the output is silent again.
    void release();

  private:
    enum Clip { chime, footstep, bump, hum, clipCount };

    void startHums();

    ALCdevice_struct* device = nullptr;
    ALCcontext_struct* context = nullptr;
    // OpenAL's names, owned here and deleted in release.
    std::array<unsigned int, clipCount> buffers{};
    unsigned int chimeSource = 0;
    unsigned int footstepSource = 0;
    unsigned int bumpSource = 0;
    std::array<unsigned int, sound::humVoiceCount> humSources{};
};
