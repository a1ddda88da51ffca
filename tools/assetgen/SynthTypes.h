#pragma once
// The vocabulary of the sound generator: waveforms, envelopes and one note (`Tone`).
// Everything is plain data so that effect recipes and songs read as tables.
#include <cstdint>

enum class Wave : std::int32_t {
    Pulse = 0,    // band-limited rectangle; `duty` sets the width (0.5 is a square)
    Triangle = 1, // soft, flute-like; the usual bass of small sound chips
    Saw = 2,      // band-limited, bright
    Sine = 3,     // pure; bells and the body of drums
    Noise = 4     // sample-and-hold noise; `frequency` is how often it changes (its colour)
};

// Attack, decay and release in seconds; sustain is a level between 0 and 1.
struct Envelope {
    float attack = 0.004f;
    float decay = 0.05f;
    float sustain = 0.7f;
    float release = 0.04f;
};

// One note. The pitch slides exponentially from `frequency` to `endFrequency` over
// hold + release, so drums and plops are single tones too.
struct Tone {
    Wave wave = Wave::Pulse;
    float frequency = 440.f;
    float endFrequency = 0.f; // 0 keeps the starting pitch
    float hold = 0.1f;        // seconds before the release starts
    float volume = 0.5f;
    float duty = 0.5f;
    Envelope envelope{};
    float vibratoDepth = 0.f; // semitones
    float vibratoRate = 5.5f; // Hz
};

// Equal-tempered pitch of a MIDI note number (69 is A at 440 Hz).
float noteFrequency(float midiNote);

// The common shape of a tone; duty and vibrato keep their defaults unless set after.
inline Tone makeTone(Wave wave, float frequency, float endFrequency, float hold, float volume,
                     Envelope envelope) {
    Tone tone;
    tone.wave = wave;
    tone.frequency = frequency;
    tone.endFrequency = endFrequency;
    tone.hold = hold;
    tone.volume = volume;
    tone.envelope = envelope;
    return tone;
}
