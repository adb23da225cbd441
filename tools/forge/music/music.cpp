#include "music.h"

#include "arrangement.h"
#include "dsp.h"
#include "master.h"
#include "mixer.h"
#include "rewind_sound.h"
#include "sound_file.h"
#include "timeline.h"

bool WriteMusic(const std::string& path, std::string& error)
{
    using namespace music;
    auto frames = static_cast<std::size_t>(kTrackLength * kSampleRate);
    StereoBuffer mix = MixScore(Arrange(), frames);
    LayRewind(mix);
    Master(mix);
    return WriteSoundFile(path, mix, error);
}
