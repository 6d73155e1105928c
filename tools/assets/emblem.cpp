#include "emblem.h"

#include "stroke_font.h"

#include <cmath>

namespace {

void addDiamond(ShapeSet& shapes, double x, double y, double size, double halfWidth)
{
    shapes.addSegment(x - size, y, x, y - size, halfWidth);
    shapes.addSegment(x, y - size, x + size, y, halfWidth);
    shapes.addSegment(x + size, y, x, y + size, halfWidth);
    shapes.addSegment(x, y + size, x - size, y, halfWidth);
}

struct Feather {
    double offsetY; // height of the root relative to the centre, + is down
    double length;  // reach across
    double rise;    // how far the tip sweeps up
};

constexpr Feather kFeathers[] = {
    {-24.0, 175.0, 36.0},
    {0.0, 195.0, 24.0},
    {24.0, 150.0, 12.0},
};

} // namespace

ShapeSet emblemShapes(double displayWidth, double displayHeight)
{
    ShapeSet shapes;
    const double centreX = displayWidth / 2.0;
    const double centreY = displayHeight / 2.0;
    const double ringRadius = displayHeight * 0.37;
    const double ringHalfWidth = 7.0;
    shapes.addRing(centreX, centreY, ringRadius, ringHalfWidth);
    shapes.addRing(centreX, centreY, ringRadius - 15.0, 1.5);

    const double capHeight = ringRadius * 0.95;
    addCentredText(shapes, "K", centreX, centreY, TextStyle{capHeight, 1.0, 0.0, 8.0});

    const double root = ringRadius + ringHalfWidth + 7.0;
    for (int side = -1; side <= 1; side += 2) {
        for (const Feather& feather : kFeathers) {
            const double y0 = centreY + feather.offsetY;
            const double x0 = centreX + side * std::sqrt(root * root - feather.offsetY * feather.offsetY);
            const double x1 = centreX + side * (root + feather.length);
            shapes.addTaperedStroke(x0, y0, x1, y0 - feather.rise, 5.5, 0.8, 20);
        }
        const Feather& longest = kFeathers[1];
        addDiamond(shapes, centreX + side * (root + longest.length + 14.0), centreY - longest.rise - 3.0, 6.0,
                   1.4);
    }
    return shapes;
}

ColourRamp emblemRamp()
{
    return {{0.0, {255, 244, 205}},
            {0.3, {255, 214, 120}},
            {0.6, {255, 168, 60}},
            {1.0, {225, 95, 40}}};
}
