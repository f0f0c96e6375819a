// The bitmap utility and the image control.
#include "support/testsupport.h"

#include <kelctrls/controls/bitmapctrl.h>

#include <gtest/gtest.h>

#include <wx/dcmemory.h>
#include <wx/filename.h>
#include <wx/frame.h>

using namespace kel::test;

namespace
{

wxColour BitmapPixel(const wxBitmap& bitmap, int x, int y)
{
    return PixelAt(bitmap.ConvertToImage(), x, y);
}

int CountNearPixels(const wxBitmap& bitmap, const wxColour& colour)
{
    return CountPixels(bitmap.ConvertToImage(), colour, wxRect(), 60);
}

// Records where the aligned form places its text.
class RecordingBitmapCtrl : public KelBitmapCtrl
{
public:
    using KelBitmapCtrl::KelBitmapCtrl;

    wxBitmap GetTextBitmap(int x, int y, const wxString& text) override
    {
        placed = wxPoint(x, y);
        return KelBitmapCtrl::GetTextBitmap(x, y, text);
    }
    using KelBitmapCtrl::GetTextBitmap;

    wxSize Extent(const wxString& text)
    {
        wxMemoryDC dc;
        dc.SetFont(GetFont());
        return dc.GetTextExtent(text);
    }
    int DrawLen(const wxString& text) { return GetStrDrawLen(text); }
    wxFont Font() { return GetFont(); }

    wxPoint placed{-1000, -1000};
};

class BitmapCtrlFiles : public TempCwdTest
{
protected:
    void SetUp() override
    {
        TempCwdTest::SetUp();
        if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
            wxInitAllImageHandlers();
    }

    wxString SavePng(const wxString& name, int w, int h, const wxColour& colour)
    {
        const wxString path = wxFileName(wxGetCwd(), name).GetFullPath();
        EXPECT_TRUE(SolidBitmap(w, h, colour).ConvertToImage().SaveFile(path, wxBITMAP_TYPE_PNG));
        return path;
    }
};

} // namespace

TEST(BitmapCtrl, EmptyObjectsAreAlike)
{
    const KelBitmapCtrl empty;
    const KelBitmapCtrl fromEmptyName("", wxBITMAP_TYPE_PNG);
    for (const KelBitmapCtrl* ctrl : {&empty, &fromEmptyName})
    {
        EXPECT_FALSE(ctrl->IsOk());
        EXPECT_EQ(wxSize(0, 0), ctrl->GetRememberedSize());
        EXPECT_EQ(wxBITMAP_TYPE_ANY, ctrl->GetBitmapType());
    }
    KelBitmapCtrl copy(empty);
    EXPECT_FALSE(copy.GetTextBitmap(0, 0, "x").IsOk());
    EXPECT_FALSE(copy.GetBorderBitmap(1, *wxRED).IsOk());
    EXPECT_FALSE(copy.GetGreyBitmap().IsOk());
    copy.SetSize(0, 0);
    copy.SetSize(wxSize(4, 4));
    EXPECT_FALSE(copy.IsOk());
}

TEST_F(BitmapCtrlFiles, TypeComesFromTheExtensionWhateverItsCase)
{
    const wxString path = SavePng("face.PNG", 6, 4, *wxGREEN);
    KelBitmapCtrl ctrl(path, wxBITMAP_TYPE_ANY);
    EXPECT_TRUE(ctrl.IsOk());
    EXPECT_EQ(wxBITMAP_TYPE_PNG, ctrl.GetBitmapType());
    EXPECT_EQ(wxSize(6, 4), ctrl.GetRememberedSize());
}

TEST_F(BitmapCtrlFiles, UnknownExtensionLoadsThroughTheImageAndKeepsTypeAny)
{
    const wxString path = SavePng("face.data", 3, 5, *wxBLUE);
    KelBitmapCtrl ctrl;
    EXPECT_TRUE(ctrl.LoadBitmap(path, wxBITMAP_TYPE_ANY));
    EXPECT_TRUE(ctrl.IsOk());
    EXPECT_EQ(wxBITMAP_TYPE_ANY, ctrl.GetBitmapType());
    // Loading from a file leaves the remembered size alone.
    EXPECT_EQ(wxSize(0, 0), ctrl.GetRememberedSize());
}

