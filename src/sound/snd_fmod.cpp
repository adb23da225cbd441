#include "sound/snd_fmod.h"

#include <cctype>

#include "sound/fmod_error_text.h"
#include "support/log.h"

namespace {

// Tried in this order, anywhere in the name: "a.wav.xm" is a stream.
constexpr const char* streamExtensions[] = {".raw", ".wav", ".mp2", ".mp3", ".ogg", ".wma"};

// Loading raw data reads it as 16-bit signed mono.
constexpr unsigned streamMode = FSOUND_NORMAL;

constexpr int softwareChannels = 16;

std::string LowerCase(const char* text)
{
    std::string lower = text;
    for (char& character : lower) {
        character = static_cast<char>(std::tolower(static_cast<unsigned char>(character)));
    }
    return lower;
}

const char* LastErrorText()
{
    return FmodErrorText(FSOUND_GetError());
}

} // namespace

SndFMOD::SndFMOD(HWND window)
{
    if (g_log) g_log->Print("FMOD ver. %2.2f\n", FSOUND_GetVersion());
    frequency = 44100;
    hwnd = window;
    volume = 1.0f;
}

// Output, driver, mixer and rate are SDL's to choose here, so there is no
// set-up dialog and Setup does nothing.
void SndFMOD::Setup()
{
}

bool SndFMOD::Init()
{
    FSOUND_SetHWND(hwnd);
    if (!FSOUND_Init(frequency, softwareChannels, 0)) {
        if (g_log) g_log->Print("SndAPI : Initialization failed !!! - %s\n", LastErrorText());
        return false;
    }
    if (g_log) g_log->Print("SndAPI : Initialized with %d Hz\n", frequency);
    initialized = true;
    return true;
}

bool SndFMOD::Load(const char* file, int)
{
    if (!initialized) {
        if (g_log) g_log->Print("SndAPI : SndAPI not initialized !!!\n");
        return false;
    }
    // A missing name is a file that is not there.
    if (file == nullptr) {
        file = "";
    }
    fileName = LowerCase(file);
    kind = kindModule;
    for (const char* extension : streamExtensions) {
        if (fileName.find(extension) != std::string::npos) {
            kind = kindStream;
            break;
        }
    }

    if (kind == kindStream) {
        stream = FSOUND_Stream_OpenFile(file, streamMode, 0);
        if (stream == nullptr) {
            if (g_log) g_log->Print("SndAPI : Loading the stream %s failed - ", file);
            if (g_log) g_log->Print("%s\n", LastErrorText());
            FSOUND_Close();
            return false;
        }
        if (g_log) g_log->Print("SndAPI : Succesfully loaded the stream %s\n", file);
    } else {
        module = FMUSIC_LoadSong(file);
        if (module == nullptr) {
            if (g_log) g_log->Print("SndAPI : Loading the module %s failed - ", file);
            if (g_log) g_log->Print("%s\n", LastErrorText());
            FSOUND_Close();
            return false;
        }
        if (g_log) g_log->Print("SndAPI : Succesfully loaded the module %s\n", file);
    }
    loaded = true;
    return true;
}

bool SndFMOD::Play(int)
{
    if (!initialized) {
        if (g_log) g_log->Print("SndAPI : SndAPI not initialized !!!\n");
        return false;
    }
    if (!loaded) {
        if (g_log) g_log->Print("SndAPI : Sound file not loaded, nothing to play...\n");
        return false;
    }
    bool failed = kind == kindModule ? (FMUSIC_PlaySong(module) & 0xFF) == 0xFF
                                     : FSOUND_Stream_Play(FSOUND_FREE, stream) == -1;
    if (failed) {
        if (g_log) g_log->Print("SndAPI : Playing failed - %s\n", LastErrorText());
        FSOUND_Close();
        return false;
    }
    playing = true;
    return true;
}

bool SndFMOD::SetVolume(float level)
{
    if (!initialized) {
        if (g_log) g_log->Print("SndAPI : SndAPI not initialized !!! - cannot set volume\n");
        return false;
    }
    if (!playing) {
        if (g_log) g_log->Print("SndAPI : SndAPI is not currently plyaing...\n");
        return false;
    }
    if (!(level >= 0.0f && level <= 1.0f)) { // NaN included
        if (g_log) g_log->Print("SndAPI : requested volume exceeds the limit (0.0...1.0)\n");
        return false;
    }
    int absolute = static_cast<int>(level * 256.0f);
    if (kind == kindModule) {
        FMUSIC_SetMasterVolume(module, absolute);
    } else {
        FSOUND_SetVolumeAbsolute(FSOUND_ALL, absolute);
    }
    volume = level;
    return true;
}

