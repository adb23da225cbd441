// The music track as the show hears it: decoded through libsndfile and
// analysed with the show's own spectrum analyser.

#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

#include "forge/music/arrangement.h"
#include "forge/music/dsp.h"
#include "forge/music/harmony.h"
#include "forge/music/master.h"
#include "forge/music/melody.h"
#include "forge/music/music.h"
#include "forge/music/rewind_sound.h"
#include "forge/music/timeline.h"
#include "platform/fmod/spectrum.h"

namespace {

constexpr int kRate = 44100;

struct DecodedTrack {
    int sampleRate = 0;
    int channels = 0;
    std::vector<std::int16_t> samples; // interleaved stereo
    std::size_t Frames() const { return samples.size() / 2; }
};

std::filesystem::path TempPath(const std::string& name)
{
    return std::filesystem::temp_directory_path() / (name + "-" + std::to_string(::getpid()) + ".mp3");
}

DecodedTrack Decode(const std::filesystem::path& path)
{
    DecodedTrack track;
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) return track;
    track.sampleRate = info.samplerate;
    track.channels = info.channels;
    if (info.channels == 2) {
        track.samples.resize(static_cast<std::size_t>(info.frames) * 2);
        track.samples.resize(static_cast<std::size_t>(sf_readf_short(file, track.samples.data(), info.frames)) * 2);
    }
    sf_close(file);
    return track;
}

std::vector<char> Bytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class MusicTest : public testing::Test {
protected:
    // The track the build forged into the show directory, decoded once per
    // test program: rendering it anew takes seconds (a minute and more under
    // the sanitizers). One test renders it again and compares the bytes, so
    // the file here is what the forge makes now.
    static void SetUpTestSuite()
    {
        path = new std::filesystem::path(std::filesystem::path(REWIND_SHOW_DIR) / "music.mp3");
        found = std::filesystem::exists(*path);
        whyMissing = new std::string(found ? "" : path->string() + " is missing: the build forges it");
        track = new DecodedTrack(Decode(*path));
    }
    static void TearDownTestSuite()
    {
        delete path;
        delete whyMissing;
        delete track;
    }
    void SetUp() override
    {
        ASSERT_TRUE(found) << *whyMissing;
        ASSERT_EQ(track->channels, 2);
    }

    // The spectrum the show reads at `seconds`: the 1024 frames ending there.
    static std::vector<float> SpectrumAt(double seconds)
    {
        static SpectrumAnalyser analyser;
        std::vector<float> bins(kSpectrumBins, 0.0f);
        auto end = static_cast<std::size_t>(std::lround(seconds * kRate));
        if (end < kSpectrumWindow || end > track->Frames()) return bins;
        analyser.Analyse(&track->samples[2 * (end - kSpectrumWindow)], bins.data());
        return bins;
    }
    static double Sum(const std::vector<float>& bins, int first, int last)
    {
        double sum = 0.0;
        for (int k = first; k <= last; ++k) sum += bins[static_cast<std::size_t>(k)];
        return sum;
    }
    // A level averaged over a stretch of the show, read every 25 ms as the
    // analyser refreshes.
    static double MeanLevel(double from, double to, const std::function<double(const std::vector<float>&)>& level)
    {
        double sum = 0.0;
        int count = 0;
        for (double t = from + 0.025; t < to; t += 0.025, ++count) sum += level(SpectrumAt(t));
        return sum / count;
    }
    static double Rms(double from, double to)
    {
        double sum = 0.0;
        auto first = static_cast<std::size_t>(from * kRate) * 2;
        auto last = std::min(static_cast<std::size_t>(to * kRate) * 2, track->samples.size());
        for (std::size_t i = first; i < last; ++i) sum += std::pow(track->samples[i] / 32768.0, 2);
        return std::sqrt(sum / static_cast<double>(last - first));
    }

    static std::filesystem::path* path;
    static bool found;
    static std::string* whyMissing;
    static DecodedTrack* track;
};

