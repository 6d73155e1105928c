// What a key press on the SDL window means to the show.
#pragma once

#include <SDL.h>

// The code queued for a key press: 27 for Esc, the upper-case letter for
// letter keys (so P is 80), the character for other character keys, 13 for
// Enter, 37 to 40 for the arrows, 112 to 123 for F1 to F12, 255 for any other
// key. 0 for a modifier key alone (Shift, Ctrl, Alt, ...), which queues
// nothing, so that holding Alt for Alt+Enter does not end a pause.
int keyCodeFor(SDL_Keycode key);

// Alt+Enter and F11 switch between window and fullscreen; they never reach
// the key queue.
bool isFullscreenToggle(const SDL_Keysym& key);
