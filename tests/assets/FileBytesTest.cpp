#include "assets/FileBytes.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "assets/AssetFiles.h"

// A sparse file stands in for one that grows without end.
TEST(FileBytes, ReadsNoMoreThanTheCap) {
    ScratchDirectory dir;
    const std::string path = dir.write("huge.obj", std::string());
    ASSERT_EQ(truncate(path.c_str(), static_cast<off_t>(kMaxFileBytes) + 1), 0);
    EXPECT_EQ(readFileBytes(path.c_str()).value_or(Bytes()).size(), kMaxFileBytes);
}
