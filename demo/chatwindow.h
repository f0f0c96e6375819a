// The chat window of the showcase client: a side pane with the peer's card, a
// splitter button that folds it away, and a notebook of conversations drawn
// with the skinned chat tab art.
#ifndef KELCTRLS_DEMO_CHATWINDOW_H
#define KELCTRLS_DEMO_CHATWINDOW_H

#include <kelctrls/controls.h>
#include <kelctrls/platform/notebookext.h>
#include <kelctrls/skin.h>

#include <wx/arrstr.h>

class DemoChatWindow : public KelFrameBase
{
public:
    DemoChatWindow(wxWindow* parent, const wxArrayString& peers);

    KAuiNotebook* GetConversations() const { return m_book; }
    // Marks a conversation as holding an unread message.
    void MarkUnread(const wxString& peer);

private:
    wxWindow* BuildPeerCard(wxWindow* parent);
    void ShowPeer(const wxString& peer);
    void OnSplitter(kelSplitterButtonEvent& event);
    void OnPageChanged(wxAuiNotebookEvent& event);

    wxWindow* m_sidePane;
    wxStaticText* m_peerName;
    KAuiNotebook* m_book;
};

// Opens and shows a chat window with the demo's conversations beside the
// contact list of `parent`, the main window.
DemoChatWindow* OpenDemoChat(wxWindow* parent);

#endif
