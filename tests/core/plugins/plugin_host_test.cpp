// Plugin calls through the real helper process: the shipped plugins, and
// test plugins that crash, hang, write past the text, return nothing or
// print garbage. Every failure is a value, never harm to the caller.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "core/plugins/plugin_folder.h"
#include "core/plugins/plugin_host.h"

using namespace kiv;
using namespace std::chrono_literals;

namespace {
const std::string kTestDir = KIV_TEST_PLUGIN_DIR;
const std::string kShippedDir = KIV_SHIPPED_PLUGIN_DIR;

PluginHost host() {
  PluginHost h(KIV_PLUGIN_HOST);
  h.setTimeLimit(2000ms);
  return h;
}
std::string testPlugin(const char* name) { return kTestDir + name + ".so"; }
std::string shipped(const char* name) { return kShippedDir + name + ".so"; }
}  // namespace

TEST(PluginHost, RunsPluginsThatChangeTheTextOrReturnTheirOwn) {
  struct Case {
    std::string library;
    std::string in;
    std::string out;
  };
  const Case cases[] = {
      {testPlugin("in_place"), "abc Def\r\n", "ABC DEF\r\n"},
      {testPlugin("in_place"), "", ""},
      {testPlugin("new_pointer"), "text", "[text]"},
      {testPlugin("new_pointer"), "", "[]"},
      {testPlugin("chatty"), "keep", "keep!"},
      // Every byte but zero crosses unchanged.
      {testPlugin("new_pointer"), "\x01\x7F\x80\xFF\r\n", "[\x01\x7F\x80\xFF\r\n]"},
      {shipped("reverse_lines"), "one\r\ntwo\r\nthree\r\n", "three\r\ntwo\r\none\r\n"},
      {shipped("reverse_lines"), "one\r\ntwo", "two\r\none"},
      {shipped("reverse_lines"), "a\r\n\r\nb\r\n", "b\r\n\r\na\r\n"},
      {shipped("unique_lines"), "a\r\nb\r\na\r\nc\r\nb\r\n", "a\r\nb\r\nc\r\n"},
      {shipped("unique_lines"), "x\r\nX\r\nx", "x\r\nX"},
      {shipped("russian_quotes"), "\xF2\xE5\xEA\xF1\xF2\r\n", "\xAB\xF2\xE5\xEA\xF1\xF2\xBB\r\n"},
      {shipped("russian_quotes"), "\xAB" "a" "\xBB b", "\xAB\x84" "a" "\x93 b\xBB"},
  };
  const PluginHost h = host();
  for (const auto& c : cases) {
    const PluginOutcome o = h.handleData(c.library, c.in);
    ASSERT_TRUE(o.ok()) << c.library << ": " << pluginFailureMessage(o, "x", h.timeLimit());
    EXPECT_EQ(o.text, c.out) << c.library;
  }
}

TEST(PluginHost, FailuresAreReportedNotSuffered) {
  struct Case {
    std::string library;
    PluginFailure failure;
    std::string detailHas;
  };
  const Case cases[] = {
      {testPlugin("crash"), PluginFailure::Crashed, ""},
      {testPlugin("hang"), PluginFailure::TimedOut, ""},
      {testPlugin("past_the_end"), PluginFailure::BadResult, ""},
      {testPlugin("null_result"), PluginFailure::BadResult, ""},
      {testPlugin("no_exports"), PluginFailure::MissingExport, "VersionInfo"},
      {testPlugin("no_handle_data"), PluginFailure::MissingExport, "HandleData"},
      {testPlugin("missing"), PluginFailure::LibraryMissing, "missing.so"},
      {std::string(KIV_PLUGIN_HOST), PluginFailure::LoadFailed, ""},  // not a library
  };
  PluginHost h = host();
  h.setTimeLimit(700ms);
  for (const auto& c : cases) {
    const auto t0 = std::chrono::steady_clock::now();
    const PluginOutcome o = h.handleData(c.library, "text\r\n");
    EXPECT_EQ(o.failure, c.failure) << c.library << ": " << o.detail;
    EXPECT_NE(o.detail.find(c.detailHas), std::string::npos) << o.detail;
    EXPECT_TRUE(o.text.empty());
    EXPECT_LT(std::chrono::steady_clock::now() - t0, 5s);
    EXPECT_FALSE(pluginFailureMessage(o, "cap", h.timeLimit()).empty());
  }
}

