/* Never returns from HandleData. */
#include <unistd.h>
#include "kiv_plugin.h"
const char* VersionInfo(void) { return "Test: hang"; }
int32_t HandleData(void* window, char** text) {
  (void)window;
  (void)text;
  for (;;) sleep(1);
  return 0;
}
