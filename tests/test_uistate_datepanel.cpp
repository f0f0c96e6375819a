// The date panel: lists bounded by the range, day resets and clamping.
#include <kelctrls/datepanel.h>

#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <wx/combobox.h>
#include <wx/frame.h>
#include <wx/stattext.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace
{

wxDateTime Date(int year, int month, int day, int hour = 12)
{
    return wxDateTime(static_cast<wxDateTime::wxDateTime_t>(day), wxDateTime::Month(month - 1), year, hour);
}

wxString DayText(const wxDateTime& time)
{
    return wxString::Format("%d-%d-%d", time.GetYear(), time.GetMonth() + 1, time.GetDay());
}

wxString Listed(const wxComboBox* list)
{
    if (list->GetCount() == 0)
        return "";
    return list->GetString(0) + ".." + list->GetString(list->GetCount() - 1);
}

class DatePanelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_frame = new wxFrame(nullptr, wxID_ANY, "dates");
        m_panel = new wxDatePanel(m_frame, wxID_ANY, wxDefaultPosition, wxSize(320, 20));
        m_frame->Show();
    }
    void TearDown() override { m_frame->Destroy(); }

    wxString Shown() const
    {
        return m_panel->GetYearList()->GetValue() + "-" + m_panel->GetMonthList()->GetValue() + "-" +
               m_panel->GetDayList()->GetValue();
    }

    // Picks an entry of a list the way a user does, with its event.
    void Choose(wxComboBox* list, const wxString& value)
    {
        ASSERT_NE(wxNOT_FOUND, list->FindString(value)) << value;
        list->SetSelection(list->FindString(value));
        wxCommandEvent event(wxEVT_COMBOBOX, list->GetId());
        event.SetEventObject(list);
        event.SetInt(list->GetSelection());
        list->GetEventHandler()->ProcessEvent(event);
    }

    wxFrame* m_frame = nullptr;
    wxDatePanel* m_panel = nullptr;
};

wxString ShownBy(const wxDatePanel* panel)
{
    return panel->GetYearList()->GetValue() + "-" + panel->GetMonthList()->GetValue() + "-" +
           panel->GetDayList()->GetValue();
}

// A panel in a zone eight hours east of UTC, where the instant the default
// range starts at falls on 1970-01-01; returns what went wrong.
wxString CheckPanelEastOfUtc()
{
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "east");
    wxDatePanel* panel = new wxDatePanel(frame, wxID_ANY, wxDefaultPosition, wxSize(320, 20));
    const wxDateTime base(wxLongLong(-1000));
    wxString problems;
    if (ShownBy(panel) != "1970-1-1")
        problems += "the default range starts at " + ShownBy(panel) + "\n";
    if (!panel->GetTime().IsValid() || panel->GetTime() != base)
        problems += "the first day of the range does not give its start\n";

    panel->SetRange(base, Date(1975, 6, 1));
    if (ShownBy(panel) != "1970-1-1")
        problems += "a range starting at the shown instant moved it to " + ShownBy(panel) + "\n";
    panel->SetTime(Date(1972, 3, 4));
    if (panel->GetTime().GetHour() != 7 || panel->GetTime().GetMinute() != 59)
        problems += "dates do not carry the local time of day of the start\n";
    frame->Destroy();
    if (::testing::Test::HasFailure())
        problems += "toolkit assertions\n";
    return problems;
}

} // anonymous namespace

TEST_F(DatePanelTest, StartsAtTheBeginningOfTheDefaultRange)
{
    const wxDateTime base(wxLongLong(-1000));
    EXPECT_EQ(base, m_panel->GetRangeStart());
    EXPECT_EQ(DayText(base), Shown());
    EXPECT_EQ(wxString::Format("%d..%d", base.GetYear(), wxDateTime::Now().GetYear()),
              Listed(m_panel->GetYearList()));

    // The lists are read-only drop-downs with the fixed identifiers.
    EXPECT_EQ(wxDatePanel::ID_YEAR, m_panel->GetYearList()->GetId());
    EXPECT_TRUE(m_panel->GetMonthList()->HasFlag(wxCB_READONLY));
}

TEST_F(DatePanelTest, GetTimeCarriesTheShownDate)
{
    m_panel->SetRange(Date(2020, 1, 1), Date(2024, 12, 31));
    m_panel->SetTime(Date(2022, 7, 9));
    const wxDateTime time = m_panel->GetTime();
    EXPECT_EQ(2022, time.GetYear());
    EXPECT_EQ(wxDateTime::Jul, time.GetMonth());
    EXPECT_EQ(9, time.GetDay());

    const wxDateTime::Tm base = wxDateTime(wxLongLong(-1000)).GetTm();
    EXPECT_EQ(base.hour, time.GetHour());
    EXPECT_EQ(base.sec, time.GetSecond());
}

TEST_F(DatePanelTest, FebruaryOfALeapYearResetsThe31stToTheFirst)
{
    m_panel->SetRange(Date(2019, 1, 1), Date(2021, 12, 31));
    m_panel->SetTime(Date(2020, 1, 31));
    EXPECT_EQ("2020-1-31", Shown());

    Choose(m_panel->GetMonthList(), "2");
    EXPECT_EQ("2020-2-1", Shown());
    EXPECT_EQ("1..29", Listed(m_panel->GetDayList()));

    // A year change keeps the day when the month has it.
    m_panel->SetTime(Date(2020, 2, 29));
    Choose(m_panel->GetYearList(), "2021");
    EXPECT_EQ("2021-2-1", Shown());
    EXPECT_EQ("1..28", Listed(m_panel->GetDayList()));
}

