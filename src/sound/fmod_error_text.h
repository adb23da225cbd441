#pragma once
// The player's texts for FMOD's error codes (FSOUND_GetError).

// "Unknown error" for a code outside the table.
const char* FmodErrorText(int code);
