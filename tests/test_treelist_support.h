// Shared by the tree list tests: building a tree of groups and their members
// in one statement, each new item written to the id the test keeps for it.
#ifndef KELCTRLS_TESTS_TEST_TREELIST_SUPPORT_H
#define KELCTRLS_TESTS_TEST_TREELIST_SUPPORT_H

#include <kelctrls/treelistctrl.h>

#include <initializer_list>

namespace treelisttest
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

} // namespace treelisttest

#endif // KELCTRLS_TESTS_TEST_TREELIST_SUPPORT_H
