#include "audio.h"

#include "art.h"

#include <QDataStream>
#include <QDir>
#include <QProcess>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QtMath>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr double kTau = 2 * art::kPi;

using Buffer = std::vector<double>;

bool writeWav(const QString &fileName, const Buffer &samples, QStringList &errors)
{
    double peak = 1e-9;
    for (double s : samples)
        peak = qMax(peak, std::abs(s));
    const double gain = 0.89 / peak; // normalise with a little headroom
    QByteArray pcm;
    pcm.reserve(int(samples.size() * 2));
    for (double s : samples) {
        const qint16 v = qint16(qBound(-32767.0, std::round(s * gain * 32767.0), 32767.0));
        pcm.append(char(v & 0xff));
        pcm.append(char((v >> 8) & 0xff));
    }
    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + pcm.size());
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(kRate) << quint32(kRate * 2) << quint16(2)
        << quint16(16);
    out.writeRawData("data", 4);
    out << quint32(pcm.size());
    data.append(pcm);
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        errors << QStringLiteral("cannot write %1: %2").arg(fileName, file.errorString());
        return false;
    }
    return true;
}

// RBJ band-pass biquad (constant peak gain).
struct BandPass {
    double b0 = 0, b2 = 0, a1 = 0, a2 = 0, x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    BandPass(double freq, double q)
    {
        const double w = kTau * freq / kRate, alpha = std::sin(w) / (2 * q), a0 = 1 + alpha;
        b0 = alpha / a0;
        b2 = -alpha / a0;
        a1 = -2 * std::cos(w) / a0;
        a2 = (1 - alpha) / a0;
    }
    double operator()(double x)
    {
        const double y = b0 * x + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }
};

struct Noise {
    art::Rng rng;
    explicit Noise(quint64 seed) : rng(seed) {}
    double operator()() { return rng.range(-1, 1); }
};

