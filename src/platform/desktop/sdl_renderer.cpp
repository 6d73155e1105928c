// A GPU scales and presents the picture for next to nothing, so SDL's first
// choice (OpenGL) is kept wherever OpenGL runs on one. Where the only OpenGL
// is a rasterizer in software (Mesa's llvmpipe in a virtual machine, on a
// remote or virtual X server), it costs the processor more than SDL's own
// software renderer, which scales into the window's shared memory in one
// pass (bench/pacing/show_cost.sh; the figures are in bench/RESULTS.md).
#include "platform/desktop/sdl_renderer.h"

#include <SDL_opengl.h>

#include <cstring>

namespace {

// Words that the software OpenGL drivers put in their renderer string:
// Mesa's llvmpipe, softpipe and swrast ("Software Rasterizer"), Apple's
// "Software Renderer", Windows' "GDI Generic" and "Basic Render Driver".
const char* const softwareDriverWords[] = {
    "llvmpipe", "softpipe", "swrast", "software", "gdi generic", "basic render driver",
};

bool containsIgnoringCase(const char* text, const char* word)
{
    const std::size_t length = std::strlen(word);
    for (; *text != '\0'; ++text) {
        if (SDL_strncasecmp(text, word, length) == 0)
            return true;
    }
    return false;
}

bool usesOpenGl(SDL_Renderer* renderer)
{
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) != 0 || info.name == nullptr)
        return false;
    return std::strcmp(info.name, "opengl") == 0 || std::strcmp(info.name, "opengles2") == 0;
}

// GL_RENDERER of the OpenGL context an OpenGL renderer has just made
// current; null when it cannot be asked.
const char* currentGlRenderer()
{
    using GetString = const GLubyte*(GLAPIENTRY*)(GLenum);
    void* symbol = SDL_GL_GetProcAddress("glGetString");
    if (symbol == nullptr)
        return nullptr;
    GetString getString = nullptr;
    // Function addresses come as object pointers; POSIX allows the copy.
    std::memcpy(&getString, &symbol, sizeof getString);
    return reinterpret_cast<const char*>(getString(GL_RENDERER));
}

bool drawsInSoftware(SDL_Renderer* renderer)
{
    if (!usesOpenGl(renderer))
        return false;
    const char* name = currentGlRenderer();
    return name != nullptr && namesSoftwareRasterizer(name);
}

SDL_Renderer* createSoftwareRenderer(SDL_Window* window)
{
    // Present straight to the window system (X's shared memory) rather than
    // through another renderer's texture, which would be OpenGL again. An
    // SDL_FRAMEBUFFER_ACCELERATION of the user's still wins.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    return SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
}

} // namespace

bool namesSoftwareRasterizer(const char* glRenderer)
{
    for (const char* word : softwareDriverWords) {
        if (containsIgnoringCase(glRenderer, word))
            return true;
    }
    return false;
}

SDL_Renderer* createWindowRenderer(SDL_Window* window)
{
    // Presents wait for the display's refresh, unless the user's
    // SDL_RENDER_VSYNC says otherwise (SDL lets the variable win).
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_PRESENTVSYNC);
    if (SDL_GetHint(SDL_HINT_RENDER_DRIVER) != nullptr && renderer != nullptr)
        return renderer;
    if (renderer != nullptr && !drawsInSoftware(renderer))
        return renderer;
    if (renderer != nullptr)
        SDL_DestroyRenderer(renderer);
    SDL_Renderer* software = createSoftwareRenderer(window);
    // Should the software renderer fail where OpenGL worked, OpenGL it is.
    return software != nullptr ? software : SDL_CreateRenderer(window, -1, SDL_RENDERER_PRESENTVSYNC);
}
