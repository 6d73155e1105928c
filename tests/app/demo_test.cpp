// The Demo's start-up, frame loop, keys and quit sequence, against the
// recording fake platform. The show ends only by exit(0), so every run that
// reaches the frame loop is a death test; the fake saves its recording when
// the child process exits and the test reads it back.
#include "app/demo.h"

#include "fake_platform.h"
#include "scene/show_facts.h"
#include "show_files.h"
#include "support/temporary_folder.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

using Calls = std::vector<std::string>;

constexpr int escKey = 27;
constexpr int pKey = 80;
using Probe = std::function<void(const Demo&, const std::string&)>;

const Calls oneFrame = {"surfaceLock", "keyWaiting=0", "surfaceUnlock", "surfaceCopyToConsole",
                        "consoleUpdate"};
const Calls quitSequence = {"BASS_Stop", "BASS_MusicFree(7)", "BASS_Free"};
const Calls silentQuitSequence = {"BASS_Stop", "BASS_MusicFree(0)", "BASS_Free"};

Calls joined(std::initializer_list<Calls> parts)
{
    Calls all;
    for (const Calls& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// Start-up up to the console opening, with the audio calls in between.
Calls startUpWith(const Calls& audio)
{
    const std::string screenSize = std::to_string(show::screenWidth) + "," + std::to_string(show::screenHeight);
    return joined({{"BASS_GetVersion", "consoleCreate", "pixelFormat(32,ff0000,ff00,ff,0)",
                    "foregroundWindow", "BASS_Init(-1,44100,4,front)"},
                   audio,
                   {"consoleOpen(KELVOR," + screenSize + ",32,0)", "surfaceCreate(" + screenSize + ",32)"}});
}

const Calls musicStartUp = joined(
    {startUpWith({"BASS_MusicLoad(0,demo.xm,0,0,1)", "BASS_Start"}), {"BASS_MusicPlay(7)"}});

Calls readLines(const std::string& path)
{
    Calls lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string currentFolder()
{
    char buffer[PATH_MAX];
    return getcwd(buffer, sizeof buffer) != nullptr ? buffer : "";
}

class DemoTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        showFolder = new TemporaryFolder;
        ASSERT_TRUE(writeShowPictures(showFolder->path()));
    }

    static void TearDownTestSuite()
    {
        delete showFolder;
        showFolder = nullptr;
    }

    void SetUp() override
    {
        startFolder = currentFolder();
        ASSERT_EQ(chdir(showFolder->path().c_str()), 0);
    }

    void TearDown() override { ASSERT_EQ(chdir(startFolder.c_str()), 0); }

    // Runs the show in a child process until it ends with status 0, and
    // returns everything it asked of the platform.
    Calls runShow(const FakeScript& script, const Probe& probe = {})
    {
        const std::string path = showFolder->path() + "/calls-"
                                 + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::remove(path.c_str());
        EXPECT_EXIT(
            {
                fake::start(script);
                fake::saveCallsAtExit(path);
                Demo demo;
                if (probe)
                    fake::setProbe([&demo, &probe](const std::string& call) { probe(demo, call); });
                demo.run();
                std::_Exit(3); // the frame loop came back: not the quit sequence
            },
            ::testing::ExitedWithCode(0), "");
        return readLines(path);
    }

    static TemporaryFolder* showFolder;
    std::string startFolder;
};

TemporaryFolder* DemoTest::showFolder = nullptr;

TEST_F(DemoTest, StartsInOrderAndTakesClockTimeZeroRightBeforeTheMusic)
{
    FakeScript script;
    script.keys = {{2, 0, escKey}};
    // The clock must not exist when the surface is made, and must have been
    // made, with no tick read since, when the module starts.
    const Probe probe = [](const Demo& demo, const std::string& call) {
        const DemoClock* clock = demo.frameClock();
        if (call.rfind("surfaceCreate", 0) == 0)
            fake::note(clock == nullptr ? "no clock" : "clock");
        if (call.rfind("BASS_MusicPlay", 0) == 0 && clock != nullptr) {
            const bool fresh = clock->getTime() == 0.0f
                               && clock->getLastTick() == static_cast<float>(fake::ticks());
            fake::note(fresh ? "fresh clock" : "clock already used");
        }
    };
    const Calls expected = joined(
        {startUpWith({"BASS_MusicLoad(0,demo.xm,0,0,1)", "BASS_Start"}),
         {"no clock", "BASS_MusicPlay(7)", "fresh clock"},
         oneFrame, oneFrame,
         {"surfaceLock", "keyWaiting=1", "readKey=27"}, quitSequence});
    EXPECT_EQ(runShow(script, probe), expected);
}

TEST_F(DemoTest, WrongAudioVersionShowsOneMessageAndEndsBeforeAnythingElse)
{
    FakeScript script;
    script.version = 0x70000;
    const Calls expected = {"BASS_GetVersion",
                            "messageBox(BASS version 0.8 was not loaded|Incorrect BASS.DLL)"};
    EXPECT_EQ(runShow(script), expected);
}

TEST_F(DemoTest, WithoutSoundOutputTheShowRunsSilentAndEscStillReleasesTheAudio)
{
    FakeScript script;
    script.initSucceeds = false;
    script.keys = {{1, 0, escKey}};
    const Calls expected = joined({startUpWith({"messageBox(couldn't init soundcard|err)"}), oneFrame,
                                   {"surfaceLock", "keyWaiting=1", "readKey=27"}, silentQuitSequence});
    EXPECT_EQ(runShow(script), expected);
}

TEST_F(DemoTest, WithoutTheModuleTheShowRunsSilentWithoutStartingOutput)
{
    FakeScript script;
    script.music = 0;
    script.keys = {{1, 0, escKey}};
    const Calls expected = joined(
        {startUpWith({"BASS_MusicLoad(0,demo.xm,0,0,1)", "messageBox(couldn't load demo.xm|err)"}),
         oneFrame, {"surfaceLock", "keyWaiting=1", "readKey=27"}, silentQuitSequence});
    EXPECT_EQ(runShow(script), expected);
}

TEST_F(DemoTest, EveryQueuedKeyIsReadBeforeThePresentAndEscEndsAtOnce)
{
    FakeScript script;
    script.keys = {{0, 0, 'A'}, {0, 0, 'B'}, {1, 0, 'C'}, {1, 0, escKey}, {1, 0, 'D'}};
    const Calls expected = joined(
        {musicStartUp,
         {"surfaceLock", "keyWaiting=1", "readKey=65", "keyWaiting=1", "readKey=66", "keyWaiting=0",
          "surfaceUnlock", "surfaceCopyToConsole", "consoleUpdate"},
         {"surfaceLock", "keyWaiting=1", "readKey=67", "keyWaiting=1", "readKey=27"}, quitSequence});
    EXPECT_EQ(runShow(script), expected);
}

TEST_F(DemoTest, PFollowedByAnotherQueuedKeyDoesNotPause)
{
    FakeScript script;
    script.keys = {{0, 0, pKey}, {0, 0, 'A'}, {1, 0, pKey}, {1, 0, escKey}};
    const Calls expected = joined(
        {musicStartUp,
         {"surfaceLock", "keyWaiting=1", "readKey=80", "keyWaiting=1", "keyWaiting=1", "readKey=65",
          "keyWaiting=0", "surfaceUnlock", "surfaceCopyToConsole", "consoleUpdate"},
         {"surfaceLock", "keyWaiting=1", "readKey=80", "keyWaiting=1", "keyWaiting=1", "readKey=27"},
         quitSequence});
    EXPECT_EQ(runShow(script), expected);
}

TEST_F(DemoTest, PAloneFreezesUntilTheNextKeyAndThePauseCountsAsElapsedTime)
{
    FakeScript script;
    script.keys = {{1, 0, pKey}, {1, 5, 'A', 5000}, {2, 0, escKey}};
    const Probe probe = [](const Demo& demo, const std::string& call) {
        if (call == "surfaceLock")
            fake::note("time " + std::to_string(demo.frameClock()->getTime()));
    };
    const Calls calls = runShow(script, probe);

    // Nothing is drawn or presented while paused; the frame drawn before the
    // pause is the one presented when it ends.
    std::vector<float> frameTimes;
    Calls withoutTimes;
    for (const std::string& call : calls) {
        if (call.rfind("time ", 0) == 0)
            frameTimes.push_back(std::stof(call.substr(5)));
        else
            withoutTimes.push_back(call);
    }
    const Calls expected = joined(
        {musicStartUp, oneFrame,
         {"surfaceLock", "keyWaiting=1", "readKey=80", "keyWaiting=0 x5", "keyWaiting=1", "keyWaiting=1",
          "readKey=65", "keyWaiting=0", "surfaceUnlock", "surfaceCopyToConsole", "consoleUpdate"},
         {"surfaceLock", "keyWaiting=1", "readKey=27"}, quitSequence});
    EXPECT_EQ(withoutTimes, expected);

    // The five seconds of the pause come back as clock time on resuming,
    // 0.7 clock units a second, plus the frame's own step.
    ASSERT_EQ(frameTimes.size(), 3u);
    EXPECT_NEAR(frameTimes[1] - frameTimes[0], 0.01, 0.002);
    EXPECT_NEAR(frameTimes[2] - frameTimes[1], 5.0 * 0.7 + 0.01, 0.05);
}

TEST_F(DemoTest, PDuringAPauseKeepsItAndEscDuringAPauseEndsWithoutAnotherFrame)
{
    FakeScript script;
    script.keys = {{0, 0, pKey}, {0, 3, pKey}, {0, 6, escKey}};
    const Calls expected = joined(
        {musicStartUp,
         {"surfaceLock", "keyWaiting=1", "readKey=80", "keyWaiting=0 x3", "keyWaiting=1", "keyWaiting=1",
          "readKey=80", "keyWaiting=0 x3", "keyWaiting=1", "keyWaiting=1", "readKey=27"},
         quitSequence});
    EXPECT_EQ(runShow(script), expected);
}

// A page is called back for every frame and cannot wait: each step while
// paused looks at the key queue once and returns, and the step that finds
// the key ends the pause and presents the frame drawn before it.
TEST_F(DemoTest, StepsWhilePausedOnlyPollAndTheKeyThatEndsThePausePresents)
{
    FakeScript script;
    script.keys = {{1, 0, pKey}, {1, 3, 'A'}};
    fake::start(script);
    Demo demo;
    ASSERT_TRUE(demo.start());
    demo.step();
    demo.step();
    EXPECT_TRUE(demo.paused());
    demo.step();
    demo.step();
    EXPECT_TRUE(demo.paused());
    const Calls untilPaused =
        joined({musicStartUp, oneFrame, {"surfaceLock", "keyWaiting=1", "readKey=80", "keyWaiting=0 x3"}});
    EXPECT_EQ(fake::calls(), untilPaused);
    demo.step();
    EXPECT_FALSE(demo.paused());
    EXPECT_FALSE(demo.ended());
    const Calls resumed = joined(
        {untilPaused, {"keyWaiting=1", "keyWaiting=1", "readKey=65", "keyWaiting=0", "surfaceUnlock",
                       "surfaceCopyToConsole", "consoleUpdate"}});
    EXPECT_EQ(fake::calls(), resumed);
    EXPECT_FALSE(demo.start()); // the show starts once
}

TEST_F(DemoTest, AMissingPictureStopsTheShowBeforeWindowAndAudio)
{
    {
        fake::start(FakeScript{});
        Demo demo;
        EXPECT_TRUE(demo.ready());
        EXPECT_EQ(demo.missingPicture(), "");
    }

    const std::string folder = showFolder->path() + "/no-data3";
    ASSERT_TRUE(std::filesystem::create_directory(folder));
    ASSERT_TRUE(writeShowPictures(folder, "data3.pcx"));
    ASSERT_EQ(chdir(folder.c_str()), 0);
    fake::start(FakeScript{});
    Demo demo;
    EXPECT_FALSE(demo.ready());
    EXPECT_FALSE(demo.run());
    EXPECT_EQ(demo.missingPicture(), "data3.pcx");
    EXPECT_EQ(fake::calls(), Calls{"BASS_GetVersion"});
}

} // namespace
