#include "platform/fmod/virtual_clock.h"

#include "platform/fmod/sound_system.h"

void UseVirtualSoundClock(bool enabled)
{
    SoundSystem::Instance().UseVirtualClock(enabled);
}

void SetVirtualSoundTime(std::uint32_t milliseconds)
{
    SoundSystem::Instance().SetVirtualTime(milliseconds);
}

int SoundMixRate()
{
    return SoundSystem::Instance().MixRate();
}

void ReadSoundMix(std::int64_t firstFrame, std::size_t frames, std::int16_t* stereo)
{
    SoundSystem::Instance().ReadMix(firstFrame, frames, stereo);
}

std::int64_t SoundMixLength()
{
    return SoundSystem::Instance().MixLength();
}
