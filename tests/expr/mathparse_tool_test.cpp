// Runs the native formula tool the way a person would.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <tuple>

namespace {

std::pair<std::string, int> runTool(const std::string& arguments) {
    std::string command = std::string(MATHPARSE_PATH) + " " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string output;
    std::array<char, 256> buffer;
    while (pipe && std::fgets(buffer.data(), buffer.size(), pipe))
        output += buffer.data();
    int status = pipe ? pclose(pipe) : -1;
    return {output, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

} // namespace

TEST(MathParseTool, PrintsTheResultOrWhereItFailed) {
    // The output starts with the text given; a calculation error's position
    // depends on the formula.
    const std::tuple<const char*, const char*, int> cases[] = {
        {"'(( %2 / %1) ^ 2 - 1.0)' 6 18", "8\n", 0},    {"'20.0 * lg ( ( %1 ) )' 0.1", "-20\n", 0},
        {"'2*-3'", "syntax error at 2\n", 1},           {"'%2' 1", "syntax error at 2\n", 1},
        {"'exp(1000)'", "calculation error at ", 1},    {"'log(1, 5)'", "calculation error at ", 1},
        {"'%1 + 1' 1e999", "calculation error at ", 1}, {"", "", 2}};
    for (auto [arguments, output, exitCode] : cases) {
        auto [text, code] = runTool(arguments);
        EXPECT_EQ(text.rfind(output, 0), 0u) << arguments << ": " << text;
        EXPECT_EQ(code, exitCode) << arguments;
    }
}
