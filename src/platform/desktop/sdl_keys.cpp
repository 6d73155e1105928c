#include "platform/desktop/sdl_keys.h"

namespace {

bool isModifier(SDL_Keycode key)
{
    switch (key) {
    case SDLK_LSHIFT: case SDLK_RSHIFT: case SDLK_LCTRL: case SDLK_RCTRL:
    case SDLK_LALT: case SDLK_RALT: case SDLK_LGUI: case SDLK_RGUI:
    case SDLK_MODE: case SDLK_CAPSLOCK: case SDLK_NUMLOCKCLEAR: case SDLK_SCROLLLOCK:
        return true;
    default:
        return false;
    }
}

} // namespace

int keyCodeFor(SDL_Keycode key)
{
    if (isModifier(key))
        return 0;
    if (key >= SDLK_a && key <= SDLK_z)
        return static_cast<int>(key - SDLK_a) + 'A';
    if (key >= SDLK_F1 && key <= SDLK_F12)
        return static_cast<int>(key - SDLK_F1) + 112;
    switch (key) {
    case SDLK_LEFT: return 37;
    case SDLK_UP: return 38;
    case SDLK_RIGHT: return 39;
    case SDLK_DOWN: return 40;
    case SDLK_KP_ENTER: return 13;
    case SDLK_DELETE: return 46;
    default: break;
    }
    // Escape, Enter, Backspace, Tab, space, digits and punctuation are
    // their characters; none of them is 80 (P), which only the P key gives.
    if (key > 0 && key < 127)
        return static_cast<int>(key);
    return 255;
}

bool isFullscreenToggle(const SDL_Keysym& key)
{
    if (key.sym == SDLK_F11)
        return true;
    const bool enter = key.sym == SDLK_RETURN || key.sym == SDLK_KP_ENTER;
    return enter && (key.mod & KMOD_ALT) != 0;
}
