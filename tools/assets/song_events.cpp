#include "song_events.h"

#include "music_theory.h"

namespace {

constexpr std::uint8_t kSetPanning = 0x08;

} // namespace

std::uint8_t volumeColumn(int volume)
{
    return static_cast<std::uint8_t>(0x10 + (volume < 0 ? 0 : (volume > 64 ? 64 : volume)));
}

XmEvent play(int midi, Instrument instrument, int volume)
{
    XmEvent e;
    e.note = xmNote(midi);
    e.instrument = instrument;
    e.volume = volumeColumn(volume);
    return e;
}

XmEvent hit(Instrument instrument, int volume)
{
    return play(60, instrument, volume);
}

XmEvent panned(XmEvent e, std::uint8_t pan)
{
    e.effect = kSetPanning;
    e.parameter = pan;
    return e;
}

XmEvent keyOff()
{
    XmEvent e;
    e.note = kXmKeyOff;
    return e;
}
