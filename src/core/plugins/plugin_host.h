#pragma once
// Runs plugin libraries in a helper process (kiv-plugin-host), one process
// per call: a plugin that crashes, hangs or answers nonsense harms nothing
// but its own call. The library is never loaded into the program itself.

#include <atomic>
#include <chrono>
#include <string>
#include <string_view>

namespace kiv {

enum class PluginFailure {
  None,
  HostMissing,     // the helper program is not where it should be
  LibraryMissing,  // no such library file
  LoadFailed,      // the library does not load
  MissingExport,   // VersionInfo or HandleData is not exported
  Crashed,         // the call ended the helper (signal or abnormal exit)
  TimedOut,        // the time limit passed; the helper was stopped
  Stopped,         // the caller asked to stop; the helper was stopped
  BadResult,       // no string came back (null pointer, no terminating zero, garbled reply)
  ZeroByte,        // the text holds a zero byte: refused before starting anything
  SystemError,     // the helper could not be started (no memory, no processes left)
};

struct PluginOutcome {
  PluginFailure failure = PluginFailure::None;
  std::string text;    // the result text, or the caption
  std::string detail;  // the loader's words, the signal's name, the system error
  bool ok() const { return failure == PluginFailure::None; }
};

class PluginHost {
 public:
  static constexpr std::chrono::milliseconds kDefaultTimeLimit{10000};
  static constexpr const char* kProgramName = "kiv-plugin-host";

  explicit PluginHost(std::string hostProgram) : hostProgram_(std::move(hostProgram)) {}
  const std::string& hostProgram() const { return hostProgram_; }
  void setTimeLimit(std::chrono::milliseconds limit) { timeLimit_ = limit; }
  std::chrono::milliseconds timeLimit() const { return timeLimit_; }

  // The helper program is there and may be run.
  bool available() const;

  // The library's caption (its VersionInfo), checking that it also exports
  // HandleData.
  PluginOutcome versionInfo(const std::string& libraryPath) const;
  // Runs HandleData on the text; the result is the string the plugin left.
  // A set *stop ends the call at once (checked every few milliseconds).
  PluginOutcome handleData(const std::string& libraryPath, std::string_view text,
                           const std::atomic<bool>* stop = nullptr) const;

 private:
  PluginOutcome call(const char* verb, const std::string& libraryPath, const std::string_view* text,
                     const std::atomic<bool>* stop) const;
  std::string hostProgram_;
  std::chrono::milliseconds timeLimit_ = kDefaultTimeLimit;
};

// The message for a failed call of the plugin with that caption (UTF-8,
// Russian); says that the text was left as it was.
std::string pluginFailureMessage(const PluginOutcome& outcome, std::string_view caption,
                                 std::chrono::milliseconds timeLimit);

}  // namespace kiv
