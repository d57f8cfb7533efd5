// A small synthesiser: notes built from a few sine partials with an attack,
// a decay and a release. Only IEEE additions, multiplications and divisions
// are used (the sine table is a polynomial), so every build writes the same
// samples. The music is rendered round a circle: a note that runs past the
// end of the loop continues at its start, so the loop joins without a click.
#include "tools/assetgen/sounds.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr int SineSteps = 4096;
constexpr double Pi = 3.14159265358979323846;

// One cycle of a sine, from its Taylor series on -pi/2..pi/2 folded out.
const std::vector<double> &sineTable()
{
    static const std::vector<double> table = [] {
        std::vector<double> t(SineSteps + 1);
        for (int i = 0; i <= SineSteps; ++i) {
            double x = 2 * Pi * i / SineSteps;  // 0..2 pi
            if (x > Pi / 2 && x <= 3 * Pi / 2) x = Pi - x;
            else if (x > 3 * Pi / 2) x = x - 2 * Pi;
            double term = x, sum = x;
            for (int k = 1; k < 12; ++k) {
                term = -term * x * x / ((2 * k) * (2 * k + 1));
                sum += term;
            }
            t[i] = sum;
        }
        return t;
    }();
    return table;
}

double sine(double cycles)  // sin(2 pi cycles)
{
    const std::vector<double> &t = sineTable();
    const double at = (cycles - std::floor(cycles)) * SineSteps;
    const int i = std::min(int(at), SineSteps - 1);
    const double f = at - i;
    return t[i] + (t[i + 1] - t[i]) * f;
}

// Equal-tempered octave from C4, so no power function is needed.
constexpr double OctaveFour[12] = {261.6255653005986, 277.1826309768721, 293.6647679174076, 311.1269837220809,
                                   329.6275569128699, 349.2282314330039, 369.9944227116344, 391.9954359817493,
                                   415.3046975799451, 440.0, 466.1637615180899, 493.8833012561241};

// Frequency of a note: semitones from C4.
double pitch(int semitones)
{
    int octave = 0;
    while (semitones < 0) semitones += 12, --octave;
    while (semitones >= 12) semitones -= 12, ++octave;
    double f = OctaveFour[semitones];
    for (; octave > 0; --octave) f *= 2;
    for (; octave < 0; ++octave) f /= 2;
    return f;
}

struct Partial {
    double multiple, level, decayPerSecond;  // decay: fraction left after one second
};

struct Timbre {
    Partial partials[3];
    double attackSeconds, releaseSeconds;
};

// Column order: frequency multiple, level, what is left after a second.
constexpr Timbre Bell = {{{1, 1.0, 0.25}, {2, 0.35, 0.08}, {3, 0.12, 0.03}}, 0.004, 0.08};
constexpr Timbre Pluck = {{{1, 1.0, 0.12}, {2, 0.25, 0.04}, {4, 0.06, 0.01}}, 0.003, 0.06};
constexpr Timbre Pad = {{{1, 1.0, 0.9}, {2, 0.22, 0.8}, {3, 0.08, 0.7}}, 0.35, 0.45};
constexpr Timbre Bass = {{{1, 1.0, 0.5}, {2, 0.4, 0.3}, {3, 0.1, 0.2}}, 0.01, 0.12};

// Adds one note at sample start, lasting length samples plus its release.
// With wrap set, samples past the end go round to the beginning.
void addNote(std::vector<double> &out, const Timbre &timbre, int semitones, double level, int start, int length,
             bool wrap)
{
    const double f = pitch(semitones);
    const int attack = std::max(1, int(timbre.attackSeconds * SampleRate));
    const int release = std::max(1, int(timbre.releaseSeconds * SampleRate));
    const int total = length + release;
    for (const Partial &part : timbre.partials) {
        // The per-sample factor k with k ^ SampleRate = the per-second decay,
        // found by bisection on powers taken by repeated squaring, so no
        // library power function (whose last bits may vary) is needed.
        double lo = 0.0, hi = 1.0;
        for (int i = 0; i < 60; ++i) {
            double mid = (lo + hi) / 2, power = 1.0, base = mid;
            for (int bits = SampleRate; bits; bits >>= 1, base *= base)
                if (bits & 1) power *= base;
            (power < part.decayPerSecond ? lo : hi) = mid;
        }
        const double perSample = lo;
        double decay = 1.0;
        for (int i = 0; i < total; ++i, decay *= perSample) {
            double env = decay * part.level * level;
            if (i < attack) env *= double(i) / attack;
            if (i >= length) env *= double(total - i) / release;
            const long at = long(start) + i;
            if (!wrap && at >= long(out.size())) break;
            out[size_t(at % long(out.size()))] += env * sine(f * part.multiple * i / SampleRate);
        }
    }
}

