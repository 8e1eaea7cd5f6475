#include "core/common/both_at_once.h"

#include <exception>
#include <thread>

namespace kiv {

void runBothAtOnce(const std::function<void()>& here, const std::function<void()>& there) {
  std::exception_ptr thereFailed;
  std::thread other([&] {
    try {
      there();
    } catch (...) {
      thereFailed = std::current_exception();
    }
  });
  std::exception_ptr hereFailed;
  try {
    here();
  } catch (...) {
    hereFailed = std::current_exception();
  }
  other.join();
  if (hereFailed) std::rethrow_exception(hereFailed);
  if (thereFailed) std::rethrow_exception(thereFailed);
}

}  // namespace kiv
