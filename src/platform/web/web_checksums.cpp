// The page's test entry point: frame checksums rendered in the browser from
// the pictures in the module's file system, exactly as kelvor-capture
// --checksums prints them (frame K is the frame after K clock steps).
#include "app/offline_frames.h"
#include "app/stepped_ticks.h"

#include <emscripten.h>

#include <string>

namespace {

std::string lines;
double renderMilliseconds = 0;
long renderedFrames = 0;

} // namespace

extern "C" {

// The lines "K HASH" of frames first..last, one a line; a line starting
// with "error:" when the pictures are not all there.
EMSCRIPTEN_KEEPALIVE const char* kelvorChecksums(int first, int last)
{
    lines.clear();
    renderMilliseconds = 0;
    renderedFrames = 0;
    SteppedTicks ticks;
    OfflineFrames frames("", ticks.source());
    if (!frames.ready()) {
        lines = "error: couldn't load " + frames.missingPicture();
        return lines.c_str();
    }
    for (long k = 1; k <= last; ++k) {
        renderMilliseconds += frames.renderNext();
        ++renderedFrames;
        if (k >= first)
            lines += checksumLine(k, frames.hash());
    }
    return lines.c_str();
}

// Mean time of one Scene::render over the frames of the last checksum run.
EMSCRIPTEN_KEEPALIVE double kelvorRenderMean()
{
    return renderedFrames > 0 ? renderMilliseconds / renderedFrames : 0.0;
}

} // extern "C"
