// kelvor-show-facts: prints the show's facts (scene/show_facts.h) for the
// scripts and tests that are not C++: as shell assignments to source, or
// as JSON for Python and the page. The build writes both next to the
// programs (show_facts.sh, show_facts.json).
#include "scene/show_facts.h"

#include <cstdio>
#include <cstring>

namespace {

const char* partName(show::Part part)
{
    switch (part) {
#define KELVOR_SHOW_FILE(part, name, width, height) \
    case show::Part::part: return #part;
#include "scene/show_files.def"
#undef KELVOR_SHOW_FILE
    }
    return "";
}

void printShell()
{
    std::printf("KELVOR_SCREEN_WIDTH=%d\nKELVOR_SCREEN_HEIGHT=%d\n", show::screenWidth, show::screenHeight);
    std::printf("KELVOR_CLOCK_RATE=%g\nKELVOR_CLOCK_STEP=%g\nKELVOR_CYCLE_LENGTH=%g\n",
                static_cast<double>(show::clockRate), static_cast<double>(show::clockStep),
                static_cast<double>(show::cycleLength));
    std::printf("KELVOR_AUDIO_RATE=%d\n", show::audioRate);
    std::printf("KELVOR_SHORTEST_FRAME_MS=%d\nKELVOR_FASTEST_DISPLAY_FPS=%d\n", show::shortestFrameMs,
                show::fastestDisplayFps);
    std::printf("KELVOR_SHOW_FILES=\"");
    for (std::size_t i = 0; i < show::fileCount; ++i)
        std::printf("%s%s", i == 0 ? "" : " ", show::files[i].name);
    std::printf("\"\nKELVOR_PICTURES=\"");
    for (std::size_t i = 0; i < show::fileCount; ++i) {
        if (show::files[i].width > 0)
            std::printf("%s%s", i == 0 ? "" : " ", show::files[i].name);
    }
    std::printf("\"\nKELVOR_MUSIC=%s\n", show::file(show::Part::music).name);
}

void printJson()
{
    std::printf("{\n  \"screen\": {\"width\": %d, \"height\": %d},\n", show::screenWidth, show::screenHeight);
    std::printf("  \"clock\": {\"rate\": %g, \"step\": %g, \"cycleLength\": %g},\n",
                static_cast<double>(show::clockRate), static_cast<double>(show::clockStep),
                static_cast<double>(show::cycleLength));
    std::printf("  \"audioRate\": %d,\n", show::audioRate);
    std::printf("  \"shortestFrameMs\": %d,\n  \"fastestDisplayFps\": %d,\n", show::shortestFrameMs,
                show::fastestDisplayFps);
    std::printf("  \"files\": [\n");
    for (std::size_t i = 0; i < show::fileCount; ++i) {
        const show::File& file = show::files[i];
        std::printf("    {\"part\": \"%s\", \"name\": \"%s\", \"width\": %d, \"height\": %d}%s\n",
                    partName(file.part), file.name, file.width, file.height,
                    i + 1 < show::fileCount ? "," : "");
    }
    std::printf("  ],\n  \"cards\": [\n");
    for (int k = 1; k <= show::cardCount; ++k) {
        std::printf("    {\"card\": %d, \"entry\": %.10g, \"exit\": %.10g}%s\n", k, show::cardEntry(k),
                    show::cardExit(k), k < show::cardCount ? "," : "");
    }
    std::printf("  ]\n}\n");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--shell") == 0) {
        printShell();
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--json") == 0) {
        printJson();
        return 0;
    }
    std::fprintf(stderr, "usage: kelvor-show-facts --shell | --json\n");
    return 2;
}
