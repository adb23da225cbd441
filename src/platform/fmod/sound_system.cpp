#include "platform/fmod/sound_system.h"

#include <algorithm>

#include "platform/fmod/audio_device.h"
#include "platform/fmod/decoders.h"
#include "platform/fmod/fmod.h"

namespace {

constexpr int kMinMixRate = 4000;
constexpr int kMaxMixRate = 192000;
constexpr int kMaxChannels = 1024;

// The FFT unit refreshes its snapshot every 25 ms of audio.
constexpr int kSpectrumRefreshesPerSecond = 40;

bool ValidVolume(int volume)
{
    return volume >= 0 && volume <= kFullVolume;
}

} // namespace

SoundSystem& SoundSystem::Instance()
{
    static SoundSystem* instance = new SoundSystem();
    return *instance;
}

// ---- Set-up -----------------------------------------------------------------

bool SoundSystem::SetWindow()
{
    std::lock_guard lock(mutex);
    // The window only matters to DirectSound; like FMOD, refuse it once the
    // output is running.
    error = initialized ? FMOD_ERR_BUSY : FMOD_ERR_NONE;
    return !initialized;
}

bool SoundSystem::Init(int rate, int channels)
{
    if (rate < kMinMixRate || rate > kMaxMixRate || channels < 0 || channels > kMaxChannels) {
        std::lock_guard lock(mutex);
        error = FMOD_ERR_INVALID_PARAM;
        return false;
    }
    // A second Init starts over, as after FSOUND_Close.
    Close();
    bool useVirtualClock;
    {
        std::lock_guard lock(mutex);
        mixRate = rate;
        maxChannels = channels;
        renderCursor = 0;
        useVirtualClock = virtualClockWanted;
    }
    int bufferFrames = 0;
    std::uint32_t opened =
        useVirtualClock ? 0 : OpenAudioDevice(rate, &SoundSystem::FillDevice, this, &bufferFrames);

    std::lock_guard lock(mutex);
    device = opened;
    deviceBufferFrames = bufferFrames;
    output = useVirtualClock ? Output::Virtual : (opened != 0 ? Output::Device : Output::Silent);
    silentStart = std::chrono::steady_clock::now();
    initialized = true;
    error = FMOD_ERR_NONE;
    return true;
}

void SoundSystem::Close()
{
    std::uint32_t closing;
    {
        std::lock_guard lock(mutex);
        closing = device;
        device = 0;
    }
    // Outside the lock: closing waits for the audio thread, which takes it.
    CloseAudioDevice(closing);

    std::lock_guard lock(mutex);
    initialized = false;
    sounds.clear();
    voices.clear();
    fftActive = false;
    output = Output::Silent;
}

int SoundSystem::LastError()
{
    std::lock_guard lock(mutex);
    return error;
}

void SoundSystem::FillDevice(void* user, std::uint8_t* stereo, int bytes)
{
    auto* system = static_cast<SoundSystem*>(user);
    std::lock_guard lock(system->mutex);
    size_t frames = static_cast<size_t>(bytes) / (2 * sizeof(std::int16_t));
    MixVoices(system->voices, system->renderCursor, frames, reinterpret_cast<std::int16_t*>(stereo));
    system->renderCursor += static_cast<std::int64_t>(frames);
}

// ---- Clock ------------------------------------------------------------------

std::int64_t SoundSystem::PlayCursor() const
{
    switch (output) {
    case Output::Device:
        return std::max<std::int64_t>(0, renderCursor - deviceBufferFrames);
    case Output::Virtual:
        // Rounded up, so that the stream time read back is the time set.
        return (static_cast<std::int64_t>(virtualMilliseconds) * mixRate + 999) / 1000;
    case Output::Silent:
        break;
    }
    std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - silentStart;
    return static_cast<std::int64_t>(elapsed.count() * mixRate);
}

// Where a voice started now is first mixed: on a device that is ahead of
// what is heard by the frames already queued.
std::int64_t SoundSystem::RenderCursor() const
{
    return output == Output::Device ? renderCursor : PlayCursor();
}

