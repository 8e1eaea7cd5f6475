/* Returns "[" + text + "]" through a buffer of its own. */
#include <stdlib.h>
#include <string.h>
#include "kiv_plugin.h"
static char* result;
const char* VersionInfo(void) { return "Test: new pointer"; }
int32_t HandleData(void* window, char** text) {
  (void)window;
  size_t n = strlen(*text);
  free(result);
  result = malloc(n + 3);
  result[0] = '[';
  memcpy(result + 1, *text, n);
  result[n + 1] = ']';
  result[n + 2] = 0;
  *text = result;
  return 0;
}
