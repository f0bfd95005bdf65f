#include "app/CommandLine.h"

#include <getopt.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <limits>
#include <vector>

#include <glm/trigonometric.hpp>

namespace {

// Stores an option's value in the record; returns what is wrong with it, or
// an empty string.
using ApplyOption = std::string (*)(GameOptions& options, const char* value);

struct OptionSpec {
    const char* name;
    char shortName;         // 0 for an option with a long name only
    const char* valueName;  // null for an option that takes no value
    const char* help;       // null for an option the usage text leaves out
    ApplyOption apply;
};

// An option without a value: it only switches something on.
template <bool GameOptions::*flag>
std::string setFlag(GameOptions& options, const char*) {
    options.*flag = true;
    return {};
}

// Every value other than a digit string that fits in 32 bits is refused,
// signs and spaces included, so that a typo never becomes another maze.
std::string applySeed(GameOptions& options, const char* value) {
    const std::string refusal = std::string("--seed needs a whole number from 0 to ") +
                                std::to_string(std::numeric_limits<std::uint32_t>::max()) +
                                ", not '" + value + "'";
    if (*value == '\0' || std::strspn(value, "0123456789") != std::strlen(value)) {
        return refusal;
    }
    errno = 0;
    const unsigned long long seed = std::strtoull(value, nullptr, 10);
    if (errno == ERANGE || seed > std::numeric_limits<std::uint32_t>::max()) {
        return refusal;
    }
    options.seed = static_cast<std::uint32_t>(seed);
    return {};
}

// A name that must not be empty: NOUN says what the option names.
std::string applyName(std::string& field, const char* option, const char* noun, const char* value) {
    if (*value == '\0') {
        return std::string(option) + " needs " + noun + ", not an empty name";
    }
    field = value;
    return {};
}

// "X,Y,Z,YAW[,PITCH]", the angles in degrees: each a whole decimal number,
// nothing else on the way.
std::string applyStartView(GameOptions& options, const char* value) {
    const std::string refusal =
        std::string("--at needs X,Y,Z,YAW[,PITCH] (numbers, angles in degrees), not '") + value +
        "'";
    const std::string text(value);
    std::vector<float> numbers;
    for (std::size_t start = 0;;) {
        const std::size_t comma = text.find(',', start);
        const std::string field = text.substr(start, comma - start);
        char* end = nullptr;
        const float number = std::strtof(field.c_str(), &end);
        if (field.empty() || *end != '\0' || !std::isfinite(number)) {
            return refusal;
        }
        numbers.push_back(number);
        if (comma == std::string::npos) {
            break;
        }
        start = comma + 1;
    }
    if (numbers.size() != 4 && numbers.size() != 5) {
        return refusal;
    }
    StartView view;
    view.position = {numbers[0], numbers[1], numbers[2]};
    view.yawRadians = glm::radians(numbers[3]);
    view.pitchRadians = numbers.size() == 5 ? glm::radians(numbers[4]) : 0.0f;
    options.startView = view;
    return {};
}

// Options that ask for two things at once: the first clash found, or an
// empty string.
std::string clashBetween(const GameOptions& options) {
    if (!options.replayFile.empty() && options.autoplay) {
        return "--autoplay and --replay cannot be used together: either plays the game";
    }
    if (!options.replayFile.empty() && options.seed) {
        return "--seed and --replay cannot be used together: the replay holds its own seed";
    }
    return {};
}

// The one list of options: the parser and the usage text both follow it.
const OptionSpec optionTable[] = {
    {"help", 'h', nullptr, "print this help and exit", setFlag<&GameOptions::showHelp>},
    {"version", 'V', nullptr, "print the version and exit", setFlag<&GameOptions::showVersion>},
    {"seed", 's', "N", "build the maze from seed N, 0 to 4294967295: same N, same maze", applySeed},
    {"data", 'd', "DIR", "read the game's files from DIR (the working directory by default)",
     [](GameOptions& o, const char* v) {
         return applyName(o.dataDirectory, "--data", "a directory", v);
     }},
    {"fullscreen", 'f', nullptr, "fill the primary monitor, in its current video mode",
     setFlag<&GameOptions::fullscreen>},
    {"autoplay", 0, nullptr, "let the game play itself; any key or mouse move takes over",
     setFlag<&GameOptions::autoplay>},
    {"mute", 'm', nullptr, "play without sound", setFlag<&GameOptions::mute>},
    {"record", 0, "FILE", "write the maze's seed and every frame's input to FILE",
     [](GameOptions& o, const char* v) {
         return applyName(o.recordFile, "--record", "a file name", v);
     }},
    {"replay", 0, "FILE", "play the run recorded in FILE again, exactly as it went",
     [](GameOptions& o, const char* v) {
         return applyName(o.replayFile, "--replay", "a file name", v);
     }},
    {"at", 0, "X,Y,Z,YAW[,PITCH]", nullptr, applyStartView},
};

// getopt_long reports an option by a code: its short letter, or a number
// above every character for an option with a long name only.
constexpr int firstLongOnlyCode = 256;

int codeOf(std::size_t index) {
    const OptionSpec& spec = optionTable[index];
    return spec.shortName != 0 ? spec.shortName : firstLongOnlyCode + static_cast<int>(index);
}

const OptionSpec* specWithCode(int code) {
    for (std::size_t i = 0; i < std::size(optionTable); ++i) {
        if (codeOf(i) == code) {
            return &optionTable[i];
        }
    }
    return nullptr;
}

std::vector<option> longOptions() {
    std::vector<option> options;
    for (std::size_t i = 0; i < std::size(optionTable); ++i) {
        const OptionSpec& spec = optionTable[i];
        options.push_back(
            {spec.name, spec.valueName ? required_argument : no_argument, nullptr, codeOf(i)});
    }
    options.push_back({nullptr, 0, nullptr, 0});
    return options;
}

// A leading ':' makes getopt tell a missing value apart from an unknown
// option.
std::string shortOptions() {
    std::string letters = ":";
    for (const OptionSpec& spec : optionTable) {
        if (spec.shortName != 0) {
            letters += spec.shortName;
            if (spec.valueName) {
                letters += ':';
            }
        }
    }
    return letters;
}

// getopt leaves the option that it could not take in optopt (a code, or 0
// for a long name it does not know) and argv[optind - 1].
std::string refusedOption(int result, const char* word) {
    const OptionSpec* spec = specWithCode(optopt);
    if (result == ':' && spec != nullptr) {
        return std::string("--") + spec->name + " needs a value " + spec->valueName;
    }
    if (spec != nullptr) {
        return std::string("--") + spec->name + " takes no value";
    }
    if (optopt != 0) {
        return std::string("unknown option '-") + static_cast<char>(optopt) + "'";
    }
    return std::string("unknown option '") + word + "'";
}

std::string optionColumn(const OptionSpec& spec) {
    std::string column = "  ";
    column += spec.shortName != 0 ? std::string("-") + spec.shortName + ", " : "    ";
    column += std::string("--") + spec.name;
    if (spec.valueName) {
        column += std::string(" ") + spec.valueName;
    }
    return column;
}

}  // namespace

