#pragma once
// How a generated song is described (`Song`) and what the composer hands the renderer
// (`NoteEvent`). A song is a handful of choices; the composer turns them into notes.
#include "SynthTypes.h"

#include <array>
#include <cstdint>

enum class Mode : std::int32_t {
    Major = 0,
    Minor = 1,
    Dorian = 2,
    Mixolydian = 3,
    Lydian = 4,
    HarmonicMinor = 5
};

enum class BassStyle : std::int32_t {
    Pulse = 0,     // driving eighths on the root
    RootFifth = 1, // quarters: root, fifth, octave, fifth
    Octaves = 2,   // eighths jumping between the root and its octave
    Walking = 3    // quarters through the chord, leaning into the next bar
};

enum class ArpStyle : std::int32_t { Up = 0, UpDown = 1, Broken = 2 };

enum class DrumStyle : std::int32_t {
    Rock = 0,     // kick on one and three, snare on the backbeat
    Halftime = 1, // snare only on three: slow and heavy
    Disco = 2,    // kick on every beat, open hats between
    Brush = 3     // sparse and soft
};

enum class Voice : std::int32_t { Lead = 0, Bass = 1, Arp = 2, Kick = 3, Snare = 4, Hat = 5 };

struct Song {
    const char* name; // file name below "sounds/music/"
    std::uint32_t seed;
    float bpm;
    int root; // MIDI note of the tonic, 53..66; the lead moves above it
    Mode mode;
    std::array<int, 4> verse;  // chord per bar, as 0-based scale degrees
    std::array<int, 4> chorus; // the contrasting section's chords
    Wave leadWave;
    float leadDuty;
    BassStyle bass;
    ArpStyle arp;
    int arpSteps; // sixteenths per arpeggio note
    DrumStyle drums;
    float swing; // how far off-beat sixteenths are pushed late, as a part of a sixteenth
};

struct NoteEvent {
    float start;  // seconds
    float length; // seconds the note is held
    float note;   // MIDI note; unused by drums
    Voice voice;
    float velocity; // 0..1
};
