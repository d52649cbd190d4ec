#pragma once

class BenchRegistry;

// Caller identification from the sound input: the decoding of one second of 48 kHz float
// audio (resampling, tone detection, frame assembly), which must stay a small share of one
// core. Also prints, once, the share over a minute of line audio and how long after the last
// tone of a frame the number comes out, in audio time.
void registerCallerIdOperations(BenchRegistry& registry);
