// The pixel library on its own: the scene set up from the test pictures and
// rendered through a whole show cycle with the clock's steps counted here,
// not by the frame clock, ten clock steps a frame (the golden frames check
// every frame; this checks that the library alone drives the whole show).
// The program links kelvor_pixels and the test pictures only, so it would not
// link if the scene needed the app or a platform. Exits non-zero when the
// scene does not set up or draws nothing.
#include "image/image.h"
#include "scene/scene.h"
#include "scene/show_facts.h"
#include "support/show_files.h"

#include <cstdio>
#include <filesystem>

int main()
{
    const std::string folder = "pixels-alone";
    std::filesystem::create_directories(folder);
    writeShowFiles(folder);

    Scene scene;
    if (!scene.setup(show::screenWidth, show::screenHeight, folder)) {
        std::fprintf(stderr, "the scene did not set up: %s\n", scene.missingPicture().c_str());
        return 1;
    }
    Image frame;
    frame.resize(show::screenWidth, show::screenHeight);
    const float step = 10 * show::clockStep;
    const int frames = static_cast<int>(show::cycleLength / step) + 10;
    float time = 0.0f;
    long litFrames = 0;
    for (int frameNumber = 1; frameNumber <= frames; ++frameNumber) {
        time = static_cast<float>(static_cast<double>(time) + step);
        if (!scene.render(time, step, frame)) {
            std::fprintf(stderr, "frame %d was not rendered\n", frameNumber);
            return 1;
        }
        const Pixel* pixels = frame.pixels();
        for (int i = 0; i < show::screenWidth * show::screenHeight; ++i) {
            if (pixels[i] != 0) {
                ++litFrames;
                break;
            }
        }
    }
    if (litFrames < frames / 2) {
        std::fprintf(stderr, "only %ld of %d frames drew anything\n", litFrames, frames);
        return 1;
    }
    if (!(scene.getRestartMark() > 0.0f)) {
        std::fprintf(stderr, "the show cycle did not restart after %d frames\n", frames);
        return 1;
    }
    std::printf("%d frames rendered by the pixel library alone, %ld of them lit\n", frames, litFrames);
    return 0;
}
