#include <kelctrls/controls/statictext.h>

#include "controls/xrcparams.h"

#include <wx/dcclient.h>
#include <wx/log.h>

namespace
{
const int kExtraWidth = 4;
const int kExtraHeight = 6;
} // namespace

wxIMPLEMENT_DYNAMIC_CLASS(KelStaticText, wxControl);

// clang-format off
wxBEGIN_EVENT_TABLE(KelStaticText, wxControl)
    EVT_SIZE(KelStaticText::OnSize)
    EVT_PAINT(KelStaticText::OnPaint)
    EVT_ERASE_BACKGROUND(KelStaticText::OnEraseBackground)
wxEND_EVENT_TABLE()
// clang-format on

bool KelStaticText::Create(wxWindow* parent, wxWindowID id, const wxString& label, const wxPoint& pos,
                           const wxSize& size, long style, const wxString& name)
{
    if (!wxControl::Create(parent, id, pos, size, style, wxDefaultValidator, name))
        return false;
    SetLabel(label);
    SetInitialSize(size);
    return true;
}

void KelStaticText::SetLabel(const wxString& label)
{
    wxControlBase::SetLabel(label);
}

void KelStaticText::SetFontColour(const wxColour& colour)
{
    m_fontColour = colour;
    Refresh(true);
}

wxSize KelStaticText::DoGetBestSize() const
{
    return wxSize(GetTextExtent(GetLabel()).x + kExtraWidth, GetCharHeight() + kExtraHeight);
}

void KelStaticText::Draw(wxDC& dc)
{
    dc.SetFont(GetFont());
    if (m_fontColour.IsOk())
    {
        dc.SetPen(wxPen(m_fontColour, 1));
        dc.SetTextForeground(m_fontColour);
    }

    if (m_autoSize)
    {
        const wxSize wanted(dc.GetTextExtent(GetLabel()).x + kExtraWidth, dc.GetCharHeight() + kExtraHeight);
        if (GetSize() != wanted)
            SetSize(wanted);
    }
    dc.DrawText(GetLabel(), 0, 0);
}

void KelStaticText::OnPaint(wxPaintEvent& event)
{
    wxPaintDC dc(this);
    Draw(dc);
    event.Skip();
}

// The paint handler draws the whole control; not erasing keeps the parent's skin visible.
void KelStaticText::OnEraseBackground(wxEraseEvent&) {}

void KelStaticText::OnSize(wxSizeEvent&)
{
    Refresh(true);
}

// ----------------------------------------------------------------------------
// KelStaticTextXmlHandler
// ----------------------------------------------------------------------------

wxIMPLEMENT_DYNAMIC_CLASS(KelStaticTextXmlHandler, wxXmlResourceHandler);

KelStaticTextXmlHandler::KelStaticTextXmlHandler()
{
    XRC_ADD_STYLE(wxALIGN_LEFT);
    XRC_ADD_STYLE(wxALIGN_RIGHT);
    XRC_ADD_STYLE(wxALIGN_CENTRE);
    XRC_ADD_STYLE(wxST_NO_AUTORESIZE);
    AddWindowStyles();
}

bool KelStaticTextXmlHandler::CanHandle(wxXmlNode* node)
{
    return IsOfClass(node, wxS("KelStaticText"));
}

wxObject* KelStaticTextXmlHandler::DoCreateResource()
{
    wxLogNull noLog;
    XRC_MAKE_INSTANCE(text, KelStaticText)

    const wxSize size = GetSize();
    text->Create(
        m_parentAsWindow, GetID(), GetText(wxS("label")), GetPosition(), size,
        GetStyle(wxS("style"), wxNO_BORDER | wxTRANSPARENT_WINDOW | wxTAB_TRAVERSAL | wxST_NO_AUTORESIZE),
        GetName());
    kel::DropInvalidFontSize(GetParamNode(wxS("font")));
    SetupWindow(text);
    if (size == wxDefaultSize)
        text->SetAutoSize(true);
    text->SetToolTip(GetText(wxS("tooltip")));
    const wxFont font = GetFont(wxS("font"));
    if (font.IsOk())
        text->SetFont(font);
    const wxColour colour = GetColour(wxS("color"), wxNullColour);
    if (colour.IsOk())
        text->SetFontColour(colour);
    return text;
}
