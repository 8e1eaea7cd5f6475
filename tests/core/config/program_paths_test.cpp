#include "core/config/program_paths.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

using namespace kiv;

TEST(ProgramPaths, RunModeFollowsTheProgramFolder) {
  struct Case {
    bool writable, ini, engine;
    RunMode mode;
  };
  const std::vector<Case> cases = {
      {true, true, true, RunMode::Portable},
      {true, true, false, RunMode::Portable},   // a copied kiv.ini alone
      {true, false, true, RunMode::Portable},   // the build folder before its first start
      {true, false, false, RunMode::Installed},  // e.g. ~/bin holding only the executable
      {false, true, true, RunMode::Installed},   // an unwritable folder is never written
      {false, false, false, RunMode::Installed},
  };
  for (const Case& c : cases)
    EXPECT_EQ(chooseRunMode({c.writable, c.ini, c.engine}), c.mode) << c.writable << c.ini << c.engine;
}

TEST(ProgramPaths, PortableKeepsEverythingBesideTheExecutable) {
  for (const std::string folder : {"/opt/kiv", "/opt/kiv/"}) {
    const ProgramPaths p = ProgramPaths::portable(folder);
    EXPECT_EQ(p.mode(), RunMode::Portable);
    EXPECT_EQ(p.iniFile(), "/opt/kiv/kiv.ini");
    EXPECT_EQ(p.defaultIniFile(), "");
    EXPECT_EQ(p.dataFolder(), "/opt/kiv/");
    EXPECT_EQ(p.engineFolder(), "/opt/kiv/Engine/");
    EXPECT_EQ(p.shippedEngineFolder(), p.engineFolder());
    EXPECT_EQ(p.shippedPluginsFolder(), p.pluginsFolder());
    EXPECT_EQ(p.pluginsFolder(), "/opt/kiv/Engine/Plugins/");
    EXPECT_EQ(p.pluginHost(), "/opt/kiv/kiv-plugin-host");
    EXPECT_EQ(p.bookmarksFile(), "/opt/kiv/Engine/bookmarx/bmxtree.bmx");
    EXPECT_EQ(p.fileTypesFile(), "/opt/kiv/Engine/Parts/Dizorud/filelinx");
    EXPECT_EQ(p.hotlistFile(), "/opt/kiv/Engine/Parts/Dizorud/hotlist.txt");
    EXPECT_EQ(p.recoveryFolder(), "/opt/kiv/Recovery/");
    EXPECT_EQ(p.helpFile("kiv.htm"), "/opt/kiv/dox/kiv.htm");
  }
  // The helper may sit elsewhere (the program folder of a test run).
  EXPECT_EQ(ProgramPaths::portable("/tmp/p", "/build").pluginHost(), "/build/kiv-plugin-host");
}

TEST(ProgramPaths, InstalledPutsTheUsersFilesInTheXdgFolders) {
  struct Case {
    const char* name;
    UserFolders user;
    std::string config, data, state;
  };
  const std::vector<Case> cases = {
      {"set", {"/home/u", "/x/cfg", "/x/data", "/x/state", ""}, "/x/cfg/kiv/", "/x/data/kiv/", "/x/state/kiv/"},
      {"trailing slash", {"/home/u", "/x/cfg/", "/x/data/", "/x/state/", ""}, "/x/cfg/kiv/", "/x/data/kiv/",
       "/x/state/kiv/"},
      {"unset", {"/home/u", "", "", "", ""}, "/home/u/.config/kiv/", "/home/u/.local/share/kiv/",
       "/home/u/.local/state/kiv/"},
      // Relative values are ignored, as the base directory rules ask.
      {"relative", {"/home/u/", "cfg", "./data", "state", ""}, "/home/u/.config/kiv/", "/home/u/.local/share/kiv/",
       "/home/u/.local/state/kiv/"},
      {"no home", {"", "", "", "", ""}, "/.config/kiv/", "/.local/share/kiv/", "/.local/state/kiv/"},
  };
  for (const Case& c : cases) {
    const ProgramPaths p = ProgramPaths::installed("/usr/share/kiv", "/usr/libexec/kiv/", c.user);
    EXPECT_EQ(p.mode(), RunMode::Installed) << c.name;
    EXPECT_EQ(p.configFolder(), c.config) << c.name;
    EXPECT_EQ(p.iniFile(), c.config + "kiv.ini") << c.name;
    EXPECT_EQ(p.dataFolder(), c.data) << c.name;
    EXPECT_EQ(p.stateFolder(), c.state) << c.name;
    // Everything the program writes is under the user's folders.
    for (const std::string& written : {p.iniFile(), p.engineFolder(), p.pluginsFolder(), p.bookmarksFile(),
                                       p.fileTypesFile(), p.hotlistFile(), p.recoveryFolder()}) {
      const bool underUser = written.rfind(c.config, 0) == 0 || written.rfind(c.data, 0) == 0 ||
                             written.rfind(c.state, 0) == 0;
      EXPECT_TRUE(underUser) << c.name << ": " << written;
      EXPECT_NE(written.rfind("/usr/", 0), 0u) << written;
    }
  }
  const ProgramPaths p = ProgramPaths::installed("/usr/share/kiv", "/usr/libexec/kiv/", {"/home/u", "", "", "", ""});
  EXPECT_EQ(p.defaultIniFile(), "/usr/share/kiv/kiv.ini");
  EXPECT_EQ(p.shippedEngineFolder(), "/usr/share/kiv/Engine/");
  EXPECT_EQ(p.shippedPluginsFolder(), "/usr/libexec/kiv/Plugins/");
  EXPECT_EQ(p.pluginHost(), "/usr/libexec/kiv/kiv-plugin-host");
  EXPECT_EQ(p.helpFile("notes.txt"), "/usr/share/kiv/dox/notes.txt");
  EXPECT_EQ(p.engineFolder(), "/home/u/.local/share/kiv/Engine/");
  EXPECT_EQ(p.recoveryFolder(), "/home/u/.local/state/kiv/Recovery/");
}

