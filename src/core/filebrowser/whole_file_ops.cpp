#include "core/filebrowser/whole_file_ops.h"

#include "core/charsets/cyrillic_conversions.h"
#include "core/charsets/utf8.h"
#include "core/common/file_bytes.h"
#include "core/common/replace_all.h"
#include "core/common/text_lines.h"

namespace kiv {

std::string recodeText(std::string_view text, Recoding how) {
  std::string s(text);
  switch (how) {
    case Recoding::WinToDos: dosFromWin(s); break;
    case Recoding::WinToKoi: koiFromWin(s); break;
    case Recoding::DosToWin: winFromDos(s); break;
    case Recoding::KoiToWin: winFromKoi(s); break;
  }
  return s;
}

std::string applyReplaceRequest(std::string_view text, const ReplaceRequest& request) {
  if (!request.multi) {
    if (request.replacement.empty()) return std::string(text);
    return replaceAll(text, request.find, request.replacement);
  }
  return applyReplacePairs(text, request.pairs);
}

bool isNonAsciiUtf8(std::string_view bytes) {
  bool high = false;
  for (char c : bytes)
    if (static_cast<unsigned char>(c) >= 0x80) {
      high = true;
      break;
    }
  return high && isValidUtf8(bytes);
}

WholeFileReport transformFiles(const std::vector<std::string>& paths,
                               const std::function<std::string(std::string_view)>& transform,
                               const FileGate& gate) {
  WholeFileReport report;
  for (const std::string& path : paths) {
    const auto bytes = readFileBytes(path);
    if (!bytes) {
      report.failedFile = path;
      report.error = "Не удалось прочитать файл " + path;
      return report;
    }
    if (bytes->find('\0') != std::string::npos) {
      report.skippedZeroByte.push_back(path);
      continue;
    }
    if (gate && !gate(path, *bytes)) {
      report.skippedByCaller.push_back(path);
      continue;
    }
    const std::string result = transform(normalizeToCrLf(*bytes));
    std::string why;
    if (!writeFileAtomically(path, result, &why)) {
      report.failedFile = path;
      report.error = "Не удалось записать файл " + path + ": " + why;
      return report;
    }
    report.rewritten.push_back(path);
  }
  return report;
}

}  // namespace kiv