TEST_F(DatePanelTest, ListsStopAtTheEndOfTheRange)
{
    const wxDateTime now = wxDateTime::Now();
    m_panel->SetRange(Date(now.GetYear() - 2, 3, 10), now);
    m_panel->SetTime(now);

    EXPECT_EQ(DayText(now), Shown());
    EXPECT_EQ(wxString::Format("1..%d", now.GetMonth() + 1), Listed(m_panel->GetMonthList()));
    EXPECT_EQ(wxString::Format("1..%d", now.GetDay()), Listed(m_panel->GetDayList()));

    // In the start year the months begin at the start month, and in the
    // start month the days at the start day.
    Choose(m_panel->GetYearList(), wxString::Format("%d", now.GetYear() - 2));
    EXPECT_EQ("3..12", Listed(m_panel->GetMonthList()));
    Choose(m_panel->GetMonthList(), "3");
    EXPECT_EQ("10..31", Listed(m_panel->GetDayList()));
}

TEST_F(DatePanelTest, StartAndEndInOneYearOrMonth)
{
    m_panel->SetRange(Date(2021, 3, 5), Date(2021, 8, 20));
    m_panel->SetTime(Date(2021, 11, 2));
    // The start-year rule gives the list; the shown month is still clamped.
    EXPECT_EQ("3..12", Listed(m_panel->GetMonthList()));
    EXPECT_EQ("2021-8-2", Shown());

    m_panel->SetRange(Date(2021, 3, 5), Date(2021, 3, 20));
    m_panel->SetTime(Date(2021, 3, 25));
    EXPECT_EQ("5..31", Listed(m_panel->GetDayList()));
    EXPECT_EQ("2021-3-20", Shown());

    m_panel->SetTime(Date(2021, 3, 1));
    EXPECT_EQ("2021-3-5", Shown());
}

TEST_F(DatePanelTest, DatesOutsideTheRangeAreMovedIntoIt)
{
    m_panel->SetRange(Date(2015, 4, 10), Date(2018, 6, 15));

    m_panel->SetTime(Date(2030, 12, 31));
    EXPECT_EQ("2018-6-1", Shown()) << "the 31st does not exist in June, so the day resets";

    m_panel->SetTime(Date(2030, 5, 20));
    EXPECT_EQ("2018-5-20", Shown());

    m_panel->SetTime(Date(2001, 1, 3));
    EXPECT_EQ("2015-4-10", Shown());
}

TEST_F(DatePanelTest, NewRangeKeepsTheShownDateOnlyWhenInside)
{
    m_panel->SetRange(Date(2010, 1, 1), Date(2020, 12, 31));
    m_panel->SetTime(Date(2012, 5, 6));

    // The shown date is the instant GetTime gives, at a fixed time of day.
    const wxDateTime shown = m_panel->GetTime();
    m_panel->SetRange(Date(2011, 1, 1), shown);
    EXPECT_EQ("2012-5-6", Shown()) << "an end equal to the shown instant counts as inside";
    m_panel->SetRange(shown, Date(2013, 1, 1));
    EXPECT_EQ("2012-5-6", Shown()) << "so does an equal start";
    m_panel->SetRange(Date(2011, 1, 1), shown - wxTimeSpan::Second());
    EXPECT_EQ("2011-1-1", Shown()) << "a range ending a second earlier on the same day leaves it out";

    m_panel->SetRange(Date(2013, 2, 3), Date(2014, 1, 1));
    EXPECT_EQ("2013-2-3", Shown());
    EXPECT_EQ("2013..2014", Listed(m_panel->GetYearList()));
}

TEST_F(DatePanelTest, EnableAndLayout)
{
    m_panel->Enable(false);
    EXPECT_FALSE(m_panel->GetYearList()->IsEnabled());
    EXPECT_FALSE(m_panel->GetDayList()->IsEnabled());
    m_panel->Enable(true);
    EXPECT_TRUE(m_panel->GetMonthList()->IsEnabled());

    m_panel->SetSize(320, 20);
    m_panel->Relayout();
    // Three lists of (320 - 20) / 3 pixels with the separators between.
    EXPECT_EQ(wxRect(0, 0, 100, 20), m_panel->GetYearList()->GetRect());
    EXPECT_EQ(111, m_panel->GetMonthList()->GetPosition().x);
    EXPECT_EQ(220, m_panel->GetDayList()->GetPosition().x);
    EXPECT_EQ(100, m_panel->GetDayList()->GetSize().x);
}

TEST(DatePanelEastOfUtc, TheRangeStartsOnTheFirstOfJanuary1970)
{
    // The toolkit reads the local time zone once per process, so the checks
    // run in a fresh run of this program that starts in the zone.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const char* previous = std::getenv("TZ");
    const std::string saved = previous ? previous : "";
    setenv("TZ", "XST-8", 1);
    EXPECT_EXIT(
        {
            const wxString problems = CheckPanelEastOfUtc();
            std::fputs(problems.utf8_str(), stderr);
            std::fflush(stderr);
            _exit(problems.empty() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    if (previous)
        setenv("TZ", saved.c_str(), 1);
    else
        unsetenv("TZ");
}
