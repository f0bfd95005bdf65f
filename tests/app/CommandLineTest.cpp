#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <glm/trigonometric.hpp>

#include <optional>
#include <string>
#include <vector>

namespace {

CommandLine parse(std::vector<std::string> words) {
    words.insert(words.begin(), "quorralith");
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    return parseCommandLine(static_cast<int>(words.size()), argv.data());
}

}  // namespace

TEST(CommandLine, OptionsInAnySpellingFillTheRecord) {
    const GameOptions options =
        parse({"-f", "--seed=4294967295", "--data", "d/e", "-s", "7", "-V"}).options;
    EXPECT_EQ(options.seed, 7u);  // the last of two seeds holds
    EXPECT_EQ(options.dataDirectory, "d/e");
    EXPECT_TRUE(options.fullscreen && options.showVersion && !options.showHelp);
    EXPECT_EQ(parse({"--seed", "4294967295"}).options.seed, 4294967295u);
    EXPECT_FALSE(parse({}).options.seed.has_value());
    const GameOptions played = parse({"--autoplay", "--record", "a", "--seed=3"}).options;
    EXPECT_TRUE(played.autoplay && played.recordFile == "a" && played.replayFile.empty());
    EXPECT_EQ(parse({"--replay=b"}).options.replayFile, "b");
    // The benches' placement of the eye, which --help leaves out.
    const std::optional<StartView> view = parse({"--at", "38,1.5,-2,90,-30"}).options.startView;
    ASSERT_TRUE(view.has_value());
    EXPECT_EQ(view->position, glm::vec3(38.0f, 1.5f, -2.0f));
    EXPECT_FLOAT_EQ(view->yawRadians, glm::radians(90.0f));
    EXPECT_FLOAT_EQ(view->pitchRadians, glm::radians(-30.0f));
    EXPECT_EQ(usageText().find("--at"), std::string::npos);
}

TEST(CommandLine, EachFaultIsNamedInOneLine) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> faults = {
        {{"--seed"}, "--seed needs a value N"},
        {{"-d"}, "--data needs a value DIR"},
        {{"--seed", "12x"}, "not '12x'"},
        {{"--seed", "-1"}, "not '-1'"},
        {{"--seed", "4294967296"}, "not '4294967296'"},
        {{"--seed="}, "not ''"},
        {{"--at", "1,2,3"}, "--at needs X,Y,Z,YAW[,PITCH]"},
        {{"--at", "1,2,3,4,5,6"}, "not '1,2,3,4,5,6'"},
        {{"--data="}, "--data needs a directory"},
        {{"--fullscreen", "--bogus"}, "unknown option '--bogus'"},
        {{"-x"}, "unknown option '-x'"},
        {{"--help=yes"}, "--help takes no value"},
        {{"--seed", "3", "maze"}, "unexpected argument 'maze'"},
        {{"--record="}, "--record needs a file name"},
        {{"--replay", "r", "--autoplay"}, "--autoplay and --replay cannot be used together"},
        {{"--seed", "1", "--replay", "r"}, "--seed and --replay cannot be used together"},
    };
    for (const auto& [words, expected] : faults) {
        const std::string error = parse(words).error;
        EXPECT_NE(error.find(expected), std::string::npos) << words[0] << ": " << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    }
    EXPECT_EQ(parse({"-fs", "0"}).error, "");
}
