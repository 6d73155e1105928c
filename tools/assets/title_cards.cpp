#include "title_cards.h"

#include "deterministic_math.h"
#include "emblem.h"
#include "glow_painter.h"
#include "stroke_font.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// Room left free around the lettering so that the halo fades out before the
// picture's edge.
constexpr double kEdgeRoom = 3.0;

struct TextCardLayout {
    int width;
    int height;
    double pixelAspect;   // the show's horizontal stretch of this card
    std::string text;
    double widthScale;    // letter shape: wider than the font's own at > 1
    double tracking;      // gap between letters in font units
    double weight;        // stroke width as a share of the capital height
    GlowLook look;
};

// The largest capital height at which the text fits the card with room for
// strokes and halo on every side.
double fittingCapHeight(const TextCardLayout& layout, double displayWidth)
{
    const double room = layout.look.haloReach + kEdgeRoom;
    TextStyle unit{12.0, layout.widthScale, layout.tracking, 0.0};
    const double widthPerCap = textWidth(layout.text, unit) / 12.0;
    const double byHeight = (layout.height - 2.0 * room) / (1.0 + layout.weight);
    const double byWidth = (displayWidth - 2.0 * room) / (widthPerCap + layout.weight);
    return std::min(byHeight, byWidth);
}

IndexedPicture makeTextCard(const TextCardLayout& layout, ShapeSet shapes = ShapeSet())
{
    const double displayWidth = layout.width * layout.pixelAspect;
    const double capHeight = fittingCapHeight(layout, displayWidth);
    const TextStyle style{capHeight, layout.widthScale, layout.tracking, capHeight * layout.weight / 2.0};
    const double centreY = layout.height / 2.0;
    addCentredText(shapes, layout.text, displayWidth / 2.0, centreY, style);
    // The hue runs from the top of the capitals to their foot.
    const double top = centreY - capHeight / 2.0;
    return paintGlowing(shapes, layout.width, layout.height, layout.look,
                        [top, capHeight](double, double y) { return (y - top) / capHeight; });
}

// Thin streaks on both sides of the name that taper to nothing towards the
// picture's edges, like light caught on a lens.
void addStreaks(ShapeSet& shapes, double displayWidth, double centreY, double innerGap, double halfWidth)
{
    const double centreX = displayWidth / 2.0;
    const double outer = centreX - kEdgeRoom - 6.0;
    for (int side = -1; side <= 1; side += 2)
        shapes.addTaperedStroke(centreX + side * innerGap, centreY, centreX + side * outer, centreY,
                                halfWidth, 0.0, 24);
}

// Cards 2, 4 and 5: one line of plain lettering, shown at the card's own
// proportions.
IndexedPicture makePlainTextCard(int width, int height, const std::string& text, const ColourRamp& ramp)
{
    return makeTextCard(TextCardLayout{width, height, 1.0, text, 1.0, 4.0, 0.18, GlowLook{1.0, 4.0, 0.3, ramp}});
}

} // namespace

IndexedPicture makeNameCard()
{
    TextCardLayout layout{522, 37, 2.0, "KELVOR", 2.0, 6.0, 0.22,
                          GlowLook{2.0, 3.5, 0.3,
                                   {{0.0, {235, 255, 255}},
                                    {0.45, {90, 215, 255}},
                                    {0.75, {60, 120, 255}},
                                    {1.0, {150, 80, 255}}}}};
    const double displayWidth = layout.width * layout.pixelAspect;
    const double capHeight = fittingCapHeight(layout, displayWidth);
    const double nameHalfWidth = textWidth(layout.text, TextStyle{capHeight, layout.widthScale, layout.tracking, 0.0}) / 2.0;
    ShapeSet streaks;
    addStreaks(streaks, displayWidth, layout.height / 2.0, nameHalfWidth + capHeight, 1.6);
    return makeTextCard(layout, streaks);
}

IndexedPicture makeTaglineCard()
{
    return makePlainTextCard(538, 38, "BORN FROM PURE CODE",
                             {{0.0, {255, 255, 200}}, {0.4, {255, 200, 60}}, {0.8, {255, 110, 30}}, {1.0, {230, 40, 40}}});
}

IndexedPicture makeCreditsCard()
{
    return makePlainTextCard(494, 44, "CODE AND MUSIC BY KELVOR",
                             {{0.0, {220, 255, 220}}, {0.4, {90, 255, 160}}, {0.8, {30, 200, 210}}, {1.0, {40, 120, 255}}});
}

IndexedPicture makeFarewellCard()
{
    return makePlainTextCard(440, 44, "SEE YOU NEXT TIME",
                             {{0.0, {255, 230, 250}}, {0.4, {255, 120, 220}}, {0.8, {210, 60, 255}}, {1.0, {120, 50, 255}}});
}

IndexedPicture makeEmblemCard()
{
    const int width = 526;
    const int height = 222;
    // Shown stretched by about 1.3 across while it is brightest.
    const double aspect = 1.3;
    const double displayWidth = width * aspect;
    const GlowLook look{aspect, 6.0, 0.3, emblemRamp()};
    const ShapeSet shapes = emblemShapes(displayWidth, height);
    const double centreX = displayWidth / 2.0;
    const double centreY = height / 2.0;
    const double reach = displayWidth / 2.0;
    // The hue turns from white gold at the heart to violet at the wing tips.
    return paintGlowing(shapes, width, height, look, [=](double x, double y) {
        const double dx = (x - centreX) / reach;
        const double dy = (y - centreY) / reach;
        return std::sqrt(dx * dx + dy * dy) * 1.1;
    });
}
