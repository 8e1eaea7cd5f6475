#pragma once
// Test helper: Windows-1251 bytes of a UTF-8 literal.

#include <string>
#include <string_view>

#include "core/charsets/cp1251_literal.h"

inline std::string w(std::string_view utf8) { return kiv::cp1251(utf8); }
