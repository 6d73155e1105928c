// Integrated loudness as EBU R128 / ITU-R BS.1770 defines it, for 48 kHz
// stereo: K-weighting, 400 ms blocks every 100 ms, the absolute gate at -70
// LUFS and the relative gate 10 LU under the ungated level.
#pragma once

#include <vector>

// Interleaved left/right frames at 48000 per second; -inf for silence.
double integratedLoudness(const std::vector<float>& interleaved);
