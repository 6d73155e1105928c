#include "fuzz_inputs.h"

const show::File& loaderPictureFor(const std::uint8_t* data, std::size_t size)
{
    return showPicture(size == 0 ? 1 : 1 + data[0] % showPictureCount);
}

SceneInput parseSceneInput(const std::uint8_t* data, std::size_t size)
{
    auto byteAt = [&](std::size_t i) { return i < size ? data[i] : std::uint8_t{0}; };
    SceneInput input;
    input.pictureMask = byteAt(0) & 0x7F;
    input.missing = (byteAt(0) & 0x80) != 0;
    for (std::size_t f = 0; f < SceneInput::frameCount; ++f)
        input.jumps[f] = static_cast<std::uint16_t>(byteAt(1 + 2 * f) | byteAt(2 + 2 * f) << 8);
    if (size > SceneInput::headerSize)
        input.picture.assign(data + SceneInput::headerSize, data + size);
    return input;
}

std::vector<std::uint8_t> encodeSceneInput(const SceneInput& input)
{
    std::vector<std::uint8_t> bytes;
    bytes.push_back(static_cast<std::uint8_t>((input.pictureMask & 0x7F) | (input.missing ? 0x80 : 0)));
    for (std::uint16_t jump : input.jumps) {
        bytes.push_back(static_cast<std::uint8_t>(jump & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(jump >> 8));
    }
    bytes.insert(bytes.end(), input.picture.begin(), input.picture.end());
    return bytes;
}
