/// \file
/// A date picker made of year, month and day lists that only offer dates
/// within a range.
#ifndef KELCTRLS_DATEPANEL_H
#define KELCTRLS_DATEPANEL_H

#include <kelctrls/base.h>

#include <wx/datetime.h>
#include <wx/panel.h>

class WXDLLIMPEXP_FWD_CORE wxComboBox;
class WXDLLIMPEXP_FWD_CORE wxStaticText;

/// A date picker: read-only year, month and day lists, separated by labels,
/// that only offer dates within a range (by default from the last second
/// before 1970 in local time to now). Changing the year or month refills the
/// following lists; the lists send their usual wxEVT_COMBOBOX events, which
/// propagate to the parent.
class KELCTRLS_API wxDatePanel : public wxPanel
{
public:
    /// Ids of the year, month and day lists.
    enum
    {
        ID_YEAR = 10004,
        ID_MONTH = 10005,
        ID_DAY = 10006
    };

    /// Creates the panel and its lists.
    wxDatePanel(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize);

    /// Limits of the choosable dates, both inclusive. The date shown stays
    /// when GetTime lies within the new range, else the start is shown.
    void SetRange(const wxDateTime& start, const wxDateTime& end);
    /// The first choosable date.
    wxDateTime GetRangeStart() const { return m_rangeStart; }
    /// The last choosable date.
    wxDateTime GetRangeEnd() const { return m_rangeEnd; }

    /// Shows the local date of `time`, moved into the range. Always returns true.
    bool SetTime(const wxDateTime& time);
    /// The date shown, at the time of day of the instant one second before
    /// the epoch; that instant itself when a list shows nothing.
    wxDateTime GetTime() const;

    /// Enables or disables the lists and labels with the panel.
    bool Enable(bool enable = true) override;
    /// Places the lists and labels across the panel's width (each list a third,
    /// 20 pixels high).
    void Relayout();

    /// The year list, a child window.
    wxComboBox* GetYearList() const { return m_yearList; }
    /// The month list, a child window.
    wxComboBox* GetMonthList() const { return m_monthList; }
    /// The day list, a child window.
    wxComboBox* GetDayList() const { return m_dayList; }

private:
    void CreateControls();
    void OnComboChanged(wxCommandEvent& event);
    void OnSize(wxSizeEvent& event);

    // Shows year, month (1 to 12) and day, moved into the range; -1 keeps
    // the value shown in that list.
    void ResetDay(int year, int month, int day);

    static int GetShownNumber(const wxComboBox* list);
    static void FillList(wxComboBox* list, int first, int last, int& listedFirst, int& listedLast);
    static void ShowNumber(wxComboBox* list, int value);

    wxStaticText* m_firstSeparator;
    wxStaticText* m_secondSeparator;
    wxComboBox* m_yearList;
    wxComboBox* m_monthList;
    wxComboBox* m_dayList;
    wxDateTime m_rangeStart;
    wxDateTime m_rangeEnd;
    int m_firstYear, m_lastYear;
    int m_firstMonth, m_lastMonth;
    int m_firstDay, m_lastDay;

    wxDECLARE_EVENT_TABLE();
};

#endif // KELCTRLS_DATEPANEL_H
