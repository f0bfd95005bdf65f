#include "assets/DdsParser.h"

#include <gtest/gtest.h>

#include <limits>

#include "assets/AssetFiles.h"

namespace {

DdsParseResult parse(const Bytes& file) {
    return parseDds(file.data(), file.size(), kTestMaxTextureEdge);
}

struct LevelShape {
    std::uint32_t width;
    std::uint32_t height;
    std::uint64_t size;
    std::uint64_t offset;
};

std::vector<LevelShape> shapesOf(const std::vector<DdsLevel>& levels) {
    std::vector<LevelShape> shapes;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        EXPECT_EQ(levels[i].level, i);
        shapes.push_back({levels[i].width, levels[i].height, levels[i].size, levels[i].offset});
    }
    return shapes;
}

bool operator==(const LevelShape& a, const LevelShape& b) {
    return a.width == b.width && a.height == b.height && a.size == b.size && a.offset == b.offset;
}

std::ostream& operator<<(std::ostream& out, const LevelShape& s) {
    return out << s.width << "x" << s.height << " " << s.size << "@" << s.offset;
}

constexpr std::uint32_t kAll = std::numeric_limits<std::uint32_t>::max();

}  // namespace

TEST(DdsParser, FullDxt1ChainOf256LevelsHasTheExpectedSizesAndOffsets) {
    const DdsParseResult result = parse(ddsFile({256, 256, 32768, 9, "DXT1"}, Bytes(65536, 0)));
    ASSERT_EQ(result.status, DdsParseStatus::Ok);
    EXPECT_EQ(result.texture.data.size(), 65536u);
    const std::vector<LevelShape> expected = {
        {256, 256, 32768, 0}, {128, 128, 8192, 32768}, {64, 64, 2048, 40960},
        {32, 32, 512, 43008}, {16, 16, 128, 43520},    {8, 8, 32, 43648},
        {4, 4, 8, 43680},     {2, 2, 8, 43688},        {1, 1, 8, 43696}};
    EXPECT_EQ(shapesOf(result.texture.levels), expected);
}

TEST(DdsParser, FourCharacterCodeChoosesFormatAndBlockSize) {
    const struct {
        const char* code;
        std::uint32_t format;
        std::uint32_t blockSize;
    } cases[] = {{"DXT1", 0x83F1, 8}, {"DXT3", 0x83F2, 16}, {"DXT5", 0x83F3, 16}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        const DdsParseResult result = parse(ddsFile({4, 4, 16, 1, c.code}, Bytes(16, 0)));
        ASSERT_EQ(result.status, DdsParseStatus::Ok);
        EXPECT_EQ(result.texture.internalFormat, c.format);
        EXPECT_EQ(result.texture.blockSize, c.blockSize);
        EXPECT_EQ(result.texture.levels.at(0).size, c.blockSize);
    }
}

TEST(DdsParser, OtherFourCharacterCodesAreUnsupported) {
    for (const char* code : {"DXT2", "DXT4", "dxt1", "RGBA", ""}) {
        SCOPED_TRACE(code);
        EXPECT_EQ(parse(ddsFile({4, 4, 16, 1, code}, Bytes(16, 0))).status,
                  DdsParseStatus::UnsupportedFormat);
    }
}

TEST(DdsParser, PartialBlocksRoundUp) {
    EXPECT_EQ(ddsLevelBytes(5, 3, 16), 32u);
    EXPECT_EQ(ddsLevelBytes(1, 1, 8), 8u);
    EXPECT_EQ(ddsLevelBytes(0, 7, 8), 0u);
}

TEST(DdsParser, LevelSizesSaturateInsteadOfWrapping) {
    // 2^30 x 2^30 blocks of 16 bytes is 2^64: one past the largest value.
    EXPECT_EQ(ddsLevelBytes(kAll, kAll, 16), std::numeric_limits<std::uint64_t>::max());
    EXPECT_EQ(ddsLevelBytes(kAll, kAll, 8), std::uint64_t{1} << 63);
    EXPECT_EQ(ddsDataSize(kAll, 2), std::uint64_t{kAll} * 2);
}

TEST(DdsParser, NonSquareChainHalvesTheLongerSideDownToOne) {
    const std::vector<LevelShape> expected = {
        {8, 2, 16, 0}, {4, 1, 8, 16}, {2, 1, 8, 24}, {1, 1, 8, 32}};
    EXPECT_EQ(shapesOf(ddsLevels(8, 2, 4, 8, 1000)), expected);
}

TEST(DdsParser, DataBlockIsTheLinearSizeUnlessThereAreSeveralLevels) {
    const Bytes plenty(200, 0x55);
    EXPECT_EQ(parse(ddsFile({4, 4, 32, 0, "DXT5"}, plenty)).texture.data.size(), 32u);
    EXPECT_EQ(parse(ddsFile({4, 4, 32, 1, "DXT5"}, plenty)).texture.data.size(), 32u);
    EXPECT_EQ(parse(ddsFile({4, 4, 32, 2, "DXT5"}, plenty)).texture.data.size(), 64u);
}