TEST(PluginHost, ATextWithAZeroByteIsRefusedBeforeAnythingStarts) {
  const PluginOutcome o = host().handleData(testPlugin("in_place"), std::string_view("ab\0cd", 5));
  EXPECT_EQ(o.failure, PluginFailure::ZeroByte);
  EXPECT_NE(pluginFailureMessage(o, "cap", 1s).find("нулевой байт"), std::string::npos);
}

TEST(PluginHost, AMissingHelperIsSaid) {
  PluginHost h("/nonexistent/kiv-plugin-host");
  EXPECT_EQ(h.handleData(testPlugin("in_place"), "x").failure, PluginFailure::HostMissing);
  EXPECT_EQ(h.versionInfo(testPlugin("in_place")).failure, PluginFailure::HostMissing);
}

TEST(PluginHost, StopEndsAHangingPluginAtOnce) {
  PluginHost h = host();
  h.setTimeLimit(60s);
  std::atomic<bool> stop{false};
  std::thread stopper([&] {
    std::this_thread::sleep_for(200ms);
    stop = true;
  });
  const auto t0 = std::chrono::steady_clock::now();
  const PluginOutcome o = h.handleData(testPlugin("hang"), "x", &stop);
  stopper.join();
  EXPECT_EQ(o.failure, PluginFailure::Stopped);
  EXPECT_LT(std::chrono::steady_clock::now() - t0, 3s);
}

TEST(PluginHost, VersionInfoNeedsBothExports) {
  const PluginHost h = host();
  EXPECT_EQ(h.versionInfo(testPlugin("in_place")).text, "Test: in place");
  EXPECT_EQ(h.versionInfo(testPlugin("chatty")).text, "Test: chatty");
  EXPECT_EQ(h.versionInfo(testPlugin("no_handle_data")).failure, PluginFailure::MissingExport);
  EXPECT_EQ(h.versionInfo(testPlugin("no_exports")).failure, PluginFailure::MissingExport);
  EXPECT_EQ(h.versionInfo(shipped("reverse_lines")).text.substr(0, 3), "\xD0\xA1\xD1");  // "Ст"
}

TEST(PluginHost, BigTextsCrossBothWays) {
  std::string text;
  for (int i = 0; i < 200000; ++i) text += "line " + std::to_string(i % 1000) + "\r\n";
  const PluginOutcome unique = host().handleData(shipped("unique_lines"), text);
  ASSERT_TRUE(unique.ok());
  EXPECT_EQ(unique.text.size(), text.size() / 200);
  const PluginOutcome wrapped = host().handleData(testPlugin("new_pointer"), text);
  ASSERT_TRUE(wrapped.ok());
  EXPECT_EQ(wrapped.text, "[" + text + "]");
}

namespace {
struct TempFolder {
  std::filesystem::path path;
  explicit TempFolder(const char* name) : path(std::filesystem::temp_directory_path() / name) {
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
  }
  ~TempFolder() { std::filesystem::remove_all(path); }
  std::string folder() const { return path.string() + "/"; }
  void copy(const std::string& from, const char* as) const {
    std::filesystem::copy_file(from, path / as);
  }
};
}  // namespace

TEST(PluginFolder, StartUpScansOnceThenReadsTheRegistry) {
  TempFolder t("kiv_plugin_folder_start");
  t.copy(testPlugin("in_place"), "b.so");
  t.copy(testPlugin("no_exports"), "a.so");
  t.copy(testPlugin("crash"), "c.so");
  std::ofstream(t.path / "broken.so") << "not an ELF file";
  PluginRegistry reg;
  PluginFolderResult r = loadOrScanPlugins(reg, t.folder(), host());
  EXPECT_TRUE(r.ok()) << r.error;
  // Libraries without the exports, or that do not load, are skipped and the
  // scan goes on.
  EXPECT_EQ(r.skipped, (std::vector<std::string>{"a.so", "broken.so"}));
  ASSERT_EQ(reg.records().size(), 2u);
  EXPECT_EQ(reg.records()[0].fileName, "b.so");
  EXPECT_EQ(reg.records()[1].caption, "Test: crash");
  EXPECT_EQ(std::filesystem::file_size(t.path / "plugslist.idx"), 1024u);
  // Added by hand: not seen while the registry file is there.
  t.copy(testPlugin("new_pointer"), "d.so");
  PluginRegistry again;
  loadOrScanPlugins(again, t.folder(), host());
  EXPECT_EQ(again.records().size(), 2u);
  // Deleted registry: the next start scans again.
  std::filesystem::remove(t.path / "plugslist.idx");
  PluginRegistry third;
  loadOrScanPlugins(third, t.folder(), host());
  EXPECT_EQ(third.records().size(), 3u);
}

