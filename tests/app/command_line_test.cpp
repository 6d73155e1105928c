// The show's command line: what starts the show, what prints and ends, and
// the one-line error with status 2 for anything it does not know.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Outcome {
    CommandLineResult result;
    ShowOptions options;
    std::string out;
    std::string err;
};

std::string readBack(std::FILE* file)
{
    std::rewind(file);
    std::string text;
    char buffer[256];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        text.append(buffer, got);
    std::fclose(file);
    return text;
}

Outcome run(std::vector<const char*> arguments)
{
    arguments.insert(arguments.begin(), "kelvor");
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    Outcome outcome{CommandLineResult::start, ShowOptions(), "", ""};
    outcome.result = readCommandLine(static_cast<int>(arguments.size()), arguments.data(), outcome.options, out, err);
    outcome.out = readBack(out);
    outcome.err = readBack(err);
    return outcome;
}

TEST(ShowCommandLine, WithoutArgumentsTheShowStartsInAWindowAndPrintsNothing)
{
    const Outcome outcome = run({});
    EXPECT_EQ(outcome.result, CommandLineResult::start);
    EXPECT_FALSE(outcome.options.fullscreen);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, "");
}

TEST(ShowCommandLine, FullscreenStartsTheShowOnTheWholeScreen)
{
    const Outcome outcome = run({"--fullscreen"});
    EXPECT_EQ(outcome.result, CommandLineResult::start);
    EXPECT_TRUE(outcome.options.fullscreen);
    EXPECT_EQ(outcome.out + outcome.err, "");
}

TEST(ShowCommandLine, HelpAndVersionPrintOnStdoutAndEndWithStatusZero)
{
    for (const char* help : {"--help", "-h"}) {
        const Outcome outcome = run({help});
        EXPECT_EQ(outcome.result, CommandLineResult::done) << help;
        EXPECT_EQ(exitStatusOf(outcome.result), 0);
        EXPECT_EQ(outcome.out.rfind("Usage: kelvor", 0), 0u) << outcome.out;
        for (const char* documented : {"--fullscreen", "--help", "--version", "Esc", "demo.xm"})
            EXPECT_NE(outcome.out.find(documented), std::string::npos) << documented;
        EXPECT_EQ(outcome.err, "");
    }
    const Outcome version = run({"--version"});
    EXPECT_EQ(version.result, CommandLineResult::done);
    EXPECT_EQ(version.out, std::string("kelvor ") + KELVOR_VERSION + "\n");
    EXPECT_EQ(version.err, "");
}

TEST(ShowCommandLine, AnythingElseIsOneLineOnStderrAndStatusTwo)
{
    const std::vector<std::vector<const char*>> wrong = {
        {"--bogus"}, {"-x"}, {"demo.xm"}, {""}, {"--fullscreen", "--full"}, {"--help=1"}, {"--Version"}};
    for (const auto& arguments : wrong) {
        const Outcome outcome = run(arguments);
        const std::string offending = arguments.back();
        EXPECT_EQ(outcome.result, CommandLineResult::wrong) << offending;
        EXPECT_EQ(exitStatusOf(outcome.result), 2);
        EXPECT_EQ(outcome.out, "") << offending;
        EXPECT_EQ(outcome.err, "kelvor: unknown option '" + offending + "' (try kelvor --help)\n");
    }
}

TEST(ShowCommandLine, TheFirstArgumentThatEndsTheProgramDecides)
{
    EXPECT_EQ(run({"--version", "--bogus"}).result, CommandLineResult::done);
    const Outcome wrongFirst = run({"--bogus", "--help"});
    EXPECT_EQ(wrongFirst.result, CommandLineResult::wrong);
    EXPECT_EQ(wrongFirst.out, "") << "no help after an error";
}

} // namespace
