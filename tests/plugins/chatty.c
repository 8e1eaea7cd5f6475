/* Prints garbage to its standard output and error, then keeps the text and
 * appends "!" through its own buffer. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>
#include "kiv_plugin.h"
static char* result;
const char* VersionInfo(void) {
  fputs("\x01\x02garbage on stdout\n", stdout);
  fflush(stdout);
  return "Test: chatty";
}
int32_t HandleData(void* window, char** text) {
  (void)window;
  static const char junk[] = "KIVP\x01\x00junk that looks like a reply";
  (void)!write(1, junk, sizeof junk);
  (void)!write(2, "plugin noise\n", 13);
  size_t n = strlen(*text);
  free(result);
  result = malloc(n + 2);
  memcpy(result, *text, n);
  result[n] = '!';
  result[n + 1] = 0;
  *text = result;
  return 0;
}
