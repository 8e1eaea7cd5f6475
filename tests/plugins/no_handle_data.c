/* Names itself but cannot transform anything. */
#include "kiv_plugin.h"
const char* VersionInfo(void) { return "Test: no HandleData"; }
