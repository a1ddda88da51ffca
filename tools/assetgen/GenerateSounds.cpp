// The fourteen sound effects. Each recipe mixes a few tones into a buffer; all of them
// then get the same short fades (so playback never clicks) and a peak level from the
// table, which balances a tiny button click against a fire alarm.
#include "AssetGen.h"
#include "SoundFile.h"
#include "Synth.h"

#include <array>
#include <cstdio>

namespace {

constexpr unsigned EffectRate = 44100;
constexpr float EdgeFadeIn = 0.002f;
constexpr float EdgeFadeOut = 0.02f;

// Midi notes of the jingles, all in C major so that effects heard together agree.
constexpr float C4 = 60, G4 = 67, C5 = 72, E5 = 76, G5 = 79, B5 = 83, C6 = 84, E6 = 88, G6 = 91;
constexpr float C3 = 48, G2 = 43, G3 = 55;

float hz(float note) {
    return noteFrequency(note);
}

Synth buffer(float seconds) {
    return Synth(EffectRate, seconds, 0x51f15eedu);
}

// A short, dry knock: tick, tock and the build tick are the same instrument.
void knock(Synth& s, float frequency, float volume) {
    s.add(0.f, makeTone(Wave::Triangle, frequency, frequency * 0.8f, 0.006f, volume,
                        {0.0005f, 0.012f, 0.25f, 0.05f}));
    Tone overtone = makeTone(Wave::Pulse, frequency * 2.f, 0.f, 0.003f, volume * 0.22f,
                             {0.0003f, 0.004f, 0.1f, 0.02f});
    overtone.duty = 0.25f;
    s.add(0.f, overtone);
    s.add(0.f, makeTone(Wave::Noise, 9000.f, 0.f, 0.003f, volume * 0.3f,
                        {0.0003f, 0.003f, 0.2f, 0.012f}));
}

Synth knocked(float seconds, float frequency) {
    Synth s = buffer(seconds);
    knock(s, frequency, 0.8f);
    return s;
}

// A struck bell: the body plus the out-of-tune partial that makes metal sound metal.
void bell(Synth& s, float start, float frequency, float volume) {
    s.add(start, makeTone(Wave::Sine, frequency, 0.f, 0.02f, volume, {0.001f, 0.05f, 0.8f, 0.9f}));
    s.add(start, makeTone(Wave::Sine, frequency * 2.76f, 0.f, 0.01f, volume * 0.35f,
                          {0.001f, 0.05f, 0.5f, 0.3f}));
}

// A chip-style lead note with a little vibrato when it is held.
void lead(Synth& s, float start, float note, float hold, float volume, float duty) {
    Tone t = makeTone(Wave::Pulse, hz(note), 0.f, hold, volume, {0.004f, 0.06f, 0.7f, 0.08f});
    t.duty = duty;
    t.vibratoDepth = hold > 0.2f ? 0.15f : 0.f;
    s.add(start, t);
}

void bass(Synth& s, float start, float note, float hold, float volume) {
    s.add(start,
          makeTone(Wave::Triangle, hz(note), 0.f, hold, volume, {0.004f, 0.05f, 0.8f, 0.1f}));
}

// A thump whose pitch falls away, with a puff of noise: something landing on a tile.
void plop(Synth& s, float high, float low, float length) {
    s.add(0.f, makeTone(Wave::Sine, high, low, length * 0.15f, 0.8f,
                        {0.002f, 0.06f, 0.5f, length * 0.6f}));
    s.add(0.f, makeTone(Wave::Noise, 2200.f, 300.f, 0.02f, 0.3f, {0.001f, 0.03f, 0.3f, 0.1f}));
}

Synth click() {
    Synth s = buffer(0.06f);
    s.add(0.f, makeTone(Wave::Pulse, 2400.f, 1400.f, 0.004f, 0.6f, {0.0005f, 0.004f, 0.3f, 0.02f}));
    s.add(0.f, makeTone(Wave::Noise, 9000.f, 0.f, 0.002f, 0.3f, {0.0003f, 0.002f, 0.2f, 0.01f}));
    s.highPass(300.f);
    return s;
}

// The code pitches this between 0.75 and 1.05, so it sits in the middle of the range.
Synth progressBuild() {
    return knocked(0.14f, 560.f);
}

Synth plopRoad() {
    Synth s = buffer(0.3f);
    plop(s, 420.f, 110.f, 0.3f);
    s.lowPass(3000.f);
    return s;
}

// Heavier than a road, with a small rising "done" figure on top.
Synth plopBuilding() {
    Synth s = buffer(0.6f);
    plop(s, 300.f, 70.f, 0.45f);
    lead(s, 0.08f, E5, 0.06f, 0.18f, 0.25f);
    lead(s, 0.15f, B5, 0.12f, 0.18f, 0.25f);
    return s;
}

Synth demolish() {
    Synth s = buffer(0.9f);
    s.add(0.f, makeTone(Wave::Noise, 1200.f, 150.f, 0.35f, 0.7f, {0.002f, 0.2f, 0.4f, 0.4f}));
    s.add(0.f, makeTone(Wave::Sine, 120.f, 40.f, 0.1f, 0.6f, {0.002f, 0.1f, 0.3f, 0.3f}));
    // Falling debris: bursts that get duller and quieter.
    constexpr std::array<float, 6> debris = {0.f, 0.06f, 0.15f, 0.21f, 0.33f, 0.45f};
    for (std::size_t k = 0; k < debris.size(); ++k) {
        const float fall = 1.f - static_cast<float>(k) / 7.f;
        s.add(debris[k], makeTone(Wave::Noise, 3000.f * fall, 0.f, 0.02f, 0.5f * fall,
                                  {0.001f, 0.02f, 0.3f, 0.06f}));
    }
    s.lowPass(5000.f);
    return s;
}

Synth tick() {
    return knocked(0.08f, 1760.f);
}

Synth tock() {
    return knocked(0.09f, 1175.f);
}

Synth openWindow() {
    Synth s = buffer(0.36f);
    s.add(0.f, makeTone(Wave::Noise, 1200.f, 9000.f, 0.18f, 0.7f, {0.12f, 0.05f, 0.8f, 0.15f}));
    s.lowPass(6000.f);
    s.highPass(400.f);
    return s;
}

Synth yearEnd() {
    Synth s = buffer(1.8f);
    constexpr std::array<float, 4> run = {C5, E5, G5, C6};
    for (std::size_t i = 0; i < run.size(); ++i)
        lead(s, 0.11f * static_cast<float>(i), run[i], 0.08f, 0.3f, 0.5f);
    lead(s, 0.44f, E6, 0.6f, 0.22f, 0.25f);
    lead(s, 0.44f, C6, 0.6f, 0.18f, 0.5f);
    lead(s, 0.44f, G5, 0.6f, 0.14f, 0.5f);
    bass(s, 0.f, C3, 0.2f, 0.5f);
    bass(s, 0.22f, G3, 0.15f, 0.5f);
    bass(s, 0.44f, C3, 0.6f, 0.5f);
    s.echo(0.12f, 0.25f);
    return s;
}

Synth monthEnd() {
    Synth s = buffer(0.9f);
    lead(s, 0.f, G5, 0.07f, 0.3f, 0.25f);
    lead(s, 0.1f, C6, 0.3f, 0.3f, 0.25f);
    bass(s, 0.1f, C4, 0.3f, 0.4f);
    s.echo(0.1f, 0.2f);
    return s;
}

// Two alternating tones, loud and insistent enough to cut through the music.
Synth fire() {
    Synth s = buffer(1.5f);
    for (int i = 0; i < 8; ++i) {
        const float frequency = i % 2 ? 880.f : 1100.f;
        Tone t = makeTone(Wave::Pulse, frequency, 0.f, 0.14f, 0.35f, {0.005f, 0.02f, 0.8f, 0.03f});
        t.duty = 0.4f;
        s.add(0.18f * static_cast<float>(i), t);
    }
    s.lowPass(7000.f);
    return s;
}

Synth putOutFire() {
    Synth s = buffer(1.1f);
    s.add(0.f, makeTone(Wave::Noise, 14000.f, 0.f, 0.9f, 0.6f, {0.02f, 0.85f, 0.05f, 0.15f}));
    s.add(0.f, makeTone(Wave::Noise, 5000.f, 2500.f, 0.4f, 0.25f, {0.05f, 0.3f, 0.3f, 0.3f}));
    s.highPass(1500.f);
    return s;
}

// "Da-da-da-daaa": three pick-up notes, a leap and a held chord over a bass cadence.
Synth unlockedFeature() {
    Synth s = buffer(2.f);
    for (int i = 0; i < 3; ++i)
        lead(s, 0.1f * static_cast<float>(i), G4, 0.06f, 0.3f, 0.25f);
    lead(s, 0.3f, C5, 0.25f, 0.3f, 0.25f);
    lead(s, 0.6f, E5, 0.1f, 0.3f, 0.25f);
    lead(s, 0.75f, G5, 0.6f, 0.3f, 0.25f);
    lead(s, 0.75f, E5, 0.6f, 0.16f, 0.5f);
    bass(s, 0.3f, C3, 0.25f, 0.5f);
    bass(s, 0.6f, G2, 0.1f, 0.5f);
    bass(s, 0.75f, C3, 0.6f, 0.5f);
    s.echo(0.15f, 0.2f);
    return s;
}

Synth upgrade() {
    Synth s = buffer(1.4f);
    bell(s, 0.f, hz(E6), 0.4f);
    bell(s, 0.12f, hz(G6), 0.4f);
    bell(s, 0.24f, hz(C6 + 12.f), 0.45f);
    s.echo(0.09f, 0.3f);
    return s;
}

struct Effect {
    const char* name;
    Synth (*make)();
    float level; // peak after normalising
};

constexpr std::array<Effect, 14> Effects = {{
    {"click", click, 0.55f},
    {"progress_build", progressBuild, 0.6f},
    {"plop_road", plopRoad, 0.75f},
    {"plop_building", plopBuilding, 0.8f},
    {"demolish", demolish, 0.85f},
    {"tick", tick, 0.55f},
    {"open_window", openWindow, 0.5f},
    {"tock", tock, 0.55f},
    {"year_end", yearEnd, 0.75f},
    {"month_end", monthEnd, 0.7f},
    {"fire", fire, 0.45f},
    {"putoutfire", putOutFire, 0.55f},
    {"unlocked_feature", unlockedFeature, 0.75f},
    {"upgrade", upgrade, 0.7f},
}};

} // namespace

bool generateSounds(const std::string& out) {
    for (const Effect& effect : Effects) {
        Synth sound = effect.make();
        sound.fade(EdgeFadeIn, EdgeFadeOut);
        sound.normalisePeak(effect.level);
        if (!writeSoundFile(out + "sounds/" + effect.name + ".wav", sound))
            return false;
    }
    return true;
}
