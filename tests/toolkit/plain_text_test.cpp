#include "toolkit/plain_text.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

TEST(TextUtils, CommandLineTokensFollowTheQuotingRules) {
    const std::string line = "\"C:\\Program Files\\app.exe\"  /ih \"two words\" a\"b c\"d";
    // Inner quotes stay; doubled quotes before a token are skipped; a lone
    // quote is no token to strip; an unclosed quote runs to the end.
    const char* tokens[] = {"C:\\Program Files\\app.exe", "/ih", "two words", "a\"b c\"d", ""};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(commandLineToken(line, i), tokens[i]) << i;
    // A line, then its first two tokens joined by '|'.
    const std::pair<const char*, const char*> cases[] = {
        {"a /IH", "a|/IH"},     {"a \"\" \"\"x", "a|x"}, {"a \"", "a|\""},
        {"a \"b c", "a|\"b c"}, {"a\t\r\n/ih", "a|/ih"}, {"", "|"},
        {"   ", "|"},           {" a  b ", "a|b"}};
    for (const auto& [text, tokens] : cases)
        EXPECT_EQ(commandLineToken(text, 0) + "|" + commandLineToken(text, 1), tokens) << text;
}

TEST(TextUtils, WindowsVersionCodeMapsPlatformAndVersion) {
    // NT 6 and later, XP, 2000, NT 4; 98 and ME, 95; unknown platform.
    const std::tuple<std::uint32_t, std::uint32_t, std::uint32_t, int> cases[] = {
        {2, 10, 0, 6}, {2, 6, 1, 6}, {2, 5, 1, 5}, {2, 5, 0, 4}, {2, 4, 0, 3},
        {1, 4, 10, 2}, {1, 5, 0, 2}, {1, 4, 0, 1}, {0, 6, 0, 0}};
    for (auto [platform, major, minor, code] : cases)
        EXPECT_EQ(windowsVersionCode(platform, major, minor), code) << major << "." << minor;
}
