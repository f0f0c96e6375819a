// The tab and shortcut configuration files.
#include "support/testsupport.h"

#include <kelctrls/controls/tabconfig.h>

#include <wx/xml/xml.h>

namespace
{

// A fresh manager for each test; the process-wide one reads its files once.
class TabManager : public KelTabManager
{
public:
    TabManager() {}
    ~TabManager() {}
};

wxString Keys(wxList& list)
{
    wxString keys;
    for (wxList::compatibility_iterator node = list.GetFirst(); node; node = node->GetNext())
        keys += static_cast<tabattr*>(node->GetData())->m_key + " ";
    return keys.Trim();
}

class TabConfigTest : public kel::test::TempCwdTest
{
};

TEST_F(TabConfigTest, TabsAreSortedByIndexKeepingFileOrderOfTies)
{
    WriteFile("config/tabattr.xml", "<?xml version='1.0' encoding='UTF-8'?>\n"
                                    "<tabs>\n"
                                    "  <tabprop key='three' index='3' tip='Third' systab='0'/>\n"
                                    "  <tabprop key='oneA' index='1' tip='First' systab='1'/>\n"
                                    "  <!-- not an entry -->\n"
                                    "  <other key='two' index='2' systab='2'/>\n"
                                    "  <tabprop key='oneB' index='1'/>\n"
                                    "  <tabprop key='junk' index='x7'/>\n"
                                    "</tabs>\n");
    TabManager manager;
    wxList tabs;
    manager.GetAllTabs(tabs);
    EXPECT_EQ(Keys(tabs), "junk oneA oneB two three");

    const tabattr* one = manager.GetTabAttr("ONEa");
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(one->m_key, "oneA");
    EXPECT_EQ(one->m_tip, "First");
    EXPECT_TRUE(one->m_sysTab);
    EXPECT_FALSE(manager.GetTabAttr("two")->m_sysTab) << "systab 2 is not a system tab";
    EXPECT_EQ(manager.GetTabAttr("junk")->m_index, 0);
    EXPECT_EQ(manager.GetTabAttr("missing"), nullptr);
}

TEST_F(TabConfigTest, ShortcutLookupIgnoresCase)
{
    WriteFile("config/shortcut.xml", "<shortcuts><shortcutprop key='Mail' index='2'/>"
                                     "<shortcutprop key='Calendar' index='0'/></shortcuts>");
    TabManager manager;
    EXPECT_EQ(manager.GetShortCutAttr("mail"), 2);
    EXPECT_EQ(manager.GetShortCutAttr("CALENDAR"), 0);
    EXPECT_EQ(manager.GetShortCutAttr("phone"), -1);
    wxList all;
    manager.GetAllShortCutAttr(all);
    ASSERT_EQ(all.GetCount(), 2u);
    EXPECT_EQ(static_cast<shortcutattr*>(all.GetFirst()->GetData())->m_key, "Calendar");
}

TEST_F(TabConfigTest, SavingReplacesTheEntriesInReverseOrder)
{
    WriteFile("config/tabattr.xml", "<tabs><tabprop key='old' index='5' tip='gone' systab='0'/></tabs>");
    tabattr a("A", 0, "Tab A", true);
    tabattr b("B", 1, "Tab B", false);
    {
        TabManager manager;
        wxList list;
        list.Append(&a);
        list.Append(&b);
        manager.SaveTabAttr(list);
        EXPECT_NE(manager.GetTabAttr("old"), nullptr) << "the manager's list is not changed";
    }
    wxXmlDocument doc;
    ASSERT_TRUE(doc.Load("config/tabattr.xml"));
    const wxXmlNode* first = doc.GetRoot()->GetChildren();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetName(), "tabprop");
    EXPECT_EQ(first->GetAttribute("key"), "B");
    EXPECT_EQ(first->GetNext()->GetAttribute("key"), "A");
    EXPECT_EQ(first->GetNext()->GetNext(), nullptr);
    EXPECT_TRUE(ReadFile("config/tabattr.xml").Contains("key=\"A\" index=\"0\" tip=\"Tab A\" systab=\"1\""));

    TabManager reloaded;
    wxList tabs;
    reloaded.GetAllTabs(tabs);
    EXPECT_EQ(Keys(tabs), "A B");
}

TEST_F(TabConfigTest, EmptySaveRewritesTheLoadedEntries)
{
    WriteFile("config/shortcut.xml", "<shortcuts><shortcutprop key='Mail' index='2'/></shortcuts>");
    {
        TabManager manager;
        manager.SaveShortCutAttr(wxList());
    }
    TabManager reloaded;
    EXPECT_EQ(reloaded.GetShortCutAttr("mail"), 2);
}

TEST_F(TabConfigTest, MissingOrBrokenFilesGiveEmptyListsAndAreNeverCreated)
{
    WriteFile("config/shortcut.xml", "<shortcuts><shortcutprop key='Mail'");
    TabManager manager;
    wxList tabs;
    manager.GetAllTabs(tabs);
    EXPECT_TRUE(tabs.IsEmpty());
    EXPECT_EQ(manager.GetShortCutAttr("Mail"), -1);

    tabattr a("A", 0, "", false);
    wxList list;
    list.Append(&a);
    manager.SaveTabAttr(list);
    EXPECT_FALSE(wxFileExists("config/tabattr.xml"));
    shortcutattr s("S", 1);
    wxList shortcuts;
    shortcuts.Append(&s);
    manager.SaveShortCutAttr(shortcuts);
    EXPECT_EQ(ReadFile("config/shortcut.xml"), "<shortcuts><shortcutprop key='Mail'");
}

} // anonymous namespace
