#pragma once
// The music's spectrum as the effects read it: one sum over a range of the
// 512 entries of the running FFT, 0 when no spectrum is available.

float SpectrumSum(unsigned first, unsigned count);
