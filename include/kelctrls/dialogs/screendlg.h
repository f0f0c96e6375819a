/// \file
/// Screen capture: a frozen snapshot of the display on which the user marks a
/// rectangle, then copies it to the clipboard or saves it to an image file.
#ifndef KELCTRLS_DIALOGS_SCREENDLG_H
#define KELCTRLS_DIALOGS_SCREENDLG_H

#include <kelctrls/base.h>
#include <kelctrls/dialogs/selectionframe.h>

#include <wx/bitmap.h>
#include <wx/cursor.h>
#include <wx/dialog.h>
#include <wx/image.h>
#include <wx/panel.h>

#include <initializer_list>
#include <utility>

class WXDLLIMPEXP_FWD_CORE wxGenericStaticBitmap;
class WXDLLIMPEXP_FWD_CORE wxMenu;
class WXDLLIMPEXP_FWD_CORE wxStaticBox;
class WXDLLIMPEXP_FWD_CORE wxStaticText;

/// What the display shows now within the rectangle (screen coordinates).
/// Read from the display server each time, so it never returns a stale
/// picture; parts outside the display are black. At a display scale above 1
/// the bitmap holds every device pixel and carries the scale factor, so that
/// it covers `rect` in window units.
KELCTRLS_API wxBitmap KelGrabScreen(const wxRect& rect);

/// The information panel: magnified view around the pointer, pointer
/// position, colour under the pointer, and the selection's corner and size.
class KELCTRLS_API ScreenTipPanel : public wxPanel
{
public:
    /// Ids of the panel's labels.
    enum
    {
        ID_COLOUR_HTML = 1003,
        ID_GROUP = 1004,
        ID_RGB = 1006,
        ID_TOP_POSITION = 1007,
        ID_RECT_SIZE = 1008,
        ID_MOUSE_POSITION = 1009,
        ID_ZOOM = 1010
    };

    /// Creates the panel with its labels and background ("DEFAULT/screenTipBk.bmp"
    /// below the installation folder; plain without it).
    ScreenTipPanel(wxWindow* parent, int id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                   const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL);

    /// Shows the pointer position (screen pixels).
    void SetMousePosition(const wxPoint& pos);
    /// Shows the selection's top-left corner and size.
    void SetSelectRect(const wxRect& rect);
    /// Shows the colour under the pointer, as RGB and as HTML.
    void SetPixelColour(const wxColour& colour);
    /// Shows the magnified view (a picture of GetZoomSize()).
    void SetZoomBitmap(const wxBitmap& bitmap);
    /// The size of the magnified view in pixels.
    wxSize GetZoomSize() const;

private:
    void CreateControls();
    wxStaticText* CreateValueLabel(const wxString& name, int id, const wxPoint& pos, const wxString& text);
    void LoadBackground();
    void OnPaint(wxPaintEvent& event);

    // Sets the label unless it already shows the text (ignoring case).
    static void UpdateLabel(wxStaticText* label, const wxString& text);
    // The template with every placeholder replaced by its number.
    static wxString FillTemplate(const wxString& text,
                                 std::initializer_list<std::pair<const char*, int>> values);

    wxGenericStaticBitmap* m_zoomBitmap;
    wxStaticText* m_MousePosition;
    wxStaticText* m_rectSize;
    wxStaticText* m_TopPosition;
    wxStaticText* m_RgbTipCtrl;
    wxStaticText* m_ColourHtml;
    wxStaticBox* m_groupBox;
    wxStaticText* m_helpText;
    wxBitmap m_background;
    wxString m_cursorTemplate;
    wxString m_sizeTemplate;
    wxString m_vertexTemplate;
    wxString m_pixelTemplate;
    wxString m_colourTemplate;

    wxDECLARE_NO_COPY_CLASS(ScreenTipPanel);
};

/// Covers the primary display with its snapshot. ShowModal returns wxID_OK
/// only when the user double-clicked the selection, which is then on the
/// clipboard; every other way out returns wxID_CANCEL.
class KELCTRLS_API ScreenDlg : public wxDialog
{
public:
    /// Ids of the context menu's commands and of the Escape accelerator.
    enum
    {
        ID_SAVE_AS = 531,
        ID_CANCEL_SELECTION = 533,
        ID_QUIT = 534,
        ID_COPY = 535,
        ID_ESCAPE = 10265
    };

    /// Takes the snapshot of the primary display and covers the display with it.
    explicit ScreenDlg(wxWindow* parent);

