#include <kelctrls/controls/shortcut.h>
#include <kelctrls/controls/border.h>
#include <kelctrls/controls/linktext.h>
#include <kelctrls/controls/tabconfig.h>

#include "skin/librarytext.h"
#include "skin/scaledbitmap.h"

#include <wx/filename.h>
#include <wx/log.h>
#include <wx/wupdlock.h>
#include <wx/xml/xml.h>

#include <algorithm>

wxDEFINE_EVENT(wxEVT_SHORTCUT_BUTTON_CLICKED, KelShortCutEvent);

wxIMPLEMENT_DYNAMIC_CLASS(KelShortCutEvent, wxCommandEvent);

void KelShortCutEvent::SetItemClicked(bool clicked)
{
    m_itemClicked = clicked;
    m_captionClicked = false;
}

void KelShortCutEvent::SetCaptionClicked(bool clicked)
{
    m_captionClicked = clicked;
    m_itemClicked = false;
}

// ----------------------------------------------------------------------------
// KelShortCutPanel
// ----------------------------------------------------------------------------

// clang-format off
wxBEGIN_EVENT_TABLE(KelShortCutPanel, wxScrolledWindow)
    EVT_SIZE(KelShortCutPanel::OnSize)
    EVT_COMMAND_RANGE(KelShortCutPanel::FIRST_ID, KelShortCutPanel::LAST_HANDLED_ID, wxEVT_BUTTON, KelShortCutPanel::OnShortCutCommand)
wxEND_EVENT_TABLE()
// clang-format on

KelShortCutPanel::KelShortCutPanel(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                                   long style, const wxString& name)
    : wxScrolledWindow(parent, id, pos, size, style, name), m_nextId(FIRST_ID)
{
}

KelShortCutPanel::~KelShortCutPanel() {}

long KelShortCutPanel::CreateShortCut(const wxString& key, long index, const wxString& label,
                                      const wxBitmap& bitmap)
{
    std::unique_ptr<KEL_SHORTCUT_ITEM> item(new KEL_SHORTCUT_ITEM);
    item->id = m_nextId++;
    item->index = index;
    item->key = key;
    item->label = label;
    item->bitmap = bitmap;

    const auto existing = m_links.find(key);
    if (existing != m_links.end())
    {
        existing->second->Destroy();
        m_links.erase(existing);
        const auto old = std::find_if(m_items.begin(), m_items.end(),
                                      [&key](const std::unique_ptr<KEL_SHORTCUT_ITEM>& i)
                                      { return i->key.IsSameAs(key, false); });
        if (old != m_items.end())
            m_items.erase(old);
    }

    wxLinkText* link = new wxLinkText(this, item->id, label, wxDefaultPosition, wxDefaultSize,
                                      wxBORDER_NONE | wxTRANSPARENT_WINDOW, "staticText");
    link->SetBitmap(bitmap);
    m_links[key] = link;

    const int id = item->id;
    const auto position = std::upper_bound(m_items.begin(), m_items.end(), item->index,
                                           [](long index, const std::unique_ptr<KEL_SHORTCUT_ITEM>& i)
                                           { return index < i->index; });
    m_items.insert(position, std::move(item));

    // While frozen (a whole file being read) the links are placed once, at
    // the thaw: placing all of them for each new one takes quadratic time.
    if (!IsFrozen())
        LayoutShortCuts(GetClientSize());
    InvalidateBestSize();
    return id;
}

void KelShortCutPanel::DoThaw()
{
    wxScrolledWindow::DoThaw();
    LayoutShortCuts(GetClientSize());
}

bool KelShortCutPanel::IsExistShortCut(const wxString& key) const
{
    return m_links.find(key) != m_links.end();
}

const KEL_SHORTCUT_ITEM* KelShortCutPanel::GetShortCut(size_t pos) const
{
    return pos < m_items.size() ? m_items[pos].get() : nullptr;
}

wxLinkText* KelShortCutPanel::GetShortCutLink(const wxString& key) const
{
    const auto it = m_links.find(key);
    return it == m_links.end() ? nullptr : it->second;
}

void KelShortCutPanel::OnCaptionButton(wxCommandEvent& WXUNUSED(event)) {}

wxSize KelShortCutPanel::DoGetBestClientSize() const
{
    return wxSize(wxDefaultCoord, static_cast<int>(m_items.size()) * ITEM_HEIGHT);
}

void KelShortCutPanel::LayoutShortCuts(const wxSize& size)
{
    int y = 0;
    for (const auto& item : m_items)
    {
        wxWindow* link = GetShortCutLink(item->key);
        if (link)
            link->SetSize(
                wxRect(CalcScrolledPosition(wxPoint(ITEM_INDENT, y)), wxSize(size.x - 5, ITEM_HEIGHT)));
        y += ITEM_HEIGHT;
    }

    if (y <= size.y)
    {
        SetScrollbars(0, 0, 0, 0);
        return;
    }
    int x0, y0;
    GetViewStart(&x0, &y0);
    SetScrollbars(0, SCROLL_UNIT, 0, y / SCROLL_UNIT, 0, y0);
}

// A new size shows the list from its top; a shortcut added meanwhile keeps the position.
void KelShortCutPanel::OnSize(wxSizeEvent& WXUNUSED(event))
{
    Scroll(0, 0);
    LayoutShortCuts(GetClientSize());
}

