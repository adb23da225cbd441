#pragma once
// The arrangement: which instruments play what, section by section, and the
// hits laid under every moment the picture reacts to.

#include "score.h"

namespace music {

Score Arrange();

} // namespace music