// ---- Sounds -----------------------------------------------------------------

SoundSystem::Sound* SoundSystem::Find(SoundId id, bool isModule)
{
    auto found = sounds.find(id);
    if (found == sounds.end() || found->second.isModule != isModule) {
        error = FMOD_ERR_INVALID_PARAM;
        return nullptr;
    }
    return &found->second;
}

Voice* SoundSystem::FindVoice(SoundId id)
{
    auto found = std::find_if(voices.begin(), voices.end(),
                              [id](const Voice& voice) { return voice.soundId == id; });
    return found == voices.end() ? nullptr : &*found;
}

void SoundSystem::StopVoice(SoundId id)
{
    std::erase_if(voices, [id](const Voice& voice) { return voice.soundId == id; });
}

std::int64_t SoundSystem::PositionOf(SoundId id, const Sound& sound)
{
    const Voice* voice = FindVoice(id);
    if (voice == nullptr) {
        return sound.startOffset;
    }
    return std::clamp(PlayCursor() - voice->startFrame, std::int64_t{0},
                      sound.data->FrameCount());
}

void SoundSystem::SeekTo(SoundId id, Sound& sound, std::int64_t frame)
{
    sound.startOffset = frame;
    if (Voice* voice = FindVoice(id)) {
        voice->startFrame = PlayCursor() - frame;
    }
}

SoundId SoundSystem::Open(const char* name, unsigned mode, bool isModule)
{
    int rate;
    {
        std::lock_guard lock(mutex);
        if (!initialized) {
            error = FMOD_ERR_UNINITIALIZED;
            return 0;
        }
        if (name == nullptr) {
            error = FMOD_ERR_INVALID_PARAM;
            return 0;
        }
        rate = mixRate;
    }
    // Decoding takes a while; the audio thread keeps playing meanwhile.
    int decodeError = FMOD_ERR_NONE;
    std::shared_ptr<const DecodedSound> data = isModule
                                                   ? DecodeModuleFile(name, rate, &decodeError)
                                                   : DecodeStreamFile(name, mode, rate, &decodeError);
    std::lock_guard lock(mutex);
    error = decodeError;
    if (data == nullptr) {
        return 0;
    }
    SoundId id = nextId++;
    Sound& sound = sounds[id];
    sound.data = std::move(data);
    sound.isModule = isModule;
    return id;
}

bool SoundSystem::Free(SoundId id, bool isModule)
{
    std::lock_guard lock(mutex);
    if (!initialized) {
        error = FMOD_ERR_UNINITIALIZED;
        return false;
    }
    if (Find(id, isModule) == nullptr) {
        return false;
    }
    StopVoice(id);
    sounds.erase(id);
    error = FMOD_ERR_NONE;
    return true;
}

int SoundSystem::FreeChannel() const
{
    const std::int64_t now = PlayCursor();
    for (int channel = 0; channel < maxChannels; ++channel) {
        bool busy = std::any_of(voices.begin(), voices.end(), [&](const Voice& voice) {
            return voice.channel == channel && voice.EndFrame() > now;
        });
        if (!busy) {
            return channel;
        }
    }
    return -1;
}

int SoundSystem::Play(SoundId id, bool isModule, int channel)
{
    std::lock_guard lock(mutex);
    if (!initialized) {
        error = FMOD_ERR_UNINITIALIZED;
        return -1;
    }
    Sound* sound = Find(id, isModule);
    if (sound == nullptr) {
        return -1;
    }
    if (!isModule && channel != FSOUND_FREE && (channel < 0 || channel >= maxChannels)) {
        error = FMOD_ERR_INVALID_PARAM;
        return -1;
    }
    StopVoice(id);
    if (!isModule) {
        channel = channel == FSOUND_FREE ? FreeChannel() : channel;
        if (channel < 0) {
            error = FMOD_ERR_CHANNEL_ALLOC;
            return -1;
        }
        std::erase_if(voices, [channel](const Voice& voice) { return voice.channel == channel; });
    }
    Voice voice;
    voice.soundId = id;
    voice.channel = isModule ? -1 : channel;
    voice.sound = sound->data;
    voice.startFrame = RenderCursor() - sound->startOffset;
    voice.volume = isModule ? sound->masterVolume : kFullVolume;
    voices.push_back(std::move(voice));
    error = FMOD_ERR_NONE;
    return isModule ? 0 : channel;
}

