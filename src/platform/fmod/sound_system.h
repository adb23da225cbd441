#pragma once
// The one sound system behind the FSOUND/FMUSIC calls: its sounds, the
// voices playing them, the output and its clock, the FFT unit and the last
// error. Every method takes the lock, which the audio thread takes too.
//
// Positions live on one timeline of output frames at the mix rate. A voice
// starts at a timeline frame; its play position is the clock's frame minus
// that start. The clock is the audio device (frames mixed minus the
// device's buffer), real time on the silent output, or the time the caller
// sets on the virtual clock.

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/fmod/decoded_sound.h"
#include "platform/fmod/mixer.h"
#include "platform/fmod/spectrum.h"

using SoundId = std::uintptr_t;  // the value of a stream or module handle

class SoundSystem {
public:
    // Never destroyed: the show never closes FMOD, and an audio thread still
    // running at exit must not meet a destroyed lock.
    static SoundSystem& Instance();

    SoundSystem(const SoundSystem&) = delete;
    SoundSystem& operator=(const SoundSystem&) = delete;

    // Set-up.
    bool SetWindow();
    bool Init(int mixRate, int maxChannels);
    void Close();
    int LastError();

    // Streams and modules share the handle space; a handle of one kind is
    // invalid as the other.
    SoundId Open(const char* name, unsigned mode, bool isModule);
    bool Free(SoundId id, bool isModule);
    int Play(SoundId id, bool isModule, int channel);  // the channel, or -1
    bool Stop(SoundId id, bool isModule);
    std::int64_t PositionFrames(SoundId id, bool isModule);  // -1 for an invalid handle
    bool Seek(SoundId id, bool isModule, std::int64_t frame);

    // Conversions of a stream's position.
    int StreamMilliseconds(SoundId id);
    std::int64_t StreamBytes(SoundId id);
    bool SeekStreamBytes(SoundId id, std::int64_t bytes);

    // Modules.
    bool SetMasterVolume(SoundId id, int volume);
    int MasterVolume(SoundId id);
    PatternMark ModulePosition(SoundId id);
    bool SeekModuleOrder(SoundId id, int order);

    // Stream channels.
    bool SetChannelVolume(int channel, int volume);
    int ChannelVolume(int channel);

    // The FFT unit.
    bool HasFftUnit();
    void SetFftActive(bool active);
    float* Spectrum();

    // The virtual clock and the read-out of the mix (virtual_clock.h).
    void UseVirtualClock(bool enabled);
    void SetVirtualTime(std::uint32_t milliseconds);
    int MixRate();
    void ReadMix(std::int64_t firstFrame, std::size_t frames, std::int16_t* stereo);
    std::int64_t MixLength();

private:
    enum class Output { Device, Silent, Virtual };

    struct Sound {
        std::shared_ptr<const DecodedSound> data;
        bool isModule = false;
        std::int64_t startOffset = 0;  // where the next Play begins
        int masterVolume = kFullVolume;
    };

    SoundSystem() = default;

    static void FillDevice(void* user, std::uint8_t* stereo, int bytes);

    std::int64_t PlayCursor() const;
    std::int64_t RenderCursor() const;
    Sound* Find(SoundId id, bool isModule);
    Voice* FindVoice(SoundId id);
    void StopVoice(SoundId id);
    std::int64_t PositionOf(SoundId id, const Sound& sound);
    void SeekTo(SoundId id, Sound& sound, std::int64_t frame);
    int FreeChannel() const;

    std::mutex mutex;
    bool initialized = false;
    int error = 0;
    int mixRate = 0;
    int maxChannels = 0;
    std::map<SoundId, Sound> sounds;
    SoundId nextId = 1;
    std::vector<Voice> voices;

    Output output = Output::Silent;
    bool virtualClockWanted = false;
    std::uint32_t virtualMilliseconds = 0;
    std::uint32_t device = 0;
    int deviceBufferFrames = 0;
    std::int64_t renderCursor = 0;  // device output: frames mixed so far
    std::chrono::steady_clock::time_point silentStart;

    bool fftActive = false;
    SpectrumAnalyser analyser;
    float spectrum[kSpectrumBins] = {};
};
