#include "app/demo.h"

#include "platform/bass.h"
#include "platform/console.h"
#include "platform/system.h"

#include <cstdlib>

namespace {

constexpr std::uint32_t requiredAudioVersion = 0x80000;
constexpr std::int32_t screenWidth = 320;
constexpr std::int32_t screenHeight = 200;
constexpr float clockRate = 70.0f;
constexpr float clockStep = 0.01f;

// Waits for the next key press while the show is paused. The poll alone
// keeps the window alive; the music plays on by itself meanwhile.
void waitForKey(Console* console)
{
    while (consoleKeyWaiting(console) != 1) {
    }
}

} // namespace

Demo::Demo()
{
    if (BASS_GetVersion() != requiredAudioVersion) {
        messageBox("BASS version 0.8 was not loaded", "Incorrect BASS.DLL");
        std::exit(0);
    }
    scene = std::make_unique<Scene>();
    frame = std::make_unique<Image>();
    width = screenWidth;
    height = screenHeight;
    frame->resize(width, height);
    scene->setup(width, height);
}

Demo::~Demo()
{
    clock.reset();
    scene.reset();
    frame.reset();
}

bool Demo::ready() const
{
    return scene->ready() && width >= 1 && height >= 1;
}

bool Demo::run()
{
    if (!ready())
        return false;

    // Start-up, in a fixed order: the message boxes of the music start come
    // before the window opens, and clock time 0 is taken right before the
    // module starts so that picture and music begin together.
    Console* console = consoleCreate();
    const PixelFormat format = pixelFormat(32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0);
    startMusic();
    consoleOpen(console, "KELVOR", width, height, format, 0);
    Surface* surface = surfaceCreate(width, height, format);
    KeyRecord key;
    clock = std::make_unique<DemoClock>(clockRate, clockStep);
    if (music != 0)
        BASS_MusicPlay(music);

    // The scene draws every pixel straight into the locked surface; the
    // library's copy to the console is the only copy of a frame.
    for (;;) {
        clock->update();
        frame->setPixels(surfaceLock(surface));
        scene->render(*clock, *frame);
        readKeys(console, key);
        surfaceUnlock(surface);
        surfaceCopyToConsole(surface, console);
        consoleUpdate(console);
    }
}

void Demo::startMusic()
{
    if (!BASS_Init(-1, 44100, 4, foregroundWindow())) {
        messageBox("couldn't init soundcard", "err");
        return;
    }
    music = BASS_MusicLoad(0, "demo.xm", 0, 0, musicLoop);
    if (music == 0) {
        messageBox("couldn't load demo.xm", "err");
        return;
    }
    BASS_Start();
}

// Consumes every queued key press, in order. P pauses unless another press
// is already queued; the press that ends a pause is handled like any other.
void Demo::readKeys(Console* console, KeyRecord& key)
{
    if (consoleKeyWaiting(console) != 1)
        return;
    do {
        KeyRecord fresh;
        consoleReadKey(console, fresh);
        key = fresh;
        if (key.code == keyEscape)
            quit();
        if (key.code == keyP)
            waitForKey(console);
    } while (consoleKeyWaiting(console) == 1);
}

// Stops the music and ends the process. The window, the surface, the scene
// and the frame are left to the process end to reclaim.
void Demo::quit()
{
    BASS_Stop();
    BASS_MusicFree(music);
    BASS_Free();
    std::exit(0);
}
