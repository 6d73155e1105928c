#include "fake_platform.h"

#include "platform/bass.h"
#include "platform/console.h"
#include "platform/system.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <memory>

struct Console {
    std::deque<KeyRecord> queued;
};

struct Surface {
    // Two buffers handed out in turn, so that a frame drawn into last
    // frame's address shows up as an untouched buffer.
    std::vector<std::uint32_t> buffers[2];
    int current = 0;
};

namespace {

// A paused show that never gets its key, or a show that never gets Esc,
// would loop forever; these bounds end such a run with a clear failure.
constexpr int frameLimit = 500;
constexpr int pollLimit = 100000;
constexpr std::uint32_t untouched = 0xA5A5A5A5;

struct FakeState {
    FakeScript script;
    std::vector<std::string> calls;
    std::function<void(const std::string&)> probe;
    std::string savePath;
    SteppedTicks ticks{1000};
    std::size_t nextKey = 0;
    int framesPresented = 0;
    int emptyPolls = 0;
    // The show leaves its console and surface to the end of the process;
    // held here, they are reclaimed then, also when a test ends with the
    // show still running.
    std::vector<std::unique_ptr<Console>> consoles;
    std::vector<std::unique_ptr<Surface>> surfaces;
};

template <typename Object>
void release(std::vector<std::unique_ptr<Object>>& owned, Object* object)
{
    for (auto it = owned.begin(); it != owned.end(); ++it) {
        if (it->get() == object) {
            owned.erase(it);
            return;
        }
    }
}

// Never destroyed, so that it is still there for the exit-time save.
FakeState& state()
{
    static FakeState* fakeState = new FakeState;
    return *fakeState;
}

void record(const std::string& line)
{
    FakeState& s = state();
    s.calls.push_back(line);
    if (s.probe)
        s.probe(line);
}

[[noreturn]] void giveUp(const char* why)
{
    std::fprintf(stderr, "fake platform: %s\n", why);
    std::_Exit(99);
}

void saveCalls()
{
    std::ofstream out(state().savePath);
    for (const std::string& line : state().calls)
        out << line << '\n';
}

std::string hex(std::uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%x", value);
    return text;
}

// Moves every scripted press that has arrived by now into the queue.
void deliverKeys(Console* console)
{
    FakeState& s = state();
    while (s.nextKey < s.script.keys.size()) {
        const ScriptedKey& key = s.script.keys[s.nextKey];
        const bool arrived = s.framesPresented > key.frame
                             || (s.framesPresented == key.frame && s.emptyPolls >= key.emptyPolls);
        if (!arrived)
            return;
        s.ticks.skip(key.msBefore);
        KeyRecord record;
        record.code = key.code;
        console->queued.push_back(record);
        ++s.nextKey;
    }
}

// A stretch of empty polls in a row is recorded as one line with its
// length, "keyWaiting=0 x5"; a single one as "keyWaiting=0".
void recordEmptyPoll()
{
    std::vector<std::string>& calls = state().calls;
    const std::string line = "keyWaiting=0";
    if (calls.empty() || calls.back().rfind(line, 0) != 0) {
        record(line);
        return;
    }
    const std::size_t mark = calls.back().find(" x");
    const int run = mark == std::string::npos ? 1 : std::atoi(calls.back().c_str() + mark + 2);
    calls.pop_back();
    record(line + " x" + std::to_string(run + 1));
}

} // namespace

namespace fake {

void start(const FakeScript& script)
{
    FakeState& s = state();
    s = FakeState{};
    s.script = script;
}

const std::vector<std::string>& calls()
{
    return state().calls;
}

void note(const std::string& line)
{
    state().calls.push_back(line);
}

void setProbe(std::function<void(const std::string&)> probe)
{
    state().probe = std::move(probe);
}

void saveCallsAtExit(const std::string& path)
{
    state().savePath = path;
    std::atexit(saveCalls);
}

SteppedTicks& ticks()
{
    return state().ticks;
}

void* frontWindow()
{
    static int window;
    return &window;
}

} // namespace fake

void messageBox(const char* text, const char* caption)
{
    record(std::string("messageBox(") + text + "|" + caption + ")");
}

// The show ends as the desktop one does, by ending the process; the
// recording is saved by the exit handler.
void endShow()
{
    std::exit(0);
}

std::string programPath()
{
    return state().script.programPath;
}

void* foregroundWindow()
{
    record("foregroundWindow");
    return fake::frontWindow();
}

std::uint32_t BASS_GetVersion()
{
    record("BASS_GetVersion");
    return state().script.version;
}