TEST(PluginFolder, InstallRemoveAndRescan) {
  TempFolder t("kiv_plugin_folder_ops");
  PluginRegistry reg;
  loadOrScanPlugins(reg, t.folder(), host());
  EXPECT_TRUE(reg.empty());
  EXPECT_EQ(std::filesystem::file_size(t.path / "plugslist.idx"), 0u);

  PluginFolderResult r = installPlugin(reg, t.folder(), testPlugin("in_place"), host());
  EXPECT_TRUE(r.ok()) << r.error;
  ASSERT_EQ(reg.records().size(), 1u);
  EXPECT_EQ(reg.records()[0].fileName, "in_place.so");
  // Not a plugin: refused, nothing copied.
  r = installPlugin(reg, t.folder(), testPlugin("no_exports"), host());
  EXPECT_FALSE(r.ok());
  EXPECT_FALSE(std::filesystem::exists(t.path / "no_exports.so"));
  // A name already there: refused, the old file kept.
  std::filesystem::copy_file(testPlugin("new_pointer"), t.path / "new_pointer_src.so");
  std::filesystem::rename(t.path / "new_pointer_src.so", t.path / "x.so");
  r = rescanPlugins(reg, t.folder(), host());
  EXPECT_EQ(reg.records().size(), 2u);
  const auto before = std::filesystem::file_size(t.path / "in_place.so");
  r = installPlugin(reg, t.folder(), testPlugin("in_place"), host());
  EXPECT_NE(r.error.find("уже есть"), std::string::npos);
  EXPECT_EQ(std::filesystem::file_size(t.path / "in_place.so"), before);

  r = removePlugin(reg, t.folder(), "Test: in place", host());
  EXPECT_TRUE(r.ok()) << r.error;
  EXPECT_FALSE(std::filesystem::exists(t.path / "in_place.so"));
  ASSERT_EQ(reg.records().size(), 1u);
  EXPECT_EQ(reg.records()[0].caption, "Test: new pointer");
  PluginRegistry onDisk;
  onDisk.load(t.folder() + "plugslist.idx");
  EXPECT_EQ(onDisk.serialize(), reg.serialize());
  EXPECT_FALSE(removePlugin(reg, t.folder(), "nothing", host()).ok());
}

TEST(PluginFolder, WithoutTheHelperNoEmptyRegistryIsWritten) {
  TempFolder t("kiv_plugin_folder_no_host");
  t.copy(testPlugin("in_place"), "a.so");
  PluginRegistry reg;
  const PluginFolderResult r = loadOrScanPlugins(reg, t.folder(), PluginHost("/nonexistent/kiv-plugin-host"));
  EXPECT_FALSE(r.ok());
  EXPECT_FALSE(std::filesystem::exists(t.path / "plugslist.idx"));
  // With the helper back, the next start finds the plugin.
  loadOrScanPlugins(reg, t.folder(), host());
  EXPECT_EQ(reg.records().size(), 1u);
  // A folder without libraries needs no helper: its empty list is written.
  TempFolder empty("kiv_plugin_folder_empty_no_host");
  PluginRegistry none;
  EXPECT_TRUE(loadOrScanPlugins(none, empty.folder(), PluginHost("/nonexistent/kiv-plugin-host")).ok());
  EXPECT_TRUE(std::filesystem::exists(empty.path / "plugslist.idx"));
}

TEST(PluginFolder, RemoveRefusesAFileNameOutsideTheFolder) {
  TempFolder t("kiv_plugin_folder_escape");
  std::ofstream(t.path / "victim.txt") << "keep";
  std::filesystem::create_directories(t.path / "plugins");
  PluginRegistry reg;
  reg.addPlugin("../victim.txt", "Evil");
  EXPECT_FALSE(removePlugin(reg, t.folder() + "plugins/", "Evil", host()).ok());
  EXPECT_TRUE(std::filesystem::exists(t.path / "victim.txt"));
}
