#include "show_rig.h"

#include "support/scripted_ticks.h"
#include "support/show_pictures.h"
#include "support/test_pictures.h"

namespace {


} // namespace

ShowRig::ShowRig(const std::string& pictureFolder, std::uint32_t firstTick)
{
    std::string folder = pictureFolder;
    if (folder.empty()) {
        temporaryFolder = std::make_unique<TemporaryFolder>();
        writeShowPictures(temporaryFolder->path());
        folder = temporaryFolder->path();
    }
    showScene = std::make_unique<Scene>();
    showScene->setup(show::screenWidth, show::screenHeight, folder);
    frameImage.resize(show::screenWidth, show::screenHeight);
    setTicks(firstTick, 1);
    showClock = std::make_unique<DemoClock>();
}

ShowRig::~ShowRig() = default;

bool ShowRig::frame(std::uint32_t pauseMs)
{
    setTicks(currentTicks() + pauseMs, 1);
    const bool updated = showClock->update();
    rendered = showScene->render(showClock->getTime(), showClock->getDelta(), frameImage);
    return updated;
}

void ShowRig::setTickCount(std::uint32_t ticks)
{
    setTicks(ticks, 1);
}

std::string frameFault(const Image& frame)
{
    if (frame.width() != show::screenWidth || frame.height() != show::screenHeight || frame.pixels() == nullptr)
        return "the frame is not the screen size";
    const Pixel* pixels = frame.pixels();
    for (std::int32_t i = 0; i < show::screenWidth * show::screenHeight; ++i) {
        if ((pixels[i] >> 24) != 0)
            return "pixel " + std::to_string(i) + " has a non-zero top byte";
    }
    for (std::int32_t x = 0; x < show::screenWidth; ++x) {
        if (pixels[(show::screenHeight - 1) * show::screenWidth + x] != 0)
            return "the bottom row is not black at column " + std::to_string(x);
    }
    return "";
}

bool frameIsBlack(const Image& frame)
{
    const Pixel* pixels = frame.pixels();
    for (std::int32_t i = 0; i < frame.width() * frame.height(); ++i) {
        if (pixels[i] != 0)
            return false;
    }
    return true;
}

float showTime(const ShowRig& rig)
{
    return static_cast<float>(static_cast<double>(rig.clock().getTime()) -
                              rig.scene().getRestartMark());
}
