/* Sets the text pointer to NULL. */
#include <stddef.h>
#include "kiv_plugin.h"
const char* VersionInfo(void) { return "Test: null result"; }
int32_t HandleData(void* window, char** text) {
  (void)window;
  *text = NULL;
  return 0;
}
