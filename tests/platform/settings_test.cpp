#include "platform/path_macros.h"
#include "platform/reg_values.h"
#include "platform/registry.h"
#include "platform/settings.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

#include <set>

using namespace platform;
using namespace platform::settings;
namespace fs = std::filesystem;

TEST(Settings, FreshProfileDefaults)
{
    lmbtest::TempHome home;
    EXPECT_TRUE(general::ShowGrid.read());
    EXPECT_TRUE(general::SnapToGrid.read());
    EXPECT_EQ(general::GridX.read(), 8);
    EXPECT_EQ(general::GridY.read(), 8);
    EXPECT_EQ(general::Skin.read(), "OfficeXP");
    EXPECT_TRUE(general::ShowTips.read());
    EXPECT_TRUE(general::ShowWelcome.read());
    EXPECT_EQ(general::Language.read(), "English");
    EXPECT_TRUE(general::LangWarn.read());
    EXPECT_EQ(general::EmbeddedCompression.read(), 1);
    EXPECT_EQ(inspector::SyncSplitters.read(), true);
    EXPECT_EQ(position::Width.read(640), 640); // "current" defaults come from the window
    RecentFiles mru;
    mru.load();
    EXPECT_TRUE(mru.items().empty());
    // Reading created the section keys, and nothing else was written.
    Registry reg(home.registryFile());
    EXPECT_TRUE(reg.keyExists(studioKey("General")));
    EXPECT_TRUE(reg.keyExists(studioKey("MRU")));
    EXPECT_TRUE(reg.valueNames(studioKey("General")).empty());
}

TEST(Settings, GridStoredAsStringIsIgnored)
{
    lmbtest::TempHome home;
    Registry(home.registryFile()).setValue(studioKey("General"), "Grid.X", RegValue::string("16"));
    EXPECT_EQ(general::GridX.read(), 8);
    general::GridX.write(12);
    EXPECT_EQ(general::GridX.read(), 12);
}

TEST(Settings, CatalogueNamesAreUniquePerSection)
{
    std::set<std::string> seen;
    for (const SettingInfo& s : catalogue())
        EXPECT_TRUE(seen.insert(std::string(s.section) + "\\" + std::string(s.name)).second) << s.name;
    EXPECT_GE(seen.size(), 50u);
}

TEST(RecentFilesList, LoadingRules)
{
    lmbtest::TempHome home;
    // 21 existing files, ITEM_0 .. ITEM_20, with Count = 20.
    for (int i = 0; i <= 20; ++i) {
        const fs::path f = home.writeFile("p/f" + std::to_string(i) + ".lmb", "x");
        WriteRegValue("MRU", mru::itemName(i), f.string());
    }
    WriteRegValue("MRU", "Count", 20);
    RecentFiles list;
    list.load();
    ASSERT_EQ(list.items().size(), 15u);
    EXPECT_EQ(list.items().front(), (home.root() / "p/f0.lmb").string());
    EXPECT_EQ(list.items().back(), (home.root() / "p/f14.lmb").string());

    // A file that no longer exists is dropped, macros are expanded, and of two entries that differ
    // only in case the older one stays (the list is read from the oldest entry up).
    fs::remove(home.root() / "p/f1.lmb");
    setSourceDir(home.root() / "p");
    WriteRegValue("MRU", mru::itemName(2), "%SRCDIR%/f2.lmb");
    WriteRegValue("MRU", mru::itemName(3), (home.root() / "P/F0.LMB").string());
    home.writeFile("P/F0.LMB", "x");
    WriteRegValue("MRU", "Count", 3);
    list.load();
    setSourceDir({});
    EXPECT_EQ(list.items(), (std::vector<std::string>{(home.root() / "p/f2.lmb").string(),
                                                      (home.root() / "P/F0.LMB").string()}));
    // Written back in list order, without the dropped entries.
    list.save();
    EXPECT_EQ(ReadRegValue("MRU", "Count", 9), 1);
    EXPECT_EQ(ReadRegValue("MRU", "ITEM_0", ""), (home.root() / "p/f2.lmb").string());
    list.clear();
    list.save();
    EXPECT_EQ(ReadRegValue("MRU", "Count", 9), -1);
}

TEST(RecentFilesList, AddRecentFile)
{
    lmbtest::TempHome home;
    RecentFiles list;
    EXPECT_TRUE(list.AddRecentFile("/a/One.lmb"));
    EXPECT_TRUE(list.AddRecentFile("/a/two.lmb"));
    EXPECT_FALSE(list.AddRecentFile("/A/ONE.LMB")); // already there: the list stays as it is
    EXPECT_EQ(list.items(), (std::vector<std::string>{"/a/two.lmb", "/a/One.lmb"}));
    setSourceDir("/src");
    EXPECT_TRUE(list.AddRecentFile("%SRCDIR%/x.lmb"));
    setSourceDir({});
    EXPECT_EQ(list.items().front(), "/src/x.lmb");
    for (int i = 0; i < 20; ++i)
        list.AddRecentFile("/many/" + std::to_string(i));
    EXPECT_EQ(list.items().size(), 15u);
    EXPECT_EQ(list.items().front(), "/many/19");
}

TEST(Settings, ToolsAndToolbarLayouts)
{
    lmbtest::TempHome home;
    Registry(home.registryFile()).setValue(studioKey("Tools\\Old"), "x", RegValue::fromDWord(1));
    writeTools({{"%SRCDIR%/tool", "My Tool", "Ctrl+T"}, {"SEPARATOR", "", ""}});
    Registry reg(home.registryFile());
    EXPECT_FALSE(reg.keyExists(studioKey("Tools\\Old")));
    EXPECT_EQ(reg.value(studioKey("Tools"), ""), RegValue::string(tools::KeyWarning));
    const auto read = readTools();
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].name, "My Tool"); // NAME_1 is found as Name_1
    EXPECT_EQ(read[0].shortcut, "Ctrl+T");
    EXPECT_TRUE(read[1].isSeparator());

    DockLayout current;
    current.width = 300;
    current.currentDock = "TBXDock1";
    DockLayout stored = current;
    stored.floating = true;
    stored.dockedHeight = 77;
    writeDockLayout("pnlInspector", true, stored);
    const DockLayout back = readDockLayout("PNLINSPECTOR", true, current);
    EXPECT_TRUE(back.floating);
    EXPECT_EQ(back.dockedHeight, 77);
    EXPECT_EQ(back.width, 300);
    EXPECT_EQ(back.currentDock, "TBXDock1");
    EXPECT_FALSE(reg.value(studioKey("Toolbars\\TBXToolbar1"), "Visible"));
}
