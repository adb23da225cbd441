#include "mixer.h"

#include <algorithm>
#include <array>

#include "dsp.h"
#include "reverb.h"
#include "voices.h"

namespace music {

namespace {

struct Channel {
    double gain;
    double reverb; // share sent to the reverb
    double echo;   // share sent to the echo
};

constexpr std::array<Channel, static_cast<std::size_t>(Instrument::Count)> kChannels = {{
    {0.90, 0.00, 0.00}, // Kick
    {0.55, 0.25, 0.00}, // Snare
    {0.45, 0.05, 0.00}, // ClosedHat
    {0.25, 0.10, 0.00}, // OpenHat
    {0.35, 0.08, 0.00}, // Ride
    {0.40, 0.10, 0.00}, // Shaker
    {0.30, 0.20, 0.00}, // Crash
    {0.90, 0.20, 0.00}, // Impact
    {0.70, 0.20, 0.00}, // Boom
    {0.40, 0.00, 0.00}, // Bass
    {0.25, 0.35, 0.00}, // Pad
    {0.35, 0.30, 0.15}, // Stab
    {0.30, 0.25, 0.30}, // Lead
    {0.12, 0.20, 0.25}, // Arp
    {0.22, 0.50, 0.20}, // Bell
    {0.25, 0.30, 0.00}, // Riser
}};

constexpr double kRoomSize = 0.84;
constexpr double kDamping = 0.3;
constexpr double kReverbReturn = 1.0;
// Three sixteenths of a two-second bar, the length most sections keep.
constexpr double kEchoDelay = 0.375;
constexpr double kEchoFeedback = 0.4;
constexpr double kEchoReturn = 0.6;

void AddInto(StereoBuffer& bus, const StereoBuffer& voice, std::size_t offset, double gain)
{
    if (offset >= bus.Frames() || gain == 0.0) return;
    std::size_t count = std::min(voice.Frames(), bus.Frames() - offset);
    auto g = static_cast<float>(gain);
    for (std::size_t i = 0; i < count; ++i) {
        bus.left[offset + i] += g * voice.left[i];
        bus.right[offset + i] += g * voice.right[i];
    }
}

void AddInto(StereoBuffer& bus, const StereoBuffer& source, double gain)
{
    AddInto(bus, source, 0, gain);
}

} // namespace

StereoBuffer MixScore(const Score& score, std::size_t frames)
{
    StereoBuffer dry(frames), reverbSend(frames), echoSend(frames);
    for (std::size_t index = 0; index < score.size(); ++index) {
        const Note& note = score[index];
        const Channel& channel = kChannels[static_cast<std::size_t>(note.instrument)];
        StereoBuffer voice = RenderVoice(note, index + 1);
        auto offset = static_cast<std::size_t>(std::max(0.0, note.start) * kSampleRate + 0.5);
        AddInto(dry, voice, offset, channel.gain);
        AddInto(reverbSend, voice, offset, channel.gain * channel.reverb);
        AddInto(echoSend, voice, offset, channel.gain * channel.echo);
    }
    Echo(echoSend, kEchoDelay, kEchoFeedback);
    AddInto(dry, echoSend, kEchoReturn);
    // The echoes sit in the room too.
    AddInto(reverbSend, echoSend, 0.3);
    Reverberate(reverbSend, kRoomSize, kDamping);
    AddInto(dry, reverbSend, kReverbReturn);
    return dry;
}

} // namespace music
