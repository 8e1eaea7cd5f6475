#include "core/versions/versions.h"

#include "core/charsets/charset_id.h"
#include "core/charsets/cyrillic_conversions.h"
#include "core/common/paths.h"

namespace kiv {

std::string backupCopyName(std::string_view filePath) {
  const std::string name = fileNameOnly(filePath);
  if (name.empty()) return {};
  std::string out(fileFolder(filePath));
  out += "Копия ";
  out += name;
  return out;
}

std::string versionStamp(const LocalDateTime& now, std::string_view shortDatePattern) {
  std::string s = "date-";
  s += numericDateText(now, shortDatePattern);
  s += "time-";
  s += numericTimeText(now);
  return s;
}

std::string fileNameSafe(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    const unsigned char u = static_cast<unsigned char>(c);
    switch (c) {
      case '/': case '\\': case ':': case '.': case '*': case '?': case '"': case '<': case '>':
      case '|':
        c = '-';
        break;
      default:
        if (u < 0x20 || u == 0x7F) c = '-';
        break;
    }
  }
  return out;
}

std::string versionLabel(std::string_view stamp, bool addPrefix, std::string_view prefix) {
  std::string label;
  if (addPrefix && !prefix.empty()) label = prefix;
  label += stamp;
  return fileNameSafe(label);
}

std::string versionName(std::string_view filePath, std::string_view label) {
  std::string out(fileFolder(filePath));
  out += label;
  out += fileNameOnly(filePath);
  return out;
}

std::string versionCopyPath(std::string_view copyFolder, std::string_view versionPath) {
  std::string out(copyFolder);
  if (out.empty() || out.back() != '/') out += '/';
  out += fileNameOnly(versionPath);
  return out;
}

bool versionApplies(bool hasFile, std::string_view filePath) {
  return hasFile && !fileNameOnly(filePath).empty();
}

std::string versionContent(std::string_view text, std::string_view documentCharset, bool doConvert,
                           std::string_view targetCharset) {
  if (!doConvert || !charset::isKnown(targetCharset) || documentCharset == targetCharset)
    return std::string(text);
  return fromWin1251(toWin1251(text, documentCharset), targetCharset);
}

VersionPlan planVersion(std::string_view filePath, bool hasFile, std::string_view text,
                        std::string_view documentCharset, const VersionOptions& options,
                        const LocalDateTime& now, std::string_view shortDatePattern,
                        bool copyFolderExists) {
  VersionPlan plan;
  if (!versionApplies(hasFile, filePath)) return plan;
  const bool copy = options.copyToFolder && !options.copyFolder.empty() && copyFolderExists;
  if (!options.saveInSameFolder && !copy) return plan;

  const std::string label = versionLabel(versionStamp(now, shortDatePattern),
                                         options.addNamePrefix, options.namePrefix);
  const std::string name = versionName(filePath, label);
  if (options.saveInSameFolder) plan.targets.push_back(name);
  if (copy) {
    std::string second = versionCopyPath(options.copyFolder, name);
    if (plan.targets.empty() || plan.targets.front() != second) plan.targets.push_back(std::move(second));
  }
  plan.content = versionContent(text, documentCharset, options.convertCharset,
                                options.targetCharset);
  return plan;
}

}  // namespace kiv
