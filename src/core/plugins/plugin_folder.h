#pragma once
// The plugins folder and its registry file: what happens at start-up and
// what the options dialog's "Инсталлировать", "Удалить текущий" and
// "Обновить список" do. Every library is asked for its caption through the
// plugin host, never loaded into the program. Without the host nothing can
// be asked: the registry and its file are then left as they were.

#include <string>
#include <vector>

#include "core/plugins/plugin_host.h"
#include "core/plugins/plugin_registry.h"

namespace kiv {

struct PluginFolderResult {
  std::vector<std::string> skipped;  // libraries the scan left out (not plugins, failed to load)
  std::string error;                 // what went wrong (Russian, UTF-8); empty when all went well
  bool ok() const { return error.empty(); }
};

// "plugslist.idx" in the folder (which ends in "/").
std::string pluginRegistryPath(const std::string& folder);

// A registry from the folder at start-up: the registry file when it exists;
// otherwise a scan of the folder, saved as the registry file.
PluginFolderResult loadOrScanPlugins(PluginRegistry& registry, const std::string& folder, const PluginHost& host);

// Empties the registry, scans the folder for "*.so" and saves the registry file.
PluginFolderResult rescanPlugins(PluginRegistry& registry, const std::string& folder, const PluginHost& host);

// Copies the library into the folder under its own name, then rescans. A
// library that is not a plugin, and a name already taken in the folder, are
// refused (the registry is still rescanned).
PluginFolderResult installPlugin(PluginRegistry& registry, const std::string& folder, const std::string& libraryPath,
                                 const PluginHost& host);

// Deletes the library of the plugin with that caption from the folder, then
// rescans.
PluginFolderResult removePlugin(PluginRegistry& registry, const std::string& folder, const std::string& caption,
                                const PluginHost& host);

}  // namespace kiv
