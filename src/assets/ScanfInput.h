#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// A read cursor over a byte buffer that consumes its input exactly as the C
// library's formatted input does on a stream (the C locale, glibc's rules):
// the OBJ subset is defined by what such reads accept, so the parser must see
// the same words and numbers, and stop at the same characters, as they would.
// Nothing here reads outside the buffer.
class ScanfInput {
  public:
    ScanfInput(const unsigned char* bytes, std::size_t size);

    // "%Ns": skips white space, then takes at most maxLength non-space
    // characters. Returns false when the input ends before any character.
    bool readWord(std::size_t maxLength, std::string_view& word);
    // "%f": true when a number was converted into value; on false, value is
    // unchanged and the characters that the scan looked at are consumed as the
    // C library consumes them (all but the one it can push back).
    bool readFloat(float& value);
    // "%d", with the conversion of an out-of-range number that glibc makes
    // (clamped to the long range, then cut to int).
    bool readInt(int& value);
    // An ordinary character of a format: must come next, white space is not
    // skipped.
    bool readLiteral(char expected);
    // A white-space directive of a format: any amount of white space, none
    // included.
    void skipSpace();
    // fgets into a buffer of bufferSize bytes: at most bufferSize - 1
    // characters, up to and including a line feed.
    void skipLine(std::size_t bufferSize);

  private:
    static constexpr int kEnd = -1;

    int next();
    void pushBack(int c);
    static bool convert(const std::string& text, float& value);

    const unsigned char* bytes;
    std::size_t size;
    std::size_t position = 0;
};
