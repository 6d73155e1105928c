// The show with its frame clock on record, for the pacing checks: the
// kelvor program's own start-up and frame loop, noting after every frame the
// monotonic time and the clock time the frame was drawn at. When the show
// ends (Esc ends the process) the notes go, one "NANOSECONDS CLOCKTIME" line
// per frame, to the file named by KELVOR_CLOCK_LOG. The script compares the
// clock's pace with real time from them.
#include "app/demo.h"
#include "app/show_start.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

struct ClockNote {
    long long nanoseconds;
    float clockTime;
};

std::vector<ClockNote> notes;

void writeNotes()
{
    const char* path = std::getenv("KELVOR_CLOCK_LOG");
    std::FILE* file = path != nullptr ? std::fopen(path, "w") : nullptr;
    if (file == nullptr)
        return;
    for (const ClockNote& note : notes)
        std::fprintf(file, "%lld %.6f\n", note.nanoseconds, note.clockTime);
    std::fclose(file);
}

long long monotonicNanoseconds()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
}

} // namespace

int main(int argc, char** argv)
{
    int status = 0;
    if (!prepareShow(argc, argv, status))
        return status;
    notes.reserve(1 << 20);
    std::atexit(writeNotes);
    std::unique_ptr<Demo> demo = std::make_unique<Demo>(TickSource::platform());
    if (!demo->start()) {
        demo->reportRefusal();
        return 0;
    }
    while (!demo->ended()) {
        demo->step();
        if (!demo->paused() && notes.size() < notes.capacity())
            notes.push_back({monotonicNanoseconds(), demo->frameClock()->getTime()});
    }
    return 0;
}
