/* Dies in HandleData with a segmentation fault. */
#include <stddef.h>
#include "kiv_plugin.h"
const char* VersionInfo(void) { return "Test: crash"; }
int32_t HandleData(void* window, char** text) {
  (void)window;
  (void)text;
  volatile int* nowhere = NULL;
  *nowhere = 1;
  return 0;
}
