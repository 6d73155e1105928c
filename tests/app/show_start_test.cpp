// Before the Demo is built: the command line decides whether the show
// starts, and --fullscreen reaches the console before it opens.
#include "app/show_start.h"
#include "fake_platform.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

bool prepared(std::vector<const char*> arguments, int& status)
{
    arguments.insert(arguments.begin(), "kelvor");
    return prepareShow(static_cast<int>(arguments.size()), arguments.data(), status);
}

TEST(ShowStart, TheConsoleIsToldWhetherToFillTheScreen)
{
    int status = -1;
    fake::start(FakeScript());
    EXPECT_TRUE(prepared({}, status));
    EXPECT_EQ(fake::calls(), std::vector<std::string>{"consoleSetFullscreen(0)"});

    fake::start(FakeScript());
    EXPECT_TRUE(prepared({"--fullscreen"}, status));
    EXPECT_EQ(fake::calls(), std::vector<std::string>{"consoleSetFullscreen(1)"});
    EXPECT_EQ(status, -1) << "the status is left alone when the show starts";
}

TEST(ShowStart, HelpVersionAndErrorsEndBeforeAnythingOfThePlatformIsTouched)
{
    const std::vector<std::pair<const char*, int>> ending = {{"--help", 0}, {"--version", 0}, {"--nope", 2}};
    for (const auto& [argument, expected] : ending) {
        fake::start(FakeScript());
        int status = -1;
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        EXPECT_FALSE(prepared({argument}, status)) << argument;
        testing::internal::GetCapturedStdout();
        testing::internal::GetCapturedStderr();
        EXPECT_EQ(status, expected) << argument;
        EXPECT_TRUE(fake::calls().empty()) << argument;
    }
}

} // namespace
