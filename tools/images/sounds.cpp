#include "sounds.h"

#include <algorithm>
#include <cmath>
#include <random>

#include <QtEndian>

namespace quendra::imagegen {
namespace {

constexpr int kRate = 22050;

// A sound under construction: parts are mixed in at a start time.
class Mix {
  public:
    explicit Mix(double seconds) : samples_(static_cast<std::size_t>(seconds * kRate), 0.0f) {}

    // A bell-like tone: a few partials, a short attack and an exponential decay.
    void Tone(double at, double frequency, double seconds, double gain, double decay = 6.0) {
        const int start = static_cast<int>(at * kRate);
        const int n = static_cast<int>(seconds * kRate);
        const double partials[][2] = {{1.0, 1.0}, {2.0, 0.35}, {3.0, 0.12}, {4.2, 0.05}};
        for (int i = 0; i < n && start + i < static_cast<int>(samples_.size()); ++i) {
            const double t = double(i) / kRate;
            const double attack = std::min(1.0, t / 0.004);
            const double release = std::min(1.0, double(n - i) / (0.01 * kRate));
            double v = 0;
            for (const auto& [ratio, level] : partials)
                v += level * std::sin(2 * M_PI * frequency * ratio * t) *
                     std::exp(-decay * ratio * t);
            samples_[start + i] += static_cast<float>(gain * attack * release * v);
        }
    }

    // Filtered noise: a card's snap, a flick or a swoosh. `low` and `high` are the one-pole
    // filter coefficients at start and end (0..1, higher is brighter).
    void Noise(double at, double seconds, double gain, double low, double high, double decay,
               std::uint32_t seed, bool swell = false) {
        const int start = static_cast<int>(at * kRate);
        const int n = static_cast<int>(seconds * kRate);
        std::mt19937 rng(seed);
        std::uniform_real_distribution<double> white(-1.0, 1.0);
        double lp = 0, prev = 0;
        for (int i = 0; i < n && start + i < static_cast<int>(samples_.size()); ++i) {
            const double k = double(i) / n;
            const double a = low + (high - low) * k;
            lp += a * (white(rng) - lp);
            const double hp = lp - prev * 0.6; // take off the rumble
            prev = lp;
            const double env =
                swell ? std::sin(M_PI * k) : std::exp(-decay * k) * std::min(1.0, i / 30.0);
            samples_[start + i] += static_cast<float>(gain * env * hp);
        }
    }

    std::vector<float> Take() {
        // Gentle limiting so that chords never clip.
        const float peak =
            *std::max_element(samples_.begin(), samples_.end(),
                              [](float a, float b) { return std::abs(a) < std::abs(b); });
        const float scale = std::abs(peak) > 0.9f ? 0.9f / std::abs(peak) : 1.0f;
        for (float& s : samples_)
            s *= scale;
        return std::move(samples_);
    }

  private:
    std::vector<float> samples_;
};

constexpr double C5 = 523.25, D5 = 587.33, E5 = 659.26, G5 = 783.99, A5 = 880.0, C6 = 1046.5,
                 E6 = 1318.5, G6 = 1568.0;

std::vector<float> Snap(double seconds, double brightness, std::uint32_t seed) {
    Mix m(seconds);
    m.Noise(0, seconds, 0.7, brightness, brightness * 0.5, 7, seed);
    return m.Take();
}

std::vector<float> Riffle(double seconds, int clicks, std::uint32_t seed) {
    Mix m(seconds);
    for (int i = 0; i < clicks; ++i)
        m.Noise(i * (seconds - 0.05) / clicks, 0.045, 0.5, 0.55, 0.3, 6, seed + i);
    return m.Take();
}

std::vector<float> Notes(std::initializer_list<std::pair<double, double>> notes, double seconds,
                         double gain = 0.35, double decay = 5.0) {
    Mix m(seconds);
    for (const auto& [at, f] : notes)
        m.Tone(at, f, seconds - at, gain, decay);
    return m.Take();
}

} // namespace

QByteArray WavFile(const std::vector<float>& samples, int sampleRate) {
    QByteArray data;
    data.reserve(static_cast<int>(samples.size() * 2));
    for (float s : samples) {
        const qint16 v = static_cast<qint16>(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767));
        char bytes[2];
        qToLittleEndian(v, bytes);
        data.append(bytes, 2);
    }
    QByteArray wav;
    auto u32 = [&](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        wav.append(b, 4);
    };
    auto u16 = [&](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        wav.append(b, 2);
    };
    wav.append("RIFF");
    u32(36 + data.size());
    wav.append("WAVEfmt ");
    u32(16);
    u16(1); // PCM
    u16(1); // mono
    u32(sampleRate);
    u32(sampleRate * 2);
    u16(2);
    u16(16);
    wav.append("data");
    u32(data.size());
    wav.append(data);
    return wav;
}

