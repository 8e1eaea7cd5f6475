#include "core/config/recent_files.h"

#include "core/transfer/transfer_encodings.h"

namespace kiv {

namespace {
constexpr const char* kSection = "Recent";

bool hasLineBreak(const std::string& s) { return s.find_first_of("\r\n") != std::string::npos; }
}  // namespace

void RecentFiles::setCapacity(int capacity) {
  capacity_ = capacity < 0 ? 0 : capacity;
  if (entries_.size() > static_cast<std::size_t>(capacity_)) entries_.resize(capacity_);
}

void RecentFiles::add(const std::string& fileName, int number) {
  if (fileName.empty()) return;
  for (auto it = entries_.begin(); it != entries_.end(); ++it) {
    if (it->fileName == fileName) {
      entries_.erase(it);
      break;
    }
  }
  if (capacity_ == 0) return;
  if (entries_.size() >= static_cast<std::size_t>(capacity_)) entries_.pop_back();
  entries_.insert(entries_.begin(), RecentEntry{fileName, number});
}

int RecentFiles::read(const IniFile& ini) {
  entries_.clear();
  int skipped = 0;
  for (int i = capacity_ - 1; i >= 0; --i) {
    const std::string idx = std::to_string(i);
    std::string name = ini.readString(kSection, "Item_" + idx, "");
    if (name.empty()) {
      const std::string coded = ini.readString(kSection, "ItemBase64_" + idx, "");
      if (coded.empty()) continue;
      DecodeResult decoded = base64DecodeStrict(coded);
      if (!decoded.ok() || decoded.bytes.empty()) {
        ++skipped;
        continue;
      }
      name = std::move(decoded.bytes);
    }
    add(name, ini.readInteger(kSection, "User_" + idx, 0));
  }
  return skipped;
}

void RecentFiles::write(IniFile& ini) const {
  IniFile::Batch batch(ini);
  ini.eraseSection(kSection);
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const std::string idx = std::to_string(i);
    const std::string& name = entries_[i].fileName;
    if (hasLineBreak(name)) ini.writeString(kSection, "ItemBase64_" + idx, base64Encode(name));
    else ini.writeString(kSection, "Item_" + idx, name);
    if (entries_[i].number != 0) ini.writeInteger(kSection, "User_" + idx, entries_[i].number);
  }
}

}  // namespace kiv
