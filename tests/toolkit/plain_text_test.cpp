#include "toolkit/plain_text.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLineTokenTest, TokensFollowTheQuotingRules) {
    const std::string line = "\"C:\\Program Files\\app.exe\"  /ih \"two words\" a\"b c\"d";
    EXPECT_EQ(commandLineToken(line, 0), "C:\\Program Files\\app.exe");
    EXPECT_EQ(commandLineToken(line, 1), "/ih");
    EXPECT_EQ(commandLineToken(line, 2), "two words");
    EXPECT_EQ(commandLineToken(line, 3), "a\"b c\"d"); // inner quotes stay
    EXPECT_EQ(commandLineToken(line, 4), "");
    // The caller can tell the switch's case apart.
    EXPECT_EQ(commandLineToken("app /IH", 1), "/IH");
    // Doubled quotes before a token are skipped; a lone quote is no token
    // to strip; an unclosed quote runs to the end.
    EXPECT_EQ(commandLineToken("app \"\" \"\"x", 1), "x");
    EXPECT_EQ(commandLineToken("app \"", 1), "\"");
    EXPECT_EQ(commandLineToken("app \"open ended", 1), "\"open ended");
    EXPECT_EQ(commandLineToken("app\t\r\n/ih", 1), "/ih");
    EXPECT_EQ(commandLineToken("", 0), "");
    EXPECT_EQ(commandLineToken("   ", 0), "");
}

TEST(CompareTextNoCaseTest, FoldsOnlyLatinLetters) {
    EXPECT_EQ(compareTextNoCase("word", "WORD"), 0);
    EXPECT_LT(compareTextNoCase("apple", "banana"), 0);
    EXPECT_GT(compareTextNoCase("b", "A"), 0);
    EXPECT_LT(compareTextNoCase("ab", "abc"), 0);
    EXPECT_NE(compareTextNoCase("д", "Д"), 0); // Cyrillic is not folded
    EXPECT_EQ(compareTextNoCase("", ""), 0);
}

TEST(WindowsVersionCodeTest, MapsPlatformAndVersion) {
    EXPECT_EQ(windowsVersionCode(2, 10, 0), 6);
    EXPECT_EQ(windowsVersionCode(2, 6, 1), 6);
    EXPECT_EQ(windowsVersionCode(2, 5, 1), 5);
    EXPECT_EQ(windowsVersionCode(2, 5, 0), 4);
    EXPECT_EQ(windowsVersionCode(2, 4, 0), 3);
    EXPECT_EQ(windowsVersionCode(1, 4, 10), 2);
    EXPECT_EQ(windowsVersionCode(1, 5, 0), 2);
    EXPECT_EQ(windowsVersionCode(1, 4, 0), 1);
    EXPECT_EQ(windowsVersionCode(0, 6, 0), 0);
}

} // namespace
