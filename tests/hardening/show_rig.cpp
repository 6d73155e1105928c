#include "show_rig.h"

#include "support/scripted_ticks.h"
#include "support/show_pictures.h"
#include "support/test_pictures.h"

#include <filesystem>

namespace {

constexpr std::int32_t screenWidth = 320;
constexpr std::int32_t screenHeight = 200;

} // namespace

ShowRig::ShowRig(const std::string& pictureFolder, std::uint32_t firstTick)
{
    std::string folder = pictureFolder;
    if (folder.empty()) {
        temporaryFolder = makeTemporaryFolder();
        writeShowPictures(temporaryFolder);
        folder = temporaryFolder;
    }
    showScene = std::make_unique<Scene>();
    showScene->setup(screenWidth, screenHeight, folder);
    frameImage.resize(screenWidth, screenHeight);
    setTicks(firstTick, 1);
    showClock = std::make_unique<DemoClock>();
}

ShowRig::~ShowRig()
{
    if (!temporaryFolder.empty())
        std::filesystem::remove_all(temporaryFolder);
}

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
    if (frame.width() != screenWidth || frame.height() != screenHeight || frame.pixels() == nullptr)
        return "the frame is not 320 x 200";
    const Pixel* pixels = frame.pixels();
    for (std::int32_t i = 0; i < screenWidth * screenHeight; ++i) {
        if ((pixels[i] >> 24) != 0)
            return "pixel " + std::to_string(i) + " has a non-zero top byte";
    }
    for (std::int32_t x = 0; x < screenWidth; ++x) {
        if (pixels[(screenHeight - 1) * screenWidth + x] != 0)
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
