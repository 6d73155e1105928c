#include "support/show_rig.h"

#include "support/show_files.h"

ShowRig::ShowRig(const std::string& pictureFolder, std::uint32_t firstTick)
{
    if (pictureFolder.empty())
        writeShowFiles(files.path());
    showScene.setup(show::screenWidth, show::screenHeight, pictureFolder.empty() ? files.path() : pictureFolder);
    frameImage.resize(show::screenWidth, show::screenHeight);
    ticks.set(firstTick, 1);
    showClock = std::make_unique<DemoClock>(ticks.source());
}

bool ShowRig::frame(std::uint32_t pauseMs)
{
    ticks.skip(pauseMs);
    const bool updated = showClock->update();
    rendered = showScene.render(showClock->getTime(), showClock->getDelta(), frameImage);
    return updated;
}

float ShowRig::showTime() const
{
    return static_cast<float>(static_cast<double>(showClock->getTime()) - showScene.getRestartMark());
}
