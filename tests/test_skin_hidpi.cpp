// Skin art at a display scale of 2 (this program runs with GDK_SCALE=2): the
// skin store's choice between an image's "@2x" variant and its enlargement,
// and what reaches the screen from a skinned button, a face in the chat text
// and the icons of a tree: twice the pixels, the colours of the art drawn for
// the scale, and edges one device pixel sharp. The screen grab of the capture
// dialog reads those pixels back.
#include "testsupport.h"

#include <kelctrls/controls.h>
#include <kelctrls/dialogs.h>
#include <kelctrls/richtext.h>
#include <kelctrls/skin.h>
#include <kelctrls/treelistctrl.h>

#include <wx/frame.h>
#include <wx/imaglist.h>
#include <wx/panel.h>
#include <wx/quantize.h>

#include <memory>

using namespace kel::test;

namespace
{

const wxColour Red(220, 30, 30);
const wxColour Blue(30, 60, 220);
const wxColour Green(30, 200, 60);
const wxColour White(255, 255, 255);

// An image of `size` whose left half is `left` and right half `right`.
wxImage Halves(const wxSize& size, const wxColour& left, const wxColour& right)
{
    wxImage image(size);
    image.SetRGB(wxRect(0, 0, size.x / 2, size.y), left.Red(), left.Green(), left.Blue());
    image.SetRGB(wxRect(size.x / 2, 0, size.x - size.x / 2, size.y), right.Red(), right.Green(),
                 right.Blue());
    return image;
}

// The colours along row `y` within `span`, each run of equal pixels once: a
// sharp edge between two colours has no third colour between them.
std::vector<wxColour> RowColours(const wxImage& image, int y, const wxRect& span)
{
    std::vector<wxColour> colours;
    for (int x = span.x; x < span.GetRight() + 1; ++x)
    {
        const wxColour c = PixelAt(image, x, y);
        if (colours.empty() || colours.back() != c)
            colours.push_back(c);
    }
    return colours;
}

// The first column of row `y` showing `colour`, or -1.
int FirstColumnOf(const wxImage& image, int y, const wxColour& colour, int tolerance = 0)
{
    for (int x = 0; x < image.GetWidth(); ++x)
        if (NearColour(PixelAt(image, x, y), colour, tolerance))
            return x;
    return -1;
}

class ScaleTwoTest : public TempCwdTest
{
protected:
    void SetUp() override
    {
        TempCwdTest::SetUp();
        wxFileName::Mkdir(PathOf("img"), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
        WriteFile("skin.xml", "<resource><bitmaps>"
                              "<item id=\"drawn\" path=\"img/drawn.bmp\"/>"
                              "<item id=\"plain\" path=\"img/plain.bmp\"/>"
                              "<item id=\"odd\" path=\"img/odd.bmp\"/>"
                              "<item id=\"missing\" path=\"img/none.bmp\"/>"
                              "</bitmaps></resource>");
        SaveBmp("img/drawn.bmp", Halves(wxSize(20, 10), Red, Red));
        SaveBmp("img/drawn@2x.bmp", Halves(wxSize(40, 20), Blue, Green));
        SaveBmp("img/plain.bmp", Halves(wxSize(20, 10), Blue, Green));
        SaveBmp("img/odd.bmp", Halves(wxSize(20, 10), Red, Red));
        SaveBmp("img/odd@2x.bmp", Halves(wxSize(30, 15), Blue, Green));
        ASSERT_TRUE(Skin()->LoadResource("skin.xml"));
    }

    void TearDown() override
    {
        Skin()->Release();
        TempCwdTest::TearDown();
    }

    static KelSkinResource* Skin() { return KelSkinResource::GetInstance(); }

    void SaveBmp(const wxString& relative, const wxImage& image) const
    {
        ASSERT_TRUE(image.SaveFile(PathOf(relative), wxBITMAP_TYPE_BMP));
    }

    // A frame on the screen, on a white panel.
    wxPanel* ShowPanel()
    {
        m_frame = new wxFrame(nullptr, wxID_ANY, "hidpi", wxPoint(10, 10), wxSize(300, 220));
        wxPanel* panel = new wxPanel(m_frame);
        panel->SetBackgroundColour(*wxWHITE);
        ShowAndWait(m_frame);
        return panel;
    }

    void DestroyFrame()
    {
        if (m_frame)
            m_frame->Destroy();
        m_frame = nullptr;
        Pump(20);
    }

    wxFrame* m_frame = nullptr;
};

TEST_F(ScaleTwoTest, TheDisplayRunsAtScaleTwo)
{
    // Every other test here means nothing at scale 1.
    wxPanel* panel = ShowPanel();
    EXPECT_EQ(panel->GetDPIScaleFactor(), 2.0);
    EXPECT_EQ(CaptureWindow(panel).GetSize(), panel->GetClientSize() * 2);
    DestroyFrame();
}

TEST_F(ScaleTwoTest, DoubleScaleTakesTheDrawnVariantElseEnlargesPixelForPixel)
{
    // Scale 1 is the image the resource file names, as GetBitmap gives it.
    const wxBitmapBundle drawn = Skin()->GetBitmapBundle("drawn");
    ASSERT_TRUE(drawn.IsOk());
    EXPECT_EQ(drawn.GetDefaultSize(), wxSize(20, 10));
    EXPECT_EQ(PixelAt(drawn.GetBitmap(wxSize(20, 10)).ConvertToImage(), 15, 5), Red);
    EXPECT_EQ(Skin()->GetBitmap("drawn").GetSize(), wxSize(20, 10));

    // Scale 2 is the variant beside it, not the scale-1 image enlarged.
    EXPECT_EQ(drawn.GetPreferredBitmapSizeAtScale(2), wxSize(40, 20));
    const wxImage twice = drawn.GetBitmap(wxSize(40, 20)).ConvertToImage();
    EXPECT_EQ(CountPixels(twice, Blue, wxRect(0, 0, 20, 20)), 400);
    EXPECT_EQ(CountPixels(twice, Green, wxRect(20, 0, 20, 20)), 400);

    // Without a variant the scale-1 image is enlarged with hard edges: each
    // pixel becomes a 2 x 2 block, and no blend of the two colours appears.
    const wxImage enlarged = Skin()->GetBitmapBundle("plain").GetBitmap(wxSize(40, 20)).ConvertToImage();
    EXPECT_EQ(CountPixels(enlarged, Blue), 400);
    EXPECT_EQ(CountPixels(enlarged, Green), 400);

    // A variant of the wrong size is no variant.
    const wxImage odd = Skin()->GetBitmapBundle("odd").GetBitmap(wxSize(40, 20)).ConvertToImage();
    EXPECT_EQ(CountPixels(odd, Red), 800);

    // Keys without a readable image give an empty bundle.
    EXPECT_FALSE(Skin()->GetBitmapBundle("missing").IsOk());
    EXPECT_FALSE(Skin()->GetBitmapBundle("undefined").IsOk());
}

TEST_F(ScaleTwoTest, LoadingAnotherSkinForgetsTheBundlesOfTheOld)
{
    ASSERT_TRUE(Skin()->GetBitmapBundle("drawn").IsOk());
    WriteFile("other.xml",
              "<resource><bitmaps><item id=\"drawn\" path=\"img/plain.bmp\"/></bitmaps></resource>");
    ASSERT_TRUE(Skin()->LoadResource("other.xml"));
    const wxImage twice = Skin()->GetBitmapBundle("drawn").GetBitmap(wxSize(40, 20)).ConvertToImage();
    EXPECT_EQ(CountPixels(twice, Blue), 400);
}

TEST_F(ScaleTwoTest, SkinnedButtonDrawsTheDoubleScaleFaceSharp)
{
    wxPanel* panel = ShowPanel();
    KBitmapButton* button =
        new KBitmapButton(panel, wxID_ANY, Skin()->GetBitmapBundle("drawn"), wxPoint(20, 20));
    Pump(100);
    // Laid out in window units as at scale 1; the face getter hands out the
    // bitmap drawn for the scale.
    EXPECT_EQ(button->GetSize(), wxSize(20, 10));
    EXPECT_EQ(button->GetBitmapLabel().GetSize(), wxSize(40, 20));
    EXPECT_EQ(button->GetBitmapLabel().GetScaleFactor(), 2.0);

    ASSERT_TRUE(WaitUntil([&] { return CountPixels(CaptureWindow(button), Blue) > 0; }));
    const wxImage shot = CaptureWindow(button);
    ASSERT_EQ(shot.GetSize(), wxSize(40, 20));
    EXPECT_EQ(CountPixels(shot, Blue, wxRect(0, 0, 20, 20)), 400);
    EXPECT_EQ(CountPixels(shot, Green, wxRect(20, 0, 20, 20)), 400);
    EXPECT_EQ(CountPixels(shot, Red), 0);
    DestroyFrame();
}

TEST_F(ScaleTwoTest, ScreenGrabHoldsEveryDevicePixelOfTheRectangle)
{
    wxPanel* panel = ShowPanel();
    KBitmapButton* button =
        new KBitmapButton(panel, wxID_ANY, Skin()->GetBitmapBundle("drawn"), wxPoint(20, 20));
    ASSERT_TRUE(WaitUntil([&] { return CountPixels(CaptureWindow(button), Blue) == 400; }));

    const wxBitmap grab = KelGrabScreen(button->GetScreenRect());
    EXPECT_EQ(grab.GetScaleFactor(), 2.0);
    EXPECT_EQ(grab.GetLogicalSize(), wxSize(20, 10));
    const wxImage pixels = grab.ConvertToImage();
    ASSERT_EQ(pixels.GetSize(), wxSize(40, 20));
    EXPECT_EQ(CountPixels(pixels, Blue, wxRect(0, 0, 20, 20)), 400);
    EXPECT_EQ(CountPixels(pixels, Green, wxRect(20, 0, 20, 20)), 400);
    DestroyFrame();
}

TEST_F(ScaleTwoTest, TextFacesAreDrawnAtTheScaleOfTheirFace)
{
    wxPanel* panel = ShowPanel();
    KBitmapButton* button = new KBitmapButton(panel, wxID_ANY, Skin()->GetBitmapBundle("drawn"),
                                              wxPoint(20, 20), wxSize(60, 24), wxBU_TEXT | wxBU_AUTO_SCALE);
    button->SetLabel("Go");
    Pump(100);
    const wxBitmap face = button->GetCurrentFace();
    ASSERT_TRUE(face.IsOk());
    EXPECT_EQ(face.GetScaleFactor(), 2.0);
    EXPECT_EQ(face.GetLogicalSize(), wxSize(60, 24));
    EXPECT_EQ(face.GetSize(), wxSize(120, 48));

    // The label is centred in window units: its ink lies around the middle of
    // the face's device pixels, not in its top-left quarter.
    const wxImage image = face.ConvertToImage();
    int left = image.GetWidth(), right = -1;
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
        {
            const wxColour c = PixelAt(image, x, y);
            if (c != Blue && c != Green)
            {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    ASSERT_GE(right, 0);
    EXPECT_NEAR((left + right) / 2.0, 60, 4);
    DestroyFrame();
}

// GIF writing needs a palette (the toolkit's writer has none for an RGB image).
void SaveGif(const wxImage& image, const wxString& path)
{
    wxImage indexed;
    wxPalette* palette = nullptr;
    ASSERT_TRUE(
        wxQuantize::Quantize(image, indexed, &palette, 256, nullptr, wxQUANTIZE_FILL_DESTINATION_IMAGE));
    std::unique_ptr<wxPalette> owned(palette);
    indexed.SetPalette(*palette);
    ASSERT_TRUE(indexed.SaveFile(path, wxBITMAP_TYPE_GIF));
}

TEST_F(ScaleTwoTest, FaceShowsItsDoubleScaleFramesInTheChatText)
{
    SaveGif(Halves(wxSize(12, 12), Red, Red), PathOf("face.gif"));
    SaveGif(Halves(wxSize(24, 24), Blue, Green), PathOf("face@2x.gif"));
    // Without a variant the face is enlarged, with hard edges too.
    SaveGif(Halves(wxSize(12, 12), Red, Red), PathOf("single.gif"));

    wxPanel* panel = ShowPanel();
    KelRichText* text = new KelRichText(panel, wxID_ANY, wxEmptyString, wxPoint(0, 0), wxSize(200, 100),
                                        wxRE_MULTILINE | wxBORDER_NONE);
    text->SetBackgroundColour(*wxWHITE);
    text->WriteAnimation(PathOf("face.gif"), wxANIMATION_TYPE_GIF);
    text->WriteText(" ");
    text->WriteAnimation(PathOf("single.gif"), wxANIMATION_TYPE_GIF);
    // GIF palettes round the colours a little.
    const int tolerance = 4;
    ASSERT_TRUE(WaitUntil([&] { return CountPixels(CaptureWindow(text), Blue, wxRect(), tolerance) > 0; }));

    const wxImage shot = CaptureWindow(text);
    EXPECT_EQ(CountPixels(shot, Blue, wxRect(), tolerance), 12 * 24);
    EXPECT_EQ(CountPixels(shot, Green, wxRect(), tolerance), 12 * 24);
    EXPECT_EQ(CountPixels(shot, Red, wxRect(), tolerance), 24 * 24);

    // Along a row through the face: blue straight into green, no blend between.
    int row = -1;
    for (int y = 0; y < shot.GetHeight() && row < 0; ++y)
        if (FirstColumnOf(shot, y, Blue, tolerance) >= 0)
            row = y + 6;
    const int blueStart = FirstColumnOf(shot, row, Blue, tolerance);
    ASSERT_GE(blueStart, 0);
    const std::vector<wxColour> colours = RowColours(shot, row, wxRect(blueStart - 1, row, 26, 1));
    ASSERT_EQ(colours.size(), 4u);
    EXPECT_TRUE(NearColour(colours[1], Blue, tolerance));
    EXPECT_TRUE(NearColour(colours[2], Green, tolerance));
    EXPECT_EQ(FirstColumnOf(shot, row, Green, tolerance) - blueStart, 12);
    DestroyFrame();
}

TEST_F(ScaleTwoTest, TreeIconsOfDoubleScaleBitmapsKeepTheirLayoutAndPixels)
{
    wxPanel* panel = ShowPanel();
    wxTreeListCtrl* tree = new wxTreeListCtrl(panel, wxID_ANY, wxPoint(0, 0), wxSize(240, 120),
                                              wxTR_HAS_BUTTONS | wxTR_NO_LINES | wxTR_HIDE_HEADER |
                                                  wxTR_HIDE_ROOT_FULL_ROW | wxBORDER_NONE);
    tree->SetBackgroundColour(*wxWHITE);
    wxImageList* images = new wxImageList(16, 16, true);
    wxBitmap icon(Halves(wxSize(32, 32), Blue, Green));
    icon.SetScaleFactor(2);
    images->Add(icon);
    tree->AssignImageList(images);
    tree->AddColumn("name", 200);
    const wxTreeItemId root = tree->AddRoot("root");
    tree->AppendItem(root, "Alice", 0);
    tree->AppendItem(root, "Bob", 0);
    ASSERT_TRUE(WaitUntil([&] { return CountPixels(CaptureWindow(tree), Blue) >= 2 * 16 * 32; }));

    const wxImage shot = CaptureWindow(tree);
    EXPECT_EQ(CountPixels(shot, Blue), 2 * 16 * 32);
    EXPECT_EQ(CountPixels(shot, Green), 2 * 16 * 32);
    // Each icon: 16 device columns of blue, then green at once.
    int row = -1;
    for (int y = 0; y < shot.GetHeight() && row < 0; ++y)
        if (FirstColumnOf(shot, y, Blue) >= 0)
            row = y + 4;
    const int blueStart = FirstColumnOf(shot, row, Blue);
    ASSERT_GE(blueStart, 0);
    EXPECT_EQ(FirstColumnOf(shot, row, Green) - blueStart, 16);
    DestroyFrame();
}

} // namespace
