// Shared by the tree list tests: a frame with one control, groups and their
// members built in one statement, and a recorder of the events it sends.
#ifndef KELCTRLS_TESTS_TEST_TREELIST_SUPPORT_H
#define KELCTRLS_TESTS_TEST_TREELIST_SUPPORT_H

#include "testsupport.h"

#include <kelctrls/treelistctrl.h>

#include <wx/frame.h>

#include <initializer_list>
#include <map>
#include <vector>

namespace kel
{
namespace test
{

// An item to append and where to keep its id.
struct Row
{
    wxTreeItemId* id;
    wxString text;
};

// A row under the parent and the rows under it.
struct Group
{
    wxTreeItemId* id;
    wxString text;
    std::initializer_list<Row> members;
};

// Appends the groups under parent in order, each with its members.
inline void AppendGroups(wxTreeListCtrl* tree, const wxTreeItemId& parent,
                         std::initializer_list<Group> groups)
{
    for (const Group& group : groups)
    {
        *group.id = tree->AppendItem(parent, group.text);
        for (const Row& member : group.members)
            *member.id = tree->AppendItem(*group.id, member.text);
    }
}

// Keeps the events of the given types that reach a window, by type; the
// events go on to the window's other handlers.
template <typename Event>
class EventRecorder
{
public:
    void Attach(wxWindow* win, std::initializer_list<wxEventType> types)
    {
        for (wxEventType type : types)
            win->Bind(wxEventTypeTag<Event>(type),
                      [this](Event& event)
                      {
                          m_events[event.GetEventType()].push_back(event);
                          event.Skip();
                      });
    }
    size_t Count(wxEventType type) { return m_events[type].size(); }
    const Event& Last(wxEventType type) { return m_events[type].back(); }

private:
    std::map<wxEventType, std::vector<Event>> m_events;
};

// Each tree list test family makes its control with MakeTree; the frame
// goes when the test ends.
class TreeListTest : public ::testing::Test
{
protected:
    void MakeTree(const wxSize& frameSize, wxWindowID id, long style,
                  std::initializer_list<wxTreeListColumnInfo> columns)
    {
        m_frame = new wxFrame(nullptr, wxID_ANY, "tree", wxPoint(0, 0), frameSize);
        m_tree = new wxTreeListCtrl(m_frame, id, wxDefaultPosition, wxDefaultSize, style);
        for (const wxTreeListColumnInfo& column : columns)
            m_tree->AddColumn(column);
        m_main = m_tree->GetMainWindow();
    }

    void TearDown() override
    {
        if (m_frame)
            m_frame->Destroy();
        Pump(50);
    }

    wxFrame* m_frame = nullptr;
    wxTreeListCtrl* m_tree = nullptr;
    wxTreeListMainWindow* m_main = nullptr;
};

} // namespace test
} // namespace kel

#endif // KELCTRLS_TESTS_TEST_TREELIST_SUPPORT_H