void KelShortCutPanel::OnShortCutCommand(wxCommandEvent& event)
{
    KelShortCutEvent clicked(wxEVT_SHORTCUT_BUTTON_CLICKED, GetId());
    clicked.SetEventObject(this);
    clicked.SetItemClicked(true);
    clicked.SetCollapse(false);

    const auto item = std::find_if(m_items.begin(), m_items.end(),
                                   [&event](const std::unique_ptr<KEL_SHORTCUT_ITEM>& i)
                                   { return i->id == event.GetId(); });
    if (item != m_items.end())
    {
        clicked.SetClicketId((*item)->id);
        clicked.SetClicketKey((*item)->key);
        clicked.SetClickedItem(item->get());
    }
    ProcessWindowEvent(clicked);
}

// ----------------------------------------------------------------------------
// KelMainShortCut
// ----------------------------------------------------------------------------

// clang-format off
wxBEGIN_EVENT_TABLE(KelMainShortCut, wxPanel)
    EVT_SIZE(KelMainShortCut::OnSize)
    EVT_SHORTCUT_BUTTON_CLICKED(wxID_ANY, KelMainShortCut::OnShortCut)
wxEND_EVENT_TABLE()
// clang-format on

KelMainShortCut::KelMainShortCut()
{
    Init();
}

KelMainShortCut::KelMainShortCut(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                                 long style, const wxString& name)
{
    Init();
    Create(parent, id, pos, size, style, name);
}

void KelMainShortCut::Init()
{
    m_panel = nullptr;
    m_more = nullptr;
    m_border = nullptr;
}

bool KelMainShortCut::Create(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                             long style, const wxString& name)
{
    wxLogNull noLog;
    if (!wxPanel::Create(parent, id, pos, size, style, name))
        return false;

    m_border = new KelBorder(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_ALLSIDES);
    m_more = new wxLinkText(m_border, wxID_ANY, _("More..."), wxDefaultPosition, wxDefaultSize,
                            wxBORDER_NONE | wxTRANSPARENT_WINDOW, "staticText");
    m_more->SetBitmap(kel::LoadScaledBundle(KelInstallPath("locale/images/more.bmp"), wxBITMAP_TYPE_BMP)
                          .GetBitmapFor(m_more));
    m_border->SetWindow(m_more);
    m_border->SetBorderColour(wxColour(122, 138, 191), false);
    m_border->SetBorderStyle(wxBORDER_BOTTOM);
    m_border->Bind(wxEVT_BUTTON, &KelMainShortCut::OnCaptionButton, this);

    m_panel =
        new KelShortCutPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL, "panel");
    return true;
}

bool KelMainShortCut::LoadFile(const wxString& name)
{
    wxLogNull noLog;
    wxXmlDocument doc;
    if (!doc.Load(name, "UTF-8") || !doc.GetRoot())
        return false;

    wxWindowUpdateLocker frozen;
    if (m_panel)
        frozen.Lock(m_panel);
    for (wxXmlNode* node = doc.GetRoot()->GetChildren(); node; node = node->GetNext())
    {
        if (node->GetType() != wxXML_ELEMENT_NODE)
            continue;
        const wxString key = node->GetAttribute("key");
        const wxString bitmapPath = node->GetAttribute("bitmap");
        const wxString path = wxFileName(bitmapPath).IsAbsolute() ? bitmapPath : KelInstallPath(bitmapPath);
        // Drawn for the bar's display scale when the file has an "@2x" variant.
        const wxBitmapBundle bitmap =
            bitmapPath.empty() ? wxBitmapBundle() : kel::LoadScaledBundle(path, wxBITMAP_TYPE_BMP);
        CreateShortCut(key, KelTabManager::GetInstance()->GetShortCutAttr(key), node->GetAttribute("label"),
                       bitmap.IsOk() ? bitmap.GetBitmapFor(this) : wxBitmap());
    }
    return true;
}

long KelMainShortCut::CreateShortCut(const wxString& key, long index, const wxString& label,
                                     const wxBitmap& bitmap)
{
    InvalidateBestSize();
    return m_panel ? m_panel->CreateShortCut(key, index, label, bitmap) : -1;
}

void KelMainShortCut::ShowPanel(bool show)
{
    if (!m_panel || m_panel->IsShown() == show)
        return;
    m_panel->Show(show);
    // Give the room back to (or take it from) the neighbours in the sizer.
    InvalidateBestSize();
    if (GetParent())
        GetParent()->Layout();
}

void KelMainShortCut::Collapse()
{
    ShowPanel(false);
}

void KelMainShortCut::Expand()
{
    ShowPanel(true);
}

bool KelMainShortCut::IsCollapsed() const
{
    return !m_panel || !m_panel->IsShown();
}

void KelMainShortCut::GetShortCutOrders(wxList& WXUNUSED(orders)) {}

wxSize KelMainShortCut::DoGetBestClientSize() const
{
    int height = GetCaptionHeight();
    if (!IsCollapsed())
        height += m_panel->GetBestSize().y;
    return wxSize(wxDefaultCoord, height);
}

void KelMainShortCut::OnSize(wxSizeEvent& WXUNUSED(event))
{
    if (!m_panel)
        return;
    const wxSize size = GetClientSize();
    const int caption = GetCaptionHeight();
    m_border->SetSize(size.x, caption);
    m_panel->SetSize(0, caption, size.x, std::max(0, size.y - caption));
}

void KelMainShortCut::OnShortCut(KelShortCutEvent& event)
{
    if (event.IsCaptionClicked())
        ShowPanel(IsCollapsed());
    event.Skip();
}

void KelMainShortCut::OnCaptionButton(wxCommandEvent& WXUNUSED(event))
{
    KelShortCutEvent clicked(wxEVT_SHORTCUT_BUTTON_CLICKED, GetId());
    clicked.SetEventObject(this);
    clicked.SetCaptionClicked(true);
    ProcessWindowEvent(clicked);
}
