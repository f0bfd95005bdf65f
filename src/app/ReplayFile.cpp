#include "app/ReplayFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

#include "assets/FileBytes.h"

namespace {

constexpr const char* magic = "quorralith-replay";
// The letter of each key when it is down, in the order of the record, and
// last F while the window has the focus: without it the cursor offset does not
// turn the view, so a replay must know when it was missing.
constexpr const char* keyLetters = "WSDARCF";
constexpr size_t keyCount = 7;
constexpr char keyUp = '.';
constexpr size_t frameFieldCount = 6;

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
    // The whole field, to its last byte: a NUL inside it would end strtod's
    // reading early.
    return end == field.c_str() + field.size() && std::isfinite(value);
}

bool readBoundedNumber(const std::string& field, double bound, double& value) {
    return readFiniteNumber(field, value) && std::fabs(value) <= bound;
}

bool readWholeNumber(const std::string& field, long long lowest, long long highest,
                     long long& value) {
    if (field.empty() || field[0] == ' ' || field[0] == '+') {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    value = std::strtoll(field.c_str(), &end, 10);
    return end == field.c_str() + field.size() && errno == 0 && value >= lowest && value <= highest;
}

// The line split at its spaces into at most maxFields fields, the last of
// them holding the rest of the line: a line of millions of spaces costs no
// more than a line of seven fields.
std::vector<std::string> fieldsOf(const std::string& line, size_t maxFields) {
    std::vector<std::string> fields;
    size_t start = 0;
    while (start <= line.size()) {
        const size_t space =
            fields.size() + 1 == maxFields ? std::string::npos : line.find(' ', start);
        const size_t end = space == std::string::npos ? line.size() : space;
        fields.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    return fields;
}

// A field as a message can show it: a NUL or another control byte would cut
// the line short or garble the terminal.
std::string shown(const std::string& field) {
    std::string text = field;
    for (char& c : text) {
        c = static_cast<unsigned char>(c) < ' ' ? '?' : c;
    }
    return "\"" + text + "\"";
}

std::string atLine(size_t lineNumber, const std::string& what) {
    return "line " + std::to_string(lineNumber) + ": " + what;
}

std::string readHeader(const std::string& line) {
    const std::vector<std::string> fields = fieldsOf(line, 3);
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
    const std::vector<std::string> fields = fieldsOf(line, 3);
    long long value = 0;
    if (fields.size() != 2 || fields[0] != "seed" ||
        !readWholeNumber(fields[1], 0, UINT32_MAX, value)) {
        return atLine(2, "expected \"seed N\" with N from 0 to 4294967295");
    }
    seed = static_cast<std::uint32_t>(value);
    return "";
}

std::string readFrame(const std::string& line, ControlInput& input) {
    const std::vector<std::string> fields = fieldsOf(line, frameFieldCount + 1);
    if (fields.size() != frameFieldCount) {
        return "expected 6 fields (time, cursor x, cursor y, width, height, keys), found " +
               (fields.size() > frameFieldCount ? "more" : std::to_string(fields.size()));
    }
    if (!readBoundedNumber(fields[0], replayLimit::clockSeconds, input.now) || input.now < 0.0) {
        return "the time " + shown(fields[0]) + " is not a number of seconds from 0 to 1e9";
    }
    const char* names[] = {"cursor x", "cursor y"};
    double* cursor[] = {&input.cursorX, &input.cursorY};
    for (size_t i = 0; i < 2; ++i) {
        if (!readBoundedNumber(fields[i + 1], replayLimit::cursorPixels, *cursor[i])) {
            return std::string("the ") + names[i] + " " + shown(fields[i + 1]) +
                   " is not a number of pixels from -1e6 to 1e6";
        }
    }
    long long width = 0;
    long long height = 0;
    if (!readWholeNumber(fields[3], 0, replayLimit::windowPixels, width) ||
        !readWholeNumber(fields[4], 0, replayLimit::windowPixels, height)) {
        return "the window size " + shown(fields[3] + " " + fields[4]) +
               " is not two whole numbers from 0 to 65536";
    }
    input.windowWidth = static_cast<int>(width);
    input.windowHeight = static_cast<int>(height);
    if (!readKeys(fields[5], input)) {
        return "the keys " + shown(fields[5]) +
               " are not seven of W S D A R C F, each letter or \".\"";
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

namespace {

constexpr const char* byteOrderMark = "\xEF\xBB\xBF";

// Whether nothing but line ends follows `from`: blank lines that an editor
// left at the end of the file.
bool onlyLineEndsFrom(const std::string& text, size_t from) {
    return text.find_first_not_of("\r\n", from) == std::string::npos;
}

std::string readFrameAfter(const std::string& line, const Replay& replay, ControlInput& input) {
    const std::string wrong = readFrame(line, input);
    if (!wrong.empty() || replay.frames.empty()) {
        return wrong;
    }
    const double stepSeconds = input.now - replay.frames.back().now;
    if (stepSeconds < 0.0) {
        return "the time runs backwards";
    }
    if (stepSeconds > replayLimit::frameSeconds) {
        return "a frame of more than a day";
    }
    return "";
}

}  // namespace

ReplayParse parseReplay(const std::string& text) {
    ReplayParse parse;
    if (text.empty()) {
        parse.error = "empty, not a Quorralith replay";
        return parse;
    }
    size_t lineNumber = 0;
    // Some editors begin a file they save with the mark, and end lines with
    // a carriage return: neither is part of what the game wrote.
    size_t start = text.rfind(byteOrderMark, 0) == 0 ? std::strlen(byteOrderMark) : 0;
    while (start < text.size() && parse.error.empty()) {
        ++lineNumber;
        const size_t end = text.find('\n', start);
        if (end == std::string::npos && lineNumber > 2) {
            // A run that ended before its last line was written whole: every
            // frame before it plays.
            parse.warning = atLine(lineNumber, "cut short (the last line has no line feed); " +
                                                   std::to_string(parse.replay.frames.size()) +
                                                   " whole frames are replayed");
            break;
        }
        if (end == std::string::npos) {
            parse.error = atLine(lineNumber, "cut short (the last line has no line feed)");
            break;
        }
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        start = end + 1;
        if (lineNumber == 1) {
            parse.error = readHeader(line);
        } else if (lineNumber == 2) {
            parse.error = readSeed(line, parse.replay.seed);
        } else if (line.empty() && onlyLineEndsFrom(text, start)) {
            break;
        } else {
            ControlInput input;
            const std::string wrong = readFrameAfter(line, parse.replay, input);
            parse.error = wrong.empty() ? "" : atLine(lineNumber, wrong);
            parse.replay.frames.push_back(input);
        }
    }
    if (parse.error.empty() && lineNumber < 2) {
        parse.error = atLine(lineNumber + 1, "cut short (no seed line)");
    }
    if (!parse.error.empty()) {
        parse.replay = Replay{};
        parse.warning.clear();
    }
    return parse;
}

ReplayParse readReplayFile(const std::string& path) {
    ReplayParse parse;
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) {
        parse.error = "replay " + path + ": cannot be read (" + std::strerror(errno) + ")";
        return parse;
    }
    // A FIFO could block for ever, a device could be endless: only a file
    // of a known size is read, and only up to the limit.
    if (!S_ISREG(status.st_mode)) {
        parse.error = "replay " + path + ": not a regular file";
        return parse;
    }
    if (static_cast<std::uintmax_t>(status.st_size) > replayLimit::fileBytes) {
        parse.error = "replay " + path + ": larger than 64 MiB, more than any run records";
        return parse;
    }
    // A file that grows after its size was taken is read only to the limit.
    const std::optional<std::vector<unsigned char>> bytes =
        readFileBytes(path.c_str(), replayLimit::fileBytes);
    if (!bytes) {
        parse.error = "replay " + path + ": cannot be read (" + std::strerror(errno) + ")";
        return parse;
    }
    parse = parseReplay(std::string(bytes->begin(), bytes->end()));
    for (std::string* message : {&parse.error, &parse.warning}) {
        if (!message->empty()) {
            *message = "replay " + path + ": " + *message;
        }
    }
    return parse;
}