TEST_F(BitmapCtrlFiles, WrongTypeOrMissingFileLeavesAnEmptyPicture)
{
    WriteFile("face.bmp", "not a picture");
    KelBitmapCtrl ctrl("face.bmp", wxBITMAP_TYPE_BMP);
    EXPECT_FALSE(ctrl.IsOk());
    EXPECT_EQ(wxBITMAP_TYPE_ANY, ctrl.GetBitmapType());

    KelBitmapCtrl missing("nowhere.png", wxBITMAP_TYPE_ANY);
    EXPECT_FALSE(missing.IsOk());
    EXPECT_EQ(wxSize(0, 0), missing.GetRememberedSize());
}

TEST(BitmapCtrl, SetSizeZeroGoesBackToTheRememberedSize)
{
    KelBitmapCtrl ctrl(SolidBitmap(30, 20, *wxRED));
    ctrl.SetSize(10, 10);
    EXPECT_EQ(wxSize(10, 10), ctrl.GetBitmap().GetSize());
    ctrl.SetSize(0, 0);
    EXPECT_EQ(wxSize(30, 20), ctrl.GetBitmap().GetSize());
    ctrl.SetSize(wxSize(7, 3));
    EXPECT_EQ(wxSize(7, 3), ctrl.GetBitmap().GetSize());
    EXPECT_EQ(wxSize(30, 20), ctrl.GetRememberedSize());

    EXPECT_EQ(wxSize(4, 5), ctrl.GetBitmap(4, 5).GetSize());
    EXPECT_EQ(wxSize(8, 2), ctrl.GetBitmap(wxSize(8, 2)).GetSize());
    EXPECT_EQ(wxSize(7, 3), ctrl.GetBitmap().GetSize());
}

TEST(BitmapCtrl, CopiesShareEveryField)
{
    KelBitmapCtrl source(SolidBitmap(5, 5, *wxRED));
    source.SetFontColour(*wxGREEN);
    source.SetFont(*wxITALIC_FONT);

    KelBitmapCtrl copy(source);
    KelBitmapCtrl assigned;
    assigned = source;
    KelBitmapCtrl loaded;
    loaded.LoadBitmap(source);
    for (KelBitmapCtrl* ctrl : {&copy, &assigned, &loaded})
    {
        EXPECT_TRUE(ctrl->GetBitmap().IsSameAs(source.GetBitmap()));
        EXPECT_EQ(wxSize(5, 5), ctrl->GetRememberedSize());
        // The green text colour travelled with the copy.
        EXPECT_GT(CountNearPixels(ctrl->GetTextBitmap(0, 0, "WW"), *wxGREEN), 0);
    }
}

TEST(BitmapCtrl, GreyUsesLuminanceWeights)
{
    KelBitmapCtrl ctrl(SolidBitmap(2, 2, wxColour(200, 100, 50)));
    const wxColour grey = BitmapPixel(ctrl.GetGreyBitmap(), 1, 1);
    // 0.299 * 200 + 0.587 * 100 + 0.114 * 50 = 124.2
    EXPECT_TRUE(NearColour(wxColour(124, 124, 124), grey, 1)) << grey.GetAsString();
    EXPECT_TRUE(ctrl.GetIcon().IsOk());
}

TEST(BitmapCtrl, DefaultFontIsEightPoints)
{
    RecordingBitmapCtrl ctrl;
    EXPECT_EQ(8, ctrl.Font().GetPointSize());
    EXPECT_EQ(ctrl.Extent("measure me").x, ctrl.DrawLen("measure me"));

    ctrl.SetFont(14, wxFONTFAMILY_SWISS, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_BOLD);
    EXPECT_EQ(14, ctrl.Font().GetPointSize());
    EXPECT_EQ(wxFONTWEIGHT_BOLD, ctrl.Font().GetWeight());
}