std::filesystem::path* MusicTest::path = nullptr;
bool MusicTest::found = false;
std::string* MusicTest::whyMissing = nullptr;
DecodedTrack* MusicTest::track = nullptr;

TEST_F(MusicTest, DecodesToTheShowsLengthAsStereoAt44100Hz)
{
    EXPECT_EQ(track->sampleRate, kRate);
    EXPECT_NEAR(static_cast<double>(track->Frames()) / kRate, 271.0, 0.1);
}

TEST_F(MusicTest, PeakStaysBelowMinus03dBFS)
{
    int peak = 0;
    for (std::int16_t sample : track->samples) peak = std::max(peak, std::abs(static_cast<int>(sample)));
    EXPECT_LT(20.0 * std::log10(peak / 32768.0), -0.3);
}

// The spectrum at each moment an effect pulses to is clearly louder than
// 100 ms before it.
TEST_F(MusicTest, EveryBeatOfTheEffectsIsHeard)
{
    const std::vector<std::vector<double>> beatTables = {
        // fxobraz flashes and the bars' two flare-ups
        {2780, 8283, 10000, 11200, 12900, 13740, 18570, 19260, 20973, 23719, 23852, 26453, 27660, 29373, 30185,
         33300, 34858, 17188, 18581},
        // fx01 letterbox runs
        {39000, 39400, 39746, 40090, 40431, 40768, 41116, 49005, 49661, 50027, 50358, 50712},
        // fx04 flare fountain
        {65892, 66391, 76858, 81652, 87817, 103595},
        // fx06 dips and the surface's growth steps
        {111500, 112000, 112518, 112808, 113295, 113632, 113995, 114979, 115467, 115966, 116381, 116681},
        // fx05 tunnel flashes
        {203528, 208509, 218790},
        // fxquill surface pulses
        {233209, 237662, 240193, 243147, 244146, 245713, 248616},
    };
    for (const std::vector<double>& table : beatTables) {
        for (double ms : table) {
            double at = Sum(SpectrumAt(ms * 0.001), 0, kSpectrumBins - 1);
            double before = Sum(SpectrumAt(ms * 0.001 - 0.1), 0, kSpectrumBins - 1);
            EXPECT_GT(at, 1.25 * before) << "beat at " << ms << " ms";
        }
    }
}

// fx03 flashes its background by the mean of entries 128..255 (5.5..11 kHz).
TEST_F(MusicTest, Fx03HearsCymbalsThroughoutItsSlot)
{
    auto high = [](const std::vector<float>& bins) { return Sum(bins, 128, 255) / 128.0; };
    double during = MeanLevel(140.0, 172.0, high);
    EXPECT_GT(during, 0.008);
    EXPECT_GT(during, 3.0 * MeanLevel(118.0, 140.0, high));
    // It flashes on every bar, not once: no second of the slot goes dark.
    for (double second = 140.0; second < 171.0; second += 1.0) {
        EXPECT_GT(MeanLevel(second, second + 1.0, high), 0.004) << "at " << second << " s";
    }
}

// fx04's pyramids bounce and fx05's glow swells with the sum of entries
// 0..255 divided by 64.
TEST_F(MusicTest, BouncingAndGlowSlotsAreLoudInTheLowerBand)
{
    auto low = [](const std::vector<float>& bins) { return Sum(bins, 0, 255) / 64.0; };
    double ambient = MeanLevel(2.8, 24.753, low);
    EXPECT_GT(MeanLevel(60.5, 110.45, low), 1.5 * ambient);
    EXPECT_GT(MeanLevel(200.0, 222.235, low), 1.5 * ambient);
}

