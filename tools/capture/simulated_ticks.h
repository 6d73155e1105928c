// The capture tool's tick count, which the frame clock reads. Two ways to
// run it:
//  - steady steps (the default): the count advances one millisecond per
//    reading, so every clock update adds exactly one step and frame K is
//    the frame after K steps, the show at a steady 70 frames a second;
//  - display frames: the count stands at the moment a live show presenting
//    `fps` frames a second draws frame K, in the whole milliseconds the live
//    clock reads: K * 1000 / fps rounded down. The clock then finds every
//    frame late, and its catch-up moves it on by the time that passed, as
//    it does in the live show paced to a display.
#pragma once

// Switches to display frames at fps frames a second (1 to 62, so that
// frames lie at least 16 ms apart and the clock never waits), or with 0 back
// to steady steps; either way the count starts again at 0.
void followDisplayFrames(int fps);

// With display frames: moves the count to the moment frame k is drawn.
void showFrame(long k);
