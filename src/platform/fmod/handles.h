#pragma once
// Stream and module handles carry a sound's id, never an address: a stale
// or foreign handle finds no sound instead of freed memory.

#include "platform/fmod/sound_system.h"

template <typename Handle>
SoundId IdOf(Handle* handle)
{
    return reinterpret_cast<SoundId>(handle);
}

template <typename Handle>
Handle* HandleOf(SoundId id)
{
    return reinterpret_cast<Handle*>(id);
}
