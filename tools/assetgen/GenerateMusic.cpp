// The title track and the seven playlist tracks: each song is a row of choices (key,
// mode, tempo, chords, instruments, groove) that the composer turns into notes; the
// notes are played on a small chip-style band and levelled to one loudness, so the
// playlist never jumps in volume from one track to the next.
#include "AssetGen.h"
#include "MusicComposer.h"
#include "SoundFile.h"
#include "Synth.h"

#include <array>

namespace {

// Half the effect rate: the band has nothing above 11 kHz worth the extra work.
constexpr unsigned MusicRate = 22050;
constexpr float TrackRms = 0.15f;
constexpr float TrackCeiling = 0.97f;
constexpr float FadeInSeconds = 0.02f;
constexpr float FadeOutSeconds = 3.5f;
constexpr float LeadEchoSteps = 3.f; // a dotted eighth behind the note
constexpr float LeadEchoFeedback = 0.3f;

// clang-format off
constexpr std::array<Song, 8> Songs = {{
    // name    seed  bpm   root mode                 verse         chorus        lead         duty    bass                  arpeggio         every drums               swing
    {"menu",   11,   96.f, 60, Mode::Major,         {0, 5, 3, 4}, {3, 4, 2, 5}, Wave::Pulse, 0.5f,   BassStyle::RootFifth, ArpStyle::UpDown, 2, DrumStyle::Brush,    0.f},
    {"1",      23,  132.f, 55, Mode::Major,         {0, 3, 4, 3}, {5, 3, 0, 4}, Wave::Pulse, 0.25f,  BassStyle::Pulse,     ArpStyle::Up,     1, DrumStyle::Rock,     0.f},
    {"2",      37,  112.f, 57, Mode::Dorian,        {0, 3, 0, 3}, {6, 2, 3, 0}, Wave::Pulse, 0.125f, BassStyle::Octaves,   ArpStyle::Broken, 1, DrumStyle::Disco,    0.f},
    {"3",      41,  100.f, 53, Mode::Major,         {0, 1, 4, 0}, {3, 2, 1, 4}, Wave::Triangle, 0.5f, BassStyle::Walking,  ArpStyle::Up,     2, DrumStyle::Brush,    0.35f},
    {"4",      59,  144.f, 62, Mode::Mixolydian,    {0, 6, 3, 0}, {3, 6, 0, 4}, Wave::Pulse, 0.5f,   BassStyle::Pulse,     ArpStyle::Up,     1, DrumStyle::Rock,     0.f},
    {"5",      67,   84.f, 64, Mode::Minor,         {0, 5, 2, 6}, {3, 0, 4, 4}, Wave::Pulse, 0.25f,  BassStyle::RootFifth, ArpStyle::UpDown, 1, DrumStyle::Halftime, 0.f},
    {"6",      73,  120.f, 58, Mode::Lydian,        {0, 1, 0, 1}, {5, 4, 1, 0}, Wave::Saw,   0.5f,   BassStyle::Octaves,   ArpStyle::Broken, 2, DrumStyle::Disco,    0.25f},
    {"7",      89,  104.f, 61, Mode::HarmonicMinor, {0, 3, 4, 0}, {5, 3, 4, 4}, Wave::Pulse, 0.5f,   BassStyle::Walking,   ArpStyle::UpDown, 1, DrumStyle::Halftime, 0.f},
}};
// clang-format on

void play(Synth& bus, const Song& song, const NoteEvent& e) {
    const float hz = noteFrequency(e.note);
    const float v = e.velocity;
    switch (e.voice) {
    case Voice::Lead: {
        Tone t = makeTone(song.leadWave, hz, 0.f, e.length, 0.22f * v, {0.01f, 0.12f, 0.6f, 0.08f});
        t.duty = song.leadDuty;
        t.vibratoDepth = e.length > 0.3f ? 0.2f : 0.f;
        bus.add(e.start, t);
        break;
    }
    case Voice::Bass:
        bus.add(e.start, makeTone(Wave::Triangle, hz, 0.f, e.length, 0.45f * v,
                                  {0.005f, 0.08f, 0.8f, 0.05f}));
        break;
    case Voice::Arp: {
        Tone t = makeTone(Wave::Pulse, hz, 0.f, e.length, 0.07f * v, {0.002f, 0.05f, 0.4f, 0.05f});
        t.duty = 0.125f;
        bus.add(e.start, t);
        break;
    }
    case Voice::Kick:
        bus.add(e.start,
                makeTone(Wave::Sine, 160.f, 45.f, 0.03f, 0.6f * v, {0.001f, 0.05f, 0.6f, 0.15f}));
        break;
    case Voice::Snare:
        bus.add(e.start,
                makeTone(Wave::Noise, 7000.f, 0.f, 0.02f, 0.3f * v, {0.001f, 0.03f, 0.4f, 0.12f}));
        bus.add(e.start, makeTone(Wave::Triangle, 200.f, 150.f, 0.02f, 0.2f * v,
                                  {0.001f, 0.03f, 0.4f, 0.06f}));
        break;
    case Voice::Hat:
        bus.add(e.start, makeTone(Wave::Noise, 15000.f, 0.f, 0.005f, 0.12f * v,
                                  {0.001f, 0.01f, 0.3f, 0.03f}));
        break;
    }
}

Synth render(const Song& song) {
    MusicComposer composer(song);
    const std::vector<NoteEvent> notes = composer.compose();
    Synth mixBus(MusicRate, composer.seconds(), song.seed);
    Synth leadBus(MusicRate, composer.seconds(), song.seed);
    for (const NoteEvent& e : notes)
        play(e.voice == Voice::Lead ? leadBus : mixBus, song, e);
    leadBus.echo(LeadEchoSteps * 15.f / song.bpm, LeadEchoFeedback);
    mixBus.mix(leadBus, 1.f);
    mixBus.highPass(25.f);
    mixBus.lowPass(7000.f);
    mixBus.fade(FadeInSeconds, FadeOutSeconds);
    mixBus.normaliseRms(TrackRms, TrackCeiling);
    return mixBus;
}

} // namespace

bool generateMusic(const std::string& out) {
    for (const Song& song : Songs)
        if (!writeSoundFile(out + "sounds/music/" + song.name + ".ogg", render(song)))
            return false;
    return true;
}
