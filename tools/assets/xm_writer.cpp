#include "xm_writer.h"

#include <algorithm>
#include <string>

namespace {

constexpr std::uint32_t kSongHeaderSize = 276;
constexpr std::uint32_t kPatternHeaderSize = 9;
// The instrument header as FastTracker 2 writes it, padding included; readers
// skip by this size, so the padding only keeps old readers happy.
constexpr std::uint32_t kInstrumentHeaderSize = 263;
constexpr std::uint32_t kSampleHeaderSize = 40;
constexpr int kEnvelopePoints = 12;

class ByteWriter {
public:
    void u8(unsigned value) { bytes.push_back(static_cast<std::uint8_t>(value & 0xFFu)); }
    void u16(unsigned value)
    {
        u8(value);
        u8(value >> 8);
    }
    void u32(std::uint32_t value)
    {
        u16(value & 0xFFFFu);
        u16(value >> 16);
    }
    // Text padded with zeros (or cut) to exactly `length` bytes.
    void text(const std::string& value, std::size_t length)
    {
        for (std::size_t i = 0; i < length; ++i)
            u8(i < value.size() ? static_cast<unsigned char>(value[i]) : 0u);
    }
    void zeros(std::size_t count) { bytes.insert(bytes.end(), count, 0); }
    void append(const std::vector<std::uint8_t>& more) { bytes.insert(bytes.end(), more.begin(), more.end()); }
    std::size_t size() const { return bytes.size(); }

    std::vector<std::uint8_t> bytes;
};

void writeSongHeader(ByteWriter& out, const XmModule& module)
{
    out.text("Extended Module: ", 17);
    out.text(module.name, 20);
    out.u8(0x1A);
    out.text("kelvor-assets", 20);
    out.u16(0x0104);
    out.u32(kSongHeaderSize);
    out.u16(static_cast<unsigned>(module.orders.size()));
    out.u16(static_cast<unsigned>(module.restartPosition));
    out.u16(static_cast<unsigned>(module.channels));
    out.u16(static_cast<unsigned>(module.patterns.size()));
    out.u16(static_cast<unsigned>(module.instruments.size()));
    out.u16(1); // linear frequency table
    out.u16(static_cast<unsigned>(module.speed));
    out.u16(static_cast<unsigned>(module.bpm));
    for (std::size_t i = 0; i < 256; ++i)
        out.u8(i < module.orders.size() ? module.orders[i] : 0u);
}

// One cell in the packed form: a full cell is five plain bytes; any other
// starts with a byte that has the top bit set and one bit per field present.
void packEvent(ByteWriter& out, const XmEvent& e)
{
    const unsigned mask = (e.note != 0 ? 1u : 0u) | (e.instrument != 0 ? 2u : 0u) | (e.volume != 0 ? 4u : 0u) |
                          (e.effect != 0 ? 8u : 0u) | (e.parameter != 0 ? 16u : 0u);
    if (mask == 31u) {
        out.u8(e.note);
        out.u8(e.instrument);
        out.u8(e.volume);
        out.u8(e.effect);
        out.u8(e.parameter);
        return;
    }
    out.u8(0x80u | mask);
    if (mask & 1u)
        out.u8(e.note);
    if (mask & 2u)
        out.u8(e.instrument);
    if (mask & 4u)
        out.u8(e.volume);
    if (mask & 8u)
        out.u8(e.effect);
    if (mask & 16u)
        out.u8(e.parameter);
}

void writePattern(ByteWriter& out, const XmPattern& pattern)
{
    ByteWriter packed;
    for (const XmEvent& e : pattern.events)
        packEvent(packed, e);
    out.u32(kPatternHeaderSize);
    out.u8(0); // packing type
    out.u16(static_cast<unsigned>(pattern.rows));
    out.u16(static_cast<unsigned>(packed.size()));
    out.append(packed.bytes);
}

void writeEnvelopePoints(ByteWriter& out, const XmEnvelope& envelope)
{
    for (int i = 0; i < kEnvelopePoints; ++i) {
        if (i < static_cast<int>(envelope.points.size())) {
            out.u16(envelope.points[static_cast<std::size_t>(i)].tick);
            out.u16(envelope.points[static_cast<std::size_t>(i)].value);
        } else {
            out.u32(0);
        }
    }
}

void writeInstrumentHeader(ByteWriter& out, const XmInstrument& instrument)
{
    const std::size_t start = out.size();
    const XmEnvelope& volume = instrument.volumeEnvelope;
    const unsigned volumePoints = static_cast<unsigned>(std::min<std::size_t>(volume.points.size(), kEnvelopePoints));
    out.u32(kInstrumentHeaderSize);
    out.text(instrument.name, 22);
    out.u8(0);  // instrument type
    out.u16(1); // one sample
    out.u32(kSampleHeaderSize);
    out.zeros(96); // every note plays sample 0
    writeEnvelopePoints(out, volume);
    writeEnvelopePoints(out, XmEnvelope{});
    out.u8(volumePoints);
    out.u8(0); // panning envelope points
    out.u8(volume.sustainPoint >= 0 ? static_cast<unsigned>(volume.sustainPoint) : 0u);
    out.u8(0); // volume loop start
    out.u8(0); // volume loop end
    out.u8(0); // panning sustain
    out.u8(0); // panning loop start
    out.u8(0); // panning loop end
    out.u8((volumePoints > 0 ? 1u : 0u) | (volume.sustainPoint >= 0 ? 2u : 0u));
    out.u8(0); // panning envelope off
    out.u8(instrument.vibrato.type);
    out.u8(instrument.vibrato.sweep);
    out.u8(instrument.vibrato.depth);
    out.u8(instrument.vibrato.rate);
    out.u16(instrument.fadeout);
    out.zeros(kInstrumentHeaderSize - (out.size() - start));
}

void writeSampleHeader(ByteWriter& out, const XmSample& sample, const std::string& name)
{
    const std::uint32_t frames = static_cast<std::uint32_t>(sample.data.size());
    const bool loops = sample.loopLength > 0;
    // Lengths and loop points count bytes: two per 16-bit frame.
    out.u32(frames * 2);
    out.u32(loops ? sample.loopStart * 2 : 0);
    out.u32(loops ? sample.loopLength * 2 : 0);
    out.u8(sample.volume);
    out.u8(static_cast<std::uint8_t>(sample.finetune));
    out.u8((loops ? 1u : 0u) | 0x10u); // forward loop, 16-bit
    out.u8(sample.panning);
    out.u8(static_cast<std::uint8_t>(sample.relativeNote));
    out.u8(0); // plain delta coding
    out.text(name, 22);
}

// Each 16-bit value is stored as its difference from the one before.
void writeSampleData(ByteWriter& out, const std::vector<std::int16_t>& data)
{
    std::int16_t previous = 0;
    for (std::int16_t value : data) {
        out.u16(static_cast<std::uint16_t>(static_cast<std::uint16_t>(value) - static_cast<std::uint16_t>(previous)));
        previous = value;
    }
}

} // namespace

std::vector<std::uint8_t> encodeXm(const XmModule& module)
{
    ByteWriter out;
    writeSongHeader(out, module);
    for (const XmPattern& pattern : module.patterns)
        writePattern(out, pattern);
    for (const XmInstrument& instrument : module.instruments) {
        writeInstrumentHeader(out, instrument);
        writeSampleHeader(out, instrument.sample, instrument.name);
        writeSampleData(out, instrument.sample.data);
    }
    return out.bytes;
}
