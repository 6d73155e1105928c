// Before the Demo is built: the command line decides whether the show
// starts, and --fullscreen reaches the console before it opens.
#include "app/show_start.h"
#include "fake_platform.h"
#include "scene/show_facts.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
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

// The platform's programPath() decides where the installed files are
// looked for; an installed tree in a temporary folder stands in for it.
class ShowStartFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(root / "bin");
        std::filesystem::create_directories(root / "share/kelvor");
        std::filesystem::create_directories(root / "elsewhere");
        for (const show::File& file : show::files)
            std::fclose(std::fopen((root / "share/kelvor" / file.name).c_str(), "wb"));
    }
    void TearDown() override { std::filesystem::current_path(started); }

    // The working folder after prepareShow, for a program said to be at path.
    std::filesystem::path folderAfterStart(const std::string& path)
    {
        std::filesystem::current_path(root / "elsewhere");
        FakeScript script;
        script.programPath = path;
        fake::start(script);
        int status = -1;
        EXPECT_TRUE(prepared({}, status));
        return std::filesystem::current_path();
    }

    const std::filesystem::path started = std::filesystem::current_path();
    const TemporaryFolder folder;
    const std::filesystem::path root = folder.path();
};

TEST_F(ShowStartFolder, StartedElsewhereTheShowEntersTheFolderInstalledWithTheProgram)
{
    EXPECT_TRUE(std::filesystem::equivalent(folderAfterStart((root / "bin/kelvor").string()),
                                            root / "share/kelvor"));
}

TEST_F(ShowStartFolder, WithoutAKnownProgramPathTheWorkingFolderStays)
{
    EXPECT_TRUE(std::filesystem::equivalent(folderAfterStart(""), root / "elsewhere"));
    EXPECT_TRUE(std::filesystem::equivalent(folderAfterStart((root / "nowhere/kelvor").string()),
                                            root / "elsewhere"))
        << "no files beside that program either";
}

} // namespace
