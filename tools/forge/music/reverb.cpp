#include "reverb.h"

#include <array>
#include <vector>

#include "dsp.h"

namespace music {

namespace {

class Comb {
public:
    Comb(std::size_t length, double feedback, double damping)
        : buffer(length, 0.0), feedback(feedback), damping(damping)
    {
    }
    double Process(double input)
    {
        double output = buffer[position];
        stored = output * (1.0 - damping) + stored * damping;
        buffer[position] = input + stored * feedback;
        if (++position == buffer.size()) position = 0;
        return output;
    }

private:
    std::vector<double> buffer;
    std::size_t position = 0;
    double feedback, damping, stored = 0.0;
};

class AllPass {
public:
    explicit AllPass(std::size_t length) : buffer(length, 0.0) {}
    double Process(double input)
    {
        double delayed = buffer[position];
        buffer[position] = input + delayed * 0.5;
        if (++position == buffer.size()) position = 0;
        return delayed - input;
    }

private:
    std::vector<double> buffer;
    std::size_t position = 0;
};

// Delay lengths in samples, mutually prime so the echoes never line up.
constexpr std::array<std::size_t, 8> kCombLengths = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
constexpr std::array<std::size_t, 4> kAllPassLengths = {556, 441, 341, 225};
constexpr std::size_t kStereoSpread = 23;

void ReverberateChannel(std::vector<float>& channel, std::size_t spread, double roomSize, double damping)
{
    std::vector<Comb> combs;
    for (std::size_t length : kCombLengths) combs.emplace_back(length + spread, roomSize, damping);
    std::vector<AllPass> allPasses;
    for (std::size_t length : kAllPassLengths) allPasses.emplace_back(length + spread);
    for (float& sample : channel) {
        double input = sample * 0.015;
        double sum = 0.0;
        for (Comb& comb : combs) sum += comb.Process(input);
        for (AllPass& allPass : allPasses) sum = allPass.Process(sum);
        sample = static_cast<float>(sum);
    }
}

} // namespace

void Reverberate(StereoBuffer& send, double roomSize, double damping)
{
    ReverberateChannel(send.left, 0, roomSize, damping);
    ReverberateChannel(send.right, kStereoSpread, roomSize, damping);
}

void Echo(StereoBuffer& send, double delaySeconds, double feedback)
{
    auto delay = static_cast<std::size_t>(delaySeconds * kSampleRate);
    std::vector<double> left(delay, 0.0), right(delay, 0.0);
    std::size_t position = 0;
    double toneLeft = 0.0, toneRight = 0.0;
    for (std::size_t i = 0; i < send.Frames(); ++i) {
        double echoLeft = left[position];
        double echoRight = right[position];
        // Each bounce loses some top, like a tape echo.
        toneLeft += 0.4 * (echoLeft - toneLeft);
        toneRight += 0.4 * (echoRight - toneRight);
        double inLeft = send.left[i];
        double inRight = send.right[i];
        left[position] = 0.5 * (inLeft + inRight) + toneRight * feedback;
        right[position] = toneLeft * feedback;
        if (++position == delay) position = 0;
        send.left[i] = static_cast<float>(echoLeft);
        send.right[i] = static_cast<float>(echoRight);
    }
}

} // namespace music