TEST(ProgramPaths, CodeTablesLocation) {
  const ProgramPaths portable = ProgramPaths::portable("/opt/kiv");
  const ProgramPaths installed = ProgramPaths::installed("/usr/share/kiv", "/usr/libexec/kiv", {"/home/u", "", "", "", ""});
  struct Case {
    std::string location, portable, installed;
  };
  const std::vector<Case> cases = {
      {"", "/opt/kiv/Engine/Tables/", "/home/u/.local/share/kiv/Engine/Tables/"},
      {"Engine\\Tables\\", "/opt/kiv/Engine/Tables/", "/home/u/.local/share/kiv/Engine/Tables/"},
      {"My\\Codes", "/opt/kiv/My/Codes/", "/home/u/.local/share/kiv/My/Codes/"},
      {"/srv/tables", "/srv/tables/", "/srv/tables/"},
      {"\\srv\\t\\", "/srv/t/", "/srv/t/"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(portable.codeTablesFolder(c.location), c.portable) << c.location;
    EXPECT_EQ(installed.codeTablesFolder(c.location), c.installed) << c.location;
  }
  EXPECT_EQ(installed.templatesFolder(), "/home/u/.local/share/kiv/Engine/Templates/");
  EXPECT_EQ(installed.colorsFolder(), "/home/u/.local/share/kiv/Engine/Colors/");
  EXPECT_EQ(installed.settingsFolder(), "/home/u/.local/share/kiv/Engine/Settings/");
  EXPECT_EQ(installed.partsFolder(), "/home/u/.local/share/kiv/Engine/Parts/");
}

TEST(ProgramPaths, InstanceSocketIsPerUserAndSettings) {
  const UserFolders noRuntime{"/home/u", "", "", "", ""};
  const UserFolders runtime{"/home/u", "", "", "", "/run/user/1000"};
  const ProgramPaths a = ProgramPaths::portable("/a");
  const ProgramPaths b = ProgramPaths::portable("/b");
  const ProgramPaths inst = ProgramPaths::installed("/usr/share/kiv", "/usr/libexec/kiv", noRuntime);
  std::set<std::string> names = {a.instanceSocket(1000, noRuntime), b.instanceSocket(1000, noRuntime),
                                 inst.instanceSocket(1000, noRuntime), a.instanceSocket(1001, noRuntime)};
  EXPECT_EQ(names.size(), 4u);
  // Stable between runs, so a second start finds the first.
  EXPECT_EQ(a.instanceSocket(1000, noRuntime), ProgramPaths::portable("/a/").instanceSocket(1000, noRuntime));
  EXPECT_EQ(a.instanceSocket(1000, noRuntime).find('/'), std::string::npos);
  const std::string inRuntime = a.instanceSocket(1000, runtime);
  EXPECT_EQ(inRuntime.rfind("/run/user/1000/kiv-1000-", 0), 0u);
  EXPECT_LT(inRuntime.size(), 100u);  // fits a socket address
  // A relative runtime folder is not trusted.
  EXPECT_EQ(a.instanceSocket(1000, {"/home/u", "", "", "", "run"}), a.instanceSocket(1000, noRuntime));
}
