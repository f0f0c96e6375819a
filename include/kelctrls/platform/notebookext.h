// The notebook page extension registry and the chat notebook that uses it.
//
// Every page of a chat notebook may carry an extension that says whether the
// page wants the user's attention (it holds something unread) and whether its
// blink phase is currently on. The notebook sets these flags and blinks them on
// a timer; the tab art only reads them when it draws.
#ifndef KELCTRLS_PLATFORM_NOTEBOOKEXT_H
#define KELCTRLS_PLATFORM_NOTEBOOKEXT_H

#include <kelctrls/base.h>

#include <wx/aui/auibook.h>
#include <wx/timer.h>

#include <map>
#include <memory>

class KELCTRLS_API KAuiNotebookPageExtend
{
public:
    explicit KAuiNotebookPageExtend(wxWindow* page);

    wxWindow* GetPage() const { return m_page; }

    bool NeedAttention() const { return m_attention; }
    void SetAttention(bool attention) { m_attention = attention; }

    bool IsBlinkOn() const { return m_blinkOn; }
    void SetBlinkOn(bool on) { m_blinkOn = on; }

private:
    wxWindow* m_page;
    bool m_attention;
    bool m_blinkOn;
};

// Process-wide registry of page extensions, keyed by the page window. An
// extension is forgotten when its window is destroyed.
class KELCTRLS_API KAuiNotebookPageExtendContainer
{
public:
    static KAuiNotebookPageExtendContainer* GetInstance();

    // The page's extension, or null when it has none.
    KAuiNotebookPageExtend* GetPageExtend(const wxWindow* page) const;
    // The page's extension, created on first request.
    KAuiNotebookPageExtend* AddPageExtend(wxWindow* page);
    bool RemovePageExtend(const wxWindow* page);
    size_t GetCount() const { return m_extends.size(); }

private:
    KAuiNotebookPageExtendContainer() = default;

    std::map<const wxWindow*, std::unique_ptr<KAuiNotebookPageExtend>> m_extends;

    static KAuiNotebookPageExtendContainer* m_instance;
};

// An AUI notebook whose pages can ask for attention: a marked page blinks
// between its unread and its normal look until it is shown.
class KELCTRLS_API KAuiNotebook : public wxAuiNotebook
{
public:
    enum
    {
        DEFAULT_BLINK_INTERVAL = 500
    };

    KAuiNotebook();
    KAuiNotebook(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                 const wxSize& size = wxDefaultSize, long style = wxAUI_NB_DEFAULT_STYLE);
    virtual ~KAuiNotebook();

    bool Create(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = wxAUI_NB_DEFAULT_STYLE);

    // Marks a page as holding something unread; its tab starts blinking at
    // once. The selected page is in view already, so marking it does nothing.
    // Clearing the mark stops the blinking of that page.
    void SetPageAttention(size_t page, bool attention);
    bool HasPageAttention(size_t page) const;

    void SetBlinkInterval(int milliseconds);
    int GetBlinkInterval() const { return m_blinkInterval; }
    bool IsBlinking() const { return m_blinkTimer.IsRunning(); }
    // Advances the blink phase of every marked page, as the timer does.
    void Blink();

    // Repaints the tab rows (and with them their scroll buttons).
    void RefreshTabs();

private:
    void Init();
    bool AnyPageWantsAttention() const;
    void OnBlinkTimer(wxTimerEvent& event);
    void OnPageChanged(wxAuiNotebookEvent& event);

    wxTimer m_blinkTimer;
    int m_blinkInterval;
    bool m_blinkPhase;

    wxDECLARE_NO_COPY_CLASS(KAuiNotebook);
};

#endif
