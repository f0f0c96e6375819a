#include <kelctrls/controls/bitmapbutton.h>

#include "controls/nativedraw.h"
#include "controls/xrcparams.h"

#include <wx/dcmemory.h>
#include <wx/image.h>

wxIMPLEMENT_DYNAMIC_CLASS(KBitmapButton, wxBitmapButton);

// clang-format off
wxBEGIN_EVENT_TABLE(KBitmapButton, wxBitmapButton)
    EVT_SIZE(KBitmapButton::OnSize)
    EVT_SET_FOCUS(KBitmapButton::OnSetFocus)
    EVT_KILL_FOCUS(KBitmapButton::OnSetFocus)
    EVT_MOUSE_EVENTS(KBitmapButton::OnMouseEvent)
    EVT_DPI_CHANGED(KBitmapButton::OnDPIChanged)
wxEND_EVENT_TABLE()
// clang-format on

namespace
{
// The faces are the whole button: no native padding, frame or minimum size around them.
const char* const kFaceOnlyCss =
    "button { padding: 0; margin: 0; border-width: 0; min-width: 0; min-height: 0;"
    " box-shadow: none; outline-width: 0; }";

const int kMaxScaledFace = 4096;

wxPoint CentredOrigin(const wxSize& window, const wxSize& face)
{
    return wxPoint((window.x - face.x) / 2, (window.y - face.y) / 2);
}
} // namespace

void KBitmapButton::Init()
{
    m_focused = false;
}

bool KBitmapButton::Create(wxWindow* parent, wxWindowID id, const wxBitmapBundle& bitmap, const wxPoint& pos,
                           const wxSize& size, long style, const wxValidator& validator, const wxString& name)
{
    // The label lives on the faces only, never in the native button.
    if (!wxBitmapButton::Create(parent, id, bitmap, pos, size, style | wxBU_NOTEXT, validator, name))
        return false;

    RemoveNativeLook();
    InvalidateBestSize();
    SetInitialSize(size);
    if (style & wxBU_TEXT)
        SetTextBitmap();
    return true;
}

void KBitmapButton::RemoveNativeLook()
{
    kel::ApplyNativeCss(this, kFaceOnlyCss);
    kel::ConnectNativePainter(this, kel::NativeDrawOrder::BeforeNative,
                              [this](wxDC& dc) { return DrawFace(dc); });
}

wxSize KBitmapButton::DoGetBestSize() const
{
    const wxBitmap normal = GetBitmapLabel();
    return normal.IsOk() ? normal.GetLogicalSize() : wxBitmapButton::DoGetBestSize();
}

void KBitmapButton::SetLabel(const wxString& label)
{
    wxControl::SetLabel(label);
    if (HasFlag(wxBU_TEXT))
    {
        SetTextBitmap();
        Refresh(true);
    }
}

void KBitmapButton::SetWindowStyleFlag(long style)
{
    if (style & wxBU_TEXT)
        SetTextBitmap();
    else
        ClearTextBitmaps();
    if (style & wxBU_AUTO_SCALE)
        Refresh(true);
    wxBitmapButton::SetWindowStyleFlag(style | wxBU_NOTEXT);
}

void KBitmapButton::ClearTextBitmaps()
{
    m_textBmpDisabled = wxNullBitmap;
    m_textBmpSelected = wxNullBitmap;
    m_textBmpFocus = wxNullBitmap;
    m_textBmpNormal = wxNullBitmap;
    m_textBmpHover = wxNullBitmap;
}

wxBitmap KBitmapButton::GetTextBitmap(const wxBitmap& face, const wxString& text, const wxSize& size,
                                      const wxColour& colour)
{
    if (!face.IsOk())
        return wxNullBitmap;

    // A button not laid out yet has no size to scale to; one beyond any screen is not
    // worth the memory of five faces that big. `size` is in window units; a face
    // drawn for a display scale holds that many pixels per unit, and so does the
    // text drawn onto it.
    const double scale = face.GetScaleFactor();
    const wxSize pixels(wxRound(size.x * scale), wxRound(size.y * scale));
    wxBitmap result;
    if (size.x <= 0 || size.y <= 0 || pixels.x > kMaxScaledFace || pixels.y > kMaxScaledFace)
        result = face;
    else
    {
        result = wxBitmap(face.ConvertToImage().Scale(pixels.x, pixels.y, wxIMAGE_QUALITY_NORMAL));
        result.SetScaleFactor(scale);
    }

    wxMemoryDC dc(result);
    dc.SetFont(GetFont());
    dc.SetTextForeground(colour);
    const wxSize extent = dc.GetTextExtent(text);
    const wxPoint at = CentredOrigin(result.GetLogicalSize(), extent);
    dc.DrawText(text, at);
    dc.SelectObject(wxNullBitmap);
    return result;
}

