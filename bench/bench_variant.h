// Which build of an effect a benchmark times: the straightforward baseline
// or the show's own.
#pragma once

enum class Variant { baseline, optimised };
