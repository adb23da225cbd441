#include "platform/fmod/fmod.h"
#include "platform/fmod/sound_system.h"

signed char FSOUND_SetHWND(void*)
{
    return SoundSystem::Instance().SetWindow() ? 1 : 0;
}

signed char FSOUND_Init(int mixrate, int maxsoftwarechannels, unsigned int)
{
    return SoundSystem::Instance().Init(mixrate, maxsoftwarechannels) ? 1 : 0;
}

void FSOUND_Close()
{
    SoundSystem::Instance().Close();
}

int FSOUND_GetError()
{
    return SoundSystem::Instance().LastError();
}

float FSOUND_GetVersion()
{
    return FMOD_VERSION;
}

signed char FSOUND_SetVolumeAbsolute(int channel, int volume)
{
    return SoundSystem::Instance().SetChannelVolume(channel, volume) ? 1 : 0;
}

int FSOUND_GetVolume(int channel)
{
    return SoundSystem::Instance().ChannelVolume(channel);
}
