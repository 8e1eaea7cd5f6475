#pragma once
// Line handling shared by the file formats, the codec tables and the
// document interface: text inside the program is lines ended by CR LF.

#include <string>
#include <string_view>
#include <vector>

namespace kiv {

inline constexpr std::string_view kCrLf = "\r\n";

// Splits at CR LF, lone CR and lone LF. A final line break does not start
// another (empty) line, so "a\r\nb\r\n" and "a\r\nb" both give {"a", "b"};
// the empty text gives no lines.
std::vector<std::string> splitLines(std::string_view text);

// Every line followed by CR LF, the last one too.
std::string joinLinesCrLf(const std::vector<std::string>& lines);

// The text up to (not including) its first zero byte.
std::string_view untilZero(std::string_view text);

// splitLines + joinLinesCrLf in one pass: every line break becomes CR LF and
// a last line without a break gets one.
std::string normalizeToCrLf(std::string_view text);

// Every line break (CR LF, CR, LF) becomes CR LF; a missing final break is
// not added.
std::string unifyLineBreaks(std::string_view text);

}  // namespace kiv
