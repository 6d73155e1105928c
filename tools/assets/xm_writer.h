// Serialises an XmModule as an XM file, version 0x0104: the 276-byte song
// header, packed patterns, and instruments with 40-byte sample headers and
// delta-coded 16-bit sample data.
#pragma once

#include "xm_module.h"

#include <cstdint>
#include <vector>

std::vector<std::uint8_t> encodeXm(const XmModule& module);
