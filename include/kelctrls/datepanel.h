// A date picker made of year, month and day lists that only offer dates
// within a range.
#ifndef KELCTRLS_DATEPANEL_H
#define KELCTRLS_DATEPANEL_H

#include <kelctrls/base.h>

#include <wx/datetime.h>
#include <wx/panel.h>

class WXDLLIMPEXP_FWD_CORE wxComboBox;
class WXDLLIMPEXP_FWD_CORE wxStaticText;

class KELCTRLS_API wxDatePanel : public wxPanel
{
public:
    enum
    {
        ID_YEAR = 10004,
        ID_MONTH = 10005,
        ID_DAY = 10006
    };

    wxDatePanel(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize);

    // Limits of the choosable dates, both inclusive. The date shown stays
    // when GetTime lies within the new range, else the start is shown.
    void SetRange(const wxDateTime& start, const wxDateTime& end);
    wxDateTime GetRangeStart() const { return m_rangeStart; }
    wxDateTime GetRangeEnd() const { return m_rangeEnd; }

    // Shows the local date of the given instant, moved into the range.
    bool SetTime(const wxDateTime& time);
    // The date shown, at the time of day of the instant one second before
    // the epoch; that instant itself when a list shows nothing.
    wxDateTime GetTime() const;

    bool Enable(bool enable = true) override;
    void Relayout();

    wxComboBox* GetYearList() const { return m_yearList; }
    wxComboBox* GetMonthList() const { return m_monthList; }
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
