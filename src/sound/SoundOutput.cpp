#include "sound/SoundOutput.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <optional>

#include "assets/FileBytes.h"
#include "sound/SoundCues.h"
#include "sound/WavParser.h"

namespace {

constexpr const char* clipFiles[] = {sound::pickupChimeFile, sound::footstepFile, sound::bumpFile,
                                     sound::humFile};

// OpenAL Soft writes its errors to standard error unless told otherwise; the
// game's console is for the game. A player who sets the level keeps it.
void quietLibraryLog() {
    setenv("ALSOFT_LOGLEVEL", "0", 0);
}

// The libraries OpenAL Soft loads to look for a device have logs of their own
// that no setting of OpenAL's reaches: ALSA prints a dozen lines on a machine
// without a sound card. While the device is opened, standard error goes
// nowhere; nothing else of the game runs meanwhile.
ALCdevice* openDeviceQuietly() {
    std::fflush(stderr);
    const int kept = dup(STDERR_FILENO);
    const int nowhere = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (kept >= 0 && nowhere >= 0) {
        dup2(nowhere, STDERR_FILENO);
    }
    ALCdevice* device = alcOpenDevice(nullptr);
    if (kept >= 0 && nowhere >= 0) {
        dup2(kept, STDERR_FILENO);
    }
    for (const int fd : {kept, nowhere}) {
        if (fd >= 0) {
            close(fd);
        }
    }
    return device;
}

// A clip that cannot be read leaves its buffer empty, and that sound silent.
void fillBuffer(unsigned int buffer, const char* file) {
    const std::optional<std::vector<unsigned char>> bytes = readFileBytes(file);
    const std::optional<SoundClip> clip = bytes ? parseWav(*bytes) : std::nullopt;
    if (clip && !clip->samples.empty()) {
        alBufferData(buffer, AL_FORMAT_MONO16, clip->samples.data(),
                     static_cast<ALsizei>(clip->samples.size() * sizeof(std::int16_t)),
                     clip->sampleRate);
    }
}

// A clip heard at the listener's own head, wherever it turns.
unsigned int headSource(unsigned int buffer, float gain) {
    unsigned int source = 0;
    alGenSources(1, &source);
    alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
    alSource3f(source, AL_POSITION, 0.0f, 0.0f, 0.0f);
    alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer));
    alSourcef(source, AL_GAIN, gain);
    return source;
}

void placeSource(unsigned int source, const glm::vec3& position) {
    alSource3f(source, AL_POSITION, position.x, position.y, position.z);
}

}  // namespace

bool SoundOutput::open() {
    if (isOpen()) {
        return true;
    }
    quietLibraryLog();
    device = openDeviceQuietly();
    if (device == nullptr) {
        return false;
    }
    context = alcCreateContext(device, nullptr);
    if (context == nullptr || alcMakeContextCurrent(context) != ALC_TRUE) {
        release();
        return false;
    }
    // Every hum's loudness is SoundCues's to decide; OpenAL only places it.
    alDistanceModel(AL_NONE);
    alGenBuffers(clipCount, buffers.data());
    for (int clip = 0; clip < clipCount; ++clip) {
        fillBuffer(buffers[clip], clipFiles[clip]);
    }
    chimeSource = headSource(buffers[chime], sound::chimeGain);
    footstepSource = headSource(buffers[footstep], 0.0f);
    bumpSource = headSource(buffers[bump], sound::bumpGain);
    startHums();
    return true;
}

// The hums loop from the start, silent until a cube is near.
void SoundOutput::startHums() {
    alGenSources(sound::humVoiceCount, humSources.data());
    for (int voice = 0; voice < sound::humVoiceCount; ++voice) {
        const unsigned int source = humSources[voice];
        alSourcei(source, AL_BUFFER, static_cast<ALint>(buffers[hum]));
        alSourcei(source, AL_LOOPING, AL_TRUE);
        alSourcef(source, AL_PITCH, sound::humVoicePitches[voice]);
        alSourcef(source, AL_GAIN, 0.0f);
        alSourcePlay(source);
    }
}

void SoundOutput::setVolume(float gain) {
    if (isOpen()) {
        alListenerf(AL_GAIN, gain);
    }
}

void SoundOutput::play(const SoundOrders& orders) {
    if (!isOpen()) {
        return;
    }
    alListener3f(AL_POSITION, orders.listenerPosition.x, orders.listenerPosition.y,
                 orders.listenerPosition.z);
    const glm::vec3& at = orders.listenerFacing;
    const glm::vec3& up = orders.listenerUp;
    const float orientation[6] = {at.x, at.y, at.z, up.x, up.y, up.z};
    alListenerfv(AL_ORIENTATION, orientation);
    for (int voice = 0; voice < sound::humVoiceCount; ++voice) {
        placeSource(humSources[voice], orders.hums[voice].position);
        alSourcef(humSources[voice], AL_GAIN, orders.hums[voice].gain);
    }
    if (orders.chime) {
        alSourcePlay(chimeSource);
    }
    if (orders.footfall) {
        alSourcef(footstepSource, AL_GAIN, orders.footfall->gain);
        alSourcef(footstepSource, AL_PITCH, orders.footfall->pitch);
        alSourcePlay(footstepSource);
    }
    if (orders.bump) {
        alSourcePlay(bumpSource);
    }
}

void SoundOutput::release() {
    if (context != nullptr) {
        const unsigned int heads[] = {chimeSource, footstepSource, bumpSource};
        alDeleteSources(3, heads);
        alDeleteSources(sound::humVoiceCount, humSources.data());
        alDeleteBuffers(clipCount, buffers.data());
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(context);
    }
    if (device != nullptr) {
        alcCloseDevice(device);
    }
    *this = SoundOutput{};
}
