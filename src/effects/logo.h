#pragma once
// The opening: the logo on a cleared screen for a second, then torn by
// flickering black bars while it fades, gone after two seconds.

void logo_Init();
void logo_Render(float timeMs);

// The bars of the torn phase at s seconds: how many are drawn and the alpha
// byte they are drawn with (none before 1.0 s or from 2.0 s on).
struct LogoBars {
    float count;
    unsigned alpha;
};
LogoBars logo_Bars(float seconds);
