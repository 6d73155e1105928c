// A FastTracker 2 extended module held in memory: what the composition
// builds and the writer serialises. One sample per instrument, 16-bit.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Note numbers as the format stores them: 1 is C-0, 49 is C-4, 97 releases
// the note (key off).
constexpr std::uint8_t kXmKeyOff = 97;

struct XmEvent {
    std::uint8_t note = 0;       // 0 none, 1..96, or kXmKeyOff
    std::uint8_t instrument = 0; // 0 none, 1.. instruments
    std::uint8_t volume = 0;     // volume column: 0 none, 0x10..0x50 set volume 0..64, ...
    std::uint8_t effect = 0;     // effect type
    std::uint8_t parameter = 0;  // effect parameter

    bool empty() const { return note == 0 && instrument == 0 && volume == 0 && effect == 0 && parameter == 0; }
};

struct XmPattern {
    int rows = 64;
    int channels = 0;
    std::vector<XmEvent> events; // row after row, channels within a row

    XmPattern(int rowCount, int channelCount)
        : rows(rowCount), channels(channelCount),
          events(static_cast<std::size_t>(rowCount) * static_cast<std::size_t>(channelCount))
    {
    }
    XmEvent& at(int row, int channel) { return events[static_cast<std::size_t>(row) * channels + channel]; }
    const XmEvent& at(int row, int channel) const { return events[static_cast<std::size_t>(row) * channels + channel]; }
};

struct XmEnvelopePoint {
    std::uint16_t tick = 0;
    std::uint8_t value = 0; // 0..64
};

struct XmEnvelope {
    std::vector<XmEnvelopePoint> points; // empty: envelope off; at most 12
    int sustainPoint = -1;               // held until key off, or -1
};

struct XmSample {
    std::vector<std::int16_t> data;
    std::uint32_t loopStart = 0;  // in sample frames
    std::uint32_t loopLength = 0; // 0: no loop
    std::uint8_t volume = 64;
    std::int8_t finetune = 0;
    std::uint8_t panning = 128;
    std::int8_t relativeNote = 0; // semitones added to every note
};

struct XmVibrato {
    std::uint8_t type = 0; // 0 sine
    std::uint8_t sweep = 0;
    std::uint8_t depth = 0;
    std::uint8_t rate = 0;
};

struct XmInstrument {
    std::string name;
    XmSample sample;
    XmEnvelope volumeEnvelope;
    XmVibrato vibrato;
    std::uint16_t fadeout = 0; // volume lost per tick after key off, of 32768
};

struct XmModule {
    std::string name;
    int channels = 0;
    int speed = 6; // ticks per row
    int bpm = 125;
    int restartPosition = 0;
    std::vector<std::uint8_t> orders; // pattern numbers in playing order
    std::vector<XmPattern> patterns;
    std::vector<XmInstrument> instruments;
};
