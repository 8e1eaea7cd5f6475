#pragma once
namespace kiv::detail {
extern const char16_t kWin1251High[128];
extern const char16_t kCp866High[128];
extern const char16_t kKoi8rHigh[128];
extern const char16_t kMacCyrHigh[128];
extern const char16_t kIso88595High[128];
}  // namespace kiv::detail