bool BASS_Init(int device, std::uint32_t frequency, std::uint32_t flags, void* window)
{
    record("BASS_Init(" + std::to_string(device) + "," + std::to_string(frequency) + ","
           + std::to_string(flags) + "," + (window == fake::frontWindow() ? "front" : "other") + ")");
    return state().script.initSucceeds;
}

std::uint32_t BASS_MusicLoad(int memory, const char* file, std::uint32_t offset,
                             std::uint32_t length, std::uint32_t flags)
{
    record("BASS_MusicLoad(" + std::to_string(memory) + "," + file + "," + std::to_string(offset)
           + "," + std::to_string(length) + "," + std::to_string(flags) + ")");
    return state().script.music;
}

bool BASS_Start()
{
    record("BASS_Start");
    return true;
}

bool BASS_MusicPlay(std::uint32_t music)
{
    record("BASS_MusicPlay(" + std::to_string(music) + ")");
    return true;
}

bool BASS_Stop()
{
    record("BASS_Stop");
    return true;
}

void BASS_MusicFree(std::uint32_t music)
{
    record("BASS_MusicFree(" + std::to_string(music) + ")");
}

void BASS_Free()
{
    record("BASS_Free");
}

PixelFormat pixelFormat(int bits, std::uint32_t redMask, std::uint32_t greenMask,
                        std::uint32_t blueMask, std::uint32_t alphaMask)
{
    record("pixelFormat(" + std::to_string(bits) + "," + hex(redMask) + "," + hex(greenMask) + ","
           + hex(blueMask) + "," + hex(alphaMask) + ")");
    return PixelFormat{bits, redMask, greenMask, blueMask, alphaMask};
}

Console* consoleCreate()
{
    record("consoleCreate");
    state().consoles.push_back(std::make_unique<Console>());
    return state().consoles.back().get();
}

void consoleSetFullscreen(bool fullscreen)
{
    record(std::string("consoleSetFullscreen(") + (fullscreen ? "1" : "0") + ")");
}

void consoleOpen(Console*, const char* title, int width, int height, const PixelFormat& format, int flags)
{
    record(std::string("consoleOpen(") + title + "," + std::to_string(width) + "," + std::to_string(height)
           + "," + std::to_string(format.bits) + "," + std::to_string(flags) + ")");
}

void consoleUpdate(Console*)
{
    record("consoleUpdate");
    FakeState& s = state();
    ++s.framesPresented;
    s.emptyPolls = 0;
    if (s.framesPresented > frameLimit)
        giveUp("the show was never ended by the script");
}

int consoleKeyWaiting(Console* console)
{
    FakeState& s = state();
    deliverKeys(console);
    if (console->queued.empty()) {
        ++s.emptyPolls;
        if (s.emptyPolls > pollLimit)
            giveUp("a pause was never ended by the script");
        recordEmptyPoll();
        return 0;
    }
    record("keyWaiting=1");
    return 1;
}

void consoleReadKey(Console* console, KeyRecord& key)
{
    if (console->queued.empty()) {
        record("readKey(empty)");
        return;
    }
    key = console->queued.front();
    console->queued.pop_front();
    record("readKey=" + std::to_string(key.code));
}

void consoleDestroy(Console* console)
{
    release(state().consoles, console);
}

Surface* surfaceCreate(int width, int height, const PixelFormat& format)
{
    record("surfaceCreate(" + std::to_string(width) + "," + std::to_string(height) + ","
           + std::to_string(format.bits) + ")");
    state().surfaces.push_back(std::make_unique<Surface>());
    Surface* surface = state().surfaces.back().get();
    for (std::vector<std::uint32_t>& buffer : surface->buffers)
        buffer.assign(static_cast<std::size_t>(width) * height, untouched);
    return surface;
}

std::uint32_t* surfaceLock(Surface* surface)
{
    record("surfaceLock");
    surface->current ^= 1;
    std::vector<std::uint32_t>& buffer = surface->buffers[surface->current];
    buffer.assign(buffer.size(), untouched);
    return buffer.data();
}

void surfaceUnlock(Surface* surface)
{
    std::size_t drawn = 0;
    for (std::uint32_t pixel : surface->buffers[surface->current])
        drawn += pixel != untouched ? 1 : 0;
    record(drawn == 0 ? "surfaceUnlock(untouched)" : "surfaceUnlock");
}

void surfaceCopyToConsole(Surface*, Console*)
{
    record("surfaceCopyToConsole");
}

void surfaceDestroy(Surface* surface)
{
    release(state().surfaces, surface);
}
