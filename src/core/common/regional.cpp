#include "core/common/regional.h"

namespace kiv {

RegionalFormat russianRegionalFormat() { return RegionalFormat{}; }

namespace {
RegionalFormat& current() {
  static RegionalFormat f = russianRegionalFormat();
  return f;
}
}  // namespace

const RegionalFormat& regionalFormat() { return current(); }
void setRegionalFormat(RegionalFormat format) { current() = std::move(format); }

}  // namespace kiv
