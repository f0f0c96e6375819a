// Choosing a head image: the user loads a picture and marks the part of it,
// in a frame of fixed aspect, that becomes the head image.
#ifndef KELCTRLS_DIALOGS_USERHEADSELECT_H
#define KELCTRLS_DIALOGS_USERHEADSELECT_H

#include <kelctrls/base.h>
#include <kelctrls/dialogs/selectionframe.h>

#include <wx/bitmap.h>
#include <wx/dialog.h>
#include <wx/image.h>
#include <wx/panel.h>

class WXDLLIMPEXP_FWD_CORE wxStaticBitmap;

// Shows an image centred, with a selection frame of fixed aspect that the
// mouse draws, moves and resizes by eight handles within the image.
class KELCTRLS_API KelBmpPanel : public wxPanel
{
public:
    KelBmpPanel();
    KelBmpPanel(wxStaticBitmap* preview, wxWindow* parent, wxWindowID id = wxID_ANY,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                long style = wxTAB_TRAVERSAL);
    // `preview`, when not null, shows the framed part of the image.
    bool Create(wxStaticBitmap* preview, wxWindow* parent, wxWindowID id = wxID_ANY,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                long style = wxTAB_TRAVERSAL);

    void SetImage(const wxImage& image);
    bool HasImage() const { return m_image.IsOk(); }

    // Width to height ratio of the frame; each part at least 1.
    void SetAspect(int w, int h);
    wxSize GetAspect() const { return m_aspect; }

    bool HasFrame() const { return m_selected; }
    // The frame in panel coordinates, corners in order.
    wxRect GetFrame() const;
    void SetFrame(const wxRect& frame);
    // The rectangle the image occupies in the panel.
    wxRect GetImageBounds() const { return m_imageBounds; }
    // The framed part of the image, at the image's own resolution.
    wxImage GetFramedImage() const;
    // The part of the frame under the point; border_none without a frame.
    frame_border HitTest(const wxPoint& pt) const;

    virtual void OnLeftDown(wxMouseEvent& event);
    virtual void OnLeftUp(wxMouseEvent& event);
    virtual void OnRightUp(wxMouseEvent& event);

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

class KELCTRLS_API KelUserHeadSelect : public wxDialog
{
public:
    enum
    {
        ID_TEXT = 5105,
        ID_BROWSE = 9020,
        ID_CANCEL = 9021,
        ID_OK = 9022,
        ID_IMAGE_PANEL = 10018
    };

    KelUserHeadSelect();
    KelUserHeadSelect(wxWindow* parent, wxWindowID id = wxID_ANY,
                      const wxString& caption = wxGetTranslation("Select head image"),
                      const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                      long style = wxDEFAULT_DIALOG_STYLE);

    bool Create(wxWindow* parent, wxWindowID id = wxID_ANY,
                const wxString& caption = wxGetTranslation("Select head image"),
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                long style = wxDEFAULT_DIALOG_STYLE);

    void CreateControls();

    // The preview keeps its width W and gets the height (W / w) * h; the
    // frame's aspect becomes w : h.
    void SetBitmapScale(int w, int h);
    void LoadImage(const wxImage& image);

    KelBmpPanel* GetPanel() const { return m_panel; }
    wxStaticBitmap* GetPreview() const { return m_preview; }
    // The chosen head image; null until the dialog was confirmed.
    wxBitmap GetBitmap() const { return m_bitmap; }

    void OnLoadImage(wxCommandEvent& event);
    void OnExit(wxCommandEvent& event);
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
