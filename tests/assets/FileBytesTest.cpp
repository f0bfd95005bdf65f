#include "assets/FileBytes.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "assets/AssetFiles.h"

// A sparse file stands in for one that grows without end. The cap is the
// test's own, some read chunks and a part of one, so that no 64 MiB are read.
TEST(FileBytes, ReadsNoMoreThanTheCap) {
    constexpr std::size_t kCapBytes = 200001;
    ScratchDirectory dir;
    const std::string path = dir.write("huge.obj", std::string());
    ASSERT_EQ(truncate(path.c_str(), static_cast<off_t>(kCapBytes) + 1), 0);
    EXPECT_EQ(readFileBytes(path.c_str(), kCapBytes).value_or(Bytes()).size(), kCapBytes);
}
