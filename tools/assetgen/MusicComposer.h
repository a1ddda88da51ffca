#pragma once
// Turns a `Song` into notes: an intro, alternating verse and chorus sections sized so
// the track runs 60 to 120 seconds, and an outro that cadences onto the tonic. Each
// section type gets one melody, drawn from the song's seed, which returns every time
// the section does, so the tune is recognisable. Deterministic.
#include "MusicTypes.h"
#include "SynthRandom.h"

#include <vector>

class MusicComposer {
public:
    explicit MusicComposer(const Song& song);

    std::vector<NoteEvent> compose();
    // Length of the composed track including the final chord's ring-out.
    float seconds() const;

private:
    struct MelodyNote {
        int step;   // sixteenth within the phrase
        int length; // sixteenths
        int degree; // scale degree counted from the root, may exceed 7
    };
    using Phrase = std::vector<MelodyNote>;

    Phrase makePhrase(const std::array<int, 4>& chords, bool cadence);
    void addSection(int bar, const std::array<int, 4>& chords, const Phrase& opening,
                    const Phrase& ending, bool drums);
    void addMelody(int bar, const Phrase& phrase, float velocity);
    void addBass(int bar, int chord, int nextChord);
    void addArpeggio(int bar, int chord);
    void addDrums(int bar, bool fill);
    void addOutro(int bar);

    float stepTime(int bar, int step) const;
    float stepsLength(int steps) const;
    float pitch(int degree, int octave) const;
    int nearestChordTone(int degree, int chord) const;
    void emit(int bar, int step, int steps, float note, Voice voice, float velocity);

    const Song& song_;
    SynthRandom random_;
    float stepSeconds_;
    int sectionCount_;
    std::vector<NoteEvent> events_;
};
