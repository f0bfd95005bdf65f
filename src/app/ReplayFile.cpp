#include "app/ReplayFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

#include "app/StopSignals.h"
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

std::string readHeader(const std::string& line) {
    const std::vector<std::string> fields = fieldsOf(line, 3);
    long long version = 0;
    if (fields.size() != 2 || fields[0] != magic ||
        !readWholeNumber(fields[1], 0, INT32_MAX, version)) {
        return "not a Quorralith replay (no \"" + std::string(magic) + " N\" header)";
    }
    if (version != replayVersion) {
        return "replay version " + fields[1] + ", but this game reads version " +
               std::to_string(replayVersion);
    }
    return "";
}

std::string readSeed(const std::string& line, std::uint32_t& seed) {
    const std::vector<std::string> fields = fieldsOf(line, 3);
    long long value = 0;
    if (fields.size() != 2 || fields[0] != "seed" ||
        !readWholeNumber(fields[1], 0, UINT32_MAX, value)) {
        return "expected \"seed N\" with N from 0 to 4294967295";
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

std::string replayText(std::uint32_t seed, const std::vector<ControlInput>& frames) {
    std::string text = replayHeader(seed);
    for (const ControlInput& frame : frames) {
        text += replayLine(frame);
    }
    return text;
}

std::string refusalOfFrame(const std::string& line, const std::optional<ControlInput>& previous,
                           ControlInput& input) {
    const std::string wrong = readFrame(line, input);
    if (!wrong.empty() || !previous) {
        return wrong;
    }
    const double stepSeconds = input.now - previous->now;
    if (stepSeconds < 0.0) {
        return "the time runs backwards";
    }
    if (stepSeconds > replayLimit::frameSeconds) {
        return "a frame of more than a day";
    }
    return "";
}

namespace {

constexpr const char* byteOrderMark = "\xEF\xBB\xBF";
// What one read of a file takes.
constexpr std::size_t readBytes = 64 * 1024;

std::string reasonFor(int error) {
    return std::string("cannot be read (") + std::strerror(error) + ")";
}

}  // namespace

ReplayReader ReplayReader::ofText(std::string text) {
    ReplayReader reader;
    reader.pending = std::move(text);
    reader.inputEnded = true;
    reader.readHead();
    return reader;
}

ReplayReader ReplayReader::ofFile(const std::string& path) {
    ReplayReader reader;
    reader.name = "replay " + path + ": ";
    // Without O_NONBLOCK a FIFO would block in open() itself until a writer
    // came; with it the open returns at once and the check turns it away.
    reader.file = FileDescriptor(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (reader.file.get() < 0) {
        reader.errorText = reader.name + reasonFor(errno);
    } else if (!isRegularFile(reader.file.get())) {
        reader.errorText = reader.name + "not a regular file";
    } else {
        reader.readHead();
    }
    return reader;
}

void ReplayReader::fail(const std::string& what) {
    errorText = name + "line " + std::to_string(lineNumber) + ": " + what;
}

// Keeps what is left of the buffer and reads on after it.
bool ReplayReader::readMore() {
    if (inputEnded) {
        return false;
    }
    pending.erase(0, position);
    pendingOffset += position;
    position = 0;
    const std::size_t kept = pending.size();
    pending.resize(kept + readBytes);
    ssize_t got = -1;
    do {
        got = read(file.get(), &pending[kept], readBytes);
    } while (got < 0 && errno == EINTR);
    pending.resize(kept + static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
    if (got < 0) {
        errorText = name + reasonFor(errno);
    }
    inputEnded = got <= 0;
    return got > 0;
}

// The next line without its line end, a carriage return before it taken
// away too; `cutShort` when the input ends before its line feed. The limit
// counts the line without its end, whichever end it has.
bool ReplayReader::readLine(std::string& line, bool& cutShort) {
    constexpr std::size_t longestEnd = 2;  // "\r\n"
    std::size_t end = pending.find('\n', position);
    while (end == std::string::npos &&
           pending.size() - position < replayLimit::lineBytes + longestEnd && readMore()) {
        end = pending.find('\n', position);
    }
    const std::size_t length = (end == std::string::npos ? pending.size() : end) - position;
    if (!errorText.empty() || (end == std::string::npos && length == 0)) {
        return false;
    }
    ++lineNumber;
    cutShort = end == std::string::npos;
    const bool carriageReturn = length > 0 && pending[position + length - 1] == '\r';
    const std::size_t lineBytes = length - (carriageReturn ? 1 : 0);
    if (lineBytes > replayLimit::lineBytes) {
        fail("longer than " + std::to_string(replayLimit::lineBytes) +
             " bytes, more than any frame takes");
        return false;
    }
    line.assign(pending, position, lineBytes);
    position += length + (cutShort ? 0 : 1);
    return true;
}

void ReplayReader::readHead() {
    // Some editors begin a file they save with the mark, and end lines with
    // a carriage return: neither is part of what the game wrote.
    readMore();
    if (pending.rfind(byteOrderMark, 0) == 0) {
        position = std::strlen(byteOrderMark);
    }
    std::string line;
    bool cutShort = false;
    if (!readLine(line, cutShort)) {
        errorText = errorText.empty() ? name + "empty, not a Quorralith replay" : errorText;
        return;
    }
    std::string wrong = cutShort ? "cut short (the last line has no line feed)" : readHeader(line);
    if (wrong.empty() && !readLine(line, cutShort)) {
        lineNumber = 2;
        wrong = errorText.empty() ? "cut short (no seed line)" : "";
    } else if (wrong.empty()) {
        wrong = cutShort ? "cut short (the last line has no line feed)" : readSeed(line, seedRead);
    }
    if (!wrong.empty()) {
        fail(wrong);
    }
    firstFrameOffset = pendingOffset + position;
}

bool ReplayReader::next(ControlInput& frame) {
    std::string line;
    bool cutShort = false;
    while (errorText.empty() && !cutLineReached && readLine(line, cutShort)) {
        if (line.empty()) {
            // Blank lines that an editor left at the end of the file.
            blankLineAt = blankLineAt == 0 ? lineNumber : blankLineAt;
            continue;
        }
        if (blankLineAt != 0) {
            lineNumber = blankLineAt;
            fail("expected 6 fields (time, cursor x, cursor y, width, height, keys), found 1");
        } else if (cutShort) {
            // A run that ended before its last line was written whole: every
            // frame before it plays.
            cutLineReached = true;
            warningText = name + "line " + std::to_string(lineNumber) +
                          ": cut short (the last line has no line feed); " +
                          std::to_string(framesRead) + " whole frames are replayed";
        } else if (const std::string wrong = refusalOfFrame(line, previous, frame);
                   !wrong.empty()) {
            fail(wrong);
        } else {
            previous = frame;
            ++framesRead;
            return true;
        }
    }
    return false;
}

void ReplayReader::rewind() {
    if (file.get() >= 0) {
        lseek(file.get(), static_cast<off_t>(firstFrameOffset), SEEK_SET);
        pending.clear();
        pendingOffset = firstFrameOffset;
        position = 0;
        inputEnded = false;
    } else {
        position = firstFrameOffset;
    }
    lineNumber = 2;
    blankLineAt = 0;
    framesRead = 0;
    previous.reset();
    cutLineReached = false;
}

ReplayParse parseReplay(const std::string& text) {
    ReplayReader reader = ReplayReader::ofText(text);
    ReplayParse parse;
    parse.replay.seed = reader.seed();
    ControlInput frame;
    while (reader.next(frame)) {
        parse.replay.frames.push_back(frame);
    }
    parse.error = reader.error();
    parse.warning = reader.warning();
    if (!parse.error.empty()) {
        parse.replay = Replay{};
        parse.warning.clear();
    }
    return parse;
}

ReplayReader openReplayFile(const std::string& path) {
    ReplayReader reader = ReplayReader::ofFile(path);
    ControlInput frame;
    // A long file takes seconds: a stop signal is heard between two lines.
    while (caughtStopSignal() == 0 && reader.next(frame)) {
    }
    if (reader.error().empty()) {
        reader.rewind();
    }
    return reader;
}
