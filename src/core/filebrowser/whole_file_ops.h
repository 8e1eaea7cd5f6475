#pragma once
// The file browser's whole-file operations: each chosen file is read as
// lines (CR LF, LF or CR end a line), the text joined with CR LF after every
// line is transformed, and the result is written back atomically. So a
// changed file ends up with CR LF line ends and a final line end. A file
// that holds a zero byte is not text: it is skipped, never cut at the zero.

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/search/replace_pairs.h"

namespace kiv {

// The recodings of the browser's "Перекодировка" menu.
enum class Recoding { WinToDos, WinToKoi, DosToWin, KoiToWin };
std::string recodeText(std::string_view text, Recoding how);

// What to replace in the files (what the replacement window gives).
struct ReplaceRequest {
  bool multi = false;               // the pair list, else find -> replacement
  std::vector<ReplacePair> pairs;   // in order (core/search/replace_pairs.h)
  std::string find;
  std::string replacement;
};
// The request applied to a text: pairs one after another, each on the
// result of the one before; a single replacement only when the replacement
// is not empty (with an empty one the text stays as it is).
std::string applyReplaceRequest(std::string_view text, const ReplaceRequest& request);

// Valid UTF-8 holding more than ASCII: recoding it as a single-byte code
// page would garble it.
bool isNonAsciiUtf8(std::string_view bytes);

enum class FileStep { Rewritten, SkippedZeroByte, SkippedByCaller, Failed };

struct WholeFileReport {
  std::vector<std::string> rewritten;
  std::vector<std::string> skippedZeroByte;  // files holding a zero byte
  std::vector<std::string> skippedByCaller;  // files the caller declined
  std::string failedFile;                    // the file that stopped the run
  std::string error;                         // why (Russian); empty when all went well
};

// Called with a file's path and bytes before it is changed; false skips it.
using FileGate = std::function<bool(const std::string& path, std::string_view bytes)>;

// Runs the transformation over the files in order. A file that cannot be
// read or written stops the run; the files before it stay done.
WholeFileReport transformFiles(const std::vector<std::string>& paths,
                               const std::function<std::string(std::string_view)>& transform,
                               const FileGate& gate = {});

}  // namespace kiv
