#include "assets/BmpParser.h"

#include <gtest/gtest.h>

#include <limits>
#include <numeric>

#include "assets/AssetFiles.h"

namespace {

std::optional<BmpImage> parse(const Bytes& file) {
    return parseBmpImage(file.data(), file.size(), kTestMaxTextureEdge);
}

// Distinct bytes, so that any shift or mix-up of pixels shows.
Bytes countingBytes(std::size_t count, unsigned char first = 1) {
    Bytes bytes(count);
    std::iota(bytes.begin(), bytes.end(), first);
    return bytes;
}

}  // namespace

TEST(BmpParser, PixelsAreTheBytesAtTheDataOffset) {
    const Bytes pixels = countingBytes(4 * 2 * 3);
    for (const std::uint32_t dataOffset : {54u, 138u}) {
        SCOPED_TRACE(dataOffset);
        const std::optional<BmpImage> image = parse(bmpFile({4, 2, 24, 0, dataOffset, 24}, pixels));
        ASSERT_TRUE(image);
        EXPECT_EQ(image->width, 4);
        EXPECT_EQ(image->height, 2);
        EXPECT_EQ(image->pixels, pixels);
    }
}

TEST(BmpParser, DataOffsetZeroMeansRightAfterTheHeader) {
    const Bytes pixels = countingBytes(12);
    const std::optional<BmpImage> image = parse(bmpFile({4, 1, 24, 0, 0, 12}, pixels));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixels, pixels);
}

TEST(BmpParser, ImageSizeZeroReadsTheWholePixelArray) {
    const Bytes pixels = countingBytes(4 * 3 * 3);
    const std::optional<BmpImage> image = parse(bmpFile({4, 3, 24, 0, 54, 0}, pixels));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixels, pixels);
}

TEST(BmpParser, RowsKeepThePaddingTheFileStores) {
    // 5 pixels make 15 bytes, stored as 16 per row.
    const Bytes pixels = countingBytes(16 * 2);
    const std::optional<BmpImage> image = parse(bmpFile({5, 2, 24, 0, 54, 0}, pixels));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixels, pixels);
    EXPECT_EQ(bmpPixelBytes(5, 2), 32u);
    EXPECT_EQ(bmpPixelBytes(4, 2), 24u);
}

// No header may make a load allocate more than the file holds, nor hand GL
// a texture larger than it takes.
TEST(BmpParser, RefusesWhatTheFileOrTheTextureLimitCannotHold) {
    const auto image = [](std::int32_t width, std::int32_t height) {
        return bmpFile({width, height, 24, 0, 54, 0}, Bytes(bmpPixelBytes(width, height), 0));
    };
    const std::int32_t limit = kTestMaxTextureEdge;
    Bytes offsetPastTheEnd = image(4, 1);
    putLittleEndian32(offsetPastTheEnd, 10, 5000);
    const Bytes refused[] = {bmpFile({4, 2, 24, 0, 54, 24}, countingBytes(23)), offsetPastTheEnd,
                             bmpFile({limit, limit, 24, 0, 54, 0}, {}), image(limit + 1, 1),
                             image(1, limit + 1)};
    for (std::size_t i = 0; i < std::size(refused); ++i) {
        EXPECT_FALSE(parse(refused[i])) << i;
    }
    EXPECT_TRUE(parse(image(limit, 1)));
}

TEST(BmpParser, ImageSizeSmallerThanTheImageLeavesTheRestZero) {
    const Bytes pixels = countingBytes(24);
    const std::optional<BmpImage> image = parse(bmpFile({4, 2, 24, 0, 54, 6}, pixels));
    ASSERT_TRUE(image);
    ASSERT_EQ(image->pixels.size(), 24u);
    EXPECT_EQ(Bytes(image->pixels.begin(), image->pixels.begin() + 6),
              Bytes(pixels.begin(), pixels.begin() + 6));
    EXPECT_EQ(Bytes(image->pixels.begin() + 6, image->pixels.end()), Bytes(18, 0));
}

TEST(BmpParser, RefusesWhatIsNotAnUncompressed24BitImage) {
    const Bytes pixels = countingBytes(16);
    const Bytes good = bmpFile({2, 2, 24, 0, 54, 0}, pixels);
    ASSERT_TRUE(parse(good));

    Bytes wrongSignature = good;
    wrongSignature[1] = 'A';
    EXPECT_FALSE(parse(wrongSignature));
    EXPECT_FALSE(parse(Bytes(good.begin(), good.begin() + 53)));
    EXPECT_FALSE(parse(bmpFile({2, 2, 32, 0, 54, 0}, pixels)));
    EXPECT_FALSE(parse(bmpFile({2, 2, 24, 1, 54, 0}, pixels)));
    EXPECT_FALSE(parse(bmpFile({2, 2, 8, 0, 54, 0}, pixels)));
}

TEST(BmpParser, RefusesEmptyAndNegativeSizes) {
    const Bytes pixels = countingBytes(12);
    for (const auto& [width, height] : {std::pair{0, 2},
                                        {2, 0},
                                        {-2, 2},
                                        {2, -2},
                                        {0, 0},
                                        {std::numeric_limits<std::int32_t>::min(), 1}}) {
        SCOPED_TRACE(testing::Message() << width << " x " << height);
        EXPECT_FALSE(parse(bmpFile({width, height, 24, 0, 54, 0}, pixels)));
    }
}

TEST(BmpParser, RefusesImagesLargerThanA32BitImageSizeCanHold) {
    const auto header = [](std::int32_t width, std::int32_t height) {
        const Bytes file = bmpFile({width, height, 24, 0, 54, 0}, {});
        return readBmpHeader(file.data(), file.size());
    };
    // 3 x 1431655764 = 4294967292 bytes, a multiple of 4: the largest row.
    ASSERT_TRUE(header(1431655764, 1));
    EXPECT_EQ(header(1431655764, 1)->imageSize, 4294967292u);
    // One pixel more needs 4294967296 bytes with its padding.
    EXPECT_FALSE(header(1431655765, 1));
    EXPECT_FALSE(header(65536, 65536));
    EXPECT_FALSE(
        header(std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::max()));
}

TEST(BmpParser, EveryTruncationOfAFileIsReadWithinItsBytes) {
    const Bytes pixels = countingBytes(16 * 3);
    const Bytes file = bmpFile({5, 3, 24, 0, 60, 0}, pixels);
    for (std::size_t size = 0; size <= file.size(); ++size) {
        SCOPED_TRACE(size);
        const Bytes prefix(file.begin(), file.begin() + size);
        const std::optional<BmpImage> image = parse(prefix);
        ASSERT_EQ(image.has_value(), size == file.size());
        if (image) {
            EXPECT_EQ(image->pixels, pixels);
        }
    }
}
