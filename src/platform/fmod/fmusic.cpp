#include "platform/fmod/fmod.h"
#include "platform/fmod/handles.h"

FMUSIC_MODULE* FMUSIC_LoadSong(const char* name)
{
    return HandleOf<FMUSIC_MODULE>(SoundSystem::Instance().Open(name, 0, true));
}

signed char FMUSIC_FreeSong(FMUSIC_MODULE* module)
{
    return SoundSystem::Instance().Free(IdOf(module), true) ? 1 : 0;
}

// The player takes a result whose low byte is 0xFF for failure from
// FMUSIC_PlaySong and FMUSIC_StopSong, so these fail with -1 rather than
// FMOD's documented FALSE.
signed char FMUSIC_PlaySong(FMUSIC_MODULE* module)
{
    return SoundSystem::Instance().Play(IdOf(module), true, FSOUND_FREE) >= 0 ? 1 : -1;
}

signed char FMUSIC_StopSong(FMUSIC_MODULE* module)
{
    return SoundSystem::Instance().Stop(IdOf(module), true) ? 1 : -1;
}

signed char FMUSIC_SetMasterVolume(FMUSIC_MODULE* module, int volume)
{
    return SoundSystem::Instance().SetMasterVolume(IdOf(module), volume) ? 1 : 0;
}

int FMUSIC_GetMasterVolume(FMUSIC_MODULE* module)
{
    return SoundSystem::Instance().MasterVolume(IdOf(module));
}

int FMUSIC_GetOrder(FMUSIC_MODULE* module)
{
    return SoundSystem::Instance().ModulePosition(IdOf(module)).order;
}

int FMUSIC_GetRow(FMUSIC_MODULE* module)
{
    return SoundSystem::Instance().ModulePosition(IdOf(module)).row;
}

signed char FMUSIC_SetOrder(FMUSIC_MODULE* module, int order)
{
    return SoundSystem::Instance().SeekModuleOrder(IdOf(module), order) ? 1 : 0;
}
