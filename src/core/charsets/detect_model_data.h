#pragma once
// The charset detector's model of Russian text (generated data, see
// detect_model_data.cpp). Symbols: 0 ASCII non-letter, 1..32 а..я, 33 ё,
// 34 Latin letter, 35 typographic punctuation, 36 anything else.
namespace kiv::detail {
inline constexpr int kDetectSymbols = 37;
// log P(symbol | previous symbol), case folded.
extern const float kDetectBigram[kDetectSymbols][kDetectSymbols];
// log P(case of a Russian letter | case of the previous character);
// case 0 none, 1 lower, 2 upper; column 0 is unused.
extern const float kDetectCase[3][3];
}  // namespace kiv::detail
