#include "app/schedule.h"

#include <cmath>

#include "effects/fx01.h"
#include "effects/fx03.h"
#include "effects/fx04.h"
#include "effects/fx05.h"
#include "effects/fx06.h"
#include "effects/fx07.h"
#include "effects/fxend.h"
#include "effects/fxgreets.h"
#include "effects/fxobraz.h"
#include "effects/fxquill.h"
#include "effects/fxvolu.h"
#include "effects/logo.h"

namespace {

using F = FadeKind;

const Slot slots[] = {
    {0, 0, 2800, "logo", logo_Render, {}, 0},
    {1, 2800, 24753, "fxobraz", fxobraz_Render, {{F::ToBlack, 24400, 353}}, 1},
    {2, 24753, 26600, "fx01", fx01_Render, {{F::FromBlack, 24753, 350}, {F::ToBlack, 26300, 300}}, 2},
    {3, 26600, 35650, "fxobraz", fxobraz_Render, {{F::FromBlack, 26600, 300}, {F::ToBlack, 35350, 300}}, 2},
    {4, 35650, 60500, "fx01", fx01_Render, {{F::FromBlack, 35650, 300}}, 1},
    {5, 60500, 110450, "fx04", fx04_Render,
     {{F::ToBlack, 90749, 100}, {F::FromBlack, 90849, 100}, {F::ToBlack, 91347, 100}, {F::FromBlack, 91447, 100},
      {F::FromBlack, 90220, 200}, {F::ToBlack, 91739, 200}, {F::FromBlack, 91939, 200},
      {F::FromBlack, 60500, 1300}, {F::ToWhite, 107084, 3366}},
     9},
    {6, 110450, 118000, "fx06", fx06_Render, {{F::FromWhite, 110450, 300}, {F::ToWhite, 117700, 300}}, 2},
    {7, 118000, 140000, "fxgreets", fxgreets_Render, {{F::FromWhite, 118000, 1400}, {F::ToWhite, 139700, 300}}, 2},
    {8, 140000, 172000, "fx03", fx03_Render, {{F::FromWhite, 140000, 300}, {F::ToWhite, 171600, 400}}, 2},
    {9, 172000, 200000, "fxvolu", fxvolu_Render, {{F::FromWhite, 172000, 300}, {F::ToBlack, 199000, 1000}}, 2},
    {10, 200000, 222235, "fx05", fx05_Render, {{F::FromBlack, 200000, 400}, {F::ToWhite, 221900, 335}}, 2},
    {11, 222235, 233180, "fx07", fx07_Render, {{F::FromWhite, 222235, 300}, {F::ToWhite, 232880, 300}}, 2},
    {12, 233180, 250000, "fxquill", fxquill_Render, {{F::FromWhite, 233180, 300}}, 1},
    {-1, 250000, 265000, "none", nullptr, {}, 0},
    {14, 265000, 271000, "fxend", fxend_Render, {{F::FromBlack, 265000, 2000}, {F::ToBlack, 266000, 5000}}, 2},
};

} // namespace

const Slot* SlotAt(std::uint32_t t)
{
    for (const Slot& slot : slots) {
        if (slot.from <= t && t < slot.to) {
            return &slot;
        }
    }
    return nullptr;
}

std::uint32_t ShowTime(std::uint32_t realTime, bool* rewinding)
{
    *rewinding = rewindStart <= realTime && realTime < rewindEnd;
    if (!*rewinding) {
        return realTime;
    }
    const double falling = 250000.0 - static_cast<double>(realTime - rewindStart) * 16.66667;
    return static_cast<std::uint32_t>(falling);
}

float RewindPulse(float rewindClock)
{
    const double phase = (static_cast<double>(rewindClock) - 250000.0) * 0.0004 * 3.14159265358979323846;
    return static_cast<float>(std::fabs(std::sin(phase)) * 0.7 + 0.3);
}
