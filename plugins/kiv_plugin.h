/* Kiv text plugins: the interface a plugin library implements.
 *
 * A plugin is a shared object (NAME.so) in the program's Engine/Plugins/
 * folder. Kiv lists it in the "Плагины" menu under the caption that
 * VersionInfo returns and, when the user chooses it, hands it the working
 * text of the active document: the selection, or the whole text (every line
 * followed by CR LF) when nothing is selected. What HandleData leaves behind
 * replaces that text as one undo step.
 *
 * Both functions must be exported with C linkage; a library that lacks
 * either is not listed.
 *
 * The text is the document's bytes in its own code page (Windows-1251,
 * DOS 866 or KOI8-R), lines separated by CR LF, ended by a zero byte; it
 * never holds a zero byte of its own. A caption is shown as UTF-8 when it is
 * valid UTF-8 and as Windows-1251 otherwise; the part after the first "|" is
 * the menu item's hint. Only the first 255 bytes of a caption are kept.
 *
 * Each call runs in a helper process of its own (kiv-plugin-host): the
 * library is loaded, called once and the process ends. A plugin that
 * crashes, hangs past the time limit (10 seconds unless the user stops it
 * sooner) or returns something that is not a string costs the user only a
 * message; the document stays as it was. Nothing is kept between calls.
 */
#ifndef KIV_PLUGIN_H
#define KIV_PLUGIN_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define KIV_PLUGIN_EXPORT __attribute__((visibility("default")))
#else
#define KIV_PLUGIN_EXPORT
#endif

/* The plugin's caption: a zero-terminated string that stays valid until the
 * library is unloaded (a string literal is the usual answer). */
KIV_PLUGIN_EXPORT const char* VersionInfo(void);

/* Transforms the zero-terminated text that *text points to. Either change
 * the bytes in place, never writing past the terminating zero (the result
 * then ends at the first zero byte), or store in *text a pointer to a
 * zero-terminated result of your own that stays valid until HandleData
 * returns (a static or heap buffer; Kiv copies it before the library is
 * unloaded and never frees it). Leaving *text alone and changing nothing
 * keeps the text as it was.
 *
 * window: always NULL. Kiv has no native window handle to give; a plugin
 * must not rely on it (it cannot show windows of its own).
 * The result value is not looked at; return 0. */
KIV_PLUGIN_EXPORT int32_t HandleData(void* window, char** text);

#ifdef __cplusplus
}
#endif

#endif /* KIV_PLUGIN_H */
