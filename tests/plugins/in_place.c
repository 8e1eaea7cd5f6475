/* Upper-cases the Latin letters of the text in place. */
#include "kiv_plugin.h"
const char* VersionInfo(void) { return "Test: in place"; }
int32_t HandleData(void* window, char** text) {
  (void)window;
  for (char* p = *text; *p; ++p)
    if (*p >= 'a' && *p <= 'z') *p = (char)(*p - 'a' + 'A');
  return 7;
}
