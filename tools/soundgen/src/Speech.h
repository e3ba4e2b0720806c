#pragma once

#include "Recipe.h"
#include "Wave.h"

namespace soundgen {

// Runs espeak-ng for a speak layer and returns its voice at sampleRate.
// Throws std::runtime_error if the program is missing or fails.
// Drops the quiet lead-in and tail, keeping a few milliseconds either side.
Samples trimSilence(Samples voice);

Samples speakWithEspeak(const Layer& layer);

} // namespace soundgen
