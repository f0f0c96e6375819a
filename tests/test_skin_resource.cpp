#include "testsupport.h"

#include <kelctrls/platform/skinengine.h>
#include <kelctrls/skin.h>

#include <wx/dcmemory.h>
#include <wx/filefn.h>

using kel::test::TempCwdTest;

namespace
{

class SkinResourceTest : public TempCwdTest
{
protected:
    KelSkinResource* skin = KelSkinResource::GetInstance();

    void TearDown() override
    {
        skin->Release();
        TempCwdTest::TearDown();
    }

    bool Load(const wxString& xml)
    {
        WriteFile("skin.xml", xml);
        return skin->LoadResource(PathOf("skin.xml"));
    }

    void WriteBmp(const wxString& relative, const wxColour& colour)
    {
        wxImage image(6, 4);
        image.SetRGB(wxRect(0, 0, 6, 4), colour.Red(), colour.Green(), colour.Blue());
        ASSERT_TRUE(image.SaveFile(PathOf(relative), wxBITMAP_TYPE_BMP));
    }
};

TEST_F(SkinResourceTest, RootMustBeNamedResourceExactly)
{
    EXPECT_FALSE(Load("<Resource><colours><c id='a' value='#FF0000'/></colours></Resource>"));
    EXPECT_EQ(skin->GetColour("a"), wxColour(0, 0, 0));

    EXPECT_TRUE(Load("<resource/>"));
    EXPECT_FALSE(Load("<resource><unclosed></resource>"));
    EXPECT_FALSE(skin->LoadResource(PathOf("missing.xml")));
}

TEST_F(SkinResourceTest, SectionsAreMatchedWithoutCaseAndAllOccurrencesCount)
{
    ASSERT_TRUE(Load("<resource>"
                     "<COLOURS><c id='red' value='#FF0000'/></COLOURS>"
                     "<other><c id='skipped' value='#00FF00'/></other>"
                     "<Bitmaps><b id='one' path='one.bmp'/></Bitmaps>"
                     "<bitmaps><b id='two' path='two.bmp'/></bitmaps>"
                     "</resource>"));
    WriteBmp("one.bmp", *wxRED);
    WriteBmp("two.bmp", *wxBLUE);

    EXPECT_EQ(skin->GetColour("red"), wxColour(255, 0, 0));
    EXPECT_EQ(skin->GetColour("skipped"), wxColour(0, 0, 0));
    EXPECT_TRUE(skin->GetBitmap("one").IsOk());
    EXPECT_TRUE(skin->GetBitmap("two").IsOk());
}

TEST_F(SkinResourceTest, FirstColourWinsButLastFontAndBitmapWin)
{
    ASSERT_TRUE(Load("<resource>"
                     "<colours><c id='k' value='#FF0000'/><c id='k' value='#0000FF'/></colours>"
                     "<fonts><f id='k' value='Tahoma,9'/><f id='k' value='Courier,14'/></fonts>"
                     "<bitmaps><b id='k' path='red.bmp'/><b id='k' path='blue.bmp'/></bitmaps>"
                     "</resource>"));
    WriteBmp("red.bmp", *wxRED);
    WriteBmp("blue.bmp", *wxBLUE);

    EXPECT_EQ(skin->GetColour("k"), wxColour(255, 0, 0));
    EXPECT_EQ(skin->GetFont("k").GetFaceName(), "Courier");
    EXPECT_EQ(skin->GetFont("k").GetPointSize(), 14);
    const wxImage image = skin->GetBitmap("k").ConvertToImage();
    EXPECT_EQ(kel::test::PixelAt(image, 1, 1), wxColour(0, 0, 255));
}

TEST_F(SkinResourceTest, TheWindowSkinEngineTakesTheColoursOfALoadedSkin)
{
    ASSERT_TRUE(Load("<resource><colours><c id='color_win_bk' value='#102030'/>"
                     "<c id='color_caption_text' value='#405060'/></colours></resource>"));
    EXPECT_EQ(SkinWindowEngine::Get()->GetColours().background, wxColour(0x10, 0x20, 0x30));
    EXPECT_EQ(SkinWindowEngine::Get()->GetColours().captionText, wxColour(0x40, 0x50, 0x60));
}

TEST_F(SkinResourceTest, ColourValues)
{
    ASSERT_TRUE(Load("<resource><colours>"
                     "<c id='hash' value='#FF0000'/>"
                     "<c id='rgb' value='RGB(0, 128, 255)'/>"
                     "<c id='named' value='yellow'/>"
                     "<c id='bad' value='no such colour'/>"
                     "<c value='#010203'/>"
                     "</colours></resource>"));

    EXPECT_EQ(skin->GetColour("hash"), wxColour(255, 0, 0));
    EXPECT_EQ(skin->GetColour("rgb"), wxColour(0, 128, 255));
    EXPECT_EQ(skin->GetColour("named"), wxColour(255, 255, 0));
    EXPECT_FALSE(skin->GetColour("bad").IsOk());

    const wxColour absent = skin->GetColour("absent");
    EXPECT_TRUE(absent.IsOk());
    EXPECT_EQ(absent, wxColour(0, 0, 0));
    EXPECT_EQ(absent.Alpha(), wxALPHA_OPAQUE);

    EXPECT_EQ(skin->GetColour(""), wxColour(1, 2, 3));
}

TEST_F(SkinResourceTest, FontDescriptions)
{
    ASSERT_TRUE(Load("<resource><fonts>"
                     "<f id='bold' value='Tahoma,9,2'/>"
                     "<f id='odd' value='Tahoma,9,5'/>"
                     "<f id='light' value='Tahoma,12,1'/>"
                     "<f id='face' value='Tahoma'/>"
                     "<f id='empty' value=''/>"
                     "<f id='gap' value='Arial,,2'/>"
                     "<f id='trailing' value='Arial,11,'/>"
                     "<f id='padded' value='Arial, +13,2,ignored'/>"
                     "<f id='huge' value='Arial,222222222,2'/>"
                     "<f id='beyond' value='Arial,4294967297'/>"
                     "<f id='negative' value='Arial,-12'/>"
                     "</fonts></resource>"));
    const wxFont normal = *wxNORMAL_FONT;

    const wxFont bold = skin->GetFont("bold");
    EXPECT_TRUE(bold.IsOk());
    EXPECT_EQ(bold.GetFaceName(), "Tahoma");
    EXPECT_EQ(bold.GetPointSize(), 9);
    EXPECT_EQ(bold.GetWeight(), wxFONTWEIGHT_BOLD);

    EXPECT_EQ(skin->GetFont("odd").GetWeight(), wxFONTWEIGHT_NORMAL);
    EXPECT_EQ(skin->GetFont("light").GetWeight(), wxFONTWEIGHT_LIGHT);

    const wxFont face = skin->GetFont("face");
    EXPECT_EQ(face.GetFaceName(), "Tahoma");
    EXPECT_EQ(face.GetPointSize(), normal.GetPointSize());

    EXPECT_EQ(skin->GetFont("empty"), normal);

    const wxFont gap = skin->GetFont("gap");
    EXPECT_EQ(gap.GetPointSize(), normal.GetPointSize());
    EXPECT_EQ(gap.GetWeight(), wxFONTWEIGHT_BOLD);

    EXPECT_EQ(skin->GetFont("trailing").GetPointSize(), 11);
    EXPECT_EQ(skin->GetFont("padded").GetPointSize(), 13);
    EXPECT_EQ(skin->GetFont("padded").GetWeight(), wxFONTWEIGHT_BOLD);

    // Sizes no window could use keep the normal size.
    EXPECT_EQ(skin->GetFont("huge").GetPointSize(), normal.GetPointSize());
    EXPECT_EQ(skin->GetFont("huge").GetWeight(), wxFONTWEIGHT_BOLD);
    EXPECT_EQ(skin->GetFont("beyond").GetPointSize(), normal.GetPointSize());
    EXPECT_EQ(skin->GetFont("negative").GetPointSize(), normal.GetPointSize());

    EXPECT_EQ(skin->GetFont("absent"), normal);
}

TEST_F(SkinResourceTest, BitmapsLoadLazilyAndRetryUntilTheFileAppears)
{
    ASSERT_TRUE(Load("<resource><bitmaps><b id='late' path='late.bmp'/></bitmaps>"
                     "<icons><i id='nope' path='nope.ico'/></icons></resource>"));

    EXPECT_FALSE(skin->GetBitmap("late").IsOk());
    WriteBmp("late.bmp", *wxGREEN);
    const wxBitmap loaded = skin->GetBitmap("late");
    ASSERT_TRUE(loaded.IsOk());
    EXPECT_EQ(loaded.GetWidth(), 6);

    // Cached: removing the file no longer matters.
    wxRemoveFile(PathOf("late.bmp"));
    EXPECT_TRUE(skin->GetBitmap("late").IsOk());

    EXPECT_FALSE(skin->GetBitmap("absent").IsOk());
    EXPECT_FALSE(skin->GetIcon("nope").IsOk());
    EXPECT_FALSE(skin->GetIcon("absent").IsOk());
}

TEST_F(SkinResourceTest, IconsAreReadFromIcoFiles)
{
    wxImage image(16, 16);
    image.SetRGB(wxRect(0, 0, 16, 16), 10, 20, 30);
    ASSERT_TRUE(image.SaveFile(PathOf("app.ico"), wxBITMAP_TYPE_ICO));
    WriteFile("broken.ico", "not an icon");
    ASSERT_TRUE(Load("<resource><icons><i id='app' path='app.ico'/><i id='broken' path='broken.ico'/>"
                     "</icons></resource>"));

    const wxIcon icon = skin->GetIcon("app");
    ASSERT_TRUE(icon.IsOk());
    EXPECT_EQ(icon.GetWidth(), 16);
    EXPECT_FALSE(skin->GetIcon("broken").IsOk());
}

TEST_F(SkinResourceTest, AFailedLoadLeavesTheStoreEmpty)
{
    ASSERT_TRUE(Load("<resource><colours><c id='k' value='#FF0000'/></colours>"
                     "<fonts><f id='k' value='Tahoma,20'/></fonts></resource>"));
    ASSERT_EQ(skin->GetColour("k"), wxColour(255, 0, 0));

    EXPECT_FALSE(skin->LoadResource(PathOf("missing.xml")));
    EXPECT_EQ(skin->GetColour("k"), wxColour(0, 0, 0));
    EXPECT_EQ(skin->GetFont("k"), *wxNORMAL_FONT);
}

TEST_F(SkinResourceTest, EntriesWithoutIdLandUnderTheEmptyKeyAndCommentsCount)
{
    ASSERT_TRUE(Load("<resource><colours><!-- a comment --></colours>"
                     "<bitmaps><b path='x.bmp'/></bitmaps></resource>"));
    WriteBmp("x.bmp", *wxRED);
    EXPECT_TRUE(skin->GetBitmap("").IsOk());
    // The comment is an entry without a value: an invalid colour, where an
    // absent key would give valid black.
    EXPECT_FALSE(skin->GetColour("").IsOk());
}

TEST_F(SkinResourceTest, BitmapKeysAlsoReadPngFiles)
{
    wxImage image(5, 3);
    image.SetRGB(wxRect(0, 0, 5, 3), 0, 200, 0);
    ASSERT_TRUE(image.SaveFile(PathOf("face.png"), wxBITMAP_TYPE_PNG));
    ASSERT_TRUE(Load("<resource><bitmaps><b id='face' path='face.png'/></bitmaps></resource>"));

    const wxBitmap face = skin->GetBitmap("face");
    ASSERT_TRUE(face.IsOk());
    EXPECT_EQ(face.GetWidth(), 5);
    EXPECT_EQ(kel::test::PixelAt(face.ConvertToImage(), 2, 1), wxColour(0, 200, 0));
}

TEST_F(SkinResourceTest, CopiesHandedOutSurviveAReload)
{
    WriteBmp("a.bmp", *wxRED);
    ASSERT_TRUE(Load("<resource><bitmaps><b id='a' path='a.bmp'/></bitmaps></resource>"));
    const wxBitmap kept = skin->GetBitmap("a");
    ASSERT_TRUE(Load("<resource/>"));
    EXPECT_FALSE(skin->GetBitmap("a").IsOk());
    ASSERT_TRUE(kept.IsOk());
    EXPECT_EQ(kel::test::PixelAt(kept.ConvertToImage(), 0, 0), wxColour(255, 0, 0));
}

TEST(DefaultSkin, DefinesTheWindowKeysWithReadableImages)
{
    const wxString oldCwd = wxGetCwd();
    ASSERT_TRUE(wxSetWorkingDirectory(kel::test::SourceDataDir()));
    KelSkinResource* skin = KelSkinResource::GetInstance();
    ASSERT_TRUE(skin->LoadResource(KelInstallPath("skins/default/default.xml")));

    EXPECT_NE(skin->GetColour("color_win_bk"), wxColour(0, 0, 0));
    EXPECT_TRUE(skin->GetIcon("ico_taskbar_online").IsOk());

    skin->Release();
    wxSetWorkingDirectory(oldCwd);
}

} // anonymous namespace
