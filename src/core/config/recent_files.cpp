#include "core/config/recent_files.h"

namespace kiv {

namespace {
constexpr const char* kSection = "Recent";
}

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

void RecentFiles::read(const IniFile& ini) {
  entries_.clear();
  for (int i = capacity_ - 1; i >= 0; --i) {
    const std::string idx = std::to_string(i);
    std::string name = ini.readString(kSection, "Item_" + idx, "");
    if (name.empty()) continue;
    add(name, ini.readInteger(kSection, "User_" + idx, 0));
  }
}

void RecentFiles::write(IniFile& ini) const {
  IniFile::Batch batch(ini);
  ini.eraseSection(kSection);
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const std::string idx = std::to_string(i);
    ini.writeString(kSection, "Item_" + idx, entries_[i].fileName);
    if (entries_[i].number != 0) ini.writeInteger(kSection, "User_" + idx, entries_[i].number);
  }
}

}  // namespace kiv
