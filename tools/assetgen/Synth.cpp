#include "Synth.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double TwoPi = 6.283185307179586;
// Vibrato fades in over this long, as a player would lean into a held note.
constexpr float VibratoOnset = 0.25f;

// Smooths the jump of a rectangle or saw within one sample of its edge (PolyBLEP),
// which keeps high notes from folding back as harsh aliases.
double polyBlep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

float onePoleCoefficient(float cutoffHz, unsigned rate) {
    return 1.f - std::exp(static_cast<float>(-TwoPi) * cutoffHz / static_cast<float>(rate));
}

} // namespace

float noteFrequency(float midiNote) {
    return 440.f * std::exp2((midiNote - 69.f) / 12.f);
}

Synth::Synth(unsigned sampleRate, float seconds, std::uint32_t noiseSeed)
    : rate_(sampleRate),
      data_(static_cast<std::size_t>(std::max(0.f, seconds) * static_cast<float>(sampleRate))),
      noise_(noiseSeed) {}

float Synth::envelopeAt(const Tone& tone, float t) {
    const Envelope& e = tone.envelope;
    const auto held = [&e](float time) {
        if (time < e.attack)
            return time / e.attack;
        time -= e.attack;
        if (time < e.decay)
            return 1.f - (1.f - e.sustain) * time / e.decay;
        return e.sustain;
    };
    if (t < tone.hold)
        return held(t);
    if (e.release <= 0.f)
        return 0.f;
    const float left = std::max(0.f, 1.f - (t - tone.hold) / e.release);
    return held(tone.hold) * left * left;
}

float Synth::oscillator(Wave wave, double phase, double step, float duty) {
    switch (wave) {
    case Wave::Pulse: {
        const double width = std::clamp(static_cast<double>(duty), 0.02, 0.98);
        double v = phase < width ? 1.0 : -1.0;
        v += polyBlep(phase, step);
        v -= polyBlep(std::fmod(phase + 1.0 - width, 1.0), step);
        return static_cast<float>(v);
    }
    case Wave::Triangle:
        return static_cast<float>(4.0 * std::abs(phase - 0.5) - 1.0);
    case Wave::Saw:
        return static_cast<float>(2.0 * phase - 1.0 - polyBlep(phase, step));
    case Wave::Sine:
        return static_cast<float>(std::sin(TwoPi * phase));
    case Wave::Noise:
        return noiseValue_;
    }
    return 0.f;
}

void Synth::add(float start, const Tone& tone) {
    const float rate = static_cast<float>(rate_);
    const float length = tone.hold + tone.envelope.release;
    const auto first = static_cast<std::size_t>(std::max(0.f, start) * rate);
    const auto count = static_cast<std::size_t>(length * rate);
    const float target = tone.endFrequency > 0.f ? tone.endFrequency : tone.frequency;
    const double slide = std::log(static_cast<double>(target) / tone.frequency);
    double phase = 0.0;
    for (std::size_t i = 0; i < count && first + i < data_.size(); ++i) {
        const float t = static_cast<float>(i) / rate;
        double frequency = tone.frequency * std::exp(slide * t / length);
        if (tone.vibratoDepth > 0.f) {
            const float depth = tone.vibratoDepth * std::min(1.f, t / VibratoOnset);
            frequency *= std::exp2(depth / 12.0 * std::sin(TwoPi * tone.vibratoRate * t));
        }
        const double step = std::min(0.5, frequency / rate);
        data_[first + i] +=
            tone.volume * envelopeAt(tone, t) * oscillator(tone.wave, phase, step, tone.duty);
        phase += step;
        if (phase >= 1.0) {
            phase -= 1.0;
            if (tone.wave == Wave::Noise)
                noiseValue_ = noise_.bipolar();
        }
    }
}

void Synth::mix(const Synth& other, float gain) {
    const std::size_t n = std::min(data_.size(), other.data_.size());
    for (std::size_t i = 0; i < n; ++i)
        data_[i] += other.data_[i] * gain;
}

void Synth::lowPass(float cutoffHz) {
    const float a = onePoleCoefficient(cutoffHz, rate_);
    float y = 0.f;
    for (float& x : data_) {
        y += a * (x - y);
        x = y;
    }
}

void Synth::highPass(float cutoffHz) {
    const float a = onePoleCoefficient(cutoffHz, rate_);
    float low = 0.f;
    for (float& x : data_) {
        low += a * (x - low);
        x -= low;
    }
}

void Synth::echo(float delaySeconds, float feedback) {
    const auto delay = static_cast<std::size_t>(delaySeconds * static_cast<float>(rate_));
    if (delay == 0)
        return;
    for (std::size_t i = delay; i < data_.size(); ++i)
        data_[i] += data_[i - delay] * feedback;
}

void Synth::fade(float inSeconds, float outSeconds) {
    const float rate = static_cast<float>(rate_);
    const std::size_t n = data_.size();
    const std::size_t in = std::min(n, static_cast<std::size_t>(inSeconds * rate));
    const std::size_t out = std::min(n, static_cast<std::size_t>(outSeconds * rate));
    for (std::size_t i = 0; i < in; ++i)
        data_[i] *= static_cast<float>(i) / static_cast<float>(in);
    for (std::size_t i = 0; i < out; ++i)
        data_[n - 1 - i] *= static_cast<float>(i) / static_cast<float>(out);
}

void Synth::scale(float gain) {
    for (float& x : data_)
        x *= gain;
}

void Synth::normalisePeak(float level) {
    const float loudest = peak();
    if (loudest > 0.f)
        scale(level / loudest);
}

void Synth::normaliseRms(float level, float ceiling) {
    const float current = rms();
    if (current <= 0.f)
        return;
    scale(level / current);
    // Above the knee, samples bend towards the ceiling instead of clipping against it.
    const float knee = ceiling * 0.75f;
    const float room = ceiling - knee;
    for (float& x : data_) {
        const float magnitude = std::abs(x);
        if (magnitude > knee)
            x = std::copysign(knee + room * std::tanh((magnitude - knee) / room), x);
    }
}

float Synth::peak() const {
    float loudest = 0.f;
    for (const float x : data_)
        loudest = std::max(loudest, std::abs(x));
    return loudest;
}

float Synth::rms() const {
    if (data_.empty())
        return 0.f;
    double sum = 0.0;
    for (const float x : data_)
        sum += static_cast<double>(x) * x;
    return static_cast<float>(std::sqrt(sum / static_cast<double>(data_.size())));
}

float Synth::seconds() const {
    return static_cast<float>(data_.size()) / static_cast<float>(rate_);
}
