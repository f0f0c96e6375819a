// Drag and drop in the client: a contact dragged from the contact list onto
// a chat window joins its conversation; files dropped on the conversation
// are sent to it.
#include "chatwindow.h"
#include "demoregistry.h"
#include "demotext.h"
#include "pointergesture.h"

#include <kelctrls/dnd.h>
#include <kelctrls/skin.h>
#include <kelctrls/treelistctrl.h>

#include <wx/dcmemory.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/richtext/richtextctrl.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <cstdio>
#include <functional>

namespace
{

// The name under which contacts travel; only this process understands it.
const wxString CONTACT_FORMAT = "kelctrls-demo-contact";

struct DraggedContact
{
    wxString name;
    wxString signature;
};

// The contact being dragged: the data object carries a pointer to it, so it
// must outlive the drag.
DraggedContact& CurrentContact()
{
    static DraggedContact contact;
    return contact;
}

// The picture other programs see for a dragged contact: its name on a chip.
wxBitmap ContactChip(const wxString& name)
{
    wxBitmap chip(160, 26, 24);
    wxMemoryDC dc(chip);
    dc.SetBackground(wxBrush(KelSkinResource::GetInstance()->GetColour("color_pane_bk")));
    dc.Clear();
    dc.SetPen(wxPen(KelSkinResource::GetInstance()->GetColour("color_border")));
    dc.SetBrush(wxBrush(KelSkinResource::GetInstance()->GetColour("color_win_bk")));
    dc.DrawRoundedRectangle(0, 0, 160, 26, 5);
    dc.SetTextForeground(KelSkinResource::GetInstance()->GetColour("color_user_name"));
    dc.DrawText(name, 8, (26 - dc.GetCharHeight()) / 2);
    dc.SelectObject(wxNullBitmap);
    return chip;
}

bool IsPerson(wxTreeListCtrl* tree, const wxTreeItemId& item)
{
    // Groups stay where they are; only people are dragged.
    return item.IsOk() && !tree->HasChildren(item) && tree->GetItemParent(item) != tree->GetRootItem();
}

void StartContactDrag(wxTreeListCtrl* tree, const wxTreeItemId& itemUnderPointer)
{
    // The press selected the contact the user took hold of; by the time the
    // drag begins the pointer may be over another row.
    const wxTreeItemId selected = tree->GetSelection();
    const wxTreeItemId item = selected.IsOk() ? selected : itemUnderPointer;
    if (!IsPerson(tree, item))
        return;

    DraggedContact& contact = CurrentContact();
    contact.name = tree->GetItemText(item, 0);
    contact.signature = tree->GetItemText(item, 1);

    KelDndObject data(CONTACT_FORMAT, &contact);
    data.SetBitmap(ContactChip(contact.name));
    wxDropSource source(data, tree);
    // Screenshot mode's pointer carries the contact over once it is told.
    PointerDrag::Begins();
    source.DoDragDrop(wxDrag_CopyOnly);
}

// The contact list of the side pane, once the main window is built.
wxTreeListCtrl*& ContactList()
{
    static wxTreeListCtrl* list = nullptr;
    return list;
}

// Lets every contact list of the side pane start drags.
DemoMainHookRegistration contactDrags(70,
                                      [](DemoMainFrame& frame)
                                      {
                                          for (wxWindow* child : frame.GetSidePane()->GetChildren())
                                          {
                                              wxTreeListCtrl* tree = dynamic_cast<wxTreeListCtrl*>(child);
                                              if (!tree)
                                                  continue;
                                              ContactList() = tree;
                                              // The drag must start while the toolkit still handles the motion
                                              // that began it.
                                              tree->Bind(wxEVT_TREE_BEGIN_DRAG, [tree](wxTreeEvent& event)
                                                         { StartContactDrag(tree, event.GetItem()); });
                                          }
                                      });

// What a chat window does with what is dropped on it: it tells the user in
// its status bar (or its title when it has none).
class ChatDropHandler : public KelDropReceverInterface, public KelFileDropTargetObserver
{
public:
    explicit ChatDropHandler(wxTopLevelWindow* chat) : m_chat(chat) {}

    void OnDndDataDrop(int WXUNUSED(x), int WXUNUSED(y), void* data) override
    {
        const DraggedContact* contact = static_cast<const DraggedContact*>(data);
        if (contact)
            Tell(wxString::Format(_("%s was invited to the conversation."), contact->name));
    }