TEST(BitmapCtrl, AlignedTextIsPlacedByTheAlignmentBits)
{
    RecordingBitmapCtrl ctrl(SolidBitmap(100, 20, *wxWHITE));
    const wxString text = "Hi";
    const wxSize t = ctrl.Extent(text);

    struct Case
    {
        unsigned long align;
        wxPoint expected;
    };
    const Case cases[] = {
        {0, wxPoint(0, 0)},
        {KEL_BITMAPTEXT_LEFT | KEL_BITMAPTEXT_RIGHT, wxPoint(0, 0)},
        {KEL_BITMAPTEXT_CENTRE_HORIZONTAL | KEL_BITMAPTEXT_CENTRE_VERTICAL,
         wxPoint((100 - t.x) / 2, (20 - t.y) / 2)},
        {KEL_BITMAPTEXT_RIGHT | KEL_BITMAPTEXT_BOTTOM, wxPoint(100 - t.x, 20 - t.y)},
        {KEL_BITMAPTEXT_RIGHT | KEL_BITMAPTEXT_CENTRE_HORIZONTAL, wxPoint(100 - t.x, 0)},
        {KEL_BITMAPTEXT_TOP | KEL_BITMAPTEXT_BOTTOM | KEL_BITMAPTEXT_CENTRE_HORIZONTAL,
         wxPoint((100 - t.x) / 2, 0)},
        {KEL_BITMAPTEXT_BOTTOM | KEL_BITMAPTEXT_CENTRE_VERTICAL, wxPoint(0, 20 - t.y)},
    };
    for (const Case& c : cases)
    {
        ctrl.GetTextBitmap(text, c.align);
        EXPECT_EQ(c.expected, ctrl.placed) << "align " << c.align;
    }
}

TEST(BitmapCtrl, CentredTextWiderThanThePictureStartsLeftOfIt)
{
    RecordingBitmapCtrl ctrl(SolidBitmap(10, 10, *wxWHITE));
    const wxString text = "A rather long caption";
    const int width = ctrl.Extent(text).x;
    ASSERT_GT(width, 11);
    ctrl.GetTextBitmap(text, KEL_BITMAPTEXT_CENTRE_HORIZONTAL);
    EXPECT_EQ((10 - width) / 2, ctrl.placed.x);
    EXPECT_LT(ctrl.placed.x, 0);
}

TEST(BitmapCtrl, DerivedPicturesLeaveTheHeldOneAlone)
{
    KelBitmapCtrl ctrl(SolidBitmap(20, 12, *wxWHITE));
    ctrl.SetFontColour(*wxRED);

    const wxBitmap text = ctrl.GetTextBitmap(1, 0, "WW");
    EXPECT_GT(CountNearPixels(text, *wxRED), 0);

    const wxBitmap wrapped = ctrl.GetWrapBitmap(3, 4, SolidBitmap(2, 2, *wxBLUE));
    EXPECT_TRUE(NearColour(*wxBLUE, BitmapPixel(wrapped, 3, 4)));
    EXPECT_TRUE(NearColour(*wxBLUE, BitmapPixel(wrapped, 4, 5)));
    EXPECT_TRUE(NearColour(*wxWHITE, BitmapPixel(wrapped, 2, 4)));
    EXPECT_TRUE(NearColour(*wxWHITE, BitmapPixel(wrapped, 5, 6)));

    const wxBitmap framed = ctrl.GetBorderBitmap(2, *wxGREEN);
    EXPECT_TRUE(NearColour(*wxGREEN, BitmapPixel(framed, 0, 6), 60));
    EXPECT_TRUE(NearColour(*wxGREEN, BitmapPixel(framed, 10, 0), 60));
    EXPECT_TRUE(NearColour(*wxGREEN, BitmapPixel(framed, 19, 6), 60));
    EXPECT_TRUE(NearColour(*wxGREEN, BitmapPixel(framed, 10, 11), 60));
    EXPECT_TRUE(NearColour(*wxWHITE, BitmapPixel(framed, 10, 6)));

    EXPECT_EQ(0, CountNearPixels(ctrl.GetBitmap(), *wxRED));
    EXPECT_EQ(0, CountNearPixels(ctrl.GetBitmap(), *wxBLUE));
    EXPECT_EQ(0, CountNearPixels(ctrl.GetBitmap(), *wxGREEN));
}

