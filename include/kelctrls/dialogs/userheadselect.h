/// \file
/// Choosing a head image: the user loads a picture and marks the part of it,
/// in a frame of fixed aspect, that becomes the head image.
#ifndef KELCTRLS_DIALOGS_USERHEADSELECT_H
#define KELCTRLS_DIALOGS_USERHEADSELECT_H

#include <kelctrls/base.h>
#include <kelctrls/dialogs/selectionframe.h>

#include <wx/bitmap.h>
#include <wx/dialog.h>
#include <wx/image.h>
#include <wx/panel.h>

class WXDLLIMPEXP_FWD_CORE wxStaticBitmap;

/// Shows an image centred, with a selection frame of fixed aspect that the
/// mouse draws, moves and resizes by eight handles within the image.
class KELCTRLS_API KelBmpPanel : public wxPanel
{
public:
    /// For two-step creation; Create must follow.
    KelBmpPanel();
    /// Creates the panel; `preview` (not owned, may be null) shows the framed
    /// part whenever the frame changes.
    KelBmpPanel(wxStaticBitmap* preview, wxWindow* parent, wxWindowID id = wxID_ANY,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                long style = wxTAB_TRAVERSAL);
    /// Creates the panel; `preview` (not owned, may be null) shows the framed part
    /// of the image whenever the frame changes.
    bool Create(wxStaticBitmap* preview, wxWindow* parent, wxWindowID id = wxID_ANY,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                long style = wxTAB_TRAVERSAL);

    /// Shows `image`, reduced to fit when larger than the panel, and places a
    /// frame of the current aspect in its middle.
    void SetImage(const wxImage& image);
    /// Whether an image is shown.
    bool HasImage() const { return m_image.IsOk(); }

    /// Width to height ratio of the frame; each part at least 1.
    void SetAspect(int w, int h);
    /// The frame's width to height ratio.
    wxSize GetAspect() const { return m_aspect; }

    /// Whether a frame exists.
    bool HasFrame() const { return m_selected; }
    /// The frame in panel coordinates, corners in order.
    wxRect GetFrame() const;
    /// Makes `frame` (panel pixels) the frame, kept within the image and at the aspect.
    void SetFrame(const wxRect& frame);
    /// The rectangle the image occupies in the panel.
    wxRect GetImageBounds() const { return m_imageBounds; }
    /// The framed part of the image, at the image's own resolution.
    wxImage GetFramedImage() const;
    /// The part of the frame under `pt` (panel pixels); border_none without a frame.
    frame_border HitTest(const wxPoint& pt) const;

    ///@{

    /// Mouse handling, overridable: a press outside the frame starts a new one,
    /// inside it moves it, on a handle resizes it; the release ends that. The
    /// right button does nothing.
    virtual void OnLeftDown(wxMouseEvent& event);
    virtual void OnLeftUp(wxMouseEvent& event);
    virtual void OnRightUp(wxMouseEvent& event);
    ///@}

private:
    void Init();
    void OnPaint(wxPaintEvent& event);
    void OnMouseMove(wxMouseEvent& event);

    void ComposePanelBitmap();
    void UpdatePreview();
    void PlaceInitialFrame();
    void DragFrameTo(const wxPoint& pt);
    void MoveFrameTo(const wxPoint& pt);
    void ResizeFrameTo(const wxPoint& pt);
    void SetCursorForPart(frame_border part);
    int GetMinFrameWidth() const;

    bool m_selected;
    bool m_creating;
    wxPoint m_anchor;
    wxPoint m_dragOffset;
    KelSelectionFrame m_frame;
    wxRect m_imageBounds;
    wxPoint m_imageOffset;
    wxBitmap m_panelBitmap;
    wxBitmap m_imageBitmap;
    wxStockCursor m_cursor;
    wxStaticBitmap* m_preview;
    wxSize m_aspect;

    // The loaded image and the factor it is shown at (images larger than
    // the panel are shown reduced).
    wxImage m_image;
    double m_scale;
    frame_border m_dragPart;

    wxDECLARE_DYNAMIC_CLASS(KelBmpPanel);
    wxDECLARE_EVENT_TABLE();
};

/// The head image dialog: a KelBmpPanel, a preview, and Browse, OK and Cancel
/// buttons. Modal: OK ends it with wxID_OK and the preview as GetBitmap,
/// Cancel with wxID_CANCEL.
class KELCTRLS_API KelUserHeadSelect : public wxDialog
{
public:
    /// Ids of the dialog's controls.
    enum
    {
        ID_TEXT = 5105,
        ID_BROWSE = 9020,
        ID_CANCEL = 9021,
        ID_OK = 9022,
        ID_IMAGE_PANEL = 10018
    };

    /// For two-step creation; Create must follow.
    KelUserHeadSelect();
    /// Creates the dialog (see Create).
    KelUserHeadSelect(wxWindow* parent, wxWindowID id = wxID_ANY,
                      const wxString& caption = wxGetTranslation("Select head image"),
                      const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                      long style = wxDEFAULT_DIALOG_STYLE);

    /// Creates the dialog and its controls.
    bool Create(wxWindow* parent, wxWindowID id = wxID_ANY,
                const wxString& caption = wxGetTranslation("Select head image"),
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                long style = wxDEFAULT_DIALOG_STYLE);

    /// Creates the panel, preview and buttons (Create calls it).
    void CreateControls();

    /// The preview keeps its width W and gets the height (W / w) * h; the
    /// frame's aspect becomes w : h.
    void SetBitmapScale(int w, int h);
    /// Shows `image` in the panel.
    void LoadImage(const wxImage& image);

    /// The image panel, a child window.
    KelBmpPanel* GetPanel() const { return m_panel; }
    /// The preview, a child window.
    wxStaticBitmap* GetPreview() const { return m_preview; }
    /// The chosen head image; null until the dialog was confirmed.
    wxBitmap GetBitmap() const { return m_bitmap; }

    /// Browse: asks for a BMP or JPEG file (the folder is remembered under
    /// "SELECT_BITMAP", see KelFileDialog) and shows it; a file that cannot be
    /// read changes nothing.
    void OnLoadImage(wxCommandEvent& event);
    /// Cancel: ends the dialog with wxID_CANCEL and no head image.
    void OnExit(wxCommandEvent& event);
    /// OK: takes the preview as head image and ends the dialog with wxID_OK.
    void OnOK(wxCommandEvent& event);

private:
    void Init();

    KelBmpPanel* m_panel;
    wxStaticBitmap* m_preview;
    wxImage m_image;
    wxBitmap m_bitmap;

    wxDECLARE_DYNAMIC_CLASS(KelUserHeadSelect);
    wxDECLARE_EVENT_TABLE();
};

#endif // KELCTRLS_DIALOGS_USERHEADSELECT_H