TEST(DdsParser, MipMapCountZeroOrEmptyImageHasNoLevels) {
    const DdsParseResult noLevels = parse(ddsFile({4, 4, 8, 0, "DXT1"}, Bytes(8, 0)));
    ASSERT_EQ(noLevels.status, DdsParseStatus::Ok);
    EXPECT_TRUE(noLevels.texture.levels.empty());
    const DdsParseResult empty = parse(ddsFile({0, 0, 8, 5, "DXT1"}, Bytes(16, 0)));
    ASSERT_EQ(empty.status, DdsParseStatus::Ok);
    EXPECT_TRUE(empty.texture.levels.empty());
}

TEST(DdsParser, LevelZeroBeyondTheTextureLimitIsTooLarge) {
    const std::uint32_t limit = kTestMaxTextureEdge;
    EXPECT_EQ(parse(ddsFile({limit + 1, 4, 8, 1, "DXT1"}, {})).status, DdsParseStatus::TooLarge);
    EXPECT_EQ(parse(ddsFile({4, limit + 1, 8, 1, "DXT1"}, {})).status, DdsParseStatus::TooLarge);
    EXPECT_EQ(parse(ddsFile({limit, 4, 8, 1, "DXT1"}, {})).status, DdsParseStatus::Ok);
}

TEST(DdsParser, MagicMustBeExactlyDdsAndASpace) {
    Bytes file = ddsFile({4, 4, 8, 1, "DXT1"}, Bytes(8, 0));
    ASSERT_EQ(parse(file).status, DdsParseStatus::Ok);
    for (const unsigned char fourth : {'\0', 'X', '\n'}) {
        file[3] = fourth;
        EXPECT_EQ(parse(file).status, DdsParseStatus::NotDds);
    }
    EXPECT_EQ(parse(bytesOf("DDS")).status, DdsParseStatus::NotDds);
    EXPECT_EQ(parse(Bytes()).status, DdsParseStatus::NotDds);
}

TEST(DdsParser, LevelsThatDoNotFitTheDataReadAreLeftOut) {
    // Levels 0 and 1 of the 256 x 256 chain take exactly 40960 bytes.
    const DdsParseResult cut = parse(ddsFile({256, 256, 32768, 9, "DXT1"}, Bytes(40960 + 2047, 0)));
    ASSERT_EQ(cut.status, DdsParseStatus::Ok);
    EXPECT_EQ(cut.texture.data.size(), 40960u + 2047u);
    EXPECT_EQ(cut.texture.levels.size(), 2u);

    // A linear size that is too small for level 0 leaves nothing to upload.
    EXPECT_TRUE(parse(ddsFile({256, 256, 100, 1, "DXT1"}, Bytes(32768, 0))).texture.levels.empty());
    // A mipmap count beyond the chain ends it at 1 x 1 all the same.
    EXPECT_EQ(parse(ddsFile({4, 4, 16, 50, "DXT1"}, Bytes(100, 0))).texture.levels.size(), 3u);
}

TEST(DdsParser, HugeHeaderNumbersNeitherWrapNorReadPastTheFile) {
    const Bytes file = ddsFile({kAll, kAll, kAll, kAll, "DXT5"}, Bytes(64, 0));
    const DdsParseResult result = parseDds(file.data(), file.size(), kAll);
    ASSERT_EQ(result.status, DdsParseStatus::Ok);
    EXPECT_EQ(result.texture.data.size(), 64u);
    EXPECT_TRUE(result.texture.levels.empty());
    // Widths whose block count wraps in 32 bits must not make a level small.
    EXPECT_TRUE(ddsLevels(kAll, 1, 1, 8, 1 << 20).empty());
}

TEST(DdsParser, EveryTruncationOfAFileIsReadWithinItsBytes) {
    const Bytes data = repeated(dxt1Block(0xF800, 0, 0), 12);
    const Bytes file = ddsFile({8, 8, 32, 4, "DXT1"}, data);
    for (std::size_t size = 0; size <= file.size(); ++size) {
        SCOPED_TRACE(size);
        const Bytes prefix(file.begin(), file.begin() + size);
        const DdsParseResult result = parse(prefix);
        if (size < 4) {
            EXPECT_EQ(result.status, DdsParseStatus::NotDds);
            continue;
        }
        // Without the four-character code the format reads as 0.
        ASSERT_EQ(result.status,
                  size >= 88 ? DdsParseStatus::Ok : DdsParseStatus::UnsupportedFormat);
        if (result.status != DdsParseStatus::Ok) {
            continue;
        }
        const std::size_t inFile = size > 128 ? size - 128 : 0;
        EXPECT_EQ(result.texture.data,
                  Bytes(data.begin(), data.begin() + std::min<std::size_t>(inFile, 64)));
        for (const DdsLevel& level : result.texture.levels) {
            EXPECT_LE(level.offset + level.size, result.texture.data.size());
        }
    }
}
