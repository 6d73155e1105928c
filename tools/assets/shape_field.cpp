#include "shape_field.h"

#include "deterministic_math.h"

#include <algorithm>
#include <cmath>

namespace {

double segmentDistance(const StrokeSegment& s, double px, double py)
{
    const double dx = s.x1 - s.x0;
    const double dy = s.y1 - s.y0;
    const double length2 = dx * dx + dy * dy;
    double t = 0.0;
    if (length2 > 0.0)
        t = clampValue(((px - s.x0) * dx + (py - s.y0) * dy) / length2, 0.0, 1.0);
    const double ex = px - (s.x0 + dx * t);
    const double ey = py - (s.y0 + dy * t);
    return std::sqrt(ex * ex + ey * ey);
}

double ringDistance(const StrokeRing& r, double px, double py)
{
    const double dx = px - r.centreX;
    const double dy = py - r.centreY;
    return std::fabs(std::sqrt(dx * dx + dy * dy) - r.radius);
}

// Folds one shape into the field, visiting only the pixels of its bounding
// box widened by the reach: the shape cannot be nearer than reach elsewhere.
template <typename Shape, typename Distance>
void foldShape(std::vector<double>& field, int width, int height, double pixelAspect, double reach,
               const Shape& shape, double left, double top, double right, double bottom,
               Distance distance)
{
    const double margin = reach + shape.halfWidth + 1.0;
    const int x0 = std::max(0, static_cast<int>(std::floor((left - margin) / pixelAspect)));
    const int x1 = std::min(width - 1, static_cast<int>(std::ceil((right + margin) / pixelAspect)));
    const int y0 = std::max(0, static_cast<int>(std::floor(top - margin)));
    const int y1 = std::min(height - 1, static_cast<int>(std::ceil(bottom + margin)));
    for (int y = y0; y <= y1; ++y) {
        const double py = y + 0.5;
        for (int x = x0; x <= x1; ++x) {
            const double d = distance(shape, (x + 0.5) * pixelAspect, py) - shape.halfWidth;
            double& cell = field[static_cast<std::size_t>(y) * width + x];
            cell = std::min(cell, d);
        }
    }
}

} // namespace

void ShapeSet::addTaperedStroke(double x0, double y0, double x1, double y1, double halfWidthStart,
                                double halfWidthEnd, int pieces)
{
    for (int i = 0; i < pieces; ++i) {
        const double from = static_cast<double>(i) / pieces;
        const double to = static_cast<double>(i + 1) / pieces;
        const double middle = (from + to) / 2.0;
        addSegment(mixValues(x0, x1, from), mixValues(y0, y1, from), mixValues(x0, x1, to),
                   mixValues(y0, y1, to), mixValues(halfWidthStart, halfWidthEnd, middle));
    }
}

std::vector<double> edgeDistances(const ShapeSet& shapes, int width, int height,
                                  double pixelAspect, double reach)
{
    std::vector<double> field(static_cast<std::size_t>(width) * height, reach);
    for (const StrokeSegment& s : shapes.segments)
        foldShape(field, width, height, pixelAspect, reach, s, std::min(s.x0, s.x1), std::min(s.y0, s.y1),
                  std::max(s.x0, s.x1), std::max(s.y0, s.y1), segmentDistance);
    for (const StrokeRing& r : shapes.rings)
        foldShape(field, width, height, pixelAspect, reach, r, r.centreX - r.radius, r.centreY - r.radius,
                  r.centreX + r.radius, r.centreY + r.radius, ringDistance);
    for (double& d : field)
        d = std::min(d, reach);
    return field;
}

double edgeCoverage(double distance)
{
    return clampValue(0.5 - distance, 0.0, 1.0);
}
