#include "assets/DxtDecoder.h"

#include <gtest/gtest.h>
#include <squish.h>

#include <cstdint>
#include <random>
#include <vector>

#include "assets/DdsParser.h"

// Random bytes, half of them with a block's two colours equal, reach every
// case of every format (DXT1's three colours with transparent black, DXT5's
// six steps with 0 and 255), and levels whose
// edges are not whole blocks take only the pixels they hold: each must
// decode exactly as the generator's own library decodes it.
TEST(DxtDecoder, DecodesEveryLevelAsTheGeneratorsLibraryDoes) {
    const struct {
        std::uint32_t format;
        int squishFlag;
        std::size_t blockBytes;
    } formats[] = {{kCompressedRgbaS3tcDxt1, squish::kDxt1, 8},
                   {kCompressedRgbaS3tcDxt3, squish::kDxt3, 16},
                   {kCompressedRgbaS3tcDxt5, squish::kDxt5, 16}};
    const int sizes[][2] = {{4, 4}, {8, 12}, {6, 5}, {2, 2}, {1, 1}};
    std::mt19937 engine(2029);
    std::uniform_int_distribution<int> byte(0, 255);
    for (const auto& format : formats) {
        for (const auto& [width, height] : sizes) {
            for (int trial = 0; trial < 200; ++trial) {
                const std::size_t blocks =
                    static_cast<std::size_t>((width + 3) / 4 * ((height + 3) / 4));
                std::vector<unsigned char> data(blocks * format.blockBytes);
                for (unsigned char& b : data) {
                    b = static_cast<unsigned char>(byte(engine));
                }
                // Every other trial, two equal colours: DXT1 then has three.
                const std::size_t colours = format.blockBytes - 8;
                for (std::size_t at = colours; trial % 2 == 0 && at < data.size();
                     at += format.blockBytes) {
                    data[at + 2] = data[at];
                    data[at + 3] = data[at + 1];
                }
                std::vector<unsigned char> expected(static_cast<std::size_t>(width * height * 4));
                squish::DecompressImage(expected.data(), width, height, data.data(),
                                        format.squishFlag);
                ASSERT_EQ(decodeDxtLevel(format.format, data.data(), data.size(),
                                         static_cast<std::uint32_t>(width),
                                         static_cast<std::uint32_t>(height)),
                          expected)
                    << "format " << format.squishFlag << ", " << width << " x " << height;
            }
        }
    }
}