double midiFreq(double note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

Buffer click()
{
    Buffer b(size_t(kRate * 0.05));
    Noise noise(11);
    for (size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        b[i] = std::sin(kTau * 1900 * t) * std::exp(-t / 0.007) + 0.6 * noise() * std::exp(-t / 0.0015);
    }
    return b;
}

Buffer coin()
{
    Buffer b(size_t(kRate * 0.6));
    auto note = [&](double start, double freq, double decay) {
        for (size_t i = size_t(start * kRate); i < b.size(); ++i) {
            const double t = double(i) / kRate - start;
            const double env = qMin(1.0, t / 0.003) * std::exp(-t / decay);
            b[i] += env * (std::sin(kTau * freq * t) + 0.35 * std::sin(kTau * 2 * freq * t)
                           + 0.12 * std::sin(kTau * 3 * freq * t));
        }
    };
    note(0.0, midiFreq(83), 0.05);  // B5, cut short by the second note's brightness
    note(0.085, midiFreq(88), 0.16); // E6
    return b;
}

Buffer craft()
{
    const double length = 1.1;
    Buffer b(size_t(kRate * length));
    double phase = 0;
    for (size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        const double f = 420 * std::pow(6.0, t / length);
        phase += kTau * f / kRate;
        const double env = qMin(1.0, t / 0.05) * std::pow(1 - t / length, 1.5);
        b[i] = 0.45 * env * (std::sin(phase) + 0.3 * std::sin(2 * phase + 0.5 * std::sin(phase * 0.01)));
    }
    art::Rng rng(23);
    for (int k = 0; k < 34; ++k) {
        const double start = rng.range(0.0, length - 0.15) * (0.3 + 0.7 * k / 34.0);
        const double f = rng.range(2200, 5200);
        const double amp = rng.range(0.15, 0.35);
        for (size_t i = size_t(start * kRate); i < b.size(); ++i) {
            const double t = double(i) / kRate - start;
            if (t > 0.12)
                break;
            b[i] += amp * std::sin(kTau * f * t) * std::exp(-t / 0.025);
        }
    }
    return b;
}

Buffer aww()
{
    const double length = 1.6;
    Buffer b(size_t(kRate * length));
    const double bases[] = {210, 236, 262, 180, 300};
    for (int v = 0; v < 5; ++v) {
        BandPass f1(720, 6), f2(1100, 7), f3(2450, 8);
        double phase = 0;
        const double delay = 0.03 * v;
        for (size_t i = 0; i < b.size(); ++i) {
            const double t = double(i) / kRate - delay;
            if (t < 0)
                continue;
            const double glide = 1.0 - 0.38 * qMin(1.0, t / (length - 0.2));
            const double f = bases[v] * glide * (1 + 0.012 * std::sin(kTau * (5.2 + v * 0.4) * t));
            phase += f / kRate;
            const double saw = 2 * (phase - std::floor(phase)) - 1;
            const double env = qMin(1.0, t / 0.12) * qMax(0.0, qMin(1.0, (length - 0.05 - t) / 0.45));
            b[i] += env * (f1(saw) * 1.0 + f2(saw) * 0.6 + f3(saw) * 0.25);
        }
    }
    return b;
}

Buffer applause()
{
    const double length = 3.0;
    Buffer b(size_t(kRate * length));
    art::Rng rng(5);
    Noise noise(77);
    // Each clap is a short burst of band-passed noise; many hands at random times.
    const int claps = 260;
    for (int k = 0; k < claps; ++k) {
        const double start = rng.range(0.0, length - 0.1);
        const double swell = qMin(1.0, start / 0.25) * qMin(1.0, (length - start) / 1.2);
        const double amp = rng.range(0.4, 1.0) * swell;
        BandPass bp(rng.range(900, 2400), rng.range(0.8, 1.6));
        const double decay = rng.range(0.008, 0.02);
        for (size_t i = size_t(start * kRate); i < b.size(); ++i) {
            const double t = double(i) / kRate - start;
            if (t > 0.1)
                break;
            b[i] += amp * bp(noise()) * std::exp(-t / decay);
        }
    }
    return b;
}

// ---- music ---------------------------------------------------------------

struct Song {
    double bpm = 124;
    Buffer out;
    double beat() const { return 60.0 / bpm; }
    void add(double start, const Buffer &sound, double gain)
    {
        const size_t s = size_t(start * kRate);
        for (size_t i = 0; i < sound.size(); ++i) {
            const size_t j = (s + i) % out.size(); // wrap tails round to the start: seamless loop
            out[j] += gain * sound[i];
        }
    }
};

Buffer tone(double freq, double length, int wave, double decay, double release = 0.03)
{
    Buffer b(size_t(kRate * (length + release)));
    double phase = 0;
    for (size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        phase += freq * (1 + 0.004 * std::sin(kTau * 5.5 * t) * qMin(1.0, t / 0.2)) / kRate;
        const double ph = phase - std::floor(phase);
        double v = 0;
        switch (wave) {
        case 0: v = std::sin(kTau * ph); break;                         // sine
        case 1: v = ph < 0.5 ? 4 * ph - 1 : 3 - 4 * ph; break;          // triangle
        case 2: v = (ph < 0.25 ? 1.0 : -0.33) * 0.8 + 0.2 * std::sin(kTau * ph); break; // pulse
        default: v = 2 * ph - 1; break;                                 // saw
        }
        double env = qMin(1.0, t / 0.006) * (decay > 0 ? std::exp(-t / decay) : 1.0);
        if (t > length)
            env *= qMax(0.0, 1 - (t - length) / release);
        b[i] = v * env;
    }
    return b;
}

Buffer kick()
{
    Buffer b(size_t(kRate * 0.3));
    double phase = 0;
    for (size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        phase += (48 + 110 * std::exp(-t / 0.03)) / kRate;
        b[i] = std::sin(kTau * phase) * std::exp(-t / 0.11);
    }
    return b;
}

Buffer snare()
{
    Buffer b(size_t(kRate * 0.25));
    Noise noise(3);
    BandPass bp(2200, 0.7);
    for (size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        b[i] = 0.8 * bp(noise()) * std::exp(-t / 0.07) + 0.5 * std::sin(kTau * 190 * t) * std::exp(-t / 0.05);
    }
    return b;
}

Buffer hat(double decay)
{
    Buffer b(size_t(kRate * 0.12));
    Noise noise(9);
    BandPass bp(8000, 0.9);
    for (size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        b[i] = bp(noise()) * std::exp(-t / decay);
    }
    return b;
}

Buffer renderSong()
{
    Song s;
    const int bars = 16;
    const double bar = 4 * s.beat();
    s.out.assign(size_t(bars * bar * kRate), 0.0);
    // C G Am F | C G F G | Am F C G | F G C C   (MIDI roots, octave 3)
    const int roots[bars] = {48, 43, 45, 41, 48, 43, 41, 43, 45, 41, 48, 43, 41, 43, 48, 48};
    const bool minor[bars] = {false, false, true, false, false, false, false, false,
                              true, false, false, false, false, false, false, false};
    const Buffer k = kick(), sn = snare(), hClosed = hat(0.02), hOpen = hat(0.09);

    // A short hand-written hook (scale degrees over C major), repeated with a
    // variation; notes in MIDI, -1 is a rest, one entry per eighth note.
    const int hookA[32] = {72, -1, 76, 79, 81, 79, 76, -1, 74, -1, 74, 76, 79, -1, 74, 71,
                           72, -1, 76, 79, 84, 81, 79, 76, 77, 76, 74, -1, 72, -1, -1, -1};
    const int hookB[32] = {76, 77, 79, -1, 79, 81, 79, 77, 76, -1, 72, -1, 74, 76, 77, -1,
                           79, -1, 77, 76, 74, -1, 72, 74, 76, -1, 74, -1, 72, -1, 67, -1};
    for (int b = 0; b < bars; ++b) {
        const double t0 = b * bar;
        const int root = roots[b];
        const int third = root + (minor[b] ? 3 : 4);
        const int fifth = root + 7;
        // Drums: kick on 1 and 3 (plus a push on the last eighth), snare on 2 and 4, hats on eighths.
        for (int beat = 0; beat < 4; ++beat) {
            const double tb = t0 + beat * s.beat();
            if (beat % 2 == 0)
                s.add(tb, k, 0.9);
            else
                s.add(tb, sn, 0.45);
            s.add(tb, hClosed, 0.12);
            s.add(tb + s.beat() / 2, (beat == 3 && b % 4 == 3) ? hOpen : hClosed, 0.16);
        }
        if (b % 2 == 1)
            s.add(t0 + 3.5 * s.beat(), k, 0.6);
        // Bass: root / octave bounce in eighths, triangle wave.
        for (int e = 0; e < 8; ++e) {
            const int note = (e % 4 == 2) ? root + 12 : (e == 7 ? fifth : root);
            s.add(t0 + e * s.beat() / 2, tone(midiFreq(note - 12), s.beat() * 0.42, 1, 0.25), 0.42);
        }
        // Off-beat chord stabs (pulse), soft.
        for (int beat = 0; beat < 4; ++beat)
            for (int n : {third + 12, fifth + 12, root + 24})
                s.add(t0 + (beat + 0.5) * s.beat(), tone(midiFreq(n), s.beat() * 0.22, 2, 0.09), 0.055);
        // Pad: sustained sine chord under everything.
        for (int n : {root + 12, third + 12, fifth + 12})
            s.add(t0, tone(midiFreq(n), bar * 0.96, 0, 0, 0.05), 0.03);
        // Melody: the hook over bars 1-4 and 9-12, its answer over 5-8 and 13-16.
        const int *hook = ((b / 4) % 2 == 0) ? hookA : hookB;
        for (int e = 0; e < 8; ++e) {
            const int idx = (b % 4) * 8 + e;
            const int note = hook[idx];
            if (note < 0)
                continue;
            int len = 1;
            while (idx + len < 32 && len < 3 && hook[idx + len] < 0)
                ++len;
            const double eighth = s.beat() / 2;
            s.add(t0 + e * eighth, tone(midiFreq(note), len * eighth * 0.85, 2, 0.3), 0.2);
        }
    }
    return s.out;
}

} // namespace

