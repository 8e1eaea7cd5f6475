#include "core/plugins/plugin_folder.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/common/file_bytes.h"
#include "core/common/paths.h"

namespace kiv {

std::string pluginRegistryPath(const std::string& folder) { return folder + PluginRegistry::kFileName; }

namespace {
PluginRegistry::VersionProbe probeWith(const PluginHost& host) {
  return [&host](const std::string& path) -> std::optional<std::string> {
    PluginOutcome o = host.versionInfo(path);
    if (!o.ok()) return std::nullopt;
    return std::move(o.text);
  };
}

void scanAndSave(PluginRegistry& registry, const std::string& folder, const PluginHost& host,
                 PluginFolderResult& result) {
  // Without the helper no library could answer: an empty list written now
  // would hide every plugin until the next rescan. (A folder without
  // libraries has nothing to ask.)
  if (!host.available() && !PluginRegistry::libraryNames(folder, PluginRegistry::kLibraryMask).empty()) {
    result.error = "Не найдена программа запуска плагинов " + host.hostProgram() + "; список плагинов не обновлён.";
    return;
  }
  registry.clear();
  result.skipped = registry.scanFolder(folder, PluginRegistry::kLibraryMask, probeWith(host));
  std::string why;
  if (!registry.save(pluginRegistryPath(folder), &why) && result.error.empty())
    result.error = "Не удалось записать список плагинов " + pluginRegistryPath(folder) + ": " + why;
}
}  // namespace

PluginFolderResult loadOrScanPlugins(PluginRegistry& registry, const std::string& folder, const PluginHost& host) {
  PluginFolderResult result;
  const std::string path = pluginRegistryPath(folder);
  if (fileExists(path)) {
    if (!registry.load(path)) result.error = "Не удалось прочитать список плагинов " + path;
    return result;
  }
  scanAndSave(registry, folder, host, result);
  return result;
}

PluginFolderResult rescanPlugins(PluginRegistry& registry, const std::string& folder, const PluginHost& host) {
  PluginFolderResult result;
  scanAndSave(registry, folder, host, result);
  return result;
}

PluginFolderResult installPlugin(PluginRegistry& registry, const std::string& folder, const std::string& libraryPath,
                                 const PluginHost& host) {
  PluginFolderResult result;
  const std::string name = fileNameOnly(libraryPath);
  const std::string target = folder + name;
  const PluginOutcome probe = host.versionInfo(libraryPath);
  if (probe.failure == PluginFailure::HostMissing) {
    result.error = "Не найдена программа запуска плагинов " + host.hostProgram() + ".";
    return result;
  } else if (!probe.ok()) {
    result.error = "Файл " + libraryPath + " не является плагином Kiv";
    if (!probe.detail.empty()) result.error += " (" + probe.detail + ")";
    result.error += ".";
  } else if (fileExists(target) || directoryExists(target)) {
    result.error = "В папке плагинов уже есть файл " + name + "; он не заменён.";
  } else if (const auto bytes = readFileBytes(libraryPath); !bytes) {
    result.error = "Не удалось прочитать файл " + libraryPath + ".";
  } else if (std::string why; !writeFileAtomically(target, *bytes, &why)) {
    result.error = "Не удалось скопировать плагин в " + target + ": " + why;
  }
  scanAndSave(registry, folder, host, result);
  return result;
}

PluginFolderResult removePlugin(PluginRegistry& registry, const std::string& folder, const std::string& caption,
                                const PluginHost& host) {
  PluginFolderResult result;
  const PluginRecord* record = registry.findByCaption(caption);
  if (!record) {
    result.error = "Плагина «" + caption + "» нет в списке.";
    return result;
  }
  if (record->fileName.empty() || record->fileName.find('/') != std::string::npos || record->fileName == "." ||
      record->fileName == "..") {
    result.error = "Имя файла плагина «" + caption + "» в списке неверно: " + record->fileName;
    return result;
  }
  const std::string path = folder + record->fileName;
  if (::unlink(path.c_str()) != 0 && errno != ENOENT)
    result.error = "Не удалось удалить " + path + ": " + std::strerror(errno);
  scanAndSave(registry, folder, host, result);
  return result;
}

}  // namespace kiv
