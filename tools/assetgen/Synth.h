#pragma once
// A mono sample buffer that tones are mixed into, with the few effects the generated
// sounds need: filters, echo, fades and loudness control. Samples are floats in
// [-1, 1]; writing them out is SoundFile's job.
#include "SynthRandom.h"
#include "SynthTypes.h"

#include <vector>

class Synth {
public:
    Synth(unsigned sampleRate, float seconds, std::uint32_t noiseSeed = 1);

    // Mixes `tone` in starting at `start` seconds; anything past the end is cut off.
    void add(float start, const Tone& tone);
    // Mixes another buffer of the same rate in, scaled by `gain`.
    void mix(const Synth& other, float gain);

    void lowPass(float cutoffHz);
    void highPass(float cutoffHz);
    void echo(float delaySeconds, float feedback);
    // Linear ramps at both ends, so playback never starts or stops on a jump.
    void fade(float inSeconds, float outSeconds);
    void scale(float gain);
    // Scales so that the loudest sample reaches `level`.
    void normalisePeak(float level);
    // Scales to the given RMS level, then rounds off peaks above `ceiling` smoothly.
    void normaliseRms(float level, float ceiling);

    float peak() const;
    float rms() const;
    float seconds() const;
    unsigned sampleRate() const { return rate_; }
    const std::vector<float>& samples() const { return data_; }

private:
    float oscillator(Wave wave, double phase, double step, float duty);
    static float envelopeAt(const Tone& tone, float t);

    unsigned rate_;
    std::vector<float> data_;
    SynthRandom noise_;
    float noiseValue_ = 0.f;
};
