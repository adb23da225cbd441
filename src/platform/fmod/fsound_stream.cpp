#include <algorithm>
#include <limits>

#include "platform/fmod/fmod.h"
#include "platform/fmod/handles.h"

FSOUND_STREAM* FSOUND_Stream_OpenFile(const char* filename, unsigned int mode, int)
{
    return HandleOf<FSOUND_STREAM>(SoundSystem::Instance().Open(filename, mode, false));
}

int FSOUND_Stream_Play(int channel, FSOUND_STREAM* stream)
{
    return SoundSystem::Instance().Play(IdOf(stream), false, channel);
}

// The player takes a result whose low byte is 0xFF for a failed close, so
// failure is -1 here rather than FMOD's documented FALSE.
signed char FSOUND_Stream_Close(FSOUND_STREAM* stream)
{
    return SoundSystem::Instance().Free(IdOf(stream), false) ? 1 : -1;
}

int FSOUND_Stream_GetTime(FSOUND_STREAM* stream)
{
    return SoundSystem::Instance().StreamMilliseconds(IdOf(stream));
}

unsigned int FSOUND_Stream_GetPosition(FSOUND_STREAM* stream)
{
    std::int64_t bytes = SoundSystem::Instance().StreamBytes(IdOf(stream));
    return static_cast<unsigned int>(
        std::min<std::int64_t>(bytes, std::numeric_limits<unsigned int>::max()));
}

signed char FSOUND_Stream_SetPosition(FSOUND_STREAM* stream, unsigned int position)
{
    return SoundSystem::Instance().SeekStreamBytes(IdOf(stream), position) ? 1 : 0;
}
