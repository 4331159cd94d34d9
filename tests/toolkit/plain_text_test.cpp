#include "toolkit/plain_text.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(TextUtils, CommandLineTokensFollowTheQuotingRules) {
    const std::string line = "\"C:\\Program Files\\app.exe\"  /ih \"two words\" a\"b c\"d";
    // Inner quotes stay; doubled quotes before a token are skipped; a lone
    // quote is no token to strip; an unclosed quote runs to the end.
    // clang-format off
    const std::tuple<std::string, std::int32_t, const char*> cases[] = {
        {line, 0, "C:\\Program Files\\app.exe"}, {line, 1, "/ih"}, {line, 2, "two words"},
        {line, 3, "a\"b c\"d"}, {line, 4, ""}, {"app /IH", 1, "/IH"}, {"app \"\" \"\"x", 1, "x"},
        {"app \"", 1, "\""}, {"app \"open ended", 1, "\"open ended"}, {"app\t\r\n/ih", 1, "/ih"},
        {"", 0, ""}, {"   ", 0, ""}};
    // clang-format on
    for (const auto& [text, index, token] : cases)
        EXPECT_EQ(commandLineToken(text, index), token) << text << " #" << index;
}

TEST(TextUtils, WindowsVersionCodeMapsPlatformAndVersion) {
    // NT 6 and later, XP, 2000, NT 4; 98 and ME, 95; unknown platform.
    const std::tuple<std::uint32_t, std::uint32_t, std::uint32_t, int> cases[] = {
        {2, 10, 0, 6}, {2, 6, 1, 6}, {2, 5, 1, 5}, {2, 5, 0, 4}, {2, 4, 0, 3},
        {1, 4, 10, 2}, {1, 5, 0, 2}, {1, 4, 0, 1}, {0, 6, 0, 0}};
    for (auto [platform, major, minor, code] : cases)
        EXPECT_EQ(windowsVersionCode(platform, major, minor), code) << major << "." << minor;
}
