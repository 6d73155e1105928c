// Paints line art as a glowing 256-colour picture on black: full brightness
// inside the strokes with anti-aliased edges, a faint halo around them, and
// the hue taken from a colour ramp by a position the caller computes per
// pixel (a vertical or radial gradient, say).
#pragma once

#include "colour_ramp.h"
#include "indexed_picture.h"
#include "shape_field.h"

#include <functional>

struct GlowLook {
    double pixelAspect = 1.0;  // display units per pixel across
    double haloReach = 4.0;    // how far the halo reaches beyond a stroke, display units
    double haloStrength = 0.3; // halo brightness next to the stroke, 0 to 1
    ColourRamp ramp;
};

// Position along the ramp (0 to 1) for a point in display units.
using RampPosition = std::function<double(double x, double y)>;

IndexedPicture paintGlowing(const ShapeSet& shapes, int width, int height, const GlowLook& look,
                            const RampPosition& rampPosition);
