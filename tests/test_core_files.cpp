// What every layer uses: installation paths, atomic file writing and markup
// escaping.
#include "testsupport.h"

#include <kelctrls/base.h>

#include <wx/dir.h>
#include <wx/ffile.h>

using kel::test::TempCwdTest;

namespace
{

using CoreFilesTest = TempCwdTest;

TEST_F(CoreFilesTest, InstallPathsMatchExistingComponentsWithoutRegardToCase)
{
    WriteFile("Locale/Images/Select.cur", "x");
    EXPECT_EQ(KelInstallPath("locale\\images\\select.cur"), PathOf("Locale/Images/Select.cur"));
    EXPECT_EQ(KelInstallPath("LOCALE/Images/missing.txt"), PathOf("Locale/Images/missing.txt"));
    EXPECT_EQ(KelInstallPath("Config\\UiRecord.ini"), PathOf("Config/UiRecord.ini"));
    EXPECT_EQ(KelInstallPath(""), m_dir);

    // The exact spelling wins when both exist.
    WriteFile("config/a.ini", "lower");
    WriteFile("CONFIG/a.ini", "upper");
    EXPECT_EQ(KelInstallPath("CONFIG/a.ini"), PathOf("CONFIG/a.ini"));
    EXPECT_EQ(KelInstallPath("config/a.ini"), PathOf("config/a.ini"));
}

TEST_F(CoreFilesTest, AtomicWritesReplaceWholeFilesOrNothing)
{
    ASSERT_TRUE(KelWriteTextAtomically(PathOf("deep/folder/file.txt"), "first"));
    ASSERT_TRUE(
        KelWriteTextAtomically(PathOf("deep/folder/file.txt"), wxString::FromUTF8("zweite \xc3\xa9")));
    EXPECT_EQ(ReadFile("deep/folder/file.txt"), wxString::FromUTF8("zweite \xc3\xa9"));

    // A writer that fails half-way leaves the old file as it was.
    EXPECT_FALSE(KelSaveAtomically(PathOf("deep/folder/file.txt"),
                                   [](const wxString& temp)
                                   {
                                       wxFFile file(temp, "wb");
                                       file.Write(wxString("par"));
                                       return false;
                                   }));
    EXPECT_EQ(ReadFile("deep/folder/file.txt"), wxString::FromUTF8("zweite \xc3\xa9"));

    wxArrayString files;
    wxDir::GetAllFiles(PathOf("deep"), &files, wxEmptyString, wxDIR_DEFAULT | wxDIR_HIDDEN);
    EXPECT_EQ(files.size(), 1u) << "no temporary file is left behind";
}

TEST(CoreMarkup, EscapesWhatWouldEndTextOrAnAttribute)
{
    EXPECT_EQ(KelEscapeMarkup("plain text, 'quoted'"), "plain text, 'quoted'");
    EXPECT_EQ(KelEscapeMarkup("<a href=\"x\">R&D</a>"), "&lt;a href=&quot;x&quot;&gt;R&amp;D&lt;/a&gt;");
    EXPECT_EQ(KelEscapeMarkup(wxString::FromUTF8("\xe4\xbd\xa0 & \xe5\xa5\xbd")),
              wxString::FromUTF8("\xe4\xbd\xa0 &amp; \xe5\xa5\xbd"));
}

} // anonymous namespace
