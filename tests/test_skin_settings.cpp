#include "support/testsupport.h"

#include <kelctrls/platform/inifile.h>
#include <kelctrls/skin/language.h>
#include <kelctrls/skin/skinmanager.h>

#include <gtest/gtest.h>

#include <wx/log.h>
#include <wx/xml/xml.h>

namespace
{

// ---------------------------------------------------------------------------
// Languages

class Languages : public LanguageHandler
{
public:
    using LanguageHandler::SaveLanguage;
};

class LanguageTest : public kel::test::TempCwdTest
{
};

const char LANGUAGE_LIST[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<Languages>\n"
    "  <Language id=\"2\" path=\"locale/zh_CN\" name=\"\xe4\xb8\xad\xe6\x96\x87\" select=\"1\" "
    "extra=\"keep\"/>\n"
    "  <Language id=\"1\" path=\"locale/en\" name=\"English\" select=\"0\"/>\n"
    "  <Language id=\"5\" path=\"locale/fr\" name=\"Fran\xc3\xa7"
    "ais\" select=\"1\"/>\n"
    "  <Language id=\"3\" path=\"locale/de\" name=\"Deutsch\"/>\n"
    "  <Language id=\"0\" path=\"locale/zero\" name=\"Zero\"/>\n"
    "  <Language id=\"-4\" path=\"locale/neg\" name=\"Neg\"/>\n"
    "  <Language id=\"abc\" path=\"locale/abc\" name=\"Abc\"/>\n"
    "  <Language id=\"6\" path=\"\" name=\"NoPath\"/>\n"
    "  <language id=\"7\" path=\"locale/lower\" name=\"Lower\"/>\n"
    "  <Language id=\"4294967297\" path=\"locale/wide\" name=\"Wide\" select=\"4294967296\"/>\n"
    "</Languages>\n";

TEST_F(LanguageTest, OnlyValidEntriesAreListed)
{
    WriteFile("locale/Language.xml", wxString::FromUTF8(LANGUAGE_LIST));
    Languages languages;
    wxArrayInt ids;
    ids.Add(99);
    languages.GetLanguages(ids);
    ASSERT_EQ(ids.size(), 4u);
    EXPECT_EQ(ids[0], 1);
    EXPECT_EQ(ids[1], 2);
    EXPECT_EQ(ids[2], 3);
    EXPECT_EQ(ids[3], 5);
    EXPECT_EQ(languages.GetLanguageName(2), wxString::FromUTF8("\xe4\xb8\xad\xe6\x96\x87"));
    EXPECT_EQ(languages.GetLanguageLocal(1), "locale/en");
    EXPECT_EQ(languages.GetLanguageLocal(42), "");
    EXPECT_EQ(languages.GetLanguageName(42), "");
    EXPECT_EQ(languages.GetLanguagePathPrefix(), "locale");

    wxArrayInt again;
    languages.GetLanguages(again);
    EXPECT_EQ(again.size(), 4u) << "lookups of unknown ids add nothing";
}

TEST_F(LanguageTest, TwoSelectedLanguagesAndSettingAThird)
{
    WriteFile("locale/Language.xml", wxString::FromUTF8(LANGUAGE_LIST));
    {
        Languages languages;
        EXPECT_EQ(languages.GetSelected(), 2);
        languages.SetSelected(1);
        EXPECT_EQ(languages.GetSelected(), 1);
    }
    const wxString written = ReadFile("locale/Language.xml");
    EXPECT_TRUE(written.Contains("id=\"1\" path=\"locale/en\" name=\"English\" select=\"1\""));
    EXPECT_TRUE(written.Contains("select=\"0\" extra=\"keep\"")) << written;
    EXPECT_TRUE(written.Contains(wxString::FromUTF8("id=\"5\" path=\"locale/fr\" name=\"Fran\xc3\xa7"
                                                    "ais\" select=\"1\"")));
    EXPECT_TRUE(written.Contains("id=\"0\" path=\"locale/zero\""));
    EXPECT_TRUE(
        written.Contains("id=\"4294967297\" path=\"locale/wide\" name=\"Wide\" select=\"4294967296\""))
        << "an id beyond an int is nobody's, not language 1's";

    Languages reloaded;
    EXPECT_EQ(reloaded.GetSelected(), 1);
}

TEST_F(LanguageTest, SetSelectedWritesOnlyForARealChange)
{
    WriteFile("locale/Language.xml", wxString::FromUTF8(LANGUAGE_LIST));
    Languages languages;
    ASSERT_TRUE(wxRemoveFile("locale/Language.xml"));
    languages.SetSelected(2);  // already selected
    languages.SetSelected(42); // not listed
    EXPECT_FALSE(wxFileExists("locale/Language.xml"));
    languages.SetSelected(3); // the file is gone: nothing to write into
    EXPECT_EQ(languages.GetSelected(), 3);
    EXPECT_FALSE(wxFileExists("locale/Language.xml"));
}

TEST_F(LanguageTest, MissingSelectAttributeIsNotAdded)
{
    WriteFile("locale/Language.xml", wxString::FromUTF8(LANGUAGE_LIST));
    {
        Languages languages;
        languages.SetSelected(3);
    }
    EXPECT_TRUE(
        ReadFile("locale/Language.xml").Contains("<Language id=\"3\" path=\"locale/de\" name=\"Deutsch\"/>"));
    Languages reloaded;
    EXPECT_EQ(reloaded.GetSelected(), 5) << "German was never written as selected";
}

TEST_F(LanguageTest, BrokenOrMissingListsGiveNoLanguages)
{
    for (const char* text :
         {"", "<Languages><Language id='1' path='x'", "<languages><Language id='1' path='x'/></languages>"})
    {
        WriteFile("locale/Language.xml", text);
        Languages languages;
        wxArrayInt ids;
        languages.GetLanguages(ids);
        EXPECT_TRUE(ids.empty()) << text;
        EXPECT_EQ(languages.GetSelected(), -1);
        EXPECT_FALSE(languages.SaveLanguage());
        EXPECT_EQ(ReadFile("locale/Language.xml"), text);
    }
}

TEST_F(LanguageTest, AListBrokenOrGoneBeforeSavingIsReported)
{
    WriteFile("locale/Language.xml", wxString::FromUTF8(LANGUAGE_LIST));
    Languages languages;

    WriteFile("locale/Language.xml", "<Languages><Language id='1'");
    {
        kel::test::LogCollector log;
        EXPECT_FALSE(languages.SaveLanguage());
        EXPECT_FALSE(log.errors.empty()) << "a broken list";
    }
    EXPECT_EQ(ReadFile("locale/Language.xml"), "<Languages><Language id='1'");

    ASSERT_TRUE(wxRemoveFile("locale/Language.xml"));
    {
        kel::test::LogCollector log;
        languages.SetSelected(3);
        EXPECT_FALSE(log.errors.empty()) << "a missing list";
    }
    EXPECT_FALSE(wxFileExists("locale/Language.xml"));

    WriteFile("locale/Language.xml", "<languages/>");
    kel::test::LogCollector log;
    EXPECT_FALSE(languages.SaveLanguage());
    EXPECT_TRUE(log.errors.empty()) << "another root is refused without a message";
}

class ShowSettingTest : public kel::test::TempCwdTest
{
protected:
    void TearDown() override
    {
        KelBaseShowSetting::GetInstance()->Release();
        kel::test::TempCwdTest::TearDown();
    }
};

TEST_F(ShowSettingTest, FirstValueOfAKeyWinsUntilRelease)
{
    WriteFile("a.xml", "<baseinfo><title value='Kel Messenger'/><title value='dup'/>"
                       "<noValue/><company value='Kel'/></baseinfo>");
    WriteFile("b.xml", "<baseinfo><title value='Other'/><phone value='110'/></baseinfo>");
    KelBaseShowSetting* settings = KelBaseShowSetting::GetInstance();
    settings->LoadSetting(wxGetCwd() + "/a.xml");
    settings->LoadSetting(wxGetCwd() + "/b.xml");
    EXPECT_EQ(settings->GetShowContent("title"), "Kel Messenger");
    EXPECT_EQ(settings->GetShowContent("phone"), "110");
    EXPECT_EQ(settings->GetShowContent("noValue"), "");
    EXPECT_EQ(settings->GetShowContent("Title"), "") << "keys are case-sensitive";

    settings->Release();
    EXPECT_EQ(settings->GetShowContent("company"), "");
    settings->LoadSetting(wxGetCwd() + "/b.xml");
    EXPECT_EQ(settings->GetShowContent("title"), "Other");
}

TEST_F(ShowSettingTest, WrongRootOrMissingFileAddsNothing)
{
    WriteFile("wrong.xml", "<BaseInfo><title value='x'/></BaseInfo>");
    KelBaseShowSetting* settings = KelBaseShowSetting::GetInstance();
    settings->LoadSetting(wxGetCwd() + "/wrong.xml");
    settings->LoadSetting(wxGetCwd() + "/missing.xml");
    EXPECT_EQ(settings->GetShowContent("title"), "");
}

// ---------------------------------------------------------------------------
// Skin catalogue

class SkinCatalogueTest : public kel::test::TempCwdTest
{
protected:
    void WriteSkin(const wxString& file, int id, const wxString& res, const wxString& config, bool selected,
                   const wxString& extra = wxString())
    {
        WriteFile("skins/" + file,
                  wxString::Format("[SKIN]\nskin_id=%d\nskin_title=Skin %d\nskin_res=%s\n"
                                   "skin_config=%s\nskin_bitmap=skins/%d.bmp\nskin_desc=Desc %d\n"
                                   "skin_select=%d\n%s",
                                   id, id, res, config, id, id, selected ? 1 : 0, extra));
    }

    void TearDown() override
    {
        KelSkinManager::GetInstance()->Release();
        kel::test::TempCwdTest::TearDown();
    }

    static bool FileSaysSelected(const wxString& file)
    {
        wxIniFileEx ini(wxGetCwd() + "/skins/" + file);
        return ini.GetBool("SKIN", "skin_select", false);
    }
};

TEST_F(SkinCatalogueTest, OnlyCompleteSkinFilesAreListed)
{
    WriteSkin("a_blue.skin", 1, "skins/blue.xml", "skins/blue.cfg", false, "skin_menu=skins/blue_menu.xml\n");
    WriteSkin("b_green.skin", 2, "skins/green.xml", "skins/green.cfg", true);
    WriteSkin("c_nores.skin", 3, "", "skins/x.cfg", false);
    WriteSkin("d_noconfig.skin", 4, "skins/x.xml", "", false);
    WriteSkin("e_zero.skin", 0, "skins/x.xml", "skins/x.cfg", false);
    WriteSkin("f_other.txt", 5, "skins/x.xml", "skins/x.cfg", false);
    WriteSkin("g_night.skin.bak", 6, "skins/x.xml", "skins/x.cfg", false);
    WriteSkin("h_upper.SKIN", 7, "skins/upper.xml", "skins/upper.cfg", false);

    KelSkinManager* manager = KelSkinManager::GetInstance();
    manager->Load("skins");
    wxArrayInt ids;
    manager->GetSkinList(ids);
    ASSERT_EQ(ids.size(), 3u);
    EXPECT_EQ(ids[0], 1);
    EXPECT_EQ(ids[1], 2);
    EXPECT_EQ(ids[2], 7) << "the extension is matched without regard to case";

    const SkinInfo* blue = manager->GetSkinInfo(1);
    ASSERT_NE(blue, nullptr);
    EXPECT_EQ(blue->GetTitle(), "Skin 1");
    EXPECT_EQ(blue->GetResourse(), "skins/blue.xml");
    EXPECT_EQ(blue->GetSkinConfig(), "skins/blue.cfg");
    EXPECT_EQ(blue->GetBriefBitmap(), "skins/1.bmp");
    EXPECT_EQ(blue->GetSkinMenuFile(), "skins/blue_menu.xml");
    EXPECT_FALSE(blue->GetSelected());
    EXPECT_EQ(manager->GetSkinInfo(3), nullptr);
    EXPECT_EQ(manager->GetSelectedSkin(), 2);

    manager->Load("skins");
    ids.clear();
    manager->GetSkinList(ids);
    EXPECT_EQ(ids.size(), 6u) << "loading twice lists the skins twice";
    manager->ReLoad();
    ids.clear();
    manager->GetSkinList(ids);
    EXPECT_EQ(ids.size(), 3u);
}

TEST_F(SkinCatalogueTest, SelectionIsWrittenOnlyForChangedSkins)
{
    WriteSkin("a.skin", 1, "r1", "c1", false, "skin_menu=menu1.xml\n");
    WriteSkin("b.skin", 2, "r2", "c2", false);
    WriteSkin("c.skin", 2, "r2b", "c2b", false);
    KelSkinManager* manager = KelSkinManager::GetInstance();
    manager->Load("skins");

    EXPECT_EQ(manager->GetSelectedSkin(), 1) << "the first skin stands in";
    EXPECT_TRUE(manager->GetSkinInfo(1)->GetSelected());
    EXPECT_FALSE(FileSaysSelected("a.skin")) << "only in memory";

    const wxString untouched = ReadFile("skins/a.skin");
    ASSERT_TRUE(wxRemoveFile("skins/a.skin"));
    EXPECT_TRUE(manager->SelectSkin(1));
    EXPECT_FALSE(wxFileExists("skins/a.skin")) << "an unchanged skin is not written";
    WriteFile("skins/a.skin", untouched);

    EXPECT_TRUE(manager->SelectSkin(2));
    EXPECT_EQ(manager->GetSkinInfo(2)->GetResourse(), "r2") << "the first skin of an id";
    EXPECT_FALSE(FileSaysSelected("a.skin"));
    EXPECT_TRUE(FileSaysSelected("b.skin"));
    EXPECT_TRUE(FileSaysSelected("c.skin")) << "both skins of the id are selected";
    EXPECT_TRUE(ReadFile("skins/a.skin").Contains("menu1.xml")) << "skin_menu survives Save";

    EXPECT_TRUE(manager->SelectSkin(77));
    EXPECT_FALSE(FileSaysSelected("b.skin"));
    EXPECT_FALSE(FileSaysSelected("c.skin"));
    EXPECT_EQ(manager->GetSelectedSkin(), 1);
}

TEST_F(SkinCatalogueTest, EmptyOrMissingFolder)
{
    KelSkinManager* manager = KelSkinManager::GetInstance();
    manager->Load("no-such-folder");
    wxArrayInt ids;
    manager->GetSkinList(ids);
    EXPECT_TRUE(ids.empty());
    EXPECT_EQ(manager->GetSelectedSkin(), -1);
    EXPECT_EQ(manager->GetSkinInfo(1), nullptr);

    SkinInfo info;
    EXPECT_FALSE(info.Load(wxGetCwd() + "/skins/missing.skin"));
}

TEST_F(SkinCatalogueTest, SectionItemWalksTheEntriesOfOneSection)
{
    WriteFile("walk.ini", "[SKIN]\nskin_id=3\n; a comment\nskin_title=Night\n[OTHER]\nx=1\n");
    wxIniFileEx ini(PathOf("walk.ini"));
    wxString seen;
    for (SectionItem item(&ini, "skin"); item.IsOk(); item.GetNext())
        seen += item.GetKey() + "=" + item.GetValue() + ";";
    EXPECT_EQ(seen, "skin_id=3;skin_title=Night;");

    SectionItem item(&ini, "OTHER");
    const SectionItem last = item.GetNext();
    EXPECT_FALSE(last.IsOk());
    EXPECT_EQ(last.GetKey(), "");
    EXPECT_FALSE(SectionItem(&ini, "missing").IsOk());
    EXPECT_FALSE(SectionItem().IsOk());
    EXPECT_FALSE(SectionItem(nullptr, "SKIN").IsOk());
}

} // anonymous namespace
