#pragma once
// Where every file Kiv reads or writes lives. Two ways of running:
//
// - a portable folder: the program folder is writable and holds kiv.ini or
//   the shipped data; kiv.ini, the Engine tree, the help files and the
//   plugin helper are all beside the executable;
// - an installed program: kiv.ini lives in $XDG_CONFIG_HOME/kiv, the user's
//   Engine tree (templates, colour schemes, plugins, bookmarks, the file
//   types and the hotlist) in $XDG_DATA_HOME/kiv, what the program keeps
//   between runs (the recovery folder) in $XDG_STATE_HOME/kiv; the shipped
//   data is read from <prefix>/share/kiv and copied into the user's folder
//   where the user has no file of that name yet.
//
// Every folder ends in "/". Nothing else in the program builds these paths.

#include <string>

namespace kiv {

enum class RunMode { Portable, Installed };

// What the program finds about its own folder.
struct ProgramFolderFacts {
  bool writable = false;
  bool holdsIni = false;     // "kiv.ini" is there
  bool holdsEngine = false;  // the shipped "Engine" folder is there
};

RunMode chooseRunMode(const ProgramFolderFacts& facts);

// The environment variables the installed layout depends on ("" when unset).
struct UserFolders {
  std::string home;
  std::string configHome;  // XDG_CONFIG_HOME
  std::string dataHome;    // XDG_DATA_HOME
  std::string stateHome;   // XDG_STATE_HOME
  std::string runtimeDir;  // XDG_RUNTIME_DIR
};

class ProgramPaths {
 public:
  // Everything in `programFolder`; the plugin helper in `helperFolder` (the
  // executable's folder, by default the same).
  static ProgramPaths portable(const std::string& programFolder, const std::string& helperFolder = {});
  // An installed program: `sharedData` holds the shipped Engine tree, the help
  // files and the default kiv.ini; `helperFolder` holds the plugin helper and
  // the shipped plugins. An XDG variable that is unset, empty or relative
  // falls back to its default under $HOME.
  static ProgramPaths installed(const std::string& sharedData, const std::string& helperFolder,
                                const UserFolders& user);

  RunMode mode() const { return mode_; }

  // kiv.ini, and the file a missing kiv.ini starts from ("" for none).
  std::string iniFile() const { return configFolder_ + "kiv.ini"; }
  std::string defaultIniFile() const;
  // The folder the Engine tree and relative locations in kiv.ini are taken
  // from (it holds "Engine/").
  const std::string& dataFolder() const { return dataFolder_; }
  std::string engineFolder() const { return dataFolder_ + "Engine/"; }
  // The shipped, read-only Engine tree and the shipped plugins; the same as
  // the user's in a portable folder.
  std::string shippedEngineFolder() const { return sharedData_ + "Engine/"; }
  std::string shippedPluginsFolder() const;
  std::string configFolder() const { return configFolder_; }
  std::string stateFolder() const { return stateFolder_; }

  std::string pluginsFolder() const { return engineFolder() + "Plugins/"; }
  std::string templatesFolder() const { return engineFolder() + "Templates/"; }
  std::string colorsFolder() const { return engineFolder() + "Colors/"; }
  std::string settingsFolder() const { return engineFolder() + "Settings/"; }
  std::string partsFolder() const { return engineFolder() + "Parts/"; }
  // The code tables: kiv.ini's CodeTablesLocation ("\" or "/" separated,
  // relative to the data folder or absolute), "Engine/Tables/" when empty.
  std::string codeTablesFolder(const std::string& location) const;
  std::string pluginHost() const { return helperFolder_ + "kiv-plugin-host"; }
  std::string bookmarksFile() const { return engineFolder() + "bookmarx/bmxtree.bmx"; }
  std::string fileTypesFile() const { return engineFolder() + "Parts/Dizorud/filelinx"; }
  std::string hotlistFile() const { return engineFolder() + "Parts/Dizorud/hotlist.txt"; }
  std::string recoveryFolder() const { return stateFolder_ + "Recovery/"; }
  // The read-only help files ("dox/").
  std::string helpFile(const std::string& name) const { return sharedData_ + "dox/" + name; }

  // The local socket through which a second start hands its files to the
  // running program: one per user and kiv.ini. `userId` is the numeric
  // user id. A path in the runtime folder when there is one.
  std::string instanceSocket(unsigned userId, const UserFolders& user) const;

 private:
  RunMode mode_ = RunMode::Portable;
  std::string sharedData_;
  std::string helperFolder_;
  std::string configFolder_;
  std::string dataFolder_;
  std::string stateFolder_;
};

}  // namespace kiv
