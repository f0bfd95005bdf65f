#include "app/ReplayFile.h"

#include <cerrno>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

constexpr const char* magic = "quorralith-replay";
// The letter of each key when it is down, in the order of the record, and
// last F while the window has the focus: without it the cursor offset does not
// turn the view, so a replay must know when it was missing.
constexpr const char* keyLetters = "WSDARCF";
constexpr size_t keyCount = 7;
constexpr char keyUp = '.';

// The record's key fields, in the order of the letters.
bool ControlInput::*const keyFields[keyCount] = {
    &ControlInput::forward, &ControlInput::back,   &ControlInput::right,  &ControlInput::left,
    &ControlInput::run,     &ControlInput::crouch, &ControlInput::focused};

std::string keysField(const ControlInput& input) {
    std::string field(keyCount, keyUp);
    for (size_t key = 0; key < keyCount; ++key) {
        if (input.*keyFields[key]) {
            field[key] = keyLetters[key];
        }
    }
    return field;
}

bool readKeys(const std::string& field, ControlInput& input) {
    if (field.size() != keyCount) {
        return false;
    }
    for (size_t key = 0; key < keyCount; ++key) {
        if (field[key] != keyUp && field[key] != keyLetters[key]) {
            return false;
        }
        input.*keyFields[key] = field[key] == keyLetters[key];
    }
    return true;
}

bool readFiniteNumber(const std::string& field, double& value) {
    if (field.empty()) {
        return false;
    }
    char* end = nullptr;
    value = std::strtod(field.c_str(), &end);
    return *end == '\0' && std::isfinite(value);
}

bool readWholeNumber(const std::string& field, long long lowest, long long highest,
                     long long& value) {
    if (field.empty() || field[0] == ' ' || field[0] == '+') {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    value = std::strtoll(field.c_str(), &end, 10);
    return *end == '\0' && errno == 0 && value >= lowest && value <= highest;
}

std::vector<std::string> fieldsOf(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    while (start <= line.size()) {
        const size_t space = line.find(' ', start);
        const size_t end = space == std::string::npos ? line.size() : space;
        fields.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    return fields;
}

std::string atLine(size_t lineNumber, const std::string& what) {
    return "line " + std::to_string(lineNumber) + ": " + what;
}

std::string readHeader(const std::string& line) {
    const std::vector<std::string> fields = fieldsOf(line);
    long long version = 0;
    if (fields.size() != 2 || fields[0] != magic ||
        !readWholeNumber(fields[1], 0, INT32_MAX, version)) {
        return atLine(1, "not a Quorralith replay (no \"" + std::string(magic) + " N\" header)");
    }
    if (version != replayVersion) {
        return atLine(1, "replay version " + fields[1] + ", but this game reads version " +
                             std::to_string(replayVersion));
    }
    return "";
}

std::string readSeed(const std::string& line, std::uint32_t& seed) {
    const std::vector<std::string> fields = fieldsOf(line);
    long long value = 0;
    if (fields.size() != 2 || fields[0] != "seed" ||
        !readWholeNumber(fields[1], 0, UINT32_MAX, value)) {
        return atLine(2, "expected \"seed N\" with N from 0 to 4294967295");
    }
    seed = static_cast<std::uint32_t>(value);
    return "";
}

std::string readFrame(const std::string& line, ControlInput& input) {
    const std::vector<std::string> fields = fieldsOf(line);
    if (fields.size() != 6) {
        return "expected 6 fields (time, cursor x, cursor y, width, height, keys), found " +
               std::to_string(fields.size());
    }
    const char* names[] = {"time", "cursor x", "cursor y"};
    double* numbers[] = {&input.now, &input.cursorX, &input.cursorY};
    for (size_t i = 0; i < 3; ++i) {
        if (!readFiniteNumber(fields[i], *numbers[i])) {
            return std::string("the ") + names[i] + " \"" + fields[i] + "\" is not a number";
        }
    }
    long long width = 0;
    long long height = 0;
    if (!readWholeNumber(fields[3], INT32_MIN, INT32_MAX, width) ||
        !readWholeNumber(fields[4], INT32_MIN, INT32_MAX, height)) {
        return "the window size \"" + fields[3] + " " + fields[4] + "\" is not two whole numbers";
    }
    input.windowWidth = static_cast<int>(width);
    input.windowHeight = static_cast<int>(height);
    if (!readKeys(fields[5], input)) {
        return "the keys \"" + fields[5] +
               "\" are not seven of W S D A R C F, each letter or \".\"";
    }
    return "";
}

}  // namespace

std::string replayHeader(std::uint32_t seed) {
    return std::string(magic) + " " + std::to_string(replayVersion) + "\nseed " +
           std::to_string(seed) + "\n";
}

std::string replayLine(const ControlInput& input) {
    char numbers[128];
    std::snprintf(numbers, sizeof numbers, "%a %a %a %d %d ", input.now, input.cursorX,
                  input.cursorY, input.windowWidth, input.windowHeight);
    return numbers + keysField(input) + "\n";
}

ReplayParse parseReplay(const std::string& text) {
    ReplayParse parse;
    if (text.empty()) {
        parse.error = "empty, not a Quorralith replay";
        return parse;
    }
    size_t lineNumber = 0;
    size_t start = 0;
    while (start < text.size() && parse.error.empty()) {
        ++lineNumber;
        const size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            parse.error = atLine(lineNumber, "cut short (the last line has no line feed)");
            break;
        }
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        if (lineNumber == 1) {
            parse.error = readHeader(line);
        } else if (lineNumber == 2) {
            parse.error = readSeed(line, parse.replay.seed);
        } else {
            ControlInput input;
            const std::string wrong = readFrame(line, input);
            if (!wrong.empty()) {
                parse.error = atLine(lineNumber, wrong);
            } else if (!parse.replay.frames.empty() && input.now < parse.replay.frames.back().now) {
                parse.error = atLine(lineNumber, "the time runs backwards");
            }
            parse.replay.frames.push_back(input);
        }
    }
    if (parse.error.empty() && lineNumber < 2) {
        parse.error = atLine(lineNumber + 1, "cut short (no seed line)");
    }
    if (!parse.error.empty()) {
        parse.replay = Replay{};
    }
    return parse;
}

ReplayParse readReplayFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    ReplayParse parse;
    if (!file) {
        parse.error = "replay " + path + ": cannot be read (" + std::strerror(errno) + ")";
        return parse;
    }
    std::ostringstream content;
    content << file.rdbuf();
    parse = parseReplay(content.str());
    if (!parse.error.empty()) {
        parse.error = "replay " + path + ": " + parse.error;
    }
    return parse;
}
