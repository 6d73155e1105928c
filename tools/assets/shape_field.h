// Line art as distances: strokes (capsules: segments with round ends) and
// rings, measured in a display space whose units may be wider than the
// picture's pixels, so that art meant to be shown stretched can be drawn
// narrow and still have even strokes once stretched.
#pragma once

#include <vector>

struct StrokeSegment {
    double x0, y0, x1, y1; // end points in display units
    double halfWidth;      // half the stroke width
};

struct StrokeRing {
    double centreX, centreY, radius;
    double halfWidth;
};

struct ShapeSet {
    std::vector<StrokeSegment> segments;
    std::vector<StrokeRing> rings;

    void addSegment(double x0, double y0, double x1, double y1, double halfWidth)
    {
        segments.push_back(StrokeSegment{x0, y0, x1, y1, halfWidth});
    }
    void addRing(double centreX, double centreY, double radius, double halfWidth)
    {
        rings.push_back(StrokeRing{centreX, centreY, radius, halfWidth});
    }
    // A stroke whose width changes from one end to the other, made of short
    // pieces. Half-widths below half a unit fade, so a stroke that tapers to
    // nothing fades out.
    void addTaperedStroke(double x0, double y0, double x1, double y1, double halfWidthStart,
                          double halfWidthEnd, int pieces);
};

// For every pixel of a width x height picture (row after row), the signed
// distance from its centre to the nearest stroke edge: negative inside a
// stroke, positive outside. A pixel is pixelAspect display units wide and one
// unit high. Only distances up to reach are measured; farther pixels hold
// reach.
std::vector<double> edgeDistances(const ShapeSet& shapes, int width, int height,
                                  double pixelAspect, double reach);

// Anti-aliased coverage of a pixel from its edge distance: 1 well inside,
// 0 well outside, a linear ramp one display unit wide across the edge.
double edgeCoverage(double distance);
