// Runs the native formula tool the way a person would.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace {

struct ToolRun {
    std::string output;
    int exitCode;
};

ToolRun runTool(const std::string& arguments) {
    std::string command = std::string(MATHPARSE_PATH) + " " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return {"", -1};
    std::string output;
    std::array<char, 256> buffer;
    while (std::fgets(buffer.data(), buffer.size(), pipe))
        output += buffer.data();
    int status = pclose(pipe);
    return {output, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

} // namespace

TEST(MathParseTool, PrintsTheResultOrWhereItFailed) {
    ToolRun run = runTool("'(( %2 / %1) ^ 2 - 1.0)' 6 18");
    EXPECT_EQ(run.output, "8\n");
    EXPECT_EQ(run.exitCode, 0);
    run = runTool("'20.0 * lg ( ( %1 ) )' 0.1");
    EXPECT_EQ(run.output, "-20\n");
    run = runTool("'2*-3'");
    EXPECT_EQ(run.output, "syntax error at 2\n");
    EXPECT_EQ(run.exitCode, 1);
    run = runTool("'%2' 1");
    EXPECT_EQ(run.output, "syntax error at 2\n");
    for (const char* formula : {"'exp(1000)'", "'0^(-1)'", "'log(1, 5)'", "'round(1, 0)'"}) {
        run = runTool(formula);
        EXPECT_EQ(run.output.rfind("calculation error at ", 0), 0u) << formula << run.output;
        EXPECT_EQ(run.exitCode, 1) << formula;
    }
    run = runTool("'%1 + 1' 1e999");
    EXPECT_EQ(run.output.rfind("calculation error at ", 0), 0u);
    EXPECT_EQ(runTool("").exitCode, 2);
}