void KBitmapButton::SetTextBitmap()
{
    const wxString label = GetLabel();
    const wxSize size = HasFlag(wxBU_AUTO_SCALE) ? GetSize() : wxDefaultSize;
    const wxColour black = *wxBLACK;

    m_textBmpDisabled = GetTextBitmap(GetBitmapDisabled(), label, size, GetDisabledTextColour());
    m_textBmpNormal = GetTextBitmap(GetBitmapLabel(), label, size, black);
    m_textBmpFocus = GetTextBitmap(GetBitmapFocus(), label, size, black);
    m_textBmpSelected = GetTextBitmap(GetBitmapPressed(), label, size, black);
    m_textBmpHover = GetTextBitmap(GetBitmapCurrent(), label, size, black);
}

void KBitmapButton::DoSetBitmap(const wxBitmapBundle& bitmap, State which)
{
    m_faces[which] = bitmap;
    wxBitmapButton::DoSetBitmap(bitmap, which);
    OnSetBitmap();
}

wxBitmap KBitmapButton::DoGetBitmap(State which) const
{
    // While the native button is being made it has no scale of its own yet.
    const wxWindow* scaled = GetHandle() ? this : GetParent();
    const double scale = scaled ? scaled->GetDPIScaleFactor() : 1.0;
    const wxBitmapBundle& face = m_faces[which];
    return face.IsOk() ? face.GetBitmap(face.GetPreferredBitmapSizeAtScale(scale)) : wxBitmap();
}

void KBitmapButton::OnSetBitmap()
{
    if (HasFlag(wxBU_TEXT))
        SetTextBitmap();
    Refresh(true);
}

const wxBitmap& KBitmapButton::ChooseFace(int drawState, bool mouseInside, const wxBitmap& normal,
                                          const wxBitmap& selected, const wxBitmap& focus,
                                          const wxBitmap& disabled, const wxBitmap& hover)
{
    if ((drawState & DrawState_Selected) && selected.IsOk())
        return selected;
    if (hover.IsOk() && mouseInside)
        return hover;
    if ((drawState & DrawState_Focus) && focus.IsOk())
        return focus;
    if ((drawState & DrawState_Disabled) && disabled.IsOk())
        return disabled;
    return normal;
}

int KBitmapButton::GetDrawState() const
{
    int state = 0;
    if (kel::IsNativePressed(this))
        state |= DrawState_Selected;
    if (HasFocus())
        state |= DrawState_Focus;
    if (!IsEnabled())
        state |= DrawState_Disabled;
    return state;
}

bool KBitmapButton::IsMouseInWindow() const
{
    return IsShownOnScreen() && GetScreenRect().Contains(wxGetMousePosition());
}

wxBitmap KBitmapButton::GetCurrentFace() const
{
    const int state = GetDrawState();
    const bool inside = IsMouseInWindow();
    if (HasFlag(wxBU_TEXT))
        return ChooseFace(state, inside, m_textBmpNormal, m_textBmpSelected, m_textBmpFocus,
                          m_textBmpDisabled, m_textBmpHover);
    return ChooseFace(state, inside, GetBitmapLabel(), GetBitmapPressed(), GetBitmapFocus(),
                      GetBitmapDisabled(), GetBitmapCurrent());
}

bool KBitmapButton::DrawFace(wxDC& dc)
{
    const wxBitmap face = GetCurrentFace();
    if (!face.IsOk())
        return false;
    DrawButton(dc);
    dc.DrawBitmap(face, CentredOrigin(GetSize(), face.GetLogicalSize()), false);
    return true;
}