TEST_F(MusicTest, RewindIsHeardAndTheTrackEndsInSilence)
{
    EXPECT_GT(Rms(250.5, 260.0), 0.03);
    // The tape is winding: the rewind is brighter than the music before it.
    auto upper = [](const std::vector<float>& bins) { return Sum(bins, 46, 255); }; // 2..11 kHz
    auto lower = [](const std::vector<float>& bins) { return Sum(bins, 1, 11); };   // up to 500 Hz
    double rewindTilt = MeanLevel(251.0, 259.0, upper) / MeanLevel(251.0, 259.0, lower);
    double musicTilt = MeanLevel(240.0, 248.0, upper) / MeanLevel(240.0, 248.0, lower);
    EXPECT_GT(rewindTilt, musicTilt);
    EXPECT_LT(Rms(270.9, 271.0), 1e-4);
}

TEST_F(MusicTest, RenderingAgainGivesTheSameBytes)
{
    std::filesystem::path second = TempPath("rewind-music-again");
    std::string error;
    ASSERT_TRUE(WriteMusic(second.string(), error)) << error;
    EXPECT_TRUE(Bytes(*path) == Bytes(second));
    std::filesystem::remove(second);
}

// The parts, on their own.

TEST(MusicHarmony, TheLeadWalksAMinorAndTakesGSharpOverTheDominant)
{
    const music::Chord& am = music::ChordOf(music::ChordName::Am7);
    const music::Chord& e7 = music::ChordOf(music::ChordName::E7);
    EXPECT_EQ(music::ScaleStep(69, 1, am), 71);  // A -> B
    EXPECT_EQ(music::ScaleStep(69, -1, am), 67); // A -> G
    EXPECT_EQ(music::ScaleStep(69, -1, e7), 68); // A -> G sharp
    EXPECT_EQ(music::ScaleStep(64, 2, am), 67);  // E -> F -> G
    EXPECT_EQ(music::NearestChordTone(62, am), 60);
    EXPECT_EQ(music::NearestChordTone(78, am), 79);
}

TEST(MusicMelody, BarsFitTheirChordAndRepeatWithTheirTheme)
{
    for (int theme : {1, 7}) {
        for (int bar = 0; bar < 8; ++bar) {
            const music::Chord& chord = music::ChordOf(music::ChordName::Fmaj7);
            int pitch = music::kMelodyStartPitch;
            std::vector<music::MelodyNote> notes = music::LeadBar(theme, bar, chord, pitch);
            ASSERT_FALSE(notes.empty());
            int end = 0;
            for (const music::MelodyNote& note : notes) {
                EXPECT_GE(note.step, end) << "notes overlap";
                end = note.step + note.length;
                EXPECT_LE(end, 16);
                EXPECT_GE(note.pitch, 64);
                EXPECT_LE(note.pitch, 81);
                if (note.step % 4 == 0) {
                    EXPECT_EQ(music::NearestChordTone(note.pitch, chord), note.pitch);
                }
            }
            EXPECT_EQ(pitch, notes.back().pitch);
            int again = music::kMelodyStartPitch;
            std::vector<music::MelodyNote> repeat = music::LeadBar(theme, bar, chord, again);
            ASSERT_EQ(repeat.size(), notes.size());
            for (std::size_t i = 0; i < notes.size(); ++i) EXPECT_EQ(repeat[i].pitch, notes[i].pitch);
        }
    }
}

