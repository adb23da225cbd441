#pragma once
// The music player: one sound at a time, played as a stream (sampled audio)
// or as a tracker module, with position queries. SndAPI gives every
// operation a harmless default; SndFMOD (snd_fmod.h) is the player.
//
//   SndFMOD* sound = new SndFMOD(window);
//   sound->Init();
//   sound->Load("music.mp3", 1);
//   sound->Play(1);
//   sound->SetVolume(0.8f);
//   ...
//   delete sound;   // leaves the music playing until the process ends

#include <cstdint>
#include <string>

#include "platform/fmod/fmod.h"
#include "platform/win32/types.h"

class SndAPI {
public:
    static constexpr std::uint32_t kindNone = 0;
    static constexpr std::uint32_t kindStream = 1;
    static constexpr std::uint32_t kindModule = 2;

    SndAPI();
    // Not virtual, and it neither stops the sound nor closes FMOD: delete the
    // player as the type it was created as.
    ~SndAPI() = default;
    SndAPI(const SndAPI&) = delete;
    SndAPI& operator=(const SndAPI&) = delete;

    virtual void Setup();
    virtual bool Init();
    virtual bool Load(const char* file, int flag);
    virtual bool Play(int flag);
    virtual bool Reserved(std::uint32_t argument);
    virtual bool SetVolume(float level);
    virtual bool Stop();
    virtual bool Close();
    virtual std::uint32_t GetTime();
    virtual std::uint32_t GetRow();
    virtual std::uint32_t GetPosition();
    virtual std::uint32_t GetOrder();
    virtual void SetOrder(int order);
    virtual void SetPosition(unsigned int position);
    virtual void Info();

    HWND hwnd = nullptr;
    bool initialized = false;
    bool playing = false;
    bool loaded = false;
    std::uint32_t kind = kindNone;
    std::string fileName;  // the last loaded name, in lower case
    float volume = 1.0f;   // the last accepted volume
    FSOUND_STREAM* stream = nullptr;
    FMUSIC_MODULE* module = nullptr;
    std::int32_t frequency = 44100;

protected:
    static void LogNotImplemented();
};