bool SndFMOD::Stop()
{
    if (!initialized) {
        if (g_log) g_log->Print("SndAPI : SndAPI not initialized !!! - nothing to stop\n");
        return false;
    }
    if (!playing) {
        if (g_log) g_log->Print("SndAPI : SndAPI is not currently plyaing...\n");
        return false;
    }
    signed char result = kind == kindModule ? FMUSIC_StopSong(module) : FSOUND_Stream_Close(stream);
    if ((result & 0xFF) == 0xFF) {
        if (g_log) g_log->Print("SndAPI : Stop failed - %s\n", LastErrorText());
        FSOUND_Close();
        return false;
    }
    playing = false;
    return true;
}

bool SndFMOD::Close()
{
    if (!initialized) {
        if (g_log) g_log->Print("SndAPI : SndAPI not initialized !!! - nothing to close\n");
        return false;
    }
    if (kind == kindModule) {
        FMUSIC_FreeSong(module);
    } else {
        FSOUND_Close();
    }
    initialized = false;
    loaded = false;
    return true;
}

std::uint32_t SndFMOD::GetTime()
{
    if (!initialized) {
        if (g_log) g_log->Print("SndAPI : SndAPI not initialized !!! - cannot do GetTime()\n");
        return 0;
    }
    if (kind == kindModule) {
        if (g_log) g_log->Print("SndAPI : cannot do GetTime() because the played file isn't a stream.\n");
        return 0;
    }
    return static_cast<std::uint32_t>(FSOUND_Stream_GetTime(stream));
}

std::uint32_t SndFMOD::GetRow()
{
    if (module == nullptr) {
        if (g_log) g_log->Print("SndAPI : Wasn't able to get module row, module was NULL\n");
        return 0;
    }
    return static_cast<std::uint32_t>(FMUSIC_GetRow(module));
}

std::uint32_t SndFMOD::GetPosition()
{
    if (kind == kindModule) {
        return GetOrder();
    }
    if (kind == kindStream) {
        if (stream == nullptr) {
            if (g_log) g_log->Print("SndAPI : Wasn't able to get stream's position, stream was NULL\n");
            return 0;
        }
        return FSOUND_Stream_GetPosition(stream);
    }
    return 0;
}

std::uint32_t SndFMOD::GetOrder()
{
    if (module == nullptr) {
        if (g_log) g_log->Print("SndAPI : Wasn't able to get module position, module was NULL\n");
        return 0;
    }
    return static_cast<std::uint32_t>(FMUSIC_GetOrder(module));
}

void SndFMOD::SetOrder(int order)
{
    if (module == nullptr) {
        if (g_log) g_log->Print("SndAPI : Wasn't able to set module order, module was NULL\n");
        return;
    }
    if (!FMUSIC_SetOrder(module, order)) {
        if (g_log) g_log->Print("SndAPI : Wasn't able to set %d module order\n", order);
    }
}

void SndFMOD::SetPosition(unsigned int position)
{
    if (stream == nullptr) {
        if (g_log) g_log->Print("SndAPI : Wasn't able to set streams position, stream was NULL\n");
        return;
    }
    if (!FSOUND_Stream_SetPosition(stream, position)) {
        if (g_log) g_log->Print("SndAPI : Wasn't able to set streams position\n");
    }
}

void SndFMOD::Info()
{
    if (g_log) g_log->Print("SndAPI : Start of Info()\n");
    if (g_log) g_log->Print("SndAPI : Using FMOD ver. %2.2f with ", FSOUND_GetVersion());
    if (g_log) g_log->Print("%2.1f kHz frequency\n", frequency * 0.001);
    if (initialized) {
        if (g_log) g_log->Print("SndAPI : SndAPI is initialized and currently ");
        if (playing) {
            if (g_log) g_log->Print("playing %s.\n", fileName.c_str());
        } else {
            if (g_log) g_log->Print("not playing any sounds.\n");
        }
    } else {
        if (g_log) g_log->Print("SndAPI : SndAPI isn't initialized.\n");
    }
    if (g_log) g_log->Print("SndAPI : End of Info()\n");
}

SndFMOD* g_sound = nullptr;
