#include <kelctrls/datepanel.h>

#include <wx/combobox.h>
#include <wx/stattext.h>

#include <algorithm>

namespace
{

// The instant one second before the epoch, whose local time of day the
// panel's dates carry.
wxDateTime GetBaseInstant()
{
    // Built from milliseconds: a time_t of -1 means "no time" to the toolkit.
    return wxDateTime(wxLongLong(-1000));
}

struct LocalDate
{
    int year, month, day;
};

LocalDate ToLocalDate(const wxDateTime& time)
{
    const wxDateTime::Tm tm = time.GetTm(wxDateTime::Local);
    return LocalDate{tm.year, tm.mon + 1, tm.mday};
}

} // anonymous namespace

// clang-format off
wxBEGIN_EVENT_TABLE(wxDatePanel, wxPanel)
    EVT_SIZE(wxDatePanel::OnSize)
wxEND_EVENT_TABLE()
// clang-format on

wxDatePanel::wxDatePanel(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size)
    : m_firstSeparator(nullptr), m_secondSeparator(nullptr), m_yearList(nullptr), m_monthList(nullptr),
      m_dayList(nullptr), m_firstYear(0), m_lastYear(0), m_firstMonth(0), m_lastMonth(0), m_firstDay(0),
      m_lastDay(0)
{
    Create(parent, id, pos, size, wxTAB_TRAVERSAL | wxNO_BORDER);
    CreateControls();
    Relayout();
    SetRange(GetBaseInstant(), wxDateTime::Now());
}

void wxDatePanel::CreateControls()
{
    const long style = wxCB_READONLY | wxCB_DROPDOWN;
    m_yearList =
        new wxComboBox(this, ID_YEAR, wxEmptyString, wxDefaultPosition, wxDefaultSize, 0, nullptr, style);
    m_firstSeparator = new wxStaticText(this, wxID_ANY, "-");
    m_monthList =
        new wxComboBox(this, ID_MONTH, wxEmptyString, wxDefaultPosition, wxDefaultSize, 0, nullptr, style);
    m_secondSeparator = new wxStaticText(this, wxID_ANY, "-");
    m_dayList =
        new wxComboBox(this, ID_DAY, wxEmptyString, wxDefaultPosition, wxDefaultSize, 0, nullptr, style);

    for (wxComboBox* list : {m_yearList, m_monthList, m_dayList})
        list->Bind(wxEVT_COMBOBOX, &wxDatePanel::OnComboChanged, this);
}

void wxDatePanel::Relayout()
{
    if (!m_yearList || !m_monthList || !m_dayList || !m_firstSeparator || !m_secondSeparator)
        return;

    const int cw = (GetClientSize().x - 20) / 3;
    const int h = 20;
    m_yearList->SetSize(0, 0, cw, h);
    m_firstSeparator->SetSize(cw + 3, 0, 5, h);
    m_monthList->SetSize(cw + 11, 0, cw, h);
    m_secondSeparator->SetSize(2 * cw + 14, 0, 5, h);
    m_dayList->SetSize(2 * cw + 20, 0, cw, h);
}

void wxDatePanel::OnSize(wxSizeEvent& event)
{
    Relayout();
    event.Skip();
}

bool wxDatePanel::Enable(bool enable)
{
    for (wxWindow* child : std::initializer_list<wxWindow*>{m_yearList, m_firstSeparator, m_monthList,
                                                            m_secondSeparator, m_dayList})
        child->Enable(enable);
    return wxPanel::Enable(enable);
}

void wxDatePanel::SetRange(const wxDateTime& start, const wxDateTime& end)
{
    m_rangeStart = start;
    m_rangeEnd = end;

    // The shown date is compared as the instant GetTime gives, time of day
    // included: a range that ends earlier on the shown day leaves it out.
    const wxDateTime shown = GetTime();
    if (shown.IsBetween(start, end))
        SetTime(shown);
    else
        SetTime(start);
}

