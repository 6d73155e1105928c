// One frame of the show: clear, restart the cycle when due, particles, camera
// flight and landscape, particle drift, sprite ring, title cards, trail.
#include "fx/float_to_int.h"
#include "fx/pixel_rows.h"
#include "scene/scene.h"

#include <cmath>
#include <cstring>

bool Scene::render(float clockTime, float clockDelta, Image& frame)
{
    if (!ready() || frame.pixels() == nullptr || frame.width() != screenWidth ||
        frame.height() != screenHeight)
        return false;

    const std::size_t pixelCount =
        static_cast<std::size_t>(frame.width()) * static_cast<std::size_t>(frame.height());
    std::memset(frame.pixels(), 0, pixelCount * sizeof(Pixel));

    const float showTime = static_cast<float>(static_cast<double>(clockTime) - restartMark);
    // The restart frame still draws with the old show time, just over 80.
    restartCycleIfDue(clockTime);

    particles->draw(shadeTables, frame);

    float dx, dy, dz;
    moveCamera(clockTime, clockDelta, dx, dy, dz);
    terrain.render(frame.width(), frame.height(), truncToInt(cameraX), truncToInt(cameraY),
                   heading, heightmap.get(), terrainMap->pixels(), frame.pixels());

    particles->shift(dx, dy, dz);
    drawSpriteRing(showTime, frame);
    drawTimeline(showTime, frame);
    blendWithPreviousFrame(frame);
    return true;
}

void Scene::restartCycleIfDue(float clockTime)
{
    if (!(static_cast<double>(clockTime) - restartMark > restartPeriod))
        return;
    restartMark = clockTime;
    pristineTitle1.copyPixelsTo(titleImage1->pixels());
    pristineTitle5.copyPixelsTo(titleImage5->pixels());
}

// The flight runs on the clock time, so it never restarts with the cycle.
// The displacements also drift the particles.
void Scene::moveCamera(float clockTime, float clockDelta, float& dx, float& dy, float& dz)
{
    const double t = clockTime;
    const double c = clockDelta;
    dx = static_cast<float>(std::sin(t * 0.05) * (c * 25));
    dy = static_cast<float>(std::cos(t * 0.2) * (c * 15));
    dz = static_cast<float>(std::sin(t * 0.1) * (c * 25));
    cameraAltitude = static_cast<float>(cameraAltitude + static_cast<double>(dy) * 5);
    cameraX = static_cast<float>(cameraX + static_cast<double>(dx) * 500);
    cameraY = static_cast<float>(cameraY - static_cast<double>(dz) * 500);
    terrain.altitude = truncToInt(cameraAltitude);
}

void Scene::drawTimeline(float showTime, Image& frame)
{
    if (!(showTime > show::titlesStart))
        return;
    const float u = static_cast<float>(showTime - show::titlesStart);
    if (u < show::title1Length)
        drawTitle1(u, frame);

    const float v = static_cast<float>(u - show::titlesBeat);
    for (int card = 0; card < 4; ++card) {
        const show::CardWindow& window = show::laterCards[card];
        if (!(v >= window.from && v < window.to))
            continue;
        const float localTime = static_cast<float>(v - window.from);
        switch (card) {
        case 0: drawTitle2(localTime, frame); break;
        case 1: drawTitle3(localTime, frame); break;
        case 2: drawTitle4(localTime, frame); break;
        default: drawTitle5(localTime, frame); break;
        }
    }
}

// The trail: half the new drawing plus half of what was shown before, each
// channel halved (rounded down) so the sum never carries into its neighbour.
// The blend goes to the frame and to the previous frame in the same pass, so
// the frame is not read a second time for the copy.
void Scene::blendWithPreviousFrame(Image& frame)
{
    const std::size_t count =
        static_cast<std::size_t>(frame.width()) * static_cast<std::size_t>(frame.height());
    blendHalves(frame.pixels(), previousFrame.get(), count);
}
