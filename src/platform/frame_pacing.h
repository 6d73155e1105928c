// Frame pacing: how long each frame stays on the display and when it is
// presented, so that every frame stays on screen for the same whole number
// of refreshes and the frame clock finds a whole frame period passed at
// every update. The clock then never waits itself, and its catch-up for
// late frames moves the show on by the time that really passed, which keeps
// the picture with the music.
//
// The pacing is plain arithmetic on milliseconds of the caller's clock; the
// live window and the tests' simulated display run the same code through
// presentPaced().
#pragma once

// The fewest refreshes of a display at refreshHz (60 when 0 or less: not
// reported) that last at least as long as a frame needs: one at 50 to
// 62 Hz, two at 75 and 120 Hz, three at 144 and 165 Hz, four at 240 Hz.
int refreshesPerFrame(double refreshHz);

class FramePacer {
public:
    // refreshHz: the display's reported refresh rate, 0 when unknown.
    // presentWaitsForRefresh: whether a present waits for the display's
    // next refresh (vsync). Such a present is checked as it goes: when the
    // presents turn out not to wait, the pacer times them itself.
    FramePacer(double refreshHz, bool presentWaitsForRefresh);

    int refreshesPerFrame() const { return refreshes; }
    double refreshMs() const { return refreshInterval; }
    bool waitsForRefresh() const { return vsync; }

    // How many presents the frame takes: one per refresh it stays on
    // screen with vsync, one without.
    int presentsPerFrame() const { return vsync ? refreshes : 1; }

    // Without vsync, the moment to present the next frame: a whole frame
    // after the last one was due, and at least long enough after the last
    // present started for the clock to find a period passed; now when that
    // moment is more than a frame gone.
    double nextPresentAt(double now);

    // Notes a present that was called at `start` and returned at `end`.
    void presented(double start, double end);

private:
    void checkPresentsWait(double start, double end);

    double refreshInterval;
    int refreshes;
    bool vsync;
    double due = 0.0;
    double lastPresentStart = 0.0;
    bool started = false;
    // The vsync check: presents so far in its window and the time they took.
    int windowPresents = 0;
    double windowWaited = 0.0;
};

// Presents one frame with the pacer's cadence. Display provides:
//   double now()               milliseconds of a steady clock
//   void sleepUntil(double ms) returns at or after that moment
//   void present()             shows the picture copied last
template <typename Display>
void presentPaced(FramePacer& pacer, Display& display)
{
    if (pacer.waitsForRefresh()) {
        // Each present holds the picture for one refresh; presenting it
        // again counts the refreshes out, whatever the driver queues.
        const int presents = pacer.presentsPerFrame();
        for (int i = 0; i < presents && pacer.waitsForRefresh(); ++i) {
            const double start = display.now();
            display.present();
            pacer.presented(start, display.now());
        }
        return;
    }
    display.sleepUntil(pacer.nextPresentAt(display.now()));
    const double start = display.now();
    display.present();
    pacer.presented(start, display.now());
}
