/// \file
/// The notebook page extension registry and the chat notebook that uses it.
///
/// Every page of a chat notebook may carry an extension that says whether the
/// page wants the user's attention (it holds something unread) and whether its
/// blink phase is currently on. The notebook sets these flags and blinks them on
/// a timer; the tab art only reads them when it draws.
#ifndef KELCTRLS_PLATFORM_NOTEBOOKEXT_H
#define KELCTRLS_PLATFORM_NOTEBOOKEXT_H

#include <kelctrls/base.h>

#include <wx/aui/auibook.h>
#include <wx/timer.h>

#include <map>
#include <memory>

/// The extension of one notebook page.
class KELCTRLS_API KAuiNotebookPageExtend
{
public:
    /// The extension of `page` (not owned), neither asking for attention nor blinking.
    explicit KAuiNotebookPageExtend(wxWindow* page);

    /// The page window.
    wxWindow* GetPage() const { return m_page; }

    /// Whether the page holds something unread.
    bool NeedAttention() const { return m_attention; }
    /// Marks the page as holding something unread or not (no redraw).
    void SetAttention(bool attention) { m_attention = attention; }

    /// Whether the tab shows its unread look in the current blink phase.
    bool IsBlinkOn() const { return m_blinkOn; }
    /// Sets the blink phase (no redraw).
    void SetBlinkOn(bool on) { m_blinkOn = on; }

private:
    wxWindow* m_page;
    bool m_attention;
    bool m_blinkOn;
};

/// Process-wide registry of page extensions, keyed by the page window. An
/// extension is forgotten when its window is destroyed.
class KELCTRLS_API KAuiNotebookPageExtendContainer
{
public:
    /// The registry, created on first use; it lives until the program ends.
    static KAuiNotebookPageExtendContainer* GetInstance();

    /// The extension of `page`, owned by the registry; null when it has none.
    KAuiNotebookPageExtend* GetPageExtend(const wxWindow* page) const;
    /// The extension of `page`, owned by the registry, created on first request.
    KAuiNotebookPageExtend* AddPageExtend(wxWindow* page);
    /// Deletes the extension of `page`; false when it had none.
    bool RemovePageExtend(const wxWindow* page);
    /// The number of extensions.
    size_t GetCount() const { return m_extends.size(); }

private:
    KAuiNotebookPageExtendContainer() = default;

    std::map<const wxWindow*, std::unique_ptr<KAuiNotebookPageExtend>> m_extends;

    static KAuiNotebookPageExtendContainer* m_instance;
};

/// An AUI notebook whose pages can ask for attention: a marked page blinks
/// between its unread and its normal look until it is shown.
class KELCTRLS_API KAuiNotebook : public wxAuiNotebook
{
public:
    /// The default blink interval in milliseconds.
    enum
    {
        DEFAULT_BLINK_INTERVAL = 500
    };

    /// For two-step creation; Create must follow.
    KAuiNotebook();
    /// Creates the notebook (see Create).
    KAuiNotebook(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                 const wxSize& size = wxDefaultSize, long style = wxAUI_NB_DEFAULT_STYLE);
    /// Stops the blink timer.
    virtual ~KAuiNotebook();

    /// Creates the notebook as wxAuiNotebook::Create does.
    bool Create(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = wxAUI_NB_DEFAULT_STYLE);

    /// Marks a page as holding something unread; its tab starts blinking at
    /// once. The selected page is in view already, so marking it does nothing.
    /// Clearing the mark stops the blinking of that page.
    void SetPageAttention(size_t page, bool attention);
    /// Whether page `page` (an index) is marked; false for an index out of range.
    bool HasPageAttention(size_t page) const;

    /// The blink interval in milliseconds (a running blink takes it at once).
    void SetBlinkInterval(int milliseconds);
    /// The blink interval in milliseconds.
    int GetBlinkInterval() const { return m_blinkInterval; }
    /// Whether some page is blinking.
    bool IsBlinking() const { return m_blinkTimer.IsRunning(); }
    /// Advances the blink phase of every marked page, as the timer does.
    void Blink();

    /// Repaints the tab rows (and with them their scroll buttons).
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
