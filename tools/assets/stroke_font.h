// The generator's own typeface: capital letters, digits and a little
// punctuation drawn as strokes on a grid 12 units high, with cut corners.
// Strokes become capsules of a chosen width, so the same letters serve any
// size and weight.
#pragma once

#include "shape_field.h"

#include <string>

struct TextStyle {
    double capHeight = 12.0; // height of a capital letter in display units
    double widthScale = 1.0; // horizontal stretch of the letters
    double tracking = 3.0;   // gap between letters in font units (1/12 of capHeight)
    double halfWidth = 1.0;  // half the stroke width in display units
};

// Width of the text's strokes' centre lines in display units (stroke ends
// reach halfWidth beyond it). Characters the font lacks count as spaces.
double textWidth(const std::string& text, const TextStyle& style);

// Adds the text's strokes with the top left of its first letter at
// (left, top) in display units.
void addText(ShapeSet& shapes, const std::string& text, double left, double top, const TextStyle& style);

// Adds the text centred on (centreX, centreY).
void addCentredText(ShapeSet& shapes, const std::string& text, double centreX, double centreY,
                    const TextStyle& style);