void KBitmapButton::DrawButton(wxDC& dc)
{
    wxBitmap face;
    if (!IsEnabled())
        face = m_textBmpDisabled.IsOk() ? m_textBmpDisabled : GetBitmapDisabled();
    else if (IsFocused())
        face = m_textBmpFocus.IsOk() ? m_textBmpFocus : GetBitmapFocus();
    else
        face = m_textBmpNormal.IsOk() ? m_textBmpNormal : GetBitmapLabel();

    if (face.IsOk())
        dc.DrawBitmap(face, CentredOrigin(GetSize(), face.GetLogicalSize()), false);
}

void KBitmapButton::OnMouseEvent(wxMouseEvent& event)
{
    if (event.Entering() || event.Leaving())
        Refresh(true);
    event.Skip();
}

void KBitmapButton::OnSetFocus(wxFocusEvent& event)
{
    m_focused = event.GetEventType() == wxEVT_SET_FOCUS;
    Refresh(true);
    event.Skip();
}

void KBitmapButton::OnDPIChanged(wxDPIChangedEvent& event)
{
    if (HasFlag(wxBU_TEXT))
        SetTextBitmap();
    Refresh(true);
    event.Skip();
}

void KBitmapButton::OnSize(wxSizeEvent&)
{
    if (HasFlag(wxBU_AUTO_SCALE) && HasFlag(wxBU_TEXT))
        SetTextBitmap();
    Refresh(true);
}

// ----------------------------------------------------------------------------
// KBitmapButtonXmlHandler
// ----------------------------------------------------------------------------

wxIMPLEMENT_DYNAMIC_CLASS(KBitmapButtonXmlHandler, wxXmlResourceHandler);

KBitmapButtonXmlHandler::KBitmapButtonXmlHandler()
{
    XRC_ADD_STYLE(wxBU_LEFT);
    XRC_ADD_STYLE(wxBU_TOP);
    XRC_ADD_STYLE(wxBU_RIGHT);
    XRC_ADD_STYLE(wxBU_BOTTOM);
    XRC_ADD_STYLE(wxBU_EXACTFIT);
    XRC_ADD_STYLE(wxNO_BORDER);
    XRC_ADD_STYLE(wxBU_AUTODRAW);
    AddWindowStyles();
    XRC_ADD_STYLE(wxBU_TEXT);
    XRC_ADD_STYLE(wxBU_AUTO_SCALE);
}

bool KBitmapButtonXmlHandler::CanHandle(wxXmlNode* node)
{
    return IsOfClass(node, wxS("KBitmapButton"));
}

wxObject* KBitmapButtonXmlHandler::DoCreateResource()
{
    XRC_MAKE_INSTANCE(button, KBitmapButton)

    const long style = GetStyle(wxS("style"), wxBU_AUTODRAW);
    button->Create(m_parentAsWindow, GetID(),
                   kel::ResolvedBundle(GetBitmapBundle(wxS("bitmap"), wxART_BUTTON)), GetPosition(),
                   GetSize(), style, wxDefaultValidator, GetName());
    if (GetBool(wxS("default")))
        button->SetDefault();
    kel::DropInvalidFontSize(GetParamNode(wxS("font")));
    SetupWindow(button);

    if (GetParamNode(wxS("selected")))
        button->SetBitmapPressed(kel::ResolvedBundle(GetBitmapBundle(wxS("selected"), wxART_OTHER)));
    if (GetParamNode(wxS("focus")))
        button->SetBitmapFocus(kel::ResolvedBundle(GetBitmapBundle(wxS("focus"), wxART_OTHER)));
    if (GetParamNode(wxS("disabled")))
        button->SetBitmapDisabled(kel::ResolvedBundle(GetBitmapBundle(wxS("disabled"), wxART_OTHER)));
    if (GetParamNode(wxS("hover")))
        button->SetBitmapCurrent(kel::ResolvedBundle(GetBitmapBundle(wxS("hover"), wxART_OTHER)));

    if (style & wxBU_TEXT)
        button->SetLabel(GetText(wxS("label")));
    return button;
}
