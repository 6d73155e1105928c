// The sprite ring: five strands of 30 sprites along curves that turn, swing
// and pulse with the show time. A perspective factor makes nearer sprites
// larger and spreads them wider.
#include "scene/scene.h"

#include <cmath>

namespace {

constexpr float kOneThird = 0.33333334f;
constexpr int kStrands = 5;
constexpr int kSpritesPerStrand = 30;

} // namespace

void Scene::drawSpriteRing(float showTime, Image& frame)
{
    const float t = showTime > 0 ? showTime : 0.01f;
    const double pulse = std::sin(static_cast<double>(t));
    const int centreX = screenWidth / 2;
    const int centreY = screenHeight / 2;
    float z = 7.0f;

    for (int strand = 0; strand < kStrands; ++strand) {
        const float theta = static_cast<float>(strand * static_cast<double>(kOneThird));
        float phi = static_cast<float>(t + 5 * std::sin(static_cast<double>(theta)));
        float psi = static_cast<float>(5 * std::cos(static_cast<double>(theta)) - t);
        for (int i = 0; i < kSpritesPerStrand; ++i) {
            const double g = std::cos(static_cast<double>(psi));
            const double depth = z + 4 * pulse * g;
            const float k = static_cast<float>(1 / depth);
            const float size = static_cast<float>(200 * static_cast<double>(k));
            const float x = static_cast<float>(
                centreX + 400 * g * std::sin(phi * static_cast<double>(kOneThird)) * k);
            const float y = static_cast<float>(centreY + 300 * std::cos(psi / 2.0) * k);
            clampTables.blitAdditive(x, y, size, size, *spriteImage, frame);
            phi = static_cast<float>(phi + 0.08);
            psi = static_cast<float>(psi + 0.08);
            z = static_cast<float>(z + 0.01);
        }
    }
}
