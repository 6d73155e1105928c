// Which renderer draws the window: OpenGL on a GPU is kept, OpenGL drawn by
// the processor gives way to SDL's software renderer.
#include "platform/desktop/sdl_renderer.h"
#include "scene/show_facts.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace {

TEST(RendererChoice, TellsSoftwareOpenGlDriversFromGpus)
{
    // Renderer strings as the drivers report them.
    const char* const software[] = {
        "llvmpipe (LLVM 15.0.6, 256 bits)",
        "softpipe",
        "Software Rasterizer",
        "Mesa X11 swrast",
        "Apple Software Renderer",
        "GDI Generic",
        "D3D12 (Microsoft Basic Render Driver)",
    };
    for (const char* name : software)
        EXPECT_TRUE(namesSoftwareRasterizer(name)) << name;

    // GPUs, some of whose drivers are built with LLVM as well.
    const char* const gpus[] = {
        "Mesa Intel(R) UHD Graphics 620 (KBL GT2)",
        "AMD Radeon RX 580 Series (polaris10, LLVM 15.0.6, DRM 3.49, 6.1.0-13-amd64)",
        "NVIDIA GeForce GTX 1060 6GB/PCIe/SSE2",
        "virgl (ANGLE (NVIDIA, NVIDIA GeForce RTX 3070, OpenGL 4.5))",
        "SVGA3D; build: RELEASE;  LLVM;",
        "Apple M1",
        "",
    };
    for (const char* name : gpus)
        EXPECT_FALSE(namesSoftwareRasterizer(name)) << name;
}

TEST(RendererChoice, DrawsWithSoftwareWhereThereIsNoOpenGl)
{
    // SDL's in-memory video driver has no OpenGL at all.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    SDL_Window* window = SDL_CreateWindow("KELVOR", 0, 0, show::screenWidth, show::screenHeight, 0);
    ASSERT_NE(window, nullptr) << SDL_GetError();
    SDL_Renderer* renderer = createWindowRenderer(window);
    ASSERT_NE(renderer, nullptr) << SDL_GetError();
    SDL_RendererInfo info;
    ASSERT_EQ(SDL_GetRendererInfo(renderer, &info), 0);
    EXPECT_STREQ(info.name, "software");
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

} // namespace
