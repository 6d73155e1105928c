// The live graphics layer on SDL's "dummy" video driver, which draws into
// memory: what the window shows, how the picture is scaled, and how key
// presses and window events become the key queue.
#include "platform/console.h"
#include "platform/desktop/sdl_console_state.h"
#include "scene/show_facts.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

constexpr int width = show::screenWidth;
constexpr int height = show::screenHeight;

class ConsoleLayer : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        format = pixelFormat(32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0);
        console = consoleCreate();
        consoleOpen(console, "KELVOR", width, height, format, 0);
        surface = surfaceCreate(width, height, format);
    }

    void TearDown() override
    {
        surfaceDestroy(surface);
        consoleDestroy(console);
    }

    // The window's pixel at (x, y), as 0x00RRGGBB.
    std::uint32_t shown(int x, int y)
    {
        SDL_Rect one{x, y, 1, 1};
        std::uint32_t pixel = 0;
        EXPECT_EQ(SDL_RenderReadPixels(console->renderer, &one, SDL_PIXELFORMAT_ARGB8888, &pixel, 4), 0);
        return pixel & 0x00FFFFFF;
    }

    void press(SDL_Keycode key, Uint16 modifiers = KMOD_NONE, Uint8 repeat = 0)
    {
        SDL_Event event{};
        event.type = SDL_KEYDOWN;
        event.key.keysym.sym = key;
        event.key.keysym.mod = modifiers;
        event.key.repeat = repeat;
        SDL_PushEvent(&event);
    }

    std::vector<int> queuedCodes()
    {
        std::vector<int> codes;
        while (consoleKeyWaiting(console) == 1) {
            KeyRecord key;
            consoleReadKey(console, key);
            codes.push_back(key.code);
        }
        return codes;
    }

    PixelFormat format;
    Console* console = nullptr;
    Surface* surface = nullptr;
};

std::uint32_t patternAt(int x, int y)
{
    return static_cast<std::uint32_t>((x * 0x010203 + y * 0x030100) & 0x00FFFFFF);
}

TEST_F(ConsoleLayer, ShowsTheSurfaceScaledWithItsAspectKept)
{
    std::uint32_t* pixels = surfaceLock(surface);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            pixels[y * width + x] = patternAt(x, y); // rows of exactly 1280 bytes
    }
    surfaceUnlock(surface);
    surfaceCopyToConsole(surface, console);
    consoleUpdate(console);

    int windowWidth = 0;
    int windowHeight = 0;
    SDL_GetWindowSize(console->window, &windowWidth, &windowHeight);
    EXPECT_EQ(windowWidth, 3 * width);
    EXPECT_EQ(windowHeight, 3 * height);
    for (int y : {0, 1, height / 2 - 1, height - 1}) {
        for (int x : {0, 1, width / 2, width - 1})
            EXPECT_EQ(shown(3 * x + 1, 3 * y + 1), patternAt(x, y)) << x << "," << y;
    }

    // A window wider than the picture's aspect gets black bars left and
    // right, and the picture, 600 rows high, stays 960 wide in the middle.
    SDL_SetWindowSize(console->window, 1000, 600);
    consoleUpdate(console);
    EXPECT_EQ(shown(5, 300), 0u);
    EXPECT_EQ(shown(995, 300), 0u);
    const int leftBar = (1000 - 3 * width) / 2;
    EXPECT_EQ(shown(leftBar + 3 * (width / 2) + 1, 3 * (height / 2) + 1), patternAt(width / 2, height / 2));
}

TEST_F(ConsoleLayer, QueuesKeyPressesInOrderWithTheirCodes)
{
    EXPECT_EQ(consoleKeyWaiting(console), 0);
    KeyRecord untouched;
    untouched.code = 1234;
    consoleReadKey(console, untouched);
    EXPECT_EQ(untouched.code, 1234) << "reading an empty queue leaves the record alone";

    press(SDLK_p, KMOD_LSHIFT);
    press(SDLK_ESCAPE);
    press(SDLK_a);
    press(SDLK_SPACE);
    press(SDLK_F1);
    press(SDLK_LEFT);
    press(SDLK_KP_ENTER);
    ASSERT_EQ(consoleKeyWaiting(console), 1);
    KeyRecord first;
    consoleReadKey(console, first);
    EXPECT_EQ(first.code, 80);
    EXPECT_TRUE(first.shift);
    EXPECT_FALSE(first.alt);
    EXPECT_EQ(queuedCodes(), (std::vector<int>{27, 65, 32, 112, 37, 13}));
}

TEST_F(ConsoleLayer, FullscreenKeysModifiersAndRepeatsNeverReachTheQueue)
{
    press(SDLK_F11);
    consoleUpdate(console);
    EXPECT_NE(SDL_GetWindowFlags(console->window) & SDL_WINDOW_FULLSCREEN, 0u);
    press(SDLK_RETURN, KMOD_LALT);
    consoleUpdate(console);
    EXPECT_EQ(SDL_GetWindowFlags(console->window) & SDL_WINDOW_FULLSCREEN, 0u);

    press(SDLK_LALT);
    press(SDLK_LSHIFT);
    press(SDLK_p, KMOD_NONE, 1);
    EXPECT_EQ(queuedCodes(), std::vector<int>{});

    press(SDLK_RETURN);
    EXPECT_EQ(queuedCodes(), std::vector<int>{13}) << "Enter without Alt is an ordinary key";
}

TEST(ConsoleFullscreen, OpensOnTheWholeScreenWhenAskedAndTheKeysStillSwitchBack)
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    const PixelFormat format = pixelFormat(32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0);
    for (const bool fullscreen : {true, false}) {
        consoleSetFullscreen(fullscreen);
        Console* console = consoleCreate();
        consoleOpen(console, "KELVOR", width, height, format, 0);
        const Uint32 flags = SDL_GetWindowFlags(console->window);
        EXPECT_EQ((flags & SDL_WINDOW_FULLSCREEN) != 0, fullscreen);
        if (fullscreen) {
            SDL_Event event{};
            event.type = SDL_KEYDOWN;
            event.key.keysym.sym = SDLK_F11;
            SDL_PushEvent(&event);
            consoleUpdate(console);
            EXPECT_EQ(SDL_GetWindowFlags(console->window) & SDL_WINDOW_FULLSCREEN, 0u) << "F11 leaves fullscreen";
        }
        consoleDestroy(console);
    }
}

TEST_F(ConsoleLayer, ClosingTheWindowQueuesEsc)
{
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    EXPECT_EQ(queuedCodes(), std::vector<int>{27});
}

TEST(ConsoleWithoutDisplay, EndsWithAMessageAndStatusZero)
{
    EXPECT_EXIT(
        {
            setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
            consoleCreate();
            std::_Exit(3);
        },
        ::testing::ExitedWithCode(0), "no display available");
}

} // namespace
