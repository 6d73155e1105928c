// kelvor-soak: runs the real scene for many frames at the show's own pace
// and checks that it stays sound: every frame keeps the frame invariants,
// the show cycle keeps restarting, and memory stays flat (resident set and
// its peak, sampled from /proc/self/status, grow by no more than a small
// margin after the first stretch).
// Usage: kelvor-soak FRAMES [PICTURE_FOLDER]   (test pictures when no folder)
#include "scene/show_facts.h"
#include "support/show_rig.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {

// Anything the first stretch did not settle must stay within this.
constexpr long growthLimitKb = 1024;

struct MemorySample {
    long residentKb = 0;
    long peakKb = 0;
};

long statusField(const char* text, const char* name)
{
    const char* at = std::strstr(text, name);
    return at == nullptr ? -1 : std::strtol(at + std::strlen(name), nullptr, 10);
}

// Read into a buffer on the stack: a sample that allocated would itself
// grow the heap, and under AddressSanitizer (whose quarantine holds freed
// blocks back) the resident set with it.
MemorySample sampleMemory()
{
    char text[8192];
    std::size_t length = 0;
    const int fd = open("/proc/self/status", O_RDONLY);
    if (fd >= 0) {
        ssize_t got;
        while (length < sizeof text - 1 &&
               (got = read(fd, text + length, sizeof text - 1 - length)) > 0)
            length += static_cast<std::size_t>(got);
        close(fd);
    }
    text[length] = '\0';
    return {statusField(text, "VmRSS:"), statusField(text, "VmHWM:")};
}

int fail(const char* what, long frame)
{
    std::fprintf(stderr, "FAIL at frame %ld: %s\n", frame, what);
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3 || std::atol(argv[1]) <= 0) {
        std::fprintf(stderr, "usage: %s FRAMES [PICTURE_FOLDER]\n", argv[0]);
        return 2;
    }
    const long frames = std::atol(argv[1]);
    ShowRig rig(argc == 3 ? argv[2] : "");
    if (!rig.scene().ready()) {
        std::fprintf(stderr, "FAIL: couldn't load %s\n", rig.scene().missingPicture().c_str());
        return 1;
    }

    // The first show cycle (or the first quarter of a shorter run) touches
    // everything a frame needs; memory is measured from there on.
    const long settled = std::min(frames / 4, 8200L);
    MemorySample baseline = sampleMemory();
    MemorySample highest = baseline;
    long restarts = 0;
    long blackFrames = 0;
    float mark = rig.scene().getRestartMark();
    const auto start = std::chrono::steady_clock::now();

    for (long frame = 1; frame <= frames; ++frame) {
        rig.frame();
        if (!rig.lastRenderDrew())
            return fail("the scene did not render", frame);
        const std::string fault = frameFault(rig.image());
        if (!fault.empty())
            return fail(fault.c_str(), frame);
        blackFrames += frameIsBlack(rig.image());
        if (rig.scene().getRestartMark() != mark) {
            mark = rig.scene().getRestartMark();
            ++restarts;
        }
        if (frame == settled)
            baseline = highest = sampleMemory();
        if (frame > settled && frame % 500 == 0) {
            const MemorySample now = sampleMemory();
            highest.residentKb = std::max(highest.residentKb, now.residentKb);
            highest.peakKb = std::max(highest.peakKb, now.peakKb);
        }
    }

    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const MemorySample end = sampleMemory();
    highest.residentKb = std::max(highest.residentKb, end.residentKb);
    highest.peakKb = std::max(highest.peakKb, end.peakKb);
    const Image& last = rig.image();
    const double cycles = rig.clock().getTime() / static_cast<double>(show::cycleLength);
    std::printf("soak: %ld frames (%.1f show cycles, %ld restarts) in %.1f s, %.3f ms a frame\n",
                frames, cycles, restarts, seconds, 1000.0 * seconds / frames);
    std::printf("soak: memory after frame %ld: resident %ld kB, peak %ld kB; highest later: "
                "resident %ld kB, peak %ld kB\n",
                settled, baseline.residentKb, baseline.peakKb, highest.residentKb, highest.peakKb);
    std::printf("soak: black frames %ld; last frame hash %016llx\n", blackFrames,
                static_cast<unsigned long long>(imageHash(last)));

    if (baseline.residentKb < 0 || baseline.peakKb < 0)
        return fail("/proc/self/status gives no VmRSS or VmHWM", frames);
    if (highest.residentKb - baseline.residentKb > growthLimitKb ||
        highest.peakKb - baseline.peakKb > growthLimitKb)
        return fail("memory grew during the run", frames);
    if (frames >= 8100 && restarts == 0)
        return fail("the show cycle never restarted", frames);
    std::printf("PASS\n");
    return 0;
}
