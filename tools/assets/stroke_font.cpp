#include "stroke_font.h"

namespace {

// One glyph: its width in font units and its strokes. A stroke is a run of
// points, each two hexadecimal digits x then y (x to the right, y down from
// the top of the capital, 12 at the baseline); commas separate strokes and
// spaces are only for reading. A point on its own is a dot.
struct Glyph {
    char character;
    int width;
    const char* strokes;
};

constexpr Glyph kGlyphs[] = {
    {'A', 8, "0c 02 20 60 82 8c, 06 86"},
    {'B', 8, "00 60 82 84 66 06, 66 88 8a 6c 0c 00"},
    {'C', 8, "80 20 02 0a 2c 8c"},
    {'D', 8, "00 50 83 89 5c 0c 00"},
    {'E', 8, "80 00 0c 8c, 06 56"},
    {'F', 8, "80 00 0c, 06 56"},
    {'G', 8, "80 20 02 0a 2c 6c 8a 86 46"},
    {'H', 8, "00 0c, 80 8c, 06 86"},
    {'I', 0, "00 0c"},
    {'J', 8, "80 8a 6c 2c 0a 08"},
    {'K', 8, "00 0c, 80 26 06, 26 8c"},
    {'L', 8, "00 0c 8c"},
    {'M', 8, "0c 00 46 80 8c"},
    {'N', 8, "0c 00 8c 80"},
    {'O', 8, "20 60 82 8a 6c 2c 0a 02 20"},
    {'P', 8, "0c 00 60 82 84 66 06"},
    {'Q', 8, "20 60 82 8a 6c 2c 0a 02 20, 59 8c"},
    {'R', 8, "0c 00 60 82 84 66 06, 46 8c"},
    {'S', 8, "80 20 02 04 26 66 88 8a 6c 0c"},
    {'T', 8, "00 80, 40 4c"},
    {'U', 8, "00 0a 2c 6c 8a 80"},
    {'V', 8, "00 3c 5c 80"},
    {'W', 10, "00 2c 56 8c a0"},
    {'X', 8, "00 8c, 80 0c"},
    {'Y', 8, "00 46 80, 46 4c"},
    {'Z', 8, "00 80 0c 8c"},
    {'0', 8, "20 60 82 8a 6c 2c 0a 02 20, 63 29"},
    {'1', 3, "02 30 3c"},
    {'2', 8, "02 20 60 82 84 0c 8c"},
    {'3', 8, "02 20 60 82 84 66 88 8a 6c 2c 0a, 26 66"},
    {'4', 8, "60 08 88, 60 6c"},
    {'5', 8, "80 00 06 66 88 8a 6c 0c"},
    {'6', 8, "80 20 02 0a 2c 6c 8a 88 66 06"},
    {'7', 8, "00 80 82 4c"},
    {'8', 8, "26 04 02 20 60 82 84 66 26 08 0a 2c 6c 8a 88 66"},
    {'9', 8, "86 26 04 02 20 60 82 8a 6c 0c"},
    {'.', 0, "0c"},
    {',', 1, "1b 0e"},
    {'!', 0, "00 08, 0c"},
    {'?', 8, "02 20 60 82 84 46 48, 4c"},
    {':', 0, "03, 0a"},
    {'-', 6, "06 66"},
    {'\'', 0, "00 02"},
    {'/', 6, "0c 60"},
};

constexpr int kSpaceWidth = 8;
constexpr double kUnitsPerCap = 12.0;

const Glyph* findGlyph(char c)
{
    for (const Glyph& glyph : kGlyphs) {
        if (glyph.character == c)
            return &glyph;
    }
    return nullptr;
}

int hexDigit(char c)
{
    return c <= '9' ? c - '0' : c - 'a' + 10;
}

// Adds one glyph's strokes; unitX and unitY are the display sizes of one
// font unit across and down.
void addGlyph(ShapeSet& shapes, const Glyph& glyph, double left, double top, double unitX,
              double unitY, double halfWidth)
{
    bool havePoint = false;
    double lastX = 0.0;
    double lastY = 0.0;
    bool lastAlone = false; // the stroke so far is a single point
    for (const char* p = glyph.strokes; *p != '\0';) {
        if (*p == ' ') {
            ++p;
            continue;
        }
        if (*p == ',') {
            if (havePoint && lastAlone)
                shapes.addSegment(lastX, lastY, lastX, lastY, halfWidth);
            havePoint = false;
            ++p;
            continue;
        }
        const double x = left + hexDigit(p[0]) * unitX;
        const double y = top + hexDigit(p[1]) * unitY;
        p += 2;
        if (havePoint)
            shapes.addSegment(lastX, lastY, x, y, halfWidth);
        lastAlone = !havePoint;
        havePoint = true;
        lastX = x;
        lastY = y;
    }
    if (havePoint && lastAlone)
        shapes.addSegment(lastX, lastY, lastX, lastY, halfWidth);
}

int glyphWidth(char c)
{
    const Glyph* glyph = findGlyph(c);
    return glyph != nullptr ? glyph->width : kSpaceWidth;
}

} // namespace

double textWidth(const std::string& text, const TextStyle& style)
{
    if (text.empty())
        return 0.0;
    double units = style.tracking * static_cast<double>(text.size() - 1);
    for (char c : text)
        units += glyphWidth(c);
    return units * style.capHeight / kUnitsPerCap * style.widthScale;
}

void addText(ShapeSet& shapes, const std::string& text, double left, double top, const TextStyle& style)
{
    const double unitY = style.capHeight / kUnitsPerCap;
    const double unitX = unitY * style.widthScale;
    double cursor = left;
    for (char c : text) {
        const Glyph* glyph = findGlyph(c);
        if (glyph != nullptr)
            addGlyph(shapes, *glyph, cursor, top, unitX, unitY, style.halfWidth);
        cursor += (glyphWidth(c) + style.tracking) * unitX;
    }
}

void addCentredText(ShapeSet& shapes, const std::string& text, double centreX, double centreY,
                    const TextStyle& style)
{
    addText(shapes, text, centreX - textWidth(text, style) / 2.0, centreY - style.capHeight / 2.0, style);
}
