#pragma once
// The music player over FMOD: a file whose lower-case name contains ".raw",
// ".wav", ".mp2", ".mp3", ".ogg" or ".wma" plays as a stream, any other as a
// module. Every step is logged; no operation throws, and a failure leaves
// the show running without music.

#include "sound/snd_api.h"

class SndFMOD final : public SndAPI {
public:
    explicit SndFMOD(HWND window);

    void Setup() override;
    bool Init() override;
    bool Load(const char* file, int flag) override;
    bool Play(int flag) override;
    bool SetVolume(float level) override;
    bool Stop() override;
    bool Close() override;
    std::uint32_t GetTime() override;
    std::uint32_t GetRow() override;
    std::uint32_t GetPosition() override;
    std::uint32_t GetOrder() override;
    void SetOrder(int order) override;
    void SetPosition(unsigned int position) override;
    void Info() override;
};

// The show's music player, created by start-up; null before and without it.
extern SndFMOD* g_sound;