    /// Magnified sample of the snapshot around a point; parts of the sample
    /// beyond the screen stay black.
    wxBitmap GetSubMaxImage(const wxPoint& centre, const wxSize& sample, const wxSize& out);
    /// Colour at the point of the device context; opaque black when unreadable.
    wxColour GetBkColour(wxDC& dc, wxPoint& pt);
    /// Moves the information panel to the other side when the pointer comes
    /// near it in the upper half of the screen.
    void MoveScreenTip(wxPoint& pointer);
    /// The part of the selection at `pt` (dialog client pixels); border_none
    /// outside it or without selection.
    frame_border HitTestSelectRect(const wxPoint& pt);
    /// Shows the cursor for `border`: a resize arrow on the frame, a move cursor
    /// inside, the selection cursor elsewhere.
    void SetCurCursor(frame_border border);
    /// Draws the selection frame with its eight handles.
    void DrawDragScreen(wxDC& dc, wxRect rect);
    /// Drops the selection and shows the plain snapshot.
    void ClearSelectRect();
    /// The selected part of the snapshot in every device pixel of it (see
    /// KelGrabScreen); null without selection.
    wxBitmap GetSelectBitamp();
    /// Puts `bitmap` on the clipboard.
    void CopyBitmap2Clipboard(const wxBitmap& bitmap);

    /// Makes the rectangle the selection, as if the user had drawn it.
    void SelectRect(const wxRect& rect);
    /// The selection, corners in order; empty without selection.
    wxRect GetSelectRect() const;
    /// The two corners as they stand; while an edge is dragged across the
    /// opposite one they are out of order until the button is released.
    const wxPoint& GetStartPos() const { return m_frame.GetStart(); }
    /// The second corner (see GetStartPos).
    const wxPoint& GetEndPos() const { return m_frame.GetEnd(); }
    /// Whether a selection exists.
    bool HasSelection() const { return m_selected != 0; }
    /// Whether the left button is held on the selection or its frame.
    bool IsDragging() const { return m_dragging != 0; }
    /// The part of the selection being dragged.
    frame_border GetCurBorder() const { return m_curBorder; }
    /// The information panel, a child window.
    ScreenTipPanel* GetTipPanel() const { return m_tipPanel; }
    /// The snapshot.
    const wxBitmap& GetScreenBitmap() const { return m_screenBmp; }
    /// The snapshot as shown: darkened outside the selection, with the frame.
    const wxBitmap& GetShownBitmap() const { return m_showBmp; }

    /// The information panel keeps its own place and size; without this the
    /// dialog would stretch its only child over the whole screen.
    bool Layout() override { return true; }

    /// Updates the information panel for the pointer at the given point.
    void ShowPointerInfo(const wxPoint& pointer);

    /// The right-click menu for a release at `pt` (copy, save as, cancel the
    /// selection, quit); the caller owns it.
    wxMenu* CreateContextMenu(const wxPoint& pt);
    /// File type filter of the save dialog: every registered image handler
    /// but the PNG one (PNG files can still be written by name).
    static wxString GetSaveFilter();
    /// Saves the selection to the file, asking before it overwrites; returns
    /// true when the image was written, which ends the dialog. The file is
    /// replaced atomically: when the save fails, the user is told and a file
    /// that was there stays as it was.
    bool SaveSelectionTo(const wxString& path);

    ///@{

    /// Mouse and keyboard handling, overridable: a left press starts a selection
    /// or a drag of the selection or its frame, the release ends it, a double
    /// click inside copies the selection and ends the dialog with wxID_OK, a
    /// right release opens the context menu, Escape or Delete end the dialog
    /// with wxID_CANCEL.
    virtual void OnLeftUp(wxMouseEvent& event);
    virtual void OnLeftDown(wxMouseEvent& event);
    virtual void OnLeftDClick(wxMouseEvent& event);
    virtual void OnRightUp(wxMouseEvent& event);
    virtual void OnEscExit(wxCommandEvent& event);
    virtual void OnChar(wxKeyEvent& event);
    ///@}

protected:
    ///@{

    /// Bound in the event table: pointer motion (selection, magnifier, cursor),
    /// painting, and the context menu's commands.
    void OnMotion(wxMouseEvent& event);
    void OnPaint(wxPaintEvent& event);
    void OnErasePaint(wxEraseEvent& event);
    void OnMenu(wxCommandEvent& event);
    ///@}

private:
    wxRect ReSetRect(const wxRect& rect) const;

    void TakeSnapshot();
    void LoadSelectCursor();
    void AdjustSelection(const wxPoint& pointer);
    void ShowSelectionFrame();
    void ShowBitmapNow();
    void SaveSelection();

    ScreenTipPanel* m_tipPanel;
    int m_selected;
    int m_dragging;
    wxSize m_zoomSize;
    wxPoint m_downPos;
    wxPoint m_dragOffset;
    KelSelectionFrame m_frame;
    wxBitmap m_screenBmp;
    wxBitmap m_showBmp;
    wxCursor m_selectCursor;
    frame_border m_curBorder;
    // The snapshot as an image of one pixel per window unit, for the
    // magnifier's pixel reads.
    wxImage m_screenImage;

    wxDECLARE_EVENT_TABLE();
    wxDECLARE_NO_COPY_CLASS(ScreenDlg);
};

#endif // KELCTRLS_DIALOGS_SCREENDLG_H
