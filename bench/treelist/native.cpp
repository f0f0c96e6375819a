// The benchmark driver of wxWidgets' own tree list control.
#include "treelist/driver.h"

#include <wx/dataview.h>
#include <wx/treelist.h>

#include <gtk/gtk.h>

namespace
{

class NativeTreeListDriver : public TreeDriver
{
public:
    explicit NativeTreeListDriver(wxWindow* parent)
        : m_tree(
              new wxTreeListCtrl(parent, wxID_ANY, wxDefaultPosition, parent->GetClientSize(), wxTL_MULTIPLE))
    {
        m_tree->AppendColumn("Name", 240);
        m_tree->AppendColumn("Presence", 100);
        m_tree->AppendColumn("Signature", 300);
    }

    ~NativeTreeListDriver() override { m_tree->Destroy(); }

    wxString Name() const override { return "wxWidgets wxTreeListCtrl"; }
    wxWindow* Window() override { return m_tree; }
    // Refreshing the control repaints its column header only: the rows are
    // drawn by a toolkit view that has a window of its own.
    void InvalidateAll() override
    {
        m_tree->Refresh();
        gtk_widget_queue_draw(m_tree->GetDataView()->GtkGetTreeView());
    }

    void Insert(const BenchOrganisation& organisation) override
    {
        const wxTreeListItem root = m_tree->GetRootItem();
        for (const BenchGroup& group : organisation)
        {
            const wxTreeListItem node = m_tree->AppendItem(root, group.name);
            m_groups.push_back(node);
            for (const BenchPerson& person : group.people)
            {
                const wxTreeListItem item = m_tree->AppendItem(node, person.name);
                m_tree->SetItemText(item, 1, person.presence);
                m_tree->SetItemText(item, 2, person.signature);
                m_last = item;
            }
        }
    }

    void ExpandAll() override
    {
        for (const wxTreeListItem& group : m_groups)
            m_tree->Expand(group);
    }

    void ScrollToBottom() override { m_tree->EnsureVisible(m_last); }

    bool FindByPrefix(const wxString& prefix) override
    {
        for (wxTreeListItem item = m_tree->GetFirstItem(); item.IsOk(); item = m_tree->GetNextItem(item))
        {
            if (StartsWithNoCase(m_tree->GetItemText(item), prefix))
                return true;
        }
        return false;
    }

    // Sorting is by column for the whole tree only.
    bool SortGroup(size_t) override { return false; }

private:
    wxTreeListCtrl* m_tree;
    std::vector<wxTreeListItem> m_groups;
    wxTreeListItem m_last;
};

} // anonymous namespace

std::unique_ptr<TreeDriver> MakeNativeTreeListDriver(wxWindow* parent)
{
    return std::unique_ptr<TreeDriver>(new NativeTreeListDriver(parent));
}
