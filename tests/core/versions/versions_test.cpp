#include "core/versions/versions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/charsets/cp1251_literal.h"
#include "core/charsets/cyrillic_conversions.h"

namespace kiv {
namespace {

const LocalDateTime kEvening{2026, 12, 7, 23, 40, 5, 42};
const LocalDateTime kMorning{2026, 1, 4, 9, 3, 7, 0};

TEST(Versions, BackupCopyName) {
  struct Case {
    const char* path;
    const char* backup;
  };
  const std::vector<Case> cases = {
      {"/docs/a.txt", "/docs/Копия a.txt"},
      {"/home/user/Документы/письмо.txt", "/home/user/Документы/Копия письмо.txt"},
      {"a.txt", "Копия a.txt"},
      {"/noext", "/Копия noext"},
      {"/docs/dir.d/file", "/docs/dir.d/Копия file"},
      {"/docs/", ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(backupCopyName(c.path), c.backup) << c.path;
}

TEST(Versions, StampAndLabel) {
  struct Case {
    const char* datePattern;
    bool addPrefix;
    const char* prefix;
    const char* label;
  };
  const std::vector<Case> cases = {
      {"dd.MM.yyyy", true, "version", "versiondate-07-12-2026time-23-40-05"},
      {"dd.MM.yyyy", false, "version", "date-07-12-2026time-23-40-05"},
      {"dd.MM.yyyy", true, "", "date-07-12-2026time-23-40-05"},
      {"dd.MM.yyyy", true, "v.1.", "v-1-date-07-12-2026time-23-40-05"},
      // The prefix's characters that a file name cannot hold become "-".
      {"dd/MM/yyyy", true, "a\\b|c", "a-b-cdate-07-12-2026time-23-40-05"},
      {"yyyy-MM-dd", true, "черновик ", "черновик date-2026-12-07time-23-40-05"},
      {"dd.MM.yyyy", true, "x*?\"<>y", "x-----ydate-07-12-2026time-23-40-05"},
      // Month names, weekdays and 12-hour times never reach the name: digits only.
      {"d MMM yyyy", true, "", "date-07-12-2026time-23-40-05"},
      {"dddd, d MMMM yyyy", false, "", "date-07-12-2026time-23-40-05"},
      {"M/d/yy", false, "", "date-12-07-2026time-23-40-05"},
  };
  for (const auto& c : cases) {
    const std::string stamp = versionStamp(kEvening, c.datePattern);
    EXPECT_EQ(versionLabel(stamp, c.addPrefix, c.prefix), c.label) << c.datePattern << " " << c.prefix;
  }
  EXPECT_EQ(versionStamp(kMorning, "d.M.yyyy"), "date-04.01.2026time-09:03:07");
}

TEST(Versions, FileNameSafe) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  const std::string safe = fileNameSafe(all);
  ASSERT_EQ(safe.size(), all.size());
  for (std::size_t i = 0; i < all.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(all[i]);
    const bool bad = c < 0x20 || c == 0x7F || std::string_view("/\\:.*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos;
    EXPECT_EQ(safe[i], bad ? '-' : all[i]) << int(c);
  }
  EXPECT_EQ(fileNameSafe(std::string("a\0b", 3)), "a-b");
}

TEST(Versions, VersionNameAndCopyPath) {
  const std::string label = "versiondate-07-12-2026time-23-40-05";
  struct Case {
    const char* file;
    const char* copyFolder;
    const char* name;
    const char* copy;
  };
  const std::vector<Case> cases = {
      {"/docs/a.txt", "/backup", "/docs/versiondate-07-12-2026time-23-40-05a.txt",
       "/backup/versiondate-07-12-2026time-23-40-05a.txt"},
      {"/docs/a.txt", "/backup/", "/docs/versiondate-07-12-2026time-23-40-05a.txt",
       "/backup/versiondate-07-12-2026time-23-40-05a.txt"},
      {"a.txt", "/", "versiondate-07-12-2026time-23-40-05a.txt", "/versiondate-07-12-2026time-23-40-05a.txt"},
  };
  for (const auto& c : cases) {
    const std::string name = versionName(c.file, label);
    EXPECT_EQ(name, c.name);
    EXPECT_EQ(versionCopyPath(c.copyFolder, name), c.copy);
  }
}

TEST(Versions, Applies) {
  EXPECT_TRUE(versionApplies(true, "/docs/a.txt"));
  EXPECT_FALSE(versionApplies(false, "untitled1"));
  EXPECT_FALSE(versionApplies(false, "/docs/a.txt"));
  EXPECT_FALSE(versionApplies(true, ""));
  EXPECT_FALSE(versionApplies(true, "/docs/"));
}

TEST(Versions, ContentConversion) {
  const std::string win = cp1251("Привет, мир! Ёж\r\n");
  std::string dos = win;
  dosFromWin(dos);
  std::string koi = win;
  koiFromWin(koi);
  ASSERT_NE(dos, win);
  ASSERT_NE(koi, win);
  struct Case {
    const std::string* text;
    const char* docCharset;
    bool convert;
    const char* target;
    const std::string* want;
  };
  const std::vector<Case> cases = {
      {&win, "win", true, "dos", &dos},
      {&win, "win", true, "koi", &koi},
      {&win, "win", true, "win", &win},
      {&win, "win", false, "dos", &win},
      // The document's own charset is the source, not always Windows-1251.
      {&dos, "dos", true, "win", &win},
      {&dos, "dos", true, "koi", &koi},
      {&koi, "koi", true, "dos", &dos},
      {&koi, "koi", true, "koi", &koi},
      {&koi, "koi", false, "win", &koi},
      // An unknown target leaves the bytes as they are.
      {&dos, "dos", true, "utf8", &dos},
      {&win, "win", true, "", &win},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(versionContent(*c.text, c.docCharset, c.convert, c.target), *c.want)
        << c.docCharset << "->" << c.target;
  }
}

TEST(Versions, Plan) {
  VersionOptions base;
  base.addNamePrefix = true;
  base.namePrefix = "version";
  base.saveInSameFolder = true;
  base.copyToFolder = false;
  base.copyFolder = "/backup";

  const std::string same = "/docs/versiondate-07-12-2026time-23-40-05a.txt";
  const std::string copy = "/backup/versiondate-07-12-2026time-23-40-05a.txt";
  struct Case {
    const char* what;
    bool hasFile;
    bool sameFolder;
    bool doCopy;
    const char* copyPath;
    bool copyExists;
    std::vector<std::string> targets;
  };
  const std::vector<Case> cases = {
      {"same folder only", true, true, false, "/backup", true, {same}},
      {"both", true, true, true, "/backup", true, {same, copy}},
      {"copy only", true, false, true, "/backup", true, {copy}},
      {"copy folder missing", true, true, true, "/backup", false, {same}},
      {"copy folder empty", true, true, true, "", true, {same}},
      {"nothing on", true, false, false, "/backup", true, {}},
      {"copy folder is the file's folder", true, true, true, "/docs", true, {same}},
      {"no file", false, true, true, "/backup", true, {}},
  };
  const std::string text = cp1251("Текст\r\n");
  for (const auto& c : cases) {
    VersionOptions o = base;
    o.saveInSameFolder = c.sameFolder;
    o.copyToFolder = c.doCopy;
    o.copyFolder = c.copyPath;
    const VersionPlan p =
        planVersion("/docs/a.txt", c.hasFile, text, "win", o, kEvening, "dd.MM.yyyy", c.copyExists);
    EXPECT_EQ(p.targets, c.targets) << c.what;
    if (!c.targets.empty()) {
      EXPECT_EQ(p.content, text) << c.what;
    }
  }

  VersionOptions dos = base;
  dos.convertCharset = true;
  dos.targetCharset = "dos";
  const VersionPlan p = planVersion("/docs/a.txt", true, text, "win", dos, kEvening, "dd.MM.yyyy", false);
  std::string want = text;
  dosFromWin(want);
  EXPECT_EQ(p.content, want);
  EXPECT_EQ(p.targets, std::vector<std::string>{same});
}

}  // namespace
}  // namespace kiv
