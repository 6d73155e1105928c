#include "app_icon.h"

#include "colour_ramp.h"
#include "deterministic_math.h"
#include "emblem.h"
#include "shape_field.h"

#include <algorithm>
#include <cmath>

namespace {

// The emblem is laid out as on its title card; the icon shows a square of
// this many of its display units around the ring's centre.
constexpr double kEmblemHeight = 222.0;
constexpr double kIconSpan = 320.0;
// The tile leaves a small margin and rounds its corners.
constexpr double kTileMargin = 1.0 / 16.0;
constexpr double kCornerRadius = 0.18;
// Hue along the distance from the heart, in emblem units: gold at the ring,
// magenta at the tile's edges, violet in its corners.
constexpr double kHueReach = 220.0;
constexpr double kHaloReach = 6.0;
constexpr double kHaloStrength = 0.3;
// Every icon is drawn on a grid about this fine and averaged down.
constexpr int kFineGrid = 1024;

const Rgb kTileTop{28, 16, 56};
const Rgb kTileBottom{8, 6, 20};

// Strokes grow on small icons so that none ends up thinner than a pixel.
double boldness(int size)
{
    return std::max(1.0, std::sqrt(48.0 / size));
}

ShapeSet placed(const ShapeSet& shapes, double centreX, double centreY, double scale, double grid, double bold)
{
    ShapeSet out;
    for (const StrokeSegment& s : shapes.segments)
        out.addSegment((s.x0 - centreX) * scale + grid / 2.0, (s.y0 - centreY) * scale + grid / 2.0,
                       (s.x1 - centreX) * scale + grid / 2.0, (s.y1 - centreY) * scale + grid / 2.0,
                       s.halfWidth * scale * bold);
    for (const StrokeRing& r : shapes.rings)
        out.addRing((r.centreX - centreX) * scale + grid / 2.0, (r.centreY - centreY) * scale + grid / 2.0,
                    r.radius * scale, r.halfWidth * scale * bold);
    return out;
}

// How far a point lies inside the rounded tile (positive inside), in units
// of the grid.
double insideTile(double x, double y, double grid)
{
    const double half = grid * (0.5 - kTileMargin);
    const double corner = grid * kCornerRadius;
    const double qx = std::fabs(x - grid / 2.0) - (half - corner);
    const double qy = std::fabs(y - grid / 2.0) - (half - corner);
    const double outside = std::sqrt(std::max(qx, 0.0) * std::max(qx, 0.0) + std::max(qy, 0.0) * std::max(qy, 0.0));
    return corner - outside - std::min(std::max(qx, qy), 0.0);
}

struct FineSample {
    Rgb colour;
    double alpha = 0.0;
};

} // namespace

RgbaPicture makeAppIcon(int size)
{
    const int fine = std::max(1, (kFineGrid + size - 1) / size);
    const int grid = size * fine;
    const double scale = grid / kIconSpan;
    const double bold = boldness(size);
    const double emblemWidth = kIconSpan;
    const ShapeSet shapes = placed(emblemShapes(emblemWidth, kEmblemHeight), emblemWidth / 2.0,
                                   kEmblemHeight / 2.0, scale, grid, bold);
    const double haloReach = kHaloReach * scale * bold;
    const std::vector<double> distances = edgeDistances(shapes, grid, grid, 1.0, haloReach);
    const ColourRamp ramp = emblemRamp();

    const ColourRamp tileRamp{{0.0, kTileTop}, {1.0, kTileBottom}};
    const auto sampleAt = [&](int x, int y) {
        const double px = x + 0.5;
        const double py = y + 0.5;
        FineSample sample;
        sample.alpha = clampValue(insideTile(px, py, grid) + 0.5, 0.0, 1.0);
        if (sample.alpha <= 0.0)
            return sample;
        const double d = distances[static_cast<std::size_t>(y) * grid + x];
        const double fall = 1.0 - clampValue(d / haloReach, 0.0, 1.0);
        const double brightness = std::max(edgeCoverage(d), kHaloStrength * fall * fall);
        const double dx = px - grid / 2.0;
        const double dy = py - grid / 2.0;
        const double fromHeart = std::sqrt(dx * dx + dy * dy) / scale;
        const Rgb glow = scaleColour(colourAt(ramp, fromHeart / kHueReach), brightness);
        const Rgb tile = colourAt(tileRamp, py / grid);
        // The glow adds onto the tile, as the show adds its cards onto the
        // frame, and saturates.
        sample.colour = Rgb{std::min(tile.red + glow.red, 255.0), std::min(tile.green + glow.green, 255.0),
                            std::min(tile.blue + glow.blue, 255.0)};
        return sample;
    };

    RgbaPicture icon;
    icon.width = size;
    icon.height = size;
    icon.rgba.resize(static_cast<std::size_t>(size) * size * 4);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            Rgb sum;
            double alpha = 0.0;
            for (int fy = 0; fy < fine; ++fy) {
                for (int fx = 0; fx < fine; ++fx) {
                    const FineSample s = sampleAt(x * fine + fx, y * fine + fy);
                    sum.red += s.colour.red * s.alpha;
                    sum.green += s.colour.green * s.alpha;
                    sum.blue += s.colour.blue * s.alpha;
                    alpha += s.alpha;
                }
            }
            std::uint8_t* out = &icon.rgba[(static_cast<std::size_t>(y) * size + x) * 4];
            const double weight = alpha > 0.0 ? 1.0 / alpha : 0.0;
            out[0] = channelByte(sum.red * weight);
            out[1] = channelByte(sum.green * weight);
            out[2] = channelByte(sum.blue * weight);
            out[3] = channelByte(255.0 * alpha / (fine * fine));
        }
    }
    return icon;
}