bool SoundSystem::Stop(SoundId id, bool isModule)
{
    std::lock_guard lock(mutex);
    if (!initialized) {
        error = FMOD_ERR_UNINITIALIZED;
        return false;
    }
    Sound* sound = Find(id, isModule);
    if (sound == nullptr) {
        return false;
    }
    StopVoice(id);
    sound->startOffset = 0;
    error = FMOD_ERR_NONE;
    return true;
}

std::int64_t SoundSystem::PositionFrames(SoundId id, bool isModule)
{
    std::lock_guard lock(mutex);
    Sound* sound = Find(id, isModule);
    return sound == nullptr ? -1 : PositionOf(id, *sound);
}

bool SoundSystem::Seek(SoundId id, bool isModule, std::int64_t frame)
{
    std::lock_guard lock(mutex);
    Sound* sound = Find(id, isModule);
    if (sound == nullptr) {
        return false;
    }
    if (frame < 0 || frame > sound->data->FrameCount()) {
        error = FMOD_ERR_INVALID_PARAM;
        return false;
    }
    SeekTo(id, *sound, frame);
    error = FMOD_ERR_NONE;
    return true;
}

// ---- Streams ----------------------------------------------------------------

int SoundSystem::StreamMilliseconds(SoundId id)
{
    std::lock_guard lock(mutex);
    Sound* sound = Find(id, false);
    if (sound == nullptr) {
        return 0;
    }
    return static_cast<int>(PositionOf(id, *sound) * 1000 / mixRate);
}

// The byte position counts the file's own frames as 16-bit PCM, so that a
// position read from the file's data matches.
std::int64_t SoundSystem::StreamBytes(SoundId id)
{
    std::lock_guard lock(mutex);
    Sound* sound = Find(id, false);
    if (sound == nullptr) {
        return 0;
    }
    std::int64_t sourceFrames = PositionOf(id, *sound) * sound->data->sourceRate / mixRate;
    return sourceFrames * sound->data->sourceBytesPerFrame;
}

bool SoundSystem::SeekStreamBytes(SoundId id, std::int64_t bytes)
{
    std::lock_guard lock(mutex);
    Sound* sound = Find(id, false);
    if (sound == nullptr) {
        return false;
    }
    const DecodedSound& data = *sound->data;
    std::int64_t frame = bytes / data.sourceBytesPerFrame * mixRate / data.sourceRate;
    if (frame > data.FrameCount()) {
        error = FMOD_ERR_INVALID_PARAM;
        return false;
    }
    SeekTo(id, *sound, frame);
    error = FMOD_ERR_NONE;
    return true;
}

// ---- Modules ----------------------------------------------------------------

bool SoundSystem::SetMasterVolume(SoundId id, int volume)
{
    std::lock_guard lock(mutex);
    Sound* sound = Find(id, true);
    if (sound == nullptr) {
        return false;
    }
    if (!ValidVolume(volume)) {
        error = FMOD_ERR_INVALID_PARAM;
        return false;
    }
    sound->masterVolume = volume;
    if (Voice* voice = FindVoice(id)) {
        voice->volume = volume;
    }
    error = FMOD_ERR_NONE;
    return true;
}

int SoundSystem::MasterVolume(SoundId id)
{
    std::lock_guard lock(mutex);
    Sound* sound = Find(id, true);
    return sound == nullptr ? -1 : sound->masterVolume;
}

