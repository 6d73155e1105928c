// ShadeTables: the fire-coloured ramps of the glow stamp. A rising
// brightness first adds red alone; from 128 on green rises at twice the rate
// of red, towards yellow. Blue is never added.
#pragma once

#include "fx/channel_tables.h"

#include <cstdint>
#include <memory>

class ShadeTables {
public:
    ShadeTables();
    ShadeTables(const ShadeTables&) = delete;
    ShadeTables& operator=(const ShadeTables&) = delete;

    // Plain amounts (not shifted into place), indexed like every channel table.
    std::unique_ptr<std::int32_t[]> red;
    std::unique_ptr<std::int32_t[]> green;
    std::unique_ptr<std::int32_t[]> blue;
};
