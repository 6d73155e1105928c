// Which of SDL's renderers draws the show's window.
#pragma once

#include <SDL.h>

// The renderer for the window: SDL's first choice, unless that is OpenGL
// running on a rasterizer in software, in which case SDL's own software
// renderer. Presents wait for the display's refresh where the renderer can
// (SDL_RENDER_VSYNC decides otherwise). Null when neither can be made. A renderer named by the user
// (SDL_RENDER_DRIVER) is taken as it is.
SDL_Renderer* createWindowRenderer(SDL_Window* window);

// Whether an OpenGL renderer string (GL_RENDERER) names a driver that draws
// on the processor rather than a GPU.
bool namesSoftwareRasterizer(const char* glRenderer);
