// The five title cards: each zooms and fades with its own local time and is
// added onto the frame through the faded blit. Cards 1 and 5 also blur their
// own picture further every frame of their last stretch, so they smear away.
#include "scene/scene.h"

namespace {

// A card's size is ten times its picture's (show_files.def) divided by a
// zoom that falls as the card runs: at a zoom of 10 the card stands at its
// picture's own size. Card 4 ends a pixel short of its picture's width;
// card 5 keeps one fixed size.
constexpr double tenfoldWidth(show::Part card)
{
    return 10.0 * show::file(card).width;
}
constexpr double tenfoldHeight(show::Part card)
{
    return 10.0 * show::file(card).height;
}

// A card never works with a local time of 0 or below (or not a number).
float cardTime(float localTime)
{
    return localTime > 0 ? localTime : 0.01f;
}

// Brightens over the first 2 units, dims to 0 over the 2 units after fadeStart.
float cardLevel(float a, double fadeStart)
{
    if (a > fadeStart)
        return static_cast<float>(1 - (a - fadeStart) * 0.5);
    return static_cast<float>(a * 0.5);
}

} // namespace

// Cards centre one pixel up and left of the screen's middle: (159, 99).
float Scene::titleCentreX() const { return static_cast<float>(screenWidth / 2 - 1); }
float Scene::titleCentreY() const { return static_cast<float>(screenHeight / 2 - 1); }

// Starts enormous and shrinks as 1 / a; drawn twice, the second copy slightly
// smaller, at full strength until a = 7.
void Scene::drawTitle1(float localTime, Image& frame)
{
    const float a = cardTime(localTime);
    if (a > 4.5)
        blurrer.blur(*titleImage1);
    float level = 1.0f;
    if (a > 7)
        level = static_cast<float>(1 - (static_cast<double>(a) - 7) * 0.5);

    float c = static_cast<float>(a * 6.0);
    for (int copy = 0; copy < 2; ++copy) {
        const float width = static_cast<float>(tenfoldWidth(show::Part::title1) / (c * 0.5));
        const float height = static_cast<float>(tenfoldHeight(show::Part::title1) / static_cast<double>(c));
        clampTables.blitFaded(titleCentreX(), titleCentreY(), width, height, level, *titleImage1,
                              frame);
        c = static_cast<float>(c + 0.3);
    }
}

// Grows to exactly its picture's size as it vanishes at a = 6.5.
void Scene::drawTitle2(float localTime, Image& frame)
{
    const float a = cardTime(localTime);
    const float level = cardLevel(a, 4.5);
    if (level < 0)
        return;
    const double factor = 1 / (23 - 2.0 * a);
    clampTables.blitFaded(titleCentreX(), titleCentreY(),
                          static_cast<float>(tenfoldWidth(show::Part::title2) * factor),
                          static_cast<float>(tenfoldHeight(show::Part::title2) * factor), level, *titleImage2, frame);
}

// Widens faster than it grows taller.
void Scene::drawTitle3(float localTime, Image& frame)
{
    const float a = cardTime(localTime);
    const float level = cardLevel(a, 4.5);
    if (level < 0)
        return;
    const float width = static_cast<float>(tenfoldWidth(show::Part::title3) / (23 - 2.6 * a));
    const float height = static_cast<float>(tenfoldHeight(show::Part::title3) / (23 - 1.3 * a));
    clampTables.blitFaded(titleCentreX(), titleCentreY(), width, height, level, *titleImage3,
                          frame);
}

void Scene::drawTitle4(float localTime, Image& frame)
{
    const float a = cardTime(localTime);
    const float level = cardLevel(a, 14.5);
    if (level < 0)
        return;
    const double factor = 1 / (23 - static_cast<double>(a));
    const double width = tenfoldWidth(show::Part::title4) - 10.0;
    clampTables.blitFaded(titleCentreX(), titleCentreY(), static_cast<float>(width * factor),
                          static_cast<float>(tenfoldHeight(show::Part::title4) * factor), level, *titleImage4, frame);
}

// One fixed size; from a = 14.5 on it blurs its picture every frame, also in
// the frames after it has faded out.
void Scene::drawTitle5(float localTime, Image& frame)
{
    const float a = cardTime(localTime);
    float level = static_cast<float>(a * 0.5);
    if (a > 14.5) {
        blurrer.blur(*titleImage5);
        level = static_cast<float>(1 - (a - 14.5) * 0.5);
    }
    if (level >= 0)
        clampTables.blitFaded(titleCentreX(), titleCentreY(), 310.0f, 27.0f, level, *titleImage5,
                              frame);
}
