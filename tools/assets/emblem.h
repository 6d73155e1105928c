// The emblem of title card 3: a ring holding the initial K, with swept wings
// of three tapering feathers on each side and a small diamond at each tip.
#pragma once

#include "colour_ramp.h"
#include "shape_field.h"

// The emblem centred in a display area of the given size.
ShapeSet emblemShapes(double displayWidth, double displayHeight);

// The emblem's colours from the heart outwards, the titles' own: warm
// white, gold, amber, deep orange.
ColourRamp emblemRamp();
