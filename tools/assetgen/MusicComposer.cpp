#include "MusicComposer.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace {

constexpr int StepsPerBar = 16;
constexpr int IntroBars = 4;
constexpr int SectionBars = 8;
constexpr int PhraseBars = 4;
constexpr int OutroBars = 3; // a dominant bar, then the tonic held for two
constexpr float RingOutSeconds = 1.5f;
constexpr float TargetSeconds = 88.f;
constexpr float ShortestSeconds = 62.f;
constexpr float LongestSeconds = 115.f;
// The melody stays between these scale degrees above the root: singable, and clear of
// the bass and most of the arpeggio.
constexpr int LowestDegree = 4;
constexpr int HighestDegree = 13;
constexpr int Tonic = 7;

constexpr std::array<std::array<int, 7>, 6> ScaleSteps = {{
    {0, 2, 4, 5, 7, 9, 11}, // Major
    {0, 2, 3, 5, 7, 8, 10}, // Minor
    {0, 2, 3, 5, 7, 9, 10}, // Dorian
    {0, 2, 4, 5, 7, 9, 10}, // Mixolydian
    {0, 2, 4, 6, 7, 9, 11}, // Lydian
    {0, 2, 3, 5, 7, 8, 11}, // HarmonicMinor
}};

// One bar of melody rhythm: 'x' starts a note, '-' holds it, '.' is a rest.
constexpr std::array<std::string_view, 8> RhythmCells = {
    "x-x-x-x-x---x...", "x---x-x-x---x-x-", "x-----x-x-x-x---", "x-x-x---x-----..",
    "x---x---x-x-x-x-", "x--x--x-x---x...", "..x-x-x-x---x-x-", "x-x---x---x-x---",
};
// Phrase endings: fewer, longer notes so the line breathes.
constexpr std::array<std::string_view, 3> EndingCells = {
    "x---x---x-------",
    "x-x-x-----------",
    "x-------x-----..",
};

struct DrumPattern {
    std::string_view kick, snare, hat;
};
constexpr std::array<DrumPattern, 4> DrumPatterns = {{
    {"x.......x.x.....", "....x.......x...", "x.x.x.x.x.x.x.x."}, // Rock
    {"x.........x.....", "........x.......", "x.x.x.x.x.x.x.x."}, // Halftime
    {"x...x...x...x...", "....x.......x...", "..x...x...x...x."}, // Disco
    {"x.......x.......", "............x...", "x...x...x...x.x."}, // Brush
}};
constexpr DrumPattern Fill = {"x.......x.......", "....x...x.x.xxxx", "x.x.x.x........."};

// Bass lines per style: the chord-relative degree on each note, and the note spacing.
struct BassLine {
    std::array<int, 8> degrees;
    int spacing; // sixteenths between notes
    int notes;
};
constexpr std::array<BassLine, 4> BassLines = {{
    {{0, 0, 0, 0, 0, 0, 4, 0}, 2, 8}, // Pulse
    {{0, 4, 7, 4}, 4, 4},             // RootFifth
    {{0, 7, 0, 7, 0, 7, 0, 7}, 2, 8}, // Octaves
    {{0, 2, 4, 0}, 4, 3},             // Walking; the fourth note leads into the next bar
}};

struct ArpPattern {
    std::array<int, 6> order; // index into root, third, fifth, octave
    int length;
};
constexpr std::array<ArpPattern, 3> ArpPatterns = {{
    {{0, 1, 2, 3}, 4},
    {{0, 1, 2, 3, 2, 1}, 6},
    {{0, 2, 1, 3}, 4},
}};

constexpr float NoteGate = 0.85f; // part of a note's slot that sounds

int floorMod(int a, int m) {
    return ((a % m) + m) % m;
}

bool isChordTone(int degree, int chord) {
    const int offset = floorMod(degree - chord, 7);
    return offset == 0 || offset == 2 || offset == 4;
}

} // namespace

