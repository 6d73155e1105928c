#include "app/demo.h"

#include "platform/bass.h"
#include "platform/system.h"

namespace {

constexpr std::uint32_t requiredAudioVersion = 0x80000;

} // namespace

Demo::Demo(TickSource ticks) : ticks(ticks)
{
    if (BASS_GetVersion() != requiredAudioVersion) {
        messageBox("BASS version 0.8 was not loaded", "Incorrect BASS.DLL");
        state = State::ended;
        endShow();
        return;
    }
    scene = std::make_unique<Scene>();
    frame = std::make_unique<Image>();
    width = show::screenWidth;
    height = show::screenHeight;
    frame->resize(width, height);
    scene->setup(width, height);
}

// Only a show that never started, or one whose program goes on after it
// (a test, a page), is destroyed: the ended show's window and surface go
// with it. The desktop show ends the process instead.
Demo::~Demo()
{
    clock.reset();
    scene.reset();
    frame.reset();
    if (surface != nullptr)
        surfaceDestroy(surface);
    if (console != nullptr)
        consoleDestroy(console);
}

bool Demo::ready() const
{
    return scene != nullptr && scene->ready() && width >= 1 && height >= 1;
}

const std::string& Demo::missingPicture() const
{
    static const std::string none;
    return scene != nullptr ? scene->missingPicture() : none;
}

void Demo::reportRefusal() const
{
    if (missingPicture().empty())
        return;
    const std::string text = "couldn't load " + missingPicture();
    messageBox(text.c_str(), "err");
}

bool Demo::run()
{
    if (!start())
        return false;
    while (!ended())
        step();
    return true;
}

bool Demo::start()
{
    if (state != State::constructed || !ready())
        return false;

    // The message boxes of the music start come before the window opens,
    // and clock time 0 is taken right before the module starts so that
    // picture and music begin together.
    console = consoleCreate();
    const PixelFormat format = pixelFormat(32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0);
    startMusic();
    consoleOpen(console, "KELVOR", width, height, format, 0);
    surface = surfaceCreate(width, height, format);
    key = KeyRecord{};
    clock = std::make_unique<DemoClock>(ticks);
    if (music != 0)
        BASS_MusicPlay(music);
    state = State::running;
    return true;
}

// The scene draws every pixel straight into the locked surface; the
// library's copy to the console is the only copy of a frame.
void Demo::step()
{
    if (state == State::paused) {
        // Nothing is drawn and the clock stands still until a key is queued;
        // the surface stays locked meanwhile and the music plays on.
        if (consoleKeyWaiting(console) != 1)
            return;
        state = State::running;
    } else if (state == State::running) {
        clock->update();
        frame->setPixels(surfaceLock(surface));
        scene->render(clock->getTime(), clock->getDelta(), *frame);
    } else {
        return;
    }
    readKeys();
    if (state == State::running)
        presentFrame();
}

void Demo::startMusic()
{
    if (!BASS_Init(-1, show::audioRate, 4, foregroundWindow())) {
        messageBox("couldn't init soundcard", "err");
        return;
    }
    const char* const module = show::file(show::Part::music).name;
    music = BASS_MusicLoad(0, module, 0, 0, musicLoop);
    if (music == 0) {
        messageBox((std::string("couldn't load ") + module).c_str(), "err");
        return;
    }
    BASS_Start();
}

// Consumes every queued key press, in order. P pauses unless another press
// is already queued; the press that ends a pause is handled like any other.
void Demo::readKeys()
{
    while (consoleKeyWaiting(console) == 1) {
        KeyRecord fresh;
        consoleReadKey(console, fresh);
        key = fresh;
        if (key.code == keyEscape) {
            quit();
            return;
        }
        if (key.code == keyP && consoleKeyWaiting(console) != 1) {
            state = State::paused;
            return;
        }
    }
}

void Demo::presentFrame()
{
    surfaceUnlock(surface);
    surfaceCopyToConsole(surface, console);
    consoleUpdate(console);
}

// Stops the music and ends the show. The window, the surface, the scene and
// the frame are left to the end of the process (or page) to reclaim.
void Demo::quit()
{
    BASS_Stop();
    BASS_MusicFree(music);
    BASS_Free();
    state = State::ended;
    endShow();
}
