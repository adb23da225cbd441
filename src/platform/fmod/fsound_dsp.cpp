#include "platform/fmod/fmod.h"
#include "platform/fmod/sound_system.h"

namespace {

// The one DSP unit there is; only its address is ever used.
char fftUnit;

FSOUND_DSPUNIT* FftUnit()
{
    return reinterpret_cast<FSOUND_DSPUNIT*>(&fftUnit);
}

} // namespace

FSOUND_DSPUNIT* FSOUND_DSP_GetFFTUnit()
{
    return SoundSystem::Instance().HasFftUnit() ? FftUnit() : nullptr;
}

void FSOUND_DSP_SetActive(FSOUND_DSPUNIT* unit, signed char active)
{
    if (unit == FftUnit()) {
        SoundSystem::Instance().SetFftActive(active != 0);
    }
}

float* FSOUND_DSP_GetSpectrum()
{
    return SoundSystem::Instance().Spectrum();
}