CommandLine parseCommandLine(int argc, char* const argv[]) {
    CommandLine parsed;
    const std::vector<option> longs = longOptions();
    const std::string shorts = shortOptions();
    // 0 rather than 1 restarts GNU getopt's scan for a fresh argv; its own
    // messages are off, since the game prints one line of its own.
    optind = 0;
    opterr = 0;
    int result;
    while ((result = getopt_long(argc, argv, shorts.c_str(), longs.data(), nullptr)) != -1) {
        const OptionSpec* spec = specWithCode(result);
        parsed.error =
            spec ? spec->apply(parsed.options, optarg) : refusedOption(result, argv[optind - 1]);
        if (!parsed.error.empty()) {
            return parsed;
        }
    }
    if (optind < argc) {
        parsed.error = std::string("unexpected argument '") + argv[optind] + "'";
        return parsed;
    }
    parsed.error = clashBetween(parsed.options);
    return parsed;
}

std::string usageText() {
    std::string text =
        "Usage: quorralith [OPTION]...\n"
        "Walk a maze in first person and eat the food in every room.\n"
        "\n"
        "Controls:\n"
        "  mouse               look around\n"
        "  W, S                walk forward, back\n"
        "  A, D                step left, right\n"
        "  Left Shift          run\n"
        "  Left Control        crouch\n"
        "  Escape              quit\n"
        "\n"
        "Options:\n";
    constexpr std::size_t helpColumn = 22;
    for (const OptionSpec& spec : optionTable) {
        if (spec.help == nullptr) {
            continue;
        }
        std::string line = optionColumn(spec);
        line.resize(std::max(helpColumn, line.size() + 2), ' ');
        text += line + spec.help + "\n";
    }
    return text;
}

std::string versionText() {
    return std::string("quorralith ") + QUORRALITH_VERSION + "\n";
}
