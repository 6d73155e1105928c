// How the console's picture reaches the display: in step with the display's
// refresh where presents wait for it (vsync), timed to its refresh rate
// where they do not, with every frame on screen for the same whole number of
// refreshes (frame_pacing.h).
#pragma once

#include "platform/desktop/sdl_console_state.h"
#include "platform/frame_pacing.h"

// The pacer for the display the window is on: its reported refresh rate
// (60 Hz when it reports none), and whether the renderer's presents wait for
// the refresh. SDL's software renderer reports vsync but draws into the
// window without waiting, so its presents are timed.
FramePacer windowPacer(SDL_Window* window, SDL_Renderer* renderer);

// Shows the picture copied last as the show's next frame, paced.
void presentFrame(Console* console);

// Shows the picture copied last once, at once: a window uncovered or
// resized while the show is paused gets its picture back.
void presentAgain(Console* console);
