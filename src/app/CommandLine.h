#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include <glm/vec3.hpp>

// Where the eye starts and how it looks, instead of the maze's entrance.
struct StartView {
    glm::vec3 position{0.0f};
    float yawRadians = 0.0f;  // 0 looks along +z
    float pitchRadians = 0.0f;
};

// What the player asked for on the command line. The defaults are the game
// with no options at all: a fresh random maze, the working directory as it
// is, a 1024 x 768 window.
struct GameOptions {
    bool showHelp = false;
    bool showVersion = false;
    // The maze is built from this seed when given, from the random device
    // otherwise.
    std::optional<std::uint32_t> seed;
    // Entered before anything is loaded; empty leaves the working directory.
    std::string dataDirectory;
    bool fullscreen = false;
    // The autopilot plays until the player touches a key or the mouse.
    bool autoplay = false;
    // No sound: the sound device is never opened.
    bool mute = false;
    // Every frame's input record is written here / read from here; empty for
    // none. The replay holds its own seed.
    std::string recordFile;
    std::string replayFile;
    // Hidden from the usage text: the benches time and photograph the game
    // from chosen places.
    std::optional<StartView> startView;
};

// The options, or one line that says what is wrong with the command line.
struct CommandLine {
    GameOptions options;
    std::string error;
};

// Reads argv with getopt_long; touches nothing but getopt's own globals.
CommandLine parseCommandLine(int argc, char* const argv[]);

// The usage line, the controls and every option, for --help and after an
// error.
std::string usageText();
std::string versionText();
