#include "effects/music_level.h"

#include "platform/fmod/fmod.h"

float SpectrumSum(unsigned first, unsigned count)
{
    const float* spectrum = FSOUND_DSP_GetSpectrum();
    if (spectrum == nullptr) return 0.0f;
    float sum = 0.0f;
    for (unsigned i = first; i < first + count && i < 512; ++i) sum += spectrum[i];
    return sum;
}
