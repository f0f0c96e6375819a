// The files of the installation folder written while the disk refuses every
// write: each keeps its old content, nothing is left beside it, and the
// failure is reported (a false result, or an error in the log for writers
// without a result).
#include "support/diskfull.h"
#include "support/testsupport.h"

#include <kelctrls/base.h>
#include <kelctrls/controls/tabconfig.h>
#include <kelctrls/dialogs/filedialog.h>
#include <kelctrls/platform/inifile.h>
#include <kelctrls/platform/xml2.h>
#include <kelctrls/skin/language.h>
#include <kelctrls/skin/skinmanager.h>
#include <kelctrls/uistate/uikeeper.h>

#include <gtest/gtest.h>

#include <wx/frame.h>
#include <wx/textctrl.h>
#include <wx/xml/xml.h>

namespace
{

class FailedSaveTest : public kel::test::TempCwdTest
{
protected:
    int SaveChangesNothing(const std::function<void()>& save)
    {
        return kel::test::SaveOnFullDiskChangesNothing(m_dir, save);
    }
};

TEST_F(FailedSaveTest, AtomicHelpers)
{
    WriteFile("a/file.txt", "old text");
    WriteFile("a/doc.xml", "<old/>");
    WriteFile("a/picture.png", "old picture");
    wxXmlDocument doc;
    doc.SetRoot(new wxXmlNode(wxXML_ELEMENT_NODE, "new"));
    const wxImage image(8, 8);
    SaveChangesNothing(
        [&]
        {
            EXPECT_FALSE(KelWriteTextAtomically(PathOf("a/file.txt"), "new text"));
            EXPECT_FALSE(KelSaveXmlAtomically(doc, PathOf("a/doc.xml")));
            EXPECT_FALSE(KelSaveImageAtomically(image, PathOf("a/picture.png"), wxBITMAP_TYPE_PNG));
            EXPECT_FALSE(KelWriteTextAtomically(PathOf("a/new.txt"), "text")) << "no empty file either";
        });

    // A format that cannot hold the image fails before anything is written.
    const auto before = kel::test::FilesBelow(m_dir);
    EXPECT_FALSE(KelSaveImageAtomically(image, PathOf("a/picture.png"), wxBITMAP_TYPE_GIF));
    EXPECT_FALSE(KelSaveImageAtomically(wxImage(), PathOf("a/picture.png"), wxBITMAP_TYPE_PNG));
    EXPECT_TRUE(kel::test::FilesBelow(m_dir) == before);

    ASSERT_TRUE(KelSaveImageAtomically(image, PathOf("a/picture.png"), wxBITMAP_TYPE_PNG));
    EXPECT_EQ(wxImage(PathOf("a/picture.png")).GetSize(), wxSize(8, 8));
}

TEST_F(FailedSaveTest, PlatformIniAndXmlFiles)
{
    WriteFile("settings.ini", "[A]\nkey=old\n");
    WriteFile("tree.xml", "<old/>");
    wxIniFileEx ini(PathOf("settings.ini"));
    ini.SetString("A", "key", "new");
    wxXml2Document doc("tree");
    SaveChangesNothing(
        [&]
        {
            EXPECT_FALSE(ini.SaveFile(PathOf("settings.ini")));
            EXPECT_FALSE(doc.Save(PathOf("tree.xml")));
        });
}

TEST_F(FailedSaveTest, SkinSelection)
{
    WriteFile("skins/a.skin", "[SKIN]\nskin_id=1\nskin_res=r1\nskin_config=c1\nskin_select=1\n");
    WriteFile("skins/b.skin", "[SKIN]\nskin_id=2\nskin_res=r2\nskin_config=c2\nskin_select=0\n");
    KelSkinManager* manager = KelSkinManager::GetInstance();
    manager->Load("skins");
    EXPECT_EQ(SaveChangesNothing([&] { EXPECT_TRUE(manager->SelectSkin(2)); }), 2) << "one error per file";
    manager->Release();
}

class Languages : public LanguageHandler
{
};

TEST_F(FailedSaveTest, LanguageSelection)
{
    WriteFile("locale/Language.xml",
              "<Languages>\n"
              "  <Language id=\"1\" path=\"locale/en\" name=\"English\" select=\"1\"/>\n"
              "  <Language id=\"2\" path=\"locale/de\" name=\"Deutsch\" select=\"0\"/>\n"
              "</Languages>\n");
    Languages languages;
    EXPECT_EQ(SaveChangesNothing([&] { languages.SetSelected(2); }), 1);
}

class TabManager : public KelTabManager
{
};

TEST_F(FailedSaveTest, TabAndShortcutPositions)
{
    WriteFile("config/tabattr.xml", "<tabs><tabprop key='old' index='0'/></tabs>");
    WriteFile("config/shortcut.xml", "<shortcuts><shortcutprop key='old' index='0'/></shortcuts>");
    TabManager manager;
    tabattr tab("new", 1, "New", false);
    shortcutattr shortcut("new", 1);
    wxList tabs;
    tabs.Append(&tab);
    wxList shortcuts;
    shortcuts.Append(&shortcut);
    EXPECT_EQ(SaveChangesNothing(
                  [&]
                  {
                      manager.SaveTabAttr(tabs);
                      manager.SaveShortCutAttr(shortcuts);
                  }),
              2);
}

TEST_F(FailedSaveTest, FileDialogFolders)
{
    WriteFile("CONFIG/fileSelect.ini", "[FILEPATH]\nSAVE_BITMAP=/old\n");
    EXPECT_EQ(SaveChangesNothing([] { KelFileDialog::SetDefaultPath("SAVE_BITMAP", "/new"); }), 1);
}

TEST_F(FailedSaveTest, RememberedInput)
{
    WriteFile("CONFIG/UiRecord.ini", "[TEXTCTRL]\n[TEXTCTRL/search]\nTEXT_VALUE=old\n");
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "keeper");
    wxTextCtrl* text = new wxTextCtrl(frame, wxID_ANY);
    wxUIKeeper::GetInstance()->Attach(new wxTextUIHandler(text, "search"));
    EXPECT_EQ(text->GetValue(), "old");
    text->ChangeValue("new");
    EXPECT_EQ(SaveChangesNothing([&] { wxUIKeeper::GetInstance()->Detach(text); }), 1);
    frame->Destroy();
    kel::test::Pump();
}

} // anonymous namespace
