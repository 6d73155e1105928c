// Demo: the show's outermost object. It checks the audio libraries, builds
// the scene and the frame, then starts the music, opens the window and runs
// the frame loop until Esc ends the process.
#pragma once

#include "app/demo_clock.h"
#include "image/image.h"
#include "scene/scene.h"

#include <cstdint>
#include <memory>
#include <string>

struct Console;
struct KeyRecord;

class Demo {
public:
    // Ends the process with status 0, after a message, when the audio
    // libraries are not the expected version; nothing else is built then.
    Demo();
    ~Demo();
    Demo(const Demo&) = delete;
    Demo& operator=(const Demo&) = delete;

    // True when the scene has all its pictures and the screen has a size.
    bool ready() const;

    // False at once when not ready; otherwise starts music and window and
    // runs the frame loop, which only Esc leaves, by ending the process.
    bool run();

    // The first picture the scene could not load; empty when all loaded.
    const std::string& missingPicture() const { return scene->missingPicture(); }

    // The frame clock, once the frame loop has created it.
    const DemoClock* frameClock() const { return clock.get(); }

private:
    void startMusic();
    void readKeys(Console* console, KeyRecord& key);
    [[noreturn]] void quit();

    std::unique_ptr<DemoClock> clock;
    std::unique_ptr<Scene> scene;
    std::unique_ptr<Image> frame;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint32_t music = 0;
};
