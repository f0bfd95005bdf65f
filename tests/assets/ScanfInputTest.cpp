#include "assets/ScanfInput.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "assets/AssetFiles.h"

namespace {

struct Scanned {
    bool converted = false;
    int value = -12345;
};

Scanned readInt(const std::string& text) {
    const Bytes bytes = bytesOf(text);
    ScanfInput in(bytes.data(), bytes.size());
    Scanned scanned;
    scanned.converted = in.readInt(scanned.value);
    return scanned;
}

Scanned sscanfInt(const std::string& text) {
    Scanned scanned;
    scanned.converted = std::sscanf(text.c_str(), "%d", &scanned.value) == 1;
    return scanned;
}

}  // namespace

TEST(ScanfInput, IntegersOutsideTheIntRangeConvertAsTheCLibraryConvertsThem) {
    // Around the int and long limits, and the digit counts where ten times
    // the value so far no longer fits in 64 bits.
    for (const char* text : {"0",
                             "-0",
                             "+7",
                             "2147483647",
                             "2147483648",
                             "-2147483649",
                             "4294967297",
                             "9223372036854775807",
                             "9223372036854775808",
                             "-9223372036854775808",
                             "-9223372036854775809",
                             "1844674407370955161",
                             "18446744073709551617",
                             "2147483649429496729",
                             "-21474836494294967297",
                             "99999999999999999999",
                             "123456789012345678901234567890",
                             "-",
                             "+",
                             "x",
                             "-x",
                             ""}) {
        SCOPED_TRACE(text);
        const Scanned ours = readInt(text);
        const Scanned theirs = sscanfInt(text);
        EXPECT_EQ(ours.converted, theirs.converted);
        EXPECT_EQ(ours.value, theirs.value);
    }
}

TEST(ScanfInput, FloatScanStopsWhereTheCLibraryStops) {
    // What is left after one "%f" shows how much of the text the scan took.
    for (const char* text : {"1.5.3", "1e", "1e+x", ".e5", "0x", "0x1p", "-nan", "nax", "infx",
                             "infinit", "INFINITYz", "+.5e-3q", "0X1.8P1g", "5."}) {
        SCOPED_TRACE(text);
        const Bytes bytes = bytesOf(text);
        ScanfInput in(bytes.data(), bytes.size());
        float ours = -1.0f;
        const bool oursConverted = in.readFloat(ours);
        std::string_view oursRest;
        in.readWord(100, oursRest);

        float theirs = -1.0f;
        char theirsRest[100] = "";
        const int count = std::sscanf(text, "%f%99s", &theirs, theirsRest);
        EXPECT_EQ(oursConverted, count >= 1);
        EXPECT_EQ(std::memcmp(&ours, &theirs, sizeof ours), 0) << ours << " vs " << theirs;
        if (count == 2 || (count == 1 && theirsRest[0] == '\0')) {
            EXPECT_EQ(std::string(oursRest), std::string(theirsRest));
        }
    }
}
