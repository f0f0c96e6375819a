#include <kelctrls/platform/notebookext.h>

KAuiNotebookPageExtend::KAuiNotebookPageExtend(wxWindow* page)
    : m_page(page), m_attention(false), m_blinkOn(false)
{
}

// ----------------------------------------------------------------------------
// KAuiNotebookPageExtendContainer
// ----------------------------------------------------------------------------

KAuiNotebookPageExtendContainer* KAuiNotebookPageExtendContainer::m_instance = nullptr;

KAuiNotebookPageExtendContainer* KAuiNotebookPageExtendContainer::GetInstance()
{
    if (!m_instance)
        m_instance = new KAuiNotebookPageExtendContainer;
    return m_instance;
}

KAuiNotebookPageExtend* KAuiNotebookPageExtendContainer::GetPageExtend(const wxWindow* page) const
{
    const auto it = m_extends.find(page);
    return it == m_extends.end() ? nullptr : it->second.get();
}

KAuiNotebookPageExtend* KAuiNotebookPageExtendContainer::AddPageExtend(wxWindow* page)
{
    if (!page)
        return nullptr;
    if (KAuiNotebookPageExtend* existing = GetPageExtend(page))
        return existing;

    // A destroyed window's address may be reused by a new page: forget the
    // extension together with its window.
    page->Bind(wxEVT_DESTROY,
               [this, page](wxWindowDestroyEvent& event)
               {
                   if (event.GetEventObject() == page)
                       RemovePageExtend(page);
                   event.Skip();
               });

    auto& slot = m_extends[page];
    slot.reset(new KAuiNotebookPageExtend(page));
    return slot.get();
}

bool KAuiNotebookPageExtendContainer::RemovePageExtend(const wxWindow* page)
{
    return m_extends.erase(page) > 0;
}

// ----------------------------------------------------------------------------
// KAuiNotebook
// ----------------------------------------------------------------------------

KAuiNotebook::KAuiNotebook()
{
    Init();
}

KAuiNotebook::KAuiNotebook(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                           long style)
{
    Init();
    Create(parent, id, pos, size, style);
}

KAuiNotebook::~KAuiNotebook()
{
    m_blinkTimer.Stop();
}

void KAuiNotebook::Init()
{
    m_blinkInterval = DEFAULT_BLINK_INTERVAL;
    m_blinkPhase = false;
    m_blinkTimer.SetOwner(this);
}

bool KAuiNotebook::Create(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style)
{
    if (!wxAuiNotebook::Create(parent, id, pos, size, style))
        return false;
    Bind(wxEVT_TIMER, &KAuiNotebook::OnBlinkTimer, this, m_blinkTimer.GetId());
    Bind(wxEVT_AUINOTEBOOK_PAGE_CHANGED, &KAuiNotebook::OnPageChanged, this);
    return true;
}

void KAuiNotebook::SetPageAttention(size_t page, bool attention)
{
    if (page >= GetPageCount())
        return;
    wxWindow* window = GetPage(page);

    KAuiNotebookPageExtendContainer* registry = KAuiNotebookPageExtendContainer::GetInstance();
    if (attention)
    {
        if (static_cast<int>(page) == GetSelection())
            return;
        KAuiNotebookPageExtend* extend = registry->AddPageExtend(window);
        extend->SetAttention(true);
        extend->SetBlinkOn(true);
        m_blinkPhase = true;
        if (!m_blinkTimer.IsRunning())
            m_blinkTimer.Start(m_blinkInterval);
    }
    else if (KAuiNotebookPageExtend* extend = registry->GetPageExtend(window))
    {
        extend->SetAttention(false);
        extend->SetBlinkOn(false);
        if (!AnyPageWantsAttention())
            m_blinkTimer.Stop();
    }
    RefreshTabs();
}

bool KAuiNotebook::HasPageAttention(size_t page) const
{
    if (page >= GetPageCount())
        return false;
    const KAuiNotebookPageExtend* extend =
        KAuiNotebookPageExtendContainer::GetInstance()->GetPageExtend(GetPage(page));
    return extend && extend->NeedAttention();
}

void KAuiNotebook::SetBlinkInterval(int milliseconds)
{
    m_blinkInterval = milliseconds;
    if (m_blinkTimer.IsRunning())
        m_blinkTimer.Start(m_blinkInterval);
}

bool KAuiNotebook::AnyPageWantsAttention() const
{
    for (size_t i = 0; i < GetPageCount(); ++i)
    {
        if (HasPageAttention(i))
            return true;
    }
    return false;
}

void KAuiNotebook::Blink()
{
    if (!AnyPageWantsAttention())
    {
        m_blinkTimer.Stop();
        return;
    }

    m_blinkPhase = !m_blinkPhase;
    KAuiNotebookPageExtendContainer* registry = KAuiNotebookPageExtendContainer::GetInstance();
    for (size_t i = 0; i < GetPageCount(); ++i)
    {
        KAuiNotebookPageExtend* extend = registry->GetPageExtend(GetPage(i));
        if (extend && extend->NeedAttention())
            extend->SetBlinkOn(m_blinkPhase);
    }
    RefreshTabs();
}

void KAuiNotebook::RefreshTabs()
{
    for (wxWindow* child : GetChildren())
    {
        if (dynamic_cast<wxAuiTabCtrl*>(child))
            child->Refresh(false);
    }
}

void KAuiNotebook::OnBlinkTimer(wxTimerEvent& WXUNUSED(event))
{
    Blink();
}

void KAuiNotebook::OnPageChanged(wxAuiNotebookEvent& event)
{
    const int selection = event.GetSelection();
    if (selection != wxNOT_FOUND)
        SetPageAttention(selection, false);
    event.Skip();
}
