#pragma once
// The transliteration engine of the Encoding menu: Windows-1251 Russian text
// written in Latin letters ("Транслит") and Latin text read back as Russian
// ("де-транслит"). The main window keeps one engine; its three modes come
// from section RunglerOpts of "kiv.ini" and the options dialog.

#include <string>
#include <string_view>

namespace kiv {

enum class TConversionDirection { cdLatinToRussian = 0, cdRussianToLatin = 1 };

// Latin form of Щ: "sj", "shch", "w", "q", "sch".
enum class TShchaConvMode { scUseSj = 0, scUseShch = 1, scUseW = 2, scUseQ = 3, scUseSch = 4 };

// Latin form of Х: "x", "kh".
enum class TXaConvMode { xcUseX = 0, xcUseKH = 1 };

// Reading of W in Latin text: в or щ.
enum class TWInterpMode { wiAsV = 0, wiAsSj = 1 };

// Russian (Windows-1251) to Latin. Bytes other than Russian letters pass
// unchanged. A capital letter after a non-capital gets only its first Latin
// letter capitalised; inside a word of capitals the whole form is capitals
// (ЖУК gives ZhUK, Жук gives Zhuk).
std::string RussianToLatin(std::string_view text, TShchaConvMode shcha, TXaConvMode xa);

// Latin to Russian (Windows-1251). Only Latin letters, the marks ' ` ~ @
// and the backslash are touched; everything else passes unchanged. The pair
// backslash + space is dropped and switches transliteration off or on;
// `transOn` carries that switch in and out, so it survives from one
// conversion to the next.
std::string LatinToRussian(std::string_view text, TWInterpMode w, bool& transOn);

// Values of the kiv.ini keys, exactly as stored ("Sj", "KH", ...).
std::string_view ShchaConvModeName(TShchaConvMode mode);
std::string_view XaConvModeName(TXaConvMode mode);
std::string_view WInterpModeName(TWInterpMode mode);

class TRungler {
 public:
  bool TransOn() const { return transOn_; }
  void SetTransOn(bool on) { transOn_ = on; }

  TConversionDirection Direction() const { return direction_; }
  void SetDirection(TConversionDirection d) { direction_ = d; }

  TShchaConvMode ShchaConvMode() const { return shcha_; }
  void SetShchaConvMode(TShchaConvMode m) { shcha_ = m; }
  TXaConvMode XaConvMode() const { return xa_; }
  void SetXaConvMode(TXaConvMode m) { xa_ = m; }
  TWInterpMode WInterpMode() const { return w_; }
  void SetWInterpMode(TWInterpMode m) { w_ = m; }

  // A stored configuration value: an exact (case-sensitive) match with one of
  // the key's values sets the mode and returns true; any other text leaves
  // the mode as it was and returns false.
  bool ApplyShchaConvMode(std::string_view value);
  bool ApplyXaConvMode(std::string_view value);
  bool ApplyWInterpMode(std::string_view value);
  // All three at once (start-up, and every change in the options dialog).
  void ApplyConfiguration(std::string_view shcha, std::string_view xa, std::string_view w);

  // Converts the text afresh in the current direction. Latin to Russian may
  // switch TransOn (see LatinToRussian).
  std::string Convert(std::string_view text);

 private:
  bool transOn_ = true;
  TConversionDirection direction_ = TConversionDirection::cdRussianToLatin;
  TShchaConvMode shcha_ = TShchaConvMode::scUseSj;
  TXaConvMode xa_ = TXaConvMode::xcUseX;
  TWInterpMode w_ = TWInterpMode::wiAsV;
};

}  // namespace kiv
