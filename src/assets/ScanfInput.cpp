#include "assets/ScanfInput.h"

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

// The C locale's classes; the game never changes its locale.
bool isSpace(int c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
bool isDigit(int c) {
    return c >= '0' && c <= '9';
}
bool isHexDigit(int c) {
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
int toLower(int c) {
    return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c;
}

// What strtol makes of a sign and a run of decimal digits: the nearest long.
long clampedToLong(bool negative, std::uint64_t magnitude) {
    const std::uint64_t longMax = std::numeric_limits<long>::max();
    if (negative) {
        return magnitude > longMax ? std::numeric_limits<long>::min()
                                   : -static_cast<long>(magnitude);
    }
    return magnitude > longMax ? std::numeric_limits<long>::max() : static_cast<long>(magnitude);
}

}  // namespace

ScanfInput::ScanfInput(const unsigned char* bytes, std::size_t size) : bytes(bytes), size(size) {}

int ScanfInput::next() {
    return position < size ? bytes[position++] : kEnd;
}

void ScanfInput::pushBack(int c) {
    if (c != kEnd) {
        --position;
    }
}

void ScanfInput::skipSpace() {
    while (position < size && isSpace(bytes[position])) {
        ++position;
    }
}

bool ScanfInput::readWord(std::size_t maxLength, std::string_view& word) {
    skipSpace();
    if (position >= size) {
        return false;
    }
    const std::size_t start = position;
    while (position < size && position - start < maxLength && !isSpace(bytes[position])) {
        ++position;
    }
    word = std::string_view(reinterpret_cast<const char*>(bytes + start), position - start);
    return true;
}

bool ScanfInput::readLiteral(char expected) {
    const int c = next();
    if (c == kEnd) {
        return false;
    }
    if (c != static_cast<unsigned char>(expected)) {
        pushBack(c);
        return false;
    }
    return true;
}

void ScanfInput::skipLine(std::size_t bufferSize) {
    for (std::size_t taken = 0; taken + 1 < bufferSize && position < size; ++taken) {
        if (bytes[position++] == '\n') {
            return;
        }
    }
}

bool ScanfInput::readInt(int& value) {
    skipSpace();
    int c = next();
    if (c == kEnd) {
        return false;
    }
    const bool negative = c == '-';
    if (c == '-' || c == '+') {
        c = next();
    }
    // Past the long range strtol clamps, so the exact magnitude stops
    // mattering: it is held just above 2^63 rather than left to wrap.
    constexpr std::uint64_t kSaturated = std::uint64_t{1} << 63;
    std::uint64_t magnitude = 0;
    bool gotDigit = false;
    while (isDigit(c)) {
        gotDigit = true;
        magnitude = magnitude > kSaturated / 10 ? kSaturated + 1 : magnitude * 10 + (c - '0');
        c = next();
    }
    pushBack(c);
    if (!gotDigit) {
        return false;
    }
    // "%d" stores strtol's long into an int: glibc keeps its low 32 bits.
    value = static_cast<int>(static_cast<std::uint32_t>(clampedToLong(negative, magnitude)));
    return true;
}

bool ScanfInput::readFloat(float& value) {
    // glibc gathers the longest run of characters that can begin a number,
    // with only one character of look-ahead to give back, then converts the
    // run with strtof; a run that strtof only partly takes still counts.
    skipSpace();
    std::string text;
    int c = next();
    if (c == kEnd) {
        return false;
    }
    bool gotSign = false;
    if (c == '-' || c == '+') {
        text += static_cast<char>(c);
        gotSign = true;
        c = next();
        if (c == kEnd) {
            return false;
        }
    }
    // A letter that starts "nan" or "inf" commits the scan to that word: a
    // mismatch later consumes the mismatching character too.
    const auto takeLetters = [&](const char* letters) {
        for (const char* letter = letters; *letter != '\0'; ++letter) {
            c = next();
            if (c == kEnd || toLower(c) != *letter) {
                return false;
            }
            text += static_cast<char>(c);
        }
        return true;
    };
    if (toLower(c) == 'n') {
        text += static_cast<char>(c);
        return takeLetters("an") && convert(text, value);
    }
    if (toLower(c) == 'i') {
        text += static_cast<char>(c);
        if (!takeLetters("nf")) {
            return false;
        }
        c = next();
        if (toLower(c) == 'i') {
            text += static_cast<char>(c);
            if (!takeLetters("nity")) {
                return false;
            }
        } else {
            pushBack(c);
        }
        return convert(text, value);
    }

    bool hex = false;
    bool gotDigit = false;
    bool gotDot = false;
    bool gotExponent = false;
    char exponentLetter = 'e';
    if (c == '0') {
        text += '0';
        c = next();
        if (toLower(c) == 'x') {
            text += static_cast<char>(c);
            hex = true;
            exponentLetter = 'p';
            c = next();
        } else {
            gotDigit = true;
        }
    }
    for (;;) {
        if (isDigit(c) || (hex && !gotExponent && isHexDigit(c))) {
            text += static_cast<char>(c);
            gotDigit = true;
        } else if (gotExponent && text.back() == exponentLetter && (c == '-' || c == '+')) {
            text += static_cast<char>(c);
        } else if (gotDigit && !gotExponent && toLower(c) == exponentLetter) {
            text += exponentLetter;
            gotExponent = true;
            gotDot = true;
        } else if (!gotDot && c == '.') {
            text += '.';
            gotDot = true;
        } else {
            pushBack(c);
            break;
        }
        c = next();
        if (c == kEnd) {
            break;
        }
    }
    const std::size_t prefixLength = (gotSign ? 1 : 0) + (hex ? 2 : 0);
    if (text.size() == prefixLength) {
        return false;
    }
    return convert(text, value);
}

bool ScanfInput::convert(const std::string& text, float& value) {
    char* end = nullptr;
    const float converted = std::strtof(text.c_str(), &end);
    if (end == text.c_str()) {
        return false;
    }
    value = converted;
    return true;
}