MusicComposer::MusicComposer(const Song& song)
    : song_(song), random_(song.seed), stepSeconds_(60.f / song.bpm / 4.f) {
    const float bar = StepsPerBar * stepSeconds_;
    const float fixed = (IntroBars + OutroBars) * bar + RingOutSeconds;
    sectionCount_ =
        std::max(2, static_cast<int>(std::lround((TargetSeconds - fixed) / (SectionBars * bar))));
    while (seconds() > LongestSeconds && sectionCount_ > 2)
        --sectionCount_;
    while (seconds() < ShortestSeconds)
        ++sectionCount_;
}

float MusicComposer::seconds() const {
    const int bars = IntroBars + sectionCount_ * SectionBars + OutroBars;
    return static_cast<float>(bars * StepsPerBar) * stepSeconds_ + RingOutSeconds;
}

std::vector<NoteEvent> MusicComposer::compose() {
    events_.clear();
    const Phrase verseOpening = makePhrase(song_.verse, false);
    const Phrase verseEnding = makePhrase(song_.verse, true);
    const Phrase chorusOpening = makePhrase(song_.chorus, false);
    const Phrase chorusEnding = makePhrase(song_.chorus, true);

    addSection(0, song_.verse, {}, {}, false);
    for (int bar = IntroBars / 2; bar < IntroBars; ++bar)
        addDrums(bar, bar == IntroBars - 1);
    int bar = IntroBars;
    for (int section = 0; section < sectionCount_; ++section, bar += SectionBars) {
        if (section % 2 == 0)
            addSection(bar, song_.verse, verseOpening, verseEnding, true);
        else
            addSection(bar, song_.chorus, chorusOpening, chorusEnding, true);
    }
    addOutro(bar);
    return events_;
}

MusicComposer::Phrase MusicComposer::makePhrase(const std::array<int, 4>& chords, bool cadence) {
    Phrase phrase;
    int degree = nearestChordTone(Tonic + random_.below(3), chords[0]);
    for (int bar = 0; bar < PhraseBars; ++bar) {
        const std::string_view cell = bar == PhraseBars - 1
                                          ? EndingCells[random_.below(EndingCells.size())]
                                          : RhythmCells[random_.below(RhythmCells.size())];
        for (int step = 0; step < StepsPerBar; ++step) {
            if (cell[step] != 'x')
                continue;
            int length = 1;
            while (step + length < StepsPerBar && cell[step + length] == '-')
                ++length;
            if (step % 8 == 0) {
                degree = nearestChordTone(degree + random_.below(5) - 2, chords[bar]);
            } else {
                constexpr std::array<int, 6> moves = {-2, -1, -1, 1, 1, 2};
                degree += moves[random_.below(moves.size())];
            }
            if (degree < LowestDegree)
                degree += 2;
            if (degree > HighestDegree)
                degree -= 2;
            phrase.push_back({bar * StepsPerBar + step, length, degree});
        }
    }
    // An answering phrase comes home to the tonic; an opening one rests on its last chord.
    if (!phrase.empty())
        phrase.back().degree = cadence ? Tonic : nearestChordTone(degree, chords.back());
    return phrase;
}

void MusicComposer::addSection(int bar, const std::array<int, 4>& chords, const Phrase& opening,
                               const Phrase& ending, bool drums) {
    const int bars = opening.empty() ? IntroBars : SectionBars;
    for (int i = 0; i < bars; ++i) {
        const int chord = chords[i % chords.size()];
        addBass(bar + i, chord, chords[(i + 1) % chords.size()]);
        addArpeggio(bar + i, chord);
        if (drums)
            addDrums(bar + i, i == bars - 1);
    }
    addMelody(bar, opening, 0.8f);
    addMelody(bar + PhraseBars, ending, 0.85f);
}

void MusicComposer::addMelody(int bar, const Phrase& phrase, float velocity) {
    for (const MelodyNote& n : phrase) {
        const float accent = n.step % 8 == 0 ? 0.1f : 0.f;
        emit(bar, n.step, n.length, pitch(n.degree, 0), Voice::Lead,
             velocity + accent + 0.05f * random_.bipolar());
    }
}