TEST(MusicArrangement, EverySlotChangeStartsASectionAndEveryBeatGetsAHit)
{
    music::Score score = music::Arrange();
    auto startsAt = [&score](music::Instrument instrument, double time, double tolerance) {
        return std::any_of(score.begin(), score.end(), [&](const music::Note& note) {
            return note.instrument == instrument && std::abs(note.start - time) <= tolerance;
        });
    };
    for (double change : {2.8, 24.753, 26.6, 35.65, 60.5, 110.45, 118.0, 140.0, 172.0, 200.0, 222.235, 233.18}) {
        EXPECT_TRUE(startsAt(music::Instrument::Crash, change, 1e-9)) << "no crash at " << change << " s";
    }
    EXPECT_TRUE(startsAt(music::Instrument::Boom, 265.0, 1e-9));

    ASSERT_EQ(music::Accents().size(), 59u);
    for (const music::Accent& accent : music::Accents()) {
        double onset = accent.time - music::kAccentLead;
        EXPECT_TRUE(startsAt(music::Instrument::Impact, onset, 1e-9)) << "no hit for " << accent.time << " s";
        // The drums leave the hit room: nothing of theirs starts just before it.
        for (const music::Note& note : score) {
            bool drum = note.instrument == music::Instrument::Kick || note.instrument == music::Instrument::Snare ||
                        note.instrument == music::Instrument::ClosedHat;
            if (drum) {
                EXPECT_FALSE(note.start > accent.time - 0.15 && note.start < accent.time);
            }
        }
    }
    for (const music::Note& note : score) {
        EXPECT_GE(note.start, 0.0);
        EXPECT_LT(note.start + note.length, music::kTrackLength);
        bool sounding = note.start < music::kRewindEnd && note.start + note.length > music::kRewindStart;
        EXPECT_FALSE(sounding) << "a note held into the rewind at " << note.start << " s";
    }
}

TEST(MusicRewind, TheTapeRunsBackwardsAtTheRewindSpeed)
{
    // A mix whose pitch falls steadily through the show: played backwards
    // sixteen and two-thirds times too fast, it must rise, and sound
    // 16.67 times higher.
    auto frames = static_cast<std::size_t>(music::kTrackLength * music::kSampleRate);
    music::StereoBuffer mix(frames);
    double phase = 0.0;
    for (std::size_t i = 0; i < frames; ++i) {
        double seconds = static_cast<double>(i) / music::kSampleRate;
        double hz = 120.0 - 0.3 * std::min(seconds, 250.0); // 120 Hz down to 45 Hz
        phase += hz / music::kSampleRate;
        mix.left[i] = mix.right[i] = static_cast<float>(0.5 * std::sin(music::kTwoPi * phase));
    }
    music::LayRewind(mix);
    // Zero crossings per second around a real time give the sounding pitch.
    auto pitchAt = [&mix](double seconds) {
        auto first = static_cast<std::size_t>(seconds * music::kSampleRate);
        int crossings = 0;
        for (std::size_t i = first; i < first + music::kSampleRate / 10; ++i) {
            if ((mix.left[i] < 0.0f) != (mix.left[i + 1] < 0.0f)) ++crossings;
        }
        return crossings * 10.0 / 2.0;
    };
    // Real 251 s plays the tape at 250 - 16.67 = 233.3 s (50 Hz there), real
    // 259 s plays it at 100 s (90 Hz there).
    EXPECT_NEAR(pitchAt(251.0), 50.0 * music::kRewindSpeed, 60.0);
    EXPECT_NEAR(pitchAt(259.0), 90.0 * music::kRewindSpeed, 80.0);
}

TEST(MusicMaster, PeaksStayUnderTheCeilingAndTheEndIsSilent)
{
    auto frames = static_cast<std::size_t>(music::kTrackLength * music::kSampleRate);
    music::StereoBuffer mix(frames);
    music::Rng rng(5);
    for (std::size_t i = 0; i < frames; ++i) {
        double burst = (i / 4410) % 10 == 0 ? 3.0 : 0.2; // 0.1 s bursts far over full scale
        mix.left[i] = static_cast<float>(burst * rng.Bipolar());
        mix.right[i] = static_cast<float>(burst * std::sin(static_cast<double>(i) * 0.05));
    }
    music::Master(mix);
    float peak = 0.0f;
    for (std::size_t i = 0; i < frames; ++i) peak = std::max({peak, std::abs(mix.left[i]), std::abs(mix.right[i])});
    EXPECT_LE(peak, music::kCeiling + 1e-4);
    EXPECT_GT(peak, 0.9 * music::kCeiling);
    for (std::size_t i = frames - music::kSampleRate / 20; i < frames; ++i) ASSERT_EQ(mix.left[i], 0.0f);
}

} // namespace
