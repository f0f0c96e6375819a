/// \file
/// kBitmapAuiTabArt: draws the chat window's AUI notebook tabs, their close
/// buttons and the tab row's scroll and window-list buttons from skin bitmaps.
#ifndef KELCTRLS_CONTROLS_TABART_H
#define KELCTRLS_CONTROLS_TABART_H

#include <kelctrls/base.h>

#include <wx/aui/auibook.h>
#include <wx/aui/tabart.h>

#include <memory>

/// The type of a tab art. The underlying type is fixed so that a stored value
/// other than the two named ones (an old or newer configuration) is still a
/// valid value of the type; the art then keeps the face names it has.
enum KELAUITAB_BITMAP_TYPE : int
{
    KELAUITAB_BITMAP_CHAT = 1, // chat tabs ("talkfrm_tab_..." faces)
    KELAUITAB_BITMAP_OTHER = 2 // other tabs ("talkfrm_othertab_..."), no close faces
};

/// The tab art of the chat window's wxAuiNotebook. Tabs are drawn from the
/// skin bitmaps of the face set (left, middle and right parts for normal,
/// active and unread tabs, and close button faces), with the plain look when
/// the skin has no such bitmap. The notebook takes the art over
/// (wxAuiNotebook::SetArtProvider).
class KELCTRLS_API kBitmapAuiTabArt : public wxAuiTabArt
{
public:
    /// Indexes into the face names.
    enum Face
    {
        FACE_NORMAL_LEFT,
        FACE_NORMAL_MID,
        FACE_NORMAL_RIGHT,
        FACE_ACTIVE_LEFT,
        FACE_ACTIVE_MID,
        FACE_ACTIVE_RIGHT,
        FACE_UNREAD_LEFT,
        FACE_UNREAD_MID,
        FACE_UNREAD_RIGHT,
        FACE_CLOSE_NORMAL,
        FACE_CLOSE_HOVER,
        FACE_CLOSE_PRESSED,
        FACE_COUNT
    };

    /// Art with the face set of `type`.
    explicit kBitmapAuiTabArt(const KELAUITAB_BITMAP_TYPE& type = KELAUITAB_BITMAP_CHAT);
    /// Frees the art.
    virtual ~kBitmapAuiTabArt();

    /// Chooses the face name set; a value other than the two known types
    /// leaves the names as they are.
    void SetAuiTabType(const KELAUITAB_BITMAP_TYPE& type);
    /// The face set in use.
    KELAUITAB_BITMAP_TYPE GetAuiTabType() const { return m_type; }
    /// The skin bitmap name of `face` in the current set.
    const wxString& GetFaceName(Face face) const { return m_face_names[face]; }
    /// Takes the face set, fonts and colours of `other`.
    void Copy(const kBitmapAuiTabArt& other);

    /// Shortens a caption to `limit` pixels in the DC's font, ending it in "...".
    static wxString ChopText(wxDC& dc, const wxString& text, int limit);

    ///@{

    /// The wxAuiTabArt interface: fonts, colours and flags are kept for drawing;
    /// tabs, close buttons and the scroll and window-list buttons are drawn from
    /// the skin; an inactive tab whose page asks for attention (KAuiNotebookPageExtend)
    /// blinks between its normal and unread faces.
    wxAuiTabArt* Clone() override;
    void SetFlags(unsigned int flags) override;
    void SetSizingInfo(const wxSize& tabCtrlSize, size_t tabCount, wxWindow* wnd = nullptr) override;
    void SetNormalFont(const wxFont& font) override;
    void SetSelectedFont(const wxFont& font) override;
    void SetMeasuringFont(const wxFont& font) override;
    void SetColour(const wxColour& colour) override;
    void SetActiveColour(const wxColour& colour) override;

    void DrawBorder(wxDC& dc, wxWindow* wnd, const wxRect& rect) override;
    void DrawBackground(wxDC& dc, wxWindow* wnd, const wxRect& rect) override;
    void DrawTab(wxDC& dc, wxWindow* wnd, const wxAuiNotebookPage& page, const wxRect& inRect,
                 int closeButtonState, wxRect* outTabRect, wxRect* outButtonRect, int* xExtent) override;
    void DrawButton(wxDC& dc, wxWindow* wnd, const wxRect& inRect, int bitmapId, int buttonState,
                    int orientation, wxRect* outRect) override;
    ///@}

    /// Every tab is measured as the active one with a visible close button.
    wxSize GetTabSize(wxDC& dc, wxWindow* wnd, const wxString& caption, const wxBitmapBundle& bitmap,
                      bool active, int closeButtonState, int* xExtent) override;
    ///@{

    /// The wxAuiTabArt interface: the window-list menu and the sizes of the tab
    /// row, as wxAuiDefaultTabArt computes them.
    int ShowDropDown(wxWindow* wnd, const wxAuiNotebookPageArray& items, int activeIdx) override;
    int GetIndentSize() override;
    int GetBorderWidth(wxWindow* wnd) override;
    int GetAdditionalBorderSpace(wxWindow* wnd) override;
    int GetBestTabCtrlSize(wxWindow* wnd, const wxAuiNotebookPageArray& pages,
                           const wxSize& requiredBmpSize) override;
    ///@}

private:
    wxString FlashBitmapName(wxWindow* wnd, const wxRect& inRect, int bitmapId, int buttonState);
    void DrawPlainTab(wxDC& dc, const wxRect& tab, bool active);

    std::unique_ptr<wxAuiDefaultTabArt> m_default_art;
    wxFont m_normal_font;
    wxColour m_base_colour;
    wxPen m_base_colour_pen;
    wxPen m_border_pen;
    wxBrush m_base_colour_brush;
    wxString m_face_names[FACE_COUNT];
    KELAUITAB_BITMAP_TYPE m_type;

    wxDECLARE_NO_COPY_CLASS(kBitmapAuiTabArt);
};

#endif
