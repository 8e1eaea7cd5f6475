#pragma once
// The two typing sounds as PCM WAVE files: a short key click (8-bit mono,
// 22050 Hz, about 0.14 s) and the Enter sound (8-bit stereo, 22050 Hz,
// about 0.37 s).

#include <cstdint>
#include <string>

namespace kiv {

std::string keyClickWave();
std::string enterWave();

// A RIFF/WAVE container around 8-bit PCM samples.
std::string makeWave8(const std::string& samples, int channels, int sampleRate);

}  // namespace kiv
