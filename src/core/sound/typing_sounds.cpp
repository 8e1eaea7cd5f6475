#include "core/sound/typing_sounds.h"

#include <cmath>

namespace kiv {

namespace {

void put32(std::string& s, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
}
void put16(std::string& s, std::uint16_t v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>(v >> 8);
}

unsigned char sample8(double v) {
  const double clamped = v < -1 ? -1 : (v > 1 ? 1 : v);
  return static_cast<unsigned char>(std::lround(128 + clamped * 127));
}

constexpr double kPi = 3.14159265358979323846;

}  // namespace

std::string makeWave8(const std::string& samples, int channels, int sampleRate) {
  std::string w;
  w += "RIFF";
  put32(w, static_cast<std::uint32_t>(36 + samples.size()));
  w += "WAVEfmt ";
  put32(w, 16);
  put16(w, 1);  // PCM
  put16(w, static_cast<std::uint16_t>(channels));
  put32(w, static_cast<std::uint32_t>(sampleRate));
  put32(w, static_cast<std::uint32_t>(sampleRate * channels));  // bytes per second
  put16(w, static_cast<std::uint16_t>(channels));                 // block align
  put16(w, 8);
  w += "data";
  put32(w, static_cast<std::uint32_t>(samples.size()));
  w += samples;
  return w;
}

std::string keyClickWave() {
  // A typewriter-like tick: a sharp noise burst over a falling low tone.
  const int rate = 22050;
  const int n = static_cast<int>(rate * 0.14);
  std::string s;
  s.reserve(n);
  std::uint32_t noise = 12345;
  for (int i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / rate;
    noise = noise * 1103515245u + 12345u;
    const double white = ((noise >> 16) & 0x7FFF) / 16384.0 - 1.0;
    const double click = white * std::exp(-t * 180.0);
    const double body = std::sin(2 * kPi * (900.0 - 2000.0 * t) * t) * std::exp(-t * 45.0);
    s += static_cast<char>(sample8(0.55 * click + 0.35 * body));
  }
  return makeWave8(s, 1, rate);
}

std::string enterWave() {
  // A carriage-return "ding": two bell partials, slightly apart in the two channels.
  const int rate = 22050;
  const int n = static_cast<int>(rate * 0.37);
  std::string s;
  s.reserve(2 * n);
  for (int i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / rate;
    const double env = std::exp(-t * 9.0) * (t < 0.004 ? t / 0.004 : 1.0);
    const double left = std::sin(2 * kPi * 1568.0 * t) + 0.4 * std::sin(2 * kPi * 3136.0 * t);
    const double right = std::sin(2 * kPi * 1572.0 * t) + 0.4 * std::sin(2 * kPi * 4704.0 * t);
    s += static_cast<char>(sample8(0.45 * env * left));
    s += static_cast<char>(sample8(0.45 * env * right));
  }
  return makeWave8(s, 2, rate);
}

}  // namespace kiv
