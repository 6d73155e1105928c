#include "glow_painter.h"

#include "deterministic_math.h"

IndexedPicture paintGlowing(const ShapeSet& shapes, int width, int height, const GlowLook& look,
                            const RampPosition& rampPosition)
{
    IndexedPicture picture(width, height);
    picture.palette = makeShadedPalette(look.ramp);
    const std::vector<double> distances = edgeDistances(shapes, width, height, look.pixelAspect, look.haloReach);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double d = distances[static_cast<std::size_t>(y) * width + x];
            const double fall = 1.0 - clampValue(d / look.haloReach, 0.0, 1.0);
            const double halo = look.haloStrength * fall * fall;
            const double coverage = edgeCoverage(d);
            const double brightness = coverage > halo ? coverage : halo;
            picture.at(x, y) = shadedIndex(rampPosition((x + 0.5) * look.pixelAspect, y + 0.5), brightness);
        }
    }
    return picture;
}