    bool OnObservedDropFiles(int WXUNUSED(x), int WXUNUSED(y), const wxArrayString& files) override
    {
        if (files.empty())
            return false;
        wxString names;
        for (const wxString& file : files)
            names += (names.empty() ? "" : ", ") + wxFileName(file).GetFullName();
        Tell(wxString::Format(_("Sending %s."), names));
        return true;
    }

private:
    void Tell(const wxString& text)
    {
        wxFrame* frame = dynamic_cast<wxFrame*>(m_chat);
        if (frame && frame->GetStatusBar())
            frame->SetStatusText(text);
        else
            m_chat->SetTitle(m_chat->GetTitle().BeforeFirst('|').Trim() + "  |  " + text);
    }

    wxTopLevelWindow* m_chat;
};

bool IsTextArea(wxWindow* window)
{
    return dynamic_cast<wxTextCtrl*>(window) || dynamic_cast<wxRichTextCtrl*>(window);
}

// Text areas of the conversation take dropped files; the rest of the window
// takes contacts.
void InstallDropTargets(wxWindow* window, ChatDropHandler* handler)
{
    if (IsTextArea(window))
        window->SetDropTarget(new KelFileDropTarget(handler));
    else
        window->SetDropTarget(new KelDndDropTarget(handler, CONTACT_FORMAT));
    for (wxWindow* child : window->GetChildren())
    {
        if (!child->IsTopLevel())
            InstallDropTargets(child, handler);
    }
}

DemoChatHookRegistration chatDrops(70,
                                   [](wxTopLevelWindow* chat)
                                   {
                                       ChatDropHandler* handler = new ChatDropHandler(chat);
                                       InstallDropTargets(chat, handler);
                                       chat->Bind(wxEVT_DESTROY,
                                                  [chat, handler](wxWindowDestroyEvent& event)
                                                  {
                                                      event.Skip();
                                                      if (event.GetEventObject() == chat)
                                                          delete handler;
                                                  });
                                   });

// Runs the event loop until `done` holds or `milliseconds` have passed.
bool YieldUntil(const std::function<bool()>& done, int milliseconds)
{
    const wxLongLong deadline = wxGetLocalTimeMillis() + milliseconds;
    while (!done() && wxGetLocalTimeMillis() < deadline)
    {
        wxYield();
        wxMilliSleep(10);
    }
    return done();
}

// The first contact whose row the contact list shows whole: the selected one
// when it is in view.
wxTreeItemId ContactInView(wxTreeListCtrl* tree)
{
    const wxRect view(tree->GetMainWindow()->GetClientSize());
    auto inView = [&](const wxTreeItemId& item)
    {
        wxRect row;
        return IsPerson(tree, item) && tree->GetBoundingRect(item, row) && view.Contains(row);
    };
    if (inView(tree->GetSelection()))
        return tree->GetSelection();
    for (wxTreeItemId item = tree->GetFirstVisibleItem(); item.IsOk(); item = tree->GetNextVisible(item))
    {
        if (inView(item))
            return item;
    }
    return wxTreeItemId();
}

// Screenshot mode shows one real drag: a contact carried from the contact
// list onto a chat window, which tells of the invitation in its status bar.
DemoShotRegistration contactDropShot(
    11, "contact-dropped-on-chat",
    [](wxWindow* mainFrame) -> wxTopLevelWindow*
    {
        wxTreeListCtrl* tree = ContactList();
        const wxTreeItemId contact = tree ? ContactInView(tree) : wxTreeItemId();
        wxRect row;
        if (!contact.IsOk() || !PointerGesture::IsAvailable() || !tree->GetBoundingRect(contact, row))
            return nullptr;
        DemoChatWindow* chat = OpenDemoChat(mainFrame);
        // Without a window manager (the headless screenshot run) the toolkit
        // may hand a drop to the lower of two overlapping windows: the drop
        // point lies where the main window does not reach.
        chat->Move(chat->GetPosition().x, mainFrame->GetRect().GetBottom() - 320);
        chat->Raise();
        YieldUntil([chat] { return chat->IsShownOnScreen(); }, 3000);
        const wxPoint from =
            tree->GetMainWindow()->ClientToScreen(wxPoint(row.x + 20, row.y + row.height / 2));
        // Onto the peer card, which takes contacts (the text areas take files).
        const wxPoint to = chat->ClientToScreen(wxPoint(90, 450));
        // Driven from another process: the drag runs an event loop of its
        // own, which input sent from inside this program cannot reach.
        const PointerResult dragged = PointerDrag(from, to).Drop();
        if (!dragged)
            std::fprintf(stderr, "the contact was not dragged onto the chat: %s\n",
                         static_cast<const char*>(dragged.GetReason().utf8_str()));
        return chat;
    });

} // anonymous namespace
