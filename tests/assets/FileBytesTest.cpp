#include "assets/FileBytes.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include "assets/AssetFiles.h"

// A file that grows without end (a log, a /proc entry, a damaged disk) is
// read only up to the cap; a sparse file stands in for one.
TEST(FileBytes, ReadsNoMoreThanTheCap) {
    ScratchDirectory dir;
    const std::string path = dir.write("huge.obj", bytesOf("v 1 2 3\n"));
    ASSERT_EQ(truncate(path.c_str(), static_cast<off_t>(kMaxFileBytes) + 4096), 0);
    const std::optional<std::vector<unsigned char>> bytes = readFileBytes(path.c_str());
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->size(), kMaxFileBytes);
}