void GenerateSounds(ModuleOutput& out) {
    auto save = [&](const char* name, const std::vector<float>& samples) {
        out.SaveSound(name, WavFile(samples, kRate));
    };
    save("card_up", Snap(0.05, 0.8, 1));
    save("card_down", Snap(0.07, 0.45, 2));
    save("Face_up", Snap(0.06, 0.65, 3));
    save("Stock", Snap(0.08, 0.55, 4));
    {
        Mix m(0.09);
        m.Noise(0, 0.09, 0.6, 0.3, 0.15, 8, 5);
        m.Tone(0, 180, 0.08, 0.25, 30);
        save("Tableau", m.Take());
    }
    save("Foundation", Notes({{0, E6}}, 0.3, 0.3, 9));
    save("Eddy", Notes({{0, A5}}, 0.3, 0.3, 9));
    save("Autoplay", Notes({{0, G6}}, 0.18, 0.22, 14));
    save("Pairing", Notes({{0, G5}, {0.08, C6}}, 0.35, 0.3, 8));
    save("Reorder", Notes({{0, C6}, {0.05, E6}, {0.1, G6}}, 0.3, 0.2, 12));
    save("Undo", Notes({{0, A5}, {0.05, E5}}, 0.16, 0.22, 16));
    save("Redo", Notes({{0, E5}, {0.05, A5}}, 0.16, 0.22, 16));
    save("Restart", Notes({{0, G5}, {0.1, C5}}, 0.4, 0.3, 7));
    save("Shuffle", Riffle(0.7, 16, 100));
    save("New", Riffle(0.45, 10, 200));
    {
        Mix m(0.6);
        m.Noise(0, 0.6, 0.5, 0.1, 0.6, 0, 300, true);
        save("Redeal", m.Take());
    }
    {
        Mix m(0.55);
        m.Noise(0, 0.4, 0.5, 0.1, 0.6, 0, 400, true);
        m.Tone(0.3, C6, 0.25, 0.25, 10);
        save("Red_no_a", m.Take());
    }
    save("Won", Notes({{0, C5}, {0.12, E5}, {0.24, G5}, {0.36, C6}, {0.6, E6}}, 1.3, 0.3, 3));
    save("Hi-Scor", Notes({{0, G5}, {0.1, C6}, {0.2, E6}}, 0.6, 0.28, 5));
    save("Scores", Notes({{0, C5}, {0.1, G5}, {0.2, C6}, {0.4, E6}, {0.4, G6}}, 0.95, 0.28, 4));
    save("Splash", Notes({{0, C5}, {0.06, E5}, {0.12, G5}, {0.18, C6}}, 0.9, 0.25, 3.5));
    save("About", Notes({{0, D5}, {0.1, A5}, {0.2, D5 * 2}}, 0.6, 0.25, 5));
    save("_t1dz", Notes({{0, A5}, {0.15, E6}}, 0.4, 0.3, 8));
}

} // namespace quendra::imagegen