PatternMark SoundSystem::ModulePosition(SoundId id)
{
    std::lock_guard lock(mutex);
    Sound* sound = Find(id, true);
    if (sound == nullptr || sound->data->marks.empty()) {
        return {};
    }
    const std::vector<PatternMark>& marks = sound->data->marks;
    size_t block = static_cast<size_t>(PositionOf(id, *sound)) / kModuleMarkFrames;
    return marks[std::min(block, marks.size() - 1)];
}

bool SoundSystem::SeekModuleOrder(SoundId id, int order)
{
    std::lock_guard lock(mutex);
    Sound* sound = Find(id, true);
    if (sound == nullptr) {
        return false;
    }
    const std::vector<PatternMark>& marks = sound->data->marks;
    auto found = std::find_if(marks.begin(), marks.end(),
                              [order](const PatternMark& mark) { return mark.order == order; });
    if (found == marks.end()) {
        error = FMOD_ERR_INVALID_PARAM;
        return false;
    }
    SeekTo(id, *sound, static_cast<std::int64_t>(found - marks.begin()) * kModuleMarkFrames);
    error = FMOD_ERR_NONE;
    return true;
}

// ---- Channels ---------------------------------------------------------------

bool SoundSystem::SetChannelVolume(int channel, int volume)
{
    std::lock_guard lock(mutex);
    if (!initialized) {
        error = FMOD_ERR_UNINITIALIZED;
        return false;
    }
    if (!ValidVolume(volume)) {
        error = FMOD_ERR_INVALID_PARAM;
        return false;
    }
    bool found = false;
    for (Voice& voice : voices) {
        if (voice.channel >= 0 && (channel == FSOUND_ALL || voice.channel == channel)) {
            voice.volume = volume;
            found = true;
        }
    }
    if (!found && channel != FSOUND_ALL) {
        error = FMOD_ERR_INVALID_PARAM;
        return false;
    }
    error = FMOD_ERR_NONE;
    return true;
}

int SoundSystem::ChannelVolume(int channel)
{
    std::lock_guard lock(mutex);
    for (const Voice& voice : voices) {
        if (voice.channel >= 0 && voice.channel == channel) {
            return voice.volume;
        }
    }
    return 0;
}

// ---- FFT unit ---------------------------------------------------------------

bool SoundSystem::HasFftUnit()
{
    std::lock_guard lock(mutex);
    error = initialized ? FMOD_ERR_NONE : FMOD_ERR_UNINITIALIZED;
    return initialized;
}

void SoundSystem::SetFftActive(bool active)
{
    std::lock_guard lock(mutex);
    if (initialized) {
        fftActive = active;
    }
}

float* SoundSystem::Spectrum()
{
    std::lock_guard lock(mutex);
    if (!initialized || !fftActive) {
        return nullptr;
    }
    std::int64_t period = PlayCursor() * kSpectrumRefreshesPerSecond / mixRate;
    std::int64_t end = period * mixRate / kSpectrumRefreshesPerSecond;
    std::int16_t window[kSpectrumWindow * 2];
    MixVoices(voices, end - kSpectrumWindow, kSpectrumWindow, window);
    analyser.Analyse(window, spectrum);
    return spectrum;
}

// ---- Virtual clock ----------------------------------------------------------

void SoundSystem::UseVirtualClock(bool enabled)
{
    std::lock_guard lock(mutex);
    virtualClockWanted = enabled;
}

void SoundSystem::SetVirtualTime(std::uint32_t milliseconds)
{
    std::lock_guard lock(mutex);
    virtualMilliseconds = milliseconds;
}

int SoundSystem::MixRate()
{
    std::lock_guard lock(mutex);
    return initialized ? mixRate : 0;
}

void SoundSystem::ReadMix(std::int64_t firstFrame, std::size_t frames, std::int16_t* stereo)
{
    std::lock_guard lock(mutex);
    MixVoices(voices, firstFrame, frames, stereo);
}

std::int64_t SoundSystem::MixLength()
{
    std::lock_guard lock(mutex);
    std::int64_t end = 0;
    for (const Voice& voice : voices) {
        end = std::max(end, voice.EndFrame());
    }
    return end;
}
