// The splitter button: its arrow pictures, its state and the event it posts.
#include "support/testsupport.h"

#include <kelctrls/controls/splitterbutton.h>
#include <kelctrls/skin.h>

#include <gtest/gtest.h>

#include <wx/bmpbuttn.h>
#include <wx/ffile.h>
#include <wx/frame.h>

#include <vector>

using namespace kel::test;

namespace
{

const wxColour kLeftNormal(200, 0, 0);
const wxColour kLeftHover(255, 120, 120);
const wxColour kRightNormal(0, 0, 200);
const wxColour kRightHover(120, 120, 255);

void SaveBmp(const wxString& name, const wxColour& colour)
{
    wxImage image(10, 30);
    image.SetRGB(wxRect(0, 0, 10, 30), colour.Red(), colour.Green(), colour.Blue());
    ASSERT_TRUE(image.SaveFile(name, wxBITMAP_TYPE_BMP));
}

wxColour CentreOf(const wxBitmap& bitmap)
{
    return PixelAt(bitmap.ConvertToImage(), bitmap.GetWidth() / 2, bitmap.GetHeight() / 2);
}

class SplitterButtonTest : public TempCwdTest
{
protected:
    void SetUp() override
    {
        TempCwdTest::SetUp();
        m_frame = new wxFrame(nullptr, wxID_ANY, "splitter", wxPoint(10, 10), wxSize(200, 200));
        m_frame->Bind(kelEVT_SPLITTERBTN_CHANGED,
                      [this](kelSplitterButtonEvent& event)
                      {
                          m_events.push_back(event.IsInverted());
                          m_ids.push_back(event.GetId());
                      });
    }

    void TearDown() override
    {
        m_frame->Destroy();
        Pump();
        KelSkinResource::GetInstance()->Release();
        TempCwdTest::TearDown();
    }

    void LoadArrowSkin()
    {
        SaveBmp("ln.bmp", kLeftNormal);
        SaveBmp("lh.bmp", kLeftHover);
        SaveBmp("rn.bmp", kRightNormal);
        SaveBmp("rh.bmp", kRightHover);
        wxFFile file("skin.xml", "w");
        file.Write("<resource><bitmaps>"
                   "<bitmap id=\"splitebtn_leftnormal\" path=\"ln.bmp\"/>"
                   "<bitmap id=\"splitebtn_lefthover\" path=\"lh.bmp\"/>"
                   "<bitmap id=\"splitebtn_rightnormal\" path=\"rn.bmp\"/>"
                   "<bitmap id=\"splitebtn_righthover\" path=\"rh.bmp\"/>"
                   "</bitmaps></resource>");
        file.Close();
        ASSERT_TRUE(KelSkinResource::GetInstance()->LoadResource("skin.xml"));
    }

    KelSplitterButton* MakeButton(SplitterDirection direction)
    {
        KelSplitterButton* button = new KelSplitterButton;
        button->SetDirection(direction);
        button->Create(m_frame, 77, wxPoint(0, 0), wxSize(10, 100));
        ShowAndWait(m_frame);
        return button;
    }

    void Click(KelSplitterButton* button)
    {
        ClickAt(button->GetArrowButton(), wxPoint(4, 5));
        WaitUntil([&] { return m_events.size() > m_seen; });
        m_seen = m_events.size();
    }

    wxColour ShownArrow(KelSplitterButton* button) const
    {
        return CentreOf(button->GetArrowButton()->GetBitmapLabel());
    }

    wxFrame* m_frame = nullptr;
    std::vector<bool> m_events;
    std::vector<int> m_ids;
    size_t m_seen = 0;
};

} // namespace

TEST_F(SplitterButtonTest, ClicksFlipTheArrowAndPostTheInvertedFlag)
{
    LoadArrowSkin();
    KelSplitterButton* button = MakeButton(KEL_SPLITTER_LEFT);
    EXPECT_EQ(1, button->GetState());
    EXPECT_EQ(wxSize(10, 30), button->GetArrowButton()->GetSize());
    EXPECT_EQ(kLeftNormal, ShownArrow(button));
    EXPECT_EQ(kLeftHover, CentreOf(button->GetArrowButton()->GetBitmapCurrent()));

    Click(button);
    ASSERT_EQ(1u, m_events.size());
    EXPECT_TRUE(m_events[0]);
    EXPECT_EQ(77, m_ids[0]);
    EXPECT_EQ(2, button->GetState());
    EXPECT_EQ(kRightNormal, ShownArrow(button));
    EXPECT_EQ(kRightHover, CentreOf(button->GetArrowButton()->GetBitmapCurrent()));

    Click(button);
    ASSERT_EQ(2u, m_events.size());
    EXPECT_FALSE(m_events[1]);
    EXPECT_EQ(1, button->GetState());
    EXPECT_EQ(kLeftNormal, ShownArrow(button));
}

TEST_F(SplitterButtonTest, RightDirectionStartsLeftThenFollowsItsPairs)
{
    LoadArrowSkin();
    KelSplitterButton* button = MakeButton(KEL_SPLITTER_RIGHT);
    // The pictures are chosen before the state is set, so the left pair shows.
    EXPECT_EQ(kLeftNormal, ShownArrow(button));

    Click(button);
    EXPECT_TRUE(m_events.back());
    EXPECT_EQ(kLeftNormal, ShownArrow(button));

    Click(button);
    EXPECT_FALSE(m_events.back());
    EXPECT_EQ(kRightNormal, ShownArrow(button));

    // Changing the direction rechooses the pair at once; the same value does nothing.
    button->SetDirection(KEL_SPLITTER_LEFT);
    EXPECT_EQ(kLeftNormal, ShownArrow(button));
    button->SetDirection(KEL_SPLITTER_LEFT);
    EXPECT_EQ(KEL_SPLITTER_LEFT, button->GetDirection());
    EXPECT_EQ(kLeftNormal, ShownArrow(button));
}

TEST_F(SplitterButtonTest, ArrowIsCentredVertically)
{
    LoadArrowSkin();
    KelSplitterButton* button = MakeButton(KEL_SPLITTER_LEFT);
    button->SetSize(10, 101);
    Pump();
    EXPECT_EQ(wxPoint(0, (101 - 30) / 2), button->GetArrowButton()->GetPosition());
}

TEST_F(SplitterButtonTest, WithoutPicturesTheArrowIsSmallAndStillWorks)
{
    KelSkinResource::GetInstance()->Release();
    KelSplitterButton* button = MakeButton(KEL_SPLITTER_LEFT);
    EXPECT_EQ(wxSize(8, 12), button->GetArrowButton()->GetSize());
    EXPECT_FALSE(button->GetArrowButton()->GetBitmapLabel().IsOk());

    Click(button);
    ASSERT_EQ(1u, m_events.size());
    EXPECT_TRUE(m_events[0]);
}

TEST(SplitterButtonEvent, IsCreatableByName)
{
    std::unique_ptr<wxObject> byName(wxCreateDynamicObject("kelSplitterButtonEvent"));
    EXPECT_TRUE(dynamic_cast<kelSplitterButtonEvent*>(byName.get()));
}
