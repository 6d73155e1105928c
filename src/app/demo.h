// Demo: the show's outermost object. It checks the audio libraries, builds
// the scene and the frame, then starts the music, opens the window and runs
// the frame loop until Esc ends the show.
//
// The start-up and each pass of the frame loop are separate operations, so
// that a program that owns its loop (the desktop show) and one that is
// called back for every frame (the browser page) run the very same code.
#pragma once

#include "app/demo_clock.h"
#include "image/image.h"
#include "platform/console.h"
#include "scene/scene.h"

#include <cstdint>
#include <memory>
#include <string>

class Demo {
public:
    // Ends the show, after a message, when the audio libraries are not the
    // expected version; nothing else is built then. The frame clock reads
    // `ticks`: the platform's (TickSource::platform()) in the show.
    explicit Demo(TickSource ticks);
    ~Demo();
    Demo(const Demo&) = delete;
    Demo& operator=(const Demo&) = delete;

    // True when the scene has all its pictures and the screen has a size.
    bool ready() const;

    // False at once when not ready; otherwise starts the show with start()
    // and runs step() until the show ends (on the desktop it never
    // returns: ending the show ends the process).
    bool run();

    // The start-up, in its fixed order: music, window, surface, then clock
    // time 0 right before the module starts. False, with nothing opened and
    // no audio call made, when not ready.
    bool start();

    // One pass of the frame loop: clock update, lock, render, keys, unlock,
    // copy, present. While paused a pass only looks at the key queue once;
    // the key that ends the pause is handled and the frame drawn before the
    // pause is presented. Esc stops the music and ends the show.
    void step();

    bool paused() const { return state == State::paused; }
    bool ended() const { return state == State::ended; }

    // Tells the viewer why the show refused to start: the picture that
    // could not be loaded. Nothing when none is missing.
    void reportRefusal() const;

    // The first picture the scene could not load; empty when all loaded.
    const std::string& missingPicture() const;

    // The frame clock, once the start-up has created it.
    const DemoClock* frameClock() const { return clock.get(); }

private:
    enum class State { constructed, running, paused, ended };

    void startMusic();
    void readKeys();
    void presentFrame();
    void quit();

    TickSource ticks;
    std::unique_ptr<DemoClock> clock;
    std::unique_ptr<Scene> scene;
    std::unique_ptr<Image> frame;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint32_t music = 0;

    // The platform objects of the running show. The desktop show never
    // releases them: ending the process reclaims them.
    Console* console = nullptr;
    Surface* surface = nullptr;
    KeyRecord key;
    State state = State::constructed;
};
