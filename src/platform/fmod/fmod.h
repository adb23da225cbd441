#pragma once
// The FSOUND/FMUSIC calls of FMOD 3 that the music player and the effects
// make, with FMOD's names, argument orders and result conventions.
//
// Streams (wav, mp3, ogg, flac, raw, ...) decode through libsndfile, modules
// (mod, s3m, xm, it and the rest libopenmpt reads) through libopenmpt; both
// are decoded whole when opened and mixed to 16-bit stereo at the rate given
// to FSOUND_Init. The mix goes to an SDL2 audio device, or, where there is
// none (or SDL_AUDIODRIVER=dummy), to a silent output whose play position
// still advances in real time. virtual_clock.h puts the play position under
// the caller's control instead.
//
// Handles are never dereferenced by callers; a stale or foreign handle is an
// invalid parameter, never a crash.

struct FSOUND_STREAM;
struct FMUSIC_MODULE;
struct FSOUND_DSPUNIT;

// FSOUND_GetError codes, in FMOD 3's order.
enum FMOD_ERRORS {
    FMOD_ERR_NONE,              // no errors
    FMOD_ERR_BUSY,              // a set-up call made after FSOUND_Init
    FMOD_ERR_UNINITIALIZED,     // FSOUND_Init has not been called
    FMOD_ERR_INIT,              // the output device could not be initialised
    FMOD_ERR_ALLOCATED,         // the output device is in use by someone else
    FMOD_ERR_PLAY,              // playing the sound failed
    FMOD_ERR_OUTPUT_FORMAT,     // the device lacks 16-bit stereo output
    FMOD_ERR_COOPERATIVELEVEL,  // hardware cooperative level could not be set
    FMOD_ERR_CREATEBUFFER,      // a hardware sound buffer could not be created
    FMOD_ERR_FILE_NOTFOUND,     // file not found
    FMOD_ERR_FILE_FORMAT,       // unknown file format
    FMOD_ERR_FILE_BAD,          // error loading the file
    FMOD_ERR_MEMORY,            // not enough memory
    FMOD_ERR_VERSION,           // the file format's version is not supported
    FMOD_ERR_INVALID_PARAM,     // an invalid parameter was passed
    FMOD_ERR_NO_EAX,            // EAX command on a channel or output without EAX
    FMOD_ERR_CHANNEL_ALLOC,     // no free channel
    FMOD_ERR_RECORD,            // recording is not supported on this device
    FMOD_ERR_MEDIAPLAYER,       // a required Media Player codec is missing
};

// Channel selectors.
constexpr int FSOUND_FREE = -1;  // any free channel
constexpr int FSOUND_ALL = -3;   // every channel

// Sample format bits of a stream's mode; they describe raw (headerless) data
// and are ignored for every file that carries its own header.
constexpr unsigned FSOUND_8BITS = 0x08;
constexpr unsigned FSOUND_16BITS = 0x10;
constexpr unsigned FSOUND_MONO = 0x20;
constexpr unsigned FSOUND_STEREO = 0x40;
constexpr unsigned FSOUND_UNSIGNED = 0x80;
constexpr unsigned FSOUND_SIGNED = 0x100;
constexpr unsigned FSOUND_NORMAL = FSOUND_16BITS | FSOUND_SIGNED | FSOUND_MONO;

// Reported as a 3.6x release: the line whose stream API still has the
// three-argument FSOUND_Stream_OpenFile the player calls.
constexpr float FMOD_VERSION = 3.61f;

// Set-up and state.
signed char FSOUND_SetHWND(void* hwnd);  // FALSE with FMOD_ERR_BUSY after FSOUND_Init
signed char FSOUND_Init(int mixrate, int maxsoftwarechannels, unsigned int flags);
void FSOUND_Close();                     // also frees every stream and module
int FSOUND_GetError();                   // the code of the last call that can fail
float FSOUND_GetVersion();

// Channel volume, 0 (silent) to 256 (full); FSOUND_ALL sets every stream channel.
signed char FSOUND_SetVolumeAbsolute(int channel, int volume);
int FSOUND_GetVolume(int channel);

// Streams. FSOUND_Stream_Play returns the channel, or -1.
FSOUND_STREAM* FSOUND_Stream_OpenFile(const char* filename, unsigned int mode, int memlength);
int FSOUND_Stream_Play(int channel, FSOUND_STREAM* stream);
signed char FSOUND_Stream_Close(FSOUND_STREAM* stream);  // -1 on failure (see fsound_stream.cpp)
int FSOUND_Stream_GetTime(FSOUND_STREAM* stream);        // milliseconds played
unsigned int FSOUND_Stream_GetPosition(FSOUND_STREAM* stream);  // bytes of 16-bit PCM
signed char FSOUND_Stream_SetPosition(FSOUND_STREAM* stream, unsigned int position);

// Modules.
FMUSIC_MODULE* FMUSIC_LoadSong(const char* name);
signed char FMUSIC_FreeSong(FMUSIC_MODULE* module);
signed char FMUSIC_PlaySong(FMUSIC_MODULE* module);  // -1 on failure (see fmusic.cpp)
signed char FMUSIC_StopSong(FMUSIC_MODULE* module);  // -1 on failure
signed char FMUSIC_SetMasterVolume(FMUSIC_MODULE* module, int volume);  // 0..256
int FMUSIC_GetMasterVolume(FMUSIC_MODULE* module);
int FMUSIC_GetOrder(FMUSIC_MODULE* module);
int FMUSIC_GetRow(FMUSIC_MODULE* module);
signed char FMUSIC_SetOrder(FMUSIC_MODULE* module, int order);

// The spectrum analyser: 512 magnitudes in 0..1 of the 1024 mono samples
// that end at the play position, refreshed every 25 ms of audio. Null while
// FSOUND is not initialised or the FFT unit is inactive; all zeros while
// nothing plays.
FSOUND_DSPUNIT* FSOUND_DSP_GetFFTUnit();
void FSOUND_DSP_SetActive(FSOUND_DSPUNIT* unit, signed char active);
float* FSOUND_DSP_GetSpectrum();
