#pragma once
// The transliteration engine of the Encoding menu: Windows-1251 Russian text
// written in Latin letters ("Транслит") and Latin text read back as Russian
// ("де-транслит"). The main window keeps one transliterator; its three modes
// come from section RunglerOpts of "kiv.ini" and the options dialog.

#include <string>
#include <string_view>

namespace kiv {

// Latin form of Щ: "sj", "shch", "w", "q", "sch".
enum class ShchaMode { Sj = 0, Shch = 1, W = 2, Q = 3, Sch = 4 };

// Latin form of Х: "x", "kh".
enum class KhaMode { X = 0, Kh = 1 };

// Reading of W in Latin text: в or щ.
enum class WMode { AsV = 0, AsShcha = 1 };

// Russian (Windows-1251) to Latin. Bytes other than Russian letters pass
// unchanged. A capital letter after a non-capital gets only its first Latin
// letter capitalised; inside a word of capitals the whole form is capitals
// (ЖУК gives ZhUK, Жук gives Zhuk).
std::string russianToLatin(std::string_view text, ShchaMode shcha, KhaMode kha);

// Latin to Russian (Windows-1251). Only Latin letters, the marks ' ` ~ @
// and the backslash are touched; everything else passes unchanged. The pair
// backslash + space is dropped and switches transliteration off or on;
// `transOn` carries that switch in and out, so it survives from one
// conversion to the next.
std::string latinToRussian(std::string_view text, WMode w, bool& transOn);

// Values of the kiv.ini keys, exactly as stored ("Sj", "KH", ...).
std::string_view shchaModeName(ShchaMode mode);
std::string_view khaModeName(KhaMode mode);
std::string_view wModeName(WMode mode);

class Transliterator {
 public:
  enum class Direction { LatinToRussian = 0, RussianToLatin = 1 };

  // The switch that backslash + space toggles in Latin text.
  bool isOn() const { return on_; }
  void setOn(bool on) { on_ = on; }

  Direction direction() const { return direction_; }
  void setDirection(Direction d) { direction_ = d; }

  ShchaMode shchaMode() const { return shcha_; }
  void setShchaMode(ShchaMode m) { shcha_ = m; }
  KhaMode khaMode() const { return kha_; }
  void setKhaMode(KhaMode m) { kha_ = m; }
  WMode wMode() const { return w_; }
  void setWMode(WMode m) { w_ = m; }

  // A stored configuration value: an exact (case-sensitive) match with one of
  // the key's values sets the mode and returns true; any other text leaves
  // the mode as it was and returns false.
  bool applyShchaMode(std::string_view value);
  bool applyKhaMode(std::string_view value);
  bool applyWMode(std::string_view value);
  // All three at once (start-up, and every change in the options dialog).
  void applyConfiguration(std::string_view shcha, std::string_view kha, std::string_view w);

  // Converts the text afresh in the current direction. Latin to Russian may
  // switch the transliteration off or on (see latinToRussian).
  std::string convert(std::string_view text);

 private:
  bool on_ = true;
  Direction direction_ = Direction::RussianToLatin;
  ShchaMode shcha_ = ShchaMode::Sj;
  KhaMode kha_ = KhaMode::X;
  WMode w_ = WMode::AsV;
};

}  // namespace kiv