std::vector<int16_t> toSamples(const std::vector<double> &mix, double peakTarget)
{
    double peak = 1e-9;
    for (double v : mix) peak = std::max(peak, std::fabs(v));
    const double gain = peakTarget / peak;
    std::vector<int16_t> s(mix.size());
    for (size_t i = 0; i < mix.size(); ++i) s[i] = int16_t(std::floor(mix[i] * gain + 0.5));
    return s;
}

void put(std::vector<uint8_t> &b, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i) b.push_back(uint8_t(v >> (8 * i)));
}

void put(std::vector<uint8_t> &b, const char *tag)
{
    b.insert(b.end(), tag, tag + 4);
}

// The chords of the loop, one a bar, as semitones from C4: root, third, fifth.
constexpr int Chords[8][3] = {
    {0, 4, 7}, {-3, 0, 4}, {-7, -3, 0}, {-5, -1, 2}, {0, 4, 7}, {-3, 0, 4}, {2, 5, 9}, {-5, -1, 2},
};
// Which chord tone each eighth note of a bar plays (3 is the root an octave up).
constexpr int ArpeggioSteps[8] = {0, 1, 2, 3, 2, 1, 2, 1};
// A tune over the chords: semitones from C5 per quarter note, or NoNote.
constexpr int NoNote = 99;
constexpr int Tune[32] = {
    4,  NoNote, 7,  5,  4,  NoNote, 0,  NoNote,  // C  Am
    5,  4,      2,  0,  2,  NoNote, NoNote, NoNote,  // F  G
    4,  NoNote, 7,  9,  7,  NoNote, 4,  NoNote,  // C  Am
    5,  NoNote, 4,  2,  2,  NoNote, -1, NoNote,  // Dm G
};

constexpr int Beat = SampleRate / 2;  // 120 beats a minute
constexpr int BeatsPerBar = 4;
constexpr int Bars = 8;

}  // namespace

std::vector<int16_t> makeMenuMusic()
{
    std::vector<double> mix(size_t(Bars) * BeatsPerBar * Beat, 0.0);
    for (int bar = 0; bar < Bars; ++bar) {
        const int barStart = bar * BeatsPerBar * Beat;
        const int *chord = Chords[bar];
        for (int tone = 0; tone < 3; ++tone) addNote(mix, Pad, chord[tone], 0.10, barStart, BeatsPerBar * Beat, true);
        for (int half = 0; half < 2; ++half)
            addNote(mix, Bass, chord[0] - 12, 0.40, barStart + half * 2 * Beat, 2 * Beat - Beat / 4, true);
        for (int step = 0; step < 8; ++step) {
            const int tone = ArpeggioSteps[step];
            const int note = tone == 3 ? chord[0] + 12 : chord[tone];
            addNote(mix, Pluck, note, 0.16, barStart + step * Beat / 2, Beat / 2, true);
        }
    }
    for (int q = 0; q < 32; ++q)
        if (Tune[q] != NoNote) addNote(mix, Bell, Tune[q] + 12, 0.30, q * Beat, Beat - Beat / 8, true);
    return toSamples(mix, 13000.0);
}

std::vector<int16_t> makeCompleteJingle()
{
    // Up the C major chord, then the chord itself ringing out.
    const int step = SampleRate / 9;
    std::vector<double> mix(size_t(SampleRate) * 2, 0.0);
    const int run[4] = {12, 16, 19, 24};
    for (int i = 0; i < 4; ++i) addNote(mix, Bell, run[i], 0.5, i * step, step, false);
    for (int note : {12, 16, 19, 24}) addNote(mix, Bell, note, 0.35, 4 * step, SampleRate, false);
    addNote(mix, Bass, -12, 0.6, 4 * step, SampleRate, false);
    return toSamples(mix, 20000.0);
}

bool writeWave(const std::string &path, const std::vector<int16_t> &samples)
{
    const uint32_t dataBytes = uint32_t(samples.size() * 2);
    std::vector<uint8_t> b;
    put(b, "RIFF");
    put(b, 36 + dataBytes, 4);
    put(b, "WAVE");
    put(b, "fmt ");
    put(b, 16, 4);             // size of the format block
    put(b, 1, 2);              // PCM
    put(b, 1, 2);              // mono
    put(b, SampleRate, 4);
    put(b, SampleRate * 2, 4); // bytes a second
    put(b, 2, 2);              // bytes a frame
    put(b, 16, 2);             // bits a sample
    put(b, "data");
    put(b, dataBytes, 4);
    for (int16_t s : samples) put(b, uint16_t(s), 2);
    FILE *f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(b.data(), 1, b.size(), f) == b.size();
    return std::fclose(f) == 0 && ok;
}