TEST_F(BitmapCtrlFiles, WrapFromFileDrawsTheFilesPicture)
{
    const wxString path = SavePng("badge.png", 3, 3, *wxBLUE);
    KelBitmapCtrl ctrl(SolidBitmap(10, 10, *wxWHITE));
    const wxBitmap wrapped = ctrl.GetWrapBitmap(7, 7, path, -1);
    EXPECT_TRUE(NearColour(*wxBLUE, BitmapPixel(wrapped, 9, 9)));
    EXPECT_TRUE(NearColour(*wxWHITE, BitmapPixel(wrapped, 6, 6)));
}

// ----------------------------------------------------------------------------
// KelImageCtrl
// ----------------------------------------------------------------------------

class ImageCtrlTest : public BitmapCtrlFiles
{
protected:
    void SetUp() override
    {
        BitmapCtrlFiles::SetUp();
        m_frame = new wxFrame(nullptr, wxID_ANY, "image", wxDefaultPosition, wxSize(300, 300));
        ShowAndWait(m_frame);
    }

    void TearDown() override
    {
        m_frame->Destroy();
        Pump();
        BitmapCtrlFiles::TearDown();
    }

    void SaveDefaultJpg(const wxString& folder, int w, int h, const wxColour& colour)
    {
        wxFileName::Mkdir(folder, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
        ASSERT_TRUE(SolidBitmap(w, h, colour)
                        .ConvertToImage()
                        .SaveFile(wxFileName(folder, "default.jpg").GetFullPath(), wxBITMAP_TYPE_JPEG));
    }

    // Waits for the window to show the colour at the point.
    static bool Shows(wxWindow* window, const wxPoint& at, const wxColour& colour)
    {
        ShowAndWait(window);
        return WaitUntil([&] { return NearColour(colour, PixelAt(CaptureWindow(window), at.x, at.y), 20); });
    }

    wxFrame* m_frame = nullptr;
};

TEST_F(ImageCtrlTest, ShowsDefaultJpgFromTheParentFolderAndInGrey)
{
    const wxString root = wxGetCwd();
    SaveDefaultJpg(root, 120, 120, wxColour(250, 10, 10));
    const wxString inner = wxFileName(root, "inner").GetFullPath();
    wxFileName::Mkdir(inner);
    wxSetWorkingDirectory(inner);

    KelImageCtrl* ctrl = new KelImageCtrl(m_frame, wxID_ANY, "ignored.png", wxPoint(0, 0), wxSize(150, 150));
    wxSetWorkingDirectory(root);
    // Red inside the 80 x 100 area, the control's blue background outside it.
    EXPECT_TRUE(Shows(ctrl, wxPoint(40, 50), wxColour(250, 10, 10)));
    EXPECT_TRUE(Shows(ctrl, wxPoint(120, 50), *wxBLUE));
    EXPECT_TRUE(Shows(ctrl, wxPoint(40, 120), *wxBLUE));

    ctrl->DrawGrey();
    ctrl->DrawGrey();
    EXPECT_TRUE(ctrl->IsGrey());
    // 0.299 * 250 + 0.587 * 10 + 0.114 * 10 = 82
    EXPECT_TRUE(Shows(ctrl, wxPoint(40, 50), wxColour(82, 82, 82)));

    ctrl->DrawImage();
    EXPECT_FALSE(ctrl->IsGrey());
    EXPECT_TRUE(Shows(ctrl, wxPoint(40, 50), wxColour(250, 10, 10)));
}

TEST_F(ImageCtrlTest, MissingPicturePaintsNothing)
{
    KelImageCtrl* ctrl = new KelImageCtrl(m_frame, wxID_ANY, wxEmptyString, wxPoint(0, 0), wxSize(100, 100));
    EXPECT_TRUE(Shows(ctrl, wxPoint(40, 40), *wxBLUE));
    ctrl->DrawGrey();
    EXPECT_TRUE(Shows(ctrl, wxPoint(40, 40), *wxBLUE));
}
