#include "title_cards.h"

#include "deterministic_math.h"
#include "emblem.h"
#include "glow_painter.h"
#include "stroke_font.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

// Room left free around the lettering so that the halo fades out before the
// picture's edge.
constexpr double kEdgeRoom = 1.5;

// Every card glows in the show's one title colour: warm white at the top of
// the letters through gold to amber at their foot, all of it bright, so the
// letters keep their whole shape as they fade. The ring behind the cards is
// ice blue, so gold stands apart from it.
const GlowLook kTitleLook{1.0, 2.5, 0.25,
                          {{0.0, {255, 244, 205}},
                           {0.4, {255, 222, 130}},
                           {1.0, {255, 186, 70}}}};

// Letters stand a little more than a stroke apart, so that bold lettering
// never runs together.
constexpr double kTracking = 5.5;

// Card 1 is drawn twice, one copy over the other: its colours are the
// title colour at a little over half strength, with less blue, so that the
// two copies add up to the same gold instead of white.
const ColourRamp kNameRamp{{0.0, {150, 140, 60}},
                           {0.4, {150, 128, 40}},
                           {1.0, {150, 108, 24}}};
// The name's letters stand closer, so that the open side of its L does not
// split it in two.
constexpr double kNameTracking = 3.0;

struct TextCardLayout {
    int width;
    int height;
    double pixelAspect;          // the show's horizontal stretch of this card
    std::vector<std::string> lines;
    double maxTextWidth;         // widest the lettering may be, display units
    double widthScale;           // letter shape: wider than the font's own at > 1
    double tracking;             // gap between letters in font units
    double weight;               // stroke width as a share of the capital height
    double lineGap;              // gap between lines as a share of the capital height
};

TextStyle unitStyle(const TextCardLayout& layout)
{
    return TextStyle{12.0, layout.widthScale, layout.tracking, 0.0};
}

// The largest capital height at which the lines fit the card, and the
// width given to them, with room for strokes and halo on every side.
double fittingCapHeight(const TextCardLayout& layout)
{
    const double room = kTitleLook.haloReach + kEdgeRoom;
    double widthPerCap = 0.0;
    for (const std::string& line : layout.lines)
        widthPerCap = std::max(widthPerCap, textWidth(line, unitStyle(layout)) / 12.0);
    const double lines = static_cast<double>(layout.lines.size());
    const double heightPerCap = lines + layout.weight + (lines - 1.0) * layout.lineGap;
    const double byHeight = (layout.height - 2.0 * room) / heightPerCap;
    const double byWidth = (layout.maxTextWidth - 2.0 * room) / (widthPerCap + layout.weight);
    return std::min(byHeight, byWidth);
}

IndexedPicture makeTextCard(const TextCardLayout& layout, const ColourRamp& ramp, ShapeSet shapes = ShapeSet())
{
    const double displayWidth = layout.width * layout.pixelAspect;
    const double capHeight = fittingCapHeight(layout);
    const TextStyle style{capHeight, layout.widthScale, layout.tracking, capHeight * layout.weight / 2.0};
    const double pitch = capHeight * (1.0 + layout.lineGap);
    const double lines = static_cast<double>(layout.lines.size());
    const double firstCentreY = layout.height / 2.0 - (lines - 1.0) * pitch / 2.0;
    for (std::size_t i = 0; i < layout.lines.size(); ++i)
        addCentredText(shapes, layout.lines[i], displayWidth / 2.0, firstCentreY + static_cast<double>(i) * pitch,
                       style);
    // The hue runs from the top of each line's capitals to their foot.
    GlowLook look = kTitleLook;
    look.pixelAspect = layout.pixelAspect;
    look.ramp = ramp;
    return paintGlowing(shapes, layout.width, layout.height, look, [=](double, double y) {
        const double line = std::floor(clampValue((y - firstCentreY) / pitch + 0.5, 0.0, lines - 1.0));
        const double top = firstCentreY + line * pitch - capHeight / 2.0;
        return (y - top) / capHeight;
    });
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

} // namespace

// Card 1 zooms out from far larger than the screen and is stretched to twice
// its width; from a fifth of its window on it blurs a little more in every
// frame. The name is therefore drawn small in the middle of the picture (the
// whole of it is on screen once the card is about six screen widths wide,
// while it is still sharp) at the card's doubled aspect, so that its letters
// look right once stretched.
IndexedPicture makeNameCard()
{
    const TextCardLayout layout{522, 37, 2.0, {"KELVOR"}, 190.0, 1.0, kNameTracking, 0.26, 0.0};
    const double capHeight = fittingCapHeight(layout);
    const double displayWidth = layout.width * layout.pixelAspect;
    const double nameHalfWidth = textWidth("KELVOR", TextStyle{capHeight, 1.0, kNameTracking, 0.0}) / 2.0;
    ShapeSet streaks;
    addStreaks(streaks, displayWidth, layout.height / 2.0, nameHalfWidth + 2.0 * capHeight, 1.2);
    return makeTextCard(layout, kNameRamp, streaks);
}

// Card 2 grows from 0.43 to 1.0 times its picture's size while it shows;
// lettering 380 pixels wide stays on screen until the card is half faded.
IndexedPicture makeTaglineCard()
{
    return makeTextCard(TextCardLayout{538, 38, 1.0, {"BORN FROM PURE CODE"}, 380.0, 1.0, kTracking, 0.24, 0.0}, kTitleLook.ramp);
}

// Card 4 grows from 0.43 to 1.5 times its picture's size: two short lines
// keep the lettering large and on screen until it has faded.
IndexedPicture makeCreditsCard()
{
    return makeTextCard(TextCardLayout{494, 44, 1.0, {"CODE AND MUSIC", "BY KELVOR"}, 240.0, 1.0, kTracking, 0.24, 0.6}, kTitleLook.ramp);
}

// Card 5 is shown at 310 x 27, which widens its picture by about 1.15; its
// line leaves a margin on both sides of the screen.
IndexedPicture makeFarewellCard()
{
    const double aspect = (310.0 / 440.0) / (27.0 / 44.0);
    return makeTextCard(TextCardLayout{440, 44, aspect, {"SEE YOU NEXT TIME"}, 0.86 * 440.0 * aspect, 1.0, kTracking, 0.22, 0.0}, kTitleLook.ramp);
}

IndexedPicture makeEmblemCard()
{
    const int width = 526;
    const int height = 222;
    // Shown stretched by 1.15 to 1.5 across while it is brightest.
    const double aspect = 1.3;
    const double displayWidth = width * aspect;
    const GlowLook look{aspect, 5.0, 0.25, emblemRamp()};
    const ShapeSet shapes = emblemShapes(displayWidth, height);
    const double centreX = displayWidth / 2.0;
    const double centreY = height / 2.0;
    const double reach = displayWidth / 2.0;
    // The hue turns from warm white at the heart to amber at the wing tips.
    return paintGlowing(shapes, width, height, look, [=](double x, double y) {
        const double dx = (x - centreX) / reach;
        const double dy = (y - centreY) / reach;
        return std::sqrt(dx * dx + dy * dy) * 1.1;
    });
}
