/// \file
/// The column caption strip above the items of the tree list control.
#ifndef KELCTRLS_TREELIST_TREELISTHEADER_H
#define KELCTRLS_TREELIST_TREELISTHEADER_H

#include <kelctrls/treelist/treelistitem.h>

#include <wx/window.h>

class WXDLLIMPEXP_FWD_CORE wxCursor;

namespace kel
{

/// The header of a wxTreeListCtrl: owns the columns, paints their captions
/// and lets the user resize them by dragging a column's right border
/// (double-clicking the border fits the column to its widest cell). Created
/// and owned by the control; clients reach it through
/// wxTreeListCtrl::GetHeaderWindow.
///
/// Sends to the control, as wxListEvent with the column index:
/// wxEVT_LIST_COL_CLICK and wxEVT_LIST_COL_RIGHT_CLICK on a click on a
/// caption, wxEVT_LIST_COL_BEGIN_DRAG (vetoable), wxEVT_LIST_COL_DRAGGING
/// and wxEVT_LIST_COL_END_DRAG while a border is dragged.
class KELCTRLS_API wxTreeListHeaderWindow : public wxWindow
{
public:
    /// For two-step creation.
    wxTreeListHeaderWindow();
    /// A header in `win` for the item window `owner`.
    wxTreeListHeaderWindow(wxWindow* win, wxWindowID id, wxTreeListMainWindow* owner,
                           const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                           long style = 0, const wxString& name = wxT("wxtreelistctrlcolumntitles"));
    virtual ~wxTreeListHeaderWindow();

    /// Draws one caption frame at (`x`, `y`), `w` by `h` pixels, into `dc`.
    void DoDrawRect(wxDC* dc, int x, int y, int w, int h);
    /// Draws the resize line at the current drag position over the item window.
    void DrawCurrent();
    /// Shifts `dc` by the item window's horizontal scroll position.
    void AdjustDC(wxDC& dc);

    /// The total width of all columns, shown or not, in pixels.
    int GetWidth() const { return m_total_col_width; }

    /// \name Columns
    /// The column operations of wxTreeListCtrl, which forwards to these.
    /// Indexes out of range are ignored by setters and answered with the
    /// default column by getters.
    ///@{

    /// The number of columns.
    size_t GetColumnCount() const { return m_columns.GetCount(); }
    /// Appends a copy of `column`.
    void AddColumn(const wxTreeListColumnInfo& column);
    /// Inserts a copy of `column` before index `before`.
    void InsertColumn(int before, const wxTreeListColumnInfo& column);
    /// Removes a column.
    void RemoveColumn(int column);

    /// A column, owned by the header.
    const wxTreeListColumnInfo& GetColumn(int column) const;
    /// A column, owned by the header.
    wxTreeListColumnInfo& GetColumn(int column);
    /// Replaces a column by a copy of `info`.
    void SetColumn(int column, const wxTreeListColumnInfo& info);

    /// The caption of a column.
    wxString GetColumnText(int column) const { return GetColumn(column).GetText(); }
    /// Sets the caption of a column.
    void SetColumnText(int column, const wxString& text);
    /// The alignment of a column.
    int GetColumnAlignment(int column) const { return GetColumn(column).GetAlignment(); }
    /// Sets the alignment of a column (wxALIGN_LEFT, wxALIGN_RIGHT or wxALIGN_CENTER).
    void SetColumnAlignment(int column, int flag);
    /// The width of a column in pixels.
    int GetColumnWidth(int column) const { return GetColumn(column).GetWidth(); }
    /// Sets the width of a column in pixels.
    void SetColumnWidth(int column, int width);
    /// Whether the cells of a column can be edited in place.
    bool IsColumnEditable(int column) const { return GetColumn(column).IsEditable(); }
    /// Whether a column is shown.
    bool IsColumnShown(int column) const { return GetColumn(column).IsShown(); }
    ///@}

    /// Left edge of a column and the x just past the last shown column, both
    /// in unscrolled coordinates; hidden columns take no room.
    int GetColumnLeft(int column) const;

    /// Whether a column border is being dragged.
    bool IsDragging() const { return m_isDragging; }
    /// x of the resize line while dragging, unscrolled.
    int GetCurrentX() const { return m_currentX; }
    /// Whether the columns changed since the header last painted.
    bool IsDirty() const { return m_dirty; }

protected:
    /// \name Event handlers
    ///@{

    /// Bound in the event table: painting the captions, resizing and
    /// clicking with the mouse, and passing the focus on to the item window.
    void OnPaint(wxPaintEvent& event);
    void OnMouse(wxMouseEvent& event);
    void OnMouseCaptureLost(wxMouseCaptureLostEvent& event);
    void OnSetFocus(wxFocusEvent& event);
    ///@}

private:
    void Init();
    bool IsValidColumn(int column) const { return column >= 0 && column < (int)GetColumnCount(); }
    void ColumnsChanged();
    void SendListEvent(wxEventType type, const wxPoint& pos);
    void SetCursorIfChanged(const wxCursor* cursor);
    void FitColumn();
    // Finds the column under mx; returns true when mx is on its right border.
    bool FindColumnAt(int mx, int my);

    wxTreeListMainWindow* m_owner;
    const wxCursor* m_currentCursor;
    wxCursor* m_resizeCursor;
    bool m_isDragging;
    int m_column;
    int m_currentX;
    int m_minX;
    wxArrayTreeListColumnInfo m_columns;
    int m_total_col_width;
    bool m_dirty;

    wxDECLARE_DYNAMIC_CLASS(wxTreeListHeaderWindow);
    wxDECLARE_EVENT_TABLE();
    wxDECLARE_NO_COPY_CLASS(wxTreeListHeaderWindow);
};

} // namespace kel

#endif // KELCTRLS_TREELIST_TREELISTHEADER_H