bool writeSounds(const QString &assetsDir, QStringList &errors)
{
    const QString dir = QDir(assetsDir).filePath(QStringLiteral("sound"));
    QDir().mkpath(dir);
    bool ok = true;
    ok &= writeWav(dir + QStringLiteral("/click.wav"), click(), errors);
    ok &= writeWav(dir + QStringLiteral("/coin.wav"), coin(), errors);
    ok &= writeWav(dir + QStringLiteral("/craft.wav"), craft(), errors);
    ok &= writeWav(dir + QStringLiteral("/aww.wav"), aww(), errors);
    ok &= writeWav(dir + QStringLiteral("/applause.wav"), applause(), errors);
    return ok;
}

bool writeMusic(const QString &assetsDir, const QString &lameProgram, QStringList &errors)
{
    const QString dir = QDir(assetsDir).filePath(QStringLiteral("music"));
    QDir().mkpath(dir);
    QTemporaryDir tmp;
    if (!tmp.isValid()) {
        errors << QStringLiteral("cannot create a temporary folder for the music");
        return false;
    }
    const QString wav = tmp.filePath(QStringLiteral("background.wav"));
    if (!writeWav(wav, renderSong(), errors))
        return false;
    // Encode next to the target, then rename over it: never a half-written MP3.
    const QString target = dir + QStringLiteral("/background.mp3");
    const QString partial = target + QStringLiteral(".part");
    QProcess lame;
    lame.start(lameProgram, {QStringLiteral("--quiet"), QStringLiteral("-m"), QStringLiteral("m"),
                             QStringLiteral("-b"), QStringLiteral("128"), wav, partial});
    if (!lame.waitForFinished(120000) || lame.exitStatus() != QProcess::NormalExit || lame.exitCode() != 0) {
        errors << QStringLiteral("MP3 encoding with %1 failed: %2").arg(lameProgram, lame.errorString());
        QFile::remove(partial);
        return false;
    }
    if (std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(target).constData()) != 0) {
        errors << QStringLiteral("cannot move %1 into place").arg(partial);
        QFile::remove(partial);
        return false;
    }
    return true;
}
