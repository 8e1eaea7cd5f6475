/* Overwrites the terminating zero of the text: no string comes back. */
#include <string.h>
#include "kiv_plugin.h"
const char* VersionInfo(void) { return "Test: past the end"; }
int32_t HandleData(void* window, char** text) {
  (void)window;
  size_t n = strlen(*text);
  memset(*text, 'x', n + 1);
  return 0;
}
