#pragma once
// Brackets the timeline's slots: PushState captures the whole device state
// when a slot becomes current, PopState re-applies it when the timeline
// leaves that slot, so each effect starts from the state its predecessor
// found. One level deep: one slot id, one captured state.

void PushState(unsigned id);
void PopState(unsigned id);

// The slot id whose state is held; 0xFFFF before the first push.
unsigned CurrentStateSlot();
