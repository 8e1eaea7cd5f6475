#pragma once
// Font names stored in kiv.ini come from other systems ("Terminal",
// "Courier New"); one that is not installed here is replaced by a
// fixed-pitch font that has Cyrillic letters.

#include <QString>

namespace kiv {

// The family itself when the system has it; otherwise an installed
// fixed-pitch family with Cyrillic (the system's fixed font at worst).
QString availableFontFamily(const QString& family);

}  // namespace kiv
