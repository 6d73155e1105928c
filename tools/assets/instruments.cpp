#include "instruments.h"

#include "drum_samples.h"
#include "tonal_samples.h"

#include <string>

namespace {

XmInstrument instrument(const std::string& name, XmSample sample)
{
    XmInstrument made;
    made.name = name;
    made.sample = std::move(sample);
    return made;
}

// An envelope that rises and falls through the points and holds the last one
// until the note is released, then fades out at `fadeout` per tick.
XmInstrument shaped(XmInstrument made, std::vector<XmEnvelopePoint> points, std::uint16_t fadeout)
{
    made.volumeEnvelope.sustainPoint = static_cast<int>(points.size()) - 1;
    made.volumeEnvelope.points = std::move(points);
    made.fadeout = fadeout;
    return made;
}

} // namespace

std::vector<XmInstrument> makeInstruments()
{
    std::vector<XmInstrument> all;
    all.push_back(instrument("kick", makeKick()));
    all.push_back(instrument("snare", makeSnare()));
    all.push_back(instrument("closed hat", makeClosedHat()));
    all.push_back(instrument("open hat", makeOpenHat()));
    all.push_back(instrument("crash", makeCrash()));
    // Bass: a pluck that settles to a steady tone and stops quickly when
    // released, so the off-beat notes stay short and tight.
    all.push_back(shaped(instrument("bass", makeBass()), {{0, 64}, {4, 50}, {16, 38}}, 10000));
    // Pad: a slow swell and a long release.
    all.push_back(shaped(instrument("pad", makePad()), {{0, 0}, {16, 64}, {48, 52}}, 900));
    all.push_back(instrument("pluck", makePluck()));
    // Lead: a quick attack, a short dip to a held level and a gentle vibrato
    // that fades in after the note starts.
    XmInstrument lead = shaped(instrument("lead", makeLead()), {{0, 48}, {2, 64}, {12, 50}}, 1600);
    lead.vibrato = XmVibrato{0, 24, 5, 10};
    all.push_back(lead);
    all.push_back(instrument("impact", makeImpact()));
    all.push_back(instrument("riser", makeRiser()));
    return all;
}