void MusicComposer::addBass(int bar, int chord, int nextChord) {
    const BassLine& line = BassLines[static_cast<std::size_t>(song_.bass)];
    for (int i = 0; i < line.notes; ++i)
        emit(bar, i * line.spacing, line.spacing, pitch(chord + line.degrees[i], -2), Voice::Bass,
             i == 0 ? 1.f : 0.85f);
    if (song_.bass == BassStyle::Walking) {
        // A scale step above the next root, so the line walks into it.
        int approach = nextChord + 1;
        while (approach > chord + 5)
            approach -= 7;
        emit(bar, 12, 4, pitch(approach, -2), Voice::Bass, 0.8f);
    }
}

void MusicComposer::addArpeggio(int bar, int chord) {
    const ArpPattern& pattern = ArpPatterns[static_cast<std::size_t>(song_.arp)];
    const std::array<int, 4> tones = {chord, chord + 2, chord + 4, chord + 7};
    const int every = std::max(1, song_.arpSteps);
    for (int step = 0, i = 0; step < StepsPerBar; step += every, ++i) {
        const int tone = tones[pattern.order[i % pattern.length]];
        emit(bar, step, every, pitch(tone, 0), Voice::Arp, step % 4 == 0 ? 1.f : 0.8f);
    }
}

void MusicComposer::addDrums(int bar, bool fill) {
    const DrumPattern& pattern = fill ? Fill : DrumPatterns[static_cast<std::size_t>(song_.drums)];
    const float soft = song_.drums == DrumStyle::Brush ? 0.7f : 1.f;
    for (int step = 0; step < StepsPerBar; ++step) {
        if (pattern.kick[step] == 'x')
            emit(bar, step, 1, 0.f, Voice::Kick, soft);
        if (pattern.snare[step] == 'x')
            emit(bar, step, 1, 0.f, Voice::Snare, soft * (step % 4 == 0 ? 1.f : 0.7f));
        if (pattern.hat[step] == 'x')
            emit(bar, step, 1, 0.f, Voice::Hat, soft * (step % 4 == 0 ? 0.9f : 0.6f));
    }
}

// Dominant, then the tonic chord held by every voice while the track fades.
void MusicComposer::addOutro(int bar) {
    constexpr int Dominant = 4;
    addBass(bar, Dominant, 0);
    addArpeggio(bar, Dominant);
    addDrums(bar, true);
    int degree = nearestChordTone(HighestDegree, Dominant);
    for (int beat = 0; beat < 4; ++beat) {
        emit(bar, beat * 4, 4, pitch(degree, 0), Voice::Lead, 0.85f);
        degree = nearestChordTone(degree - 1, Dominant);
    }
    const int held = (OutroBars - 1) * StepsPerBar;
    emit(bar + 1, 0, held, pitch(Tonic, 0), Voice::Lead, 0.9f);
    emit(bar + 1, 0, held, pitch(0, -2), Voice::Bass, 1.f);
    for (const int tone : {0, 2, 4})
        emit(bar + 1, 0, held, pitch(tone, 0), Voice::Arp, 1.f);
    emit(bar + 1, 0, 1, 0.f, Voice::Kick, 1.f);
}

float MusicComposer::stepTime(int bar, int step) const {
    const float late = step % 4 == 2 ? song_.swing : 0.f;
    return (static_cast<float>(bar * StepsPerBar + step) + late) * stepSeconds_;
}

float MusicComposer::stepsLength(int steps) const {
    return static_cast<float>(steps) * stepSeconds_ * NoteGate;
}

float MusicComposer::pitch(int degree, int octave) const {
    const auto& steps = ScaleSteps[static_cast<std::size_t>(song_.mode)];
    const int octaves = octave + (degree >= 0 ? degree / 7 : -((6 - degree) / 7));
    return static_cast<float>(song_.root + 12 * octaves + steps[floorMod(degree, 7)]);
}

int MusicComposer::nearestChordTone(int degree, int chord) const {
    for (int distance = 0;; ++distance) {
        if (isChordTone(degree + distance, chord))
            return degree + distance;
        if (isChordTone(degree - distance, chord))
            return degree - distance;
    }
}

void MusicComposer::emit(int bar, int step, int steps, float note, Voice voice, float velocity) {
    events_.push_back(
        {stepTime(bar, step), stepsLength(steps), note, voice, std::clamp(velocity, 0.f, 1.f)});
}