bool wxDatePanel::SetTime(const wxDateTime& time)
{
    const LocalDate date = ToLocalDate(time);
    ResetDay(date.year, date.month, date.day);
    return true;
}

wxDateTime wxDatePanel::GetTime() const
{
    const wxDateTime base = GetBaseInstant();
    const int year = GetShownNumber(m_yearList);
    const int month = GetShownNumber(m_monthList);
    const int day = GetShownNumber(m_dayList);
    if (year <= 0 || month <= 0 || day <= 0 || month > 12 ||
        day > wxDateTime::GetNumberOfDays(wxDateTime::Month(month - 1), year))
        return base;

    // The base's own date is the base itself; rebuilding it from local time
    // would give mktime's -1, which the toolkit takes for a failure (east of
    // UTC, where the base falls on 1970-01-01).
    const wxDateTime::Tm tm = base.GetTm(wxDateTime::Local);
    if (tm.year == year && tm.mon + 1 == month && tm.mday == day)
        return base;
    return wxDateTime(static_cast<wxDateTime::wxDateTime_t>(day), wxDateTime::Month(month - 1), year, tm.hour,
                      tm.min, tm.sec);
}

void wxDatePanel::OnComboChanged(wxCommandEvent& event)
{
    if (event.GetId() == ID_YEAR || event.GetId() == ID_MONTH)
        ResetDay(-1, -1, -1);
}

void wxDatePanel::ResetDay(int year, int month, int day)
{
    if (year < 0)
        year = GetShownNumber(m_yearList);
    if (month < 0)
        month = GetShownNumber(m_monthList);
    if (day < 0)
        day = GetShownNumber(m_dayList);

    const LocalDate start = ToLocalDate(m_rangeStart);
    const LocalDate end = ToLocalDate(m_rangeEnd);

    year = std::max(start.year, std::min(year, end.year));
    month = std::max(1, std::min(month, 12));
    if (year == start.year)
        month = std::max(month, start.month);
    if (year == end.year)
        month = std::min(month, end.month);

    const int days = wxDateTime::GetNumberOfDays(wxDateTime::Month(month - 1), year);
    if (day > days || day < 1)
        day = 1;
    const bool inStartMonth = year == start.year && month == start.month;
    const bool inEndMonth = year == end.year && month == end.month;
    if (inStartMonth)
        day = std::max(day, start.day);
    if (inEndMonth)
        day = std::min(day, end.day);

    FillList(m_yearList, start.year, end.year, m_firstYear, m_lastYear);
    ShowNumber(m_yearList, year);

    // In the start year the list runs from the start month even when the end
    // lies in the same year; the shown month was kept within both limits.
    const int firstMonth = year == start.year ? start.month : 1;
    const int lastMonth = year == start.year ? 12 : (year == end.year ? end.month : 12);
    FillList(m_monthList, firstMonth, lastMonth, m_firstMonth, m_lastMonth);
    ShowNumber(m_monthList, month);

    const int firstDay = inStartMonth ? start.day : 1;
    const int lastDay = inStartMonth ? days : (inEndMonth ? end.day : days);
    FillList(m_dayList, firstDay, lastDay, m_firstDay, m_lastDay);
    ShowNumber(m_dayList, day);
}

int wxDatePanel::GetShownNumber(const wxComboBox* list)
{
    long value = 0;
    if (!list->GetValue().ToLong(&value))
        return 0;
    return static_cast<int>(value);
}

void wxDatePanel::FillList(wxComboBox* list, int first, int last, int& listedFirst, int& listedLast)
{
    if (listedFirst == first && listedLast == last)
        return;

    wxArrayString entries;
    for (int value = first; value <= last; ++value)
        entries.Add(wxString::Format("%d", value));
    list->Set(entries);
    listedFirst = first;
    listedLast = last;
}

void wxDatePanel::ShowNumber(wxComboBox* list, int value)
{
    const int index = list->FindString(wxString::Format("%d", value));
    list->SetSelection(index);
}
