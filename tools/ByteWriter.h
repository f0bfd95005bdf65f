#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Appends little-endian numbers and raw bytes to a growing file image.
class ByteWriter {
  public:
    void u8(std::uint8_t value) { data.push_back(value); }
    void u16(std::uint16_t value);
    void u32(std::uint32_t value);
    void text(const std::string& characters);
    void bytes(const std::vector<std::uint8_t>& block);

    std::vector<std::uint8_t> take() { return std::move(data); }

  private:
    std::vector<std::uint8_t> data;
};

// Writes the bytes to a file; false (after a message on stderr) on failure.
bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
bool writeFile(const std::string& path, const std::string& text);
