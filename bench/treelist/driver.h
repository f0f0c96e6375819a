// What the tree list benchmark asks of each control it measures.
#ifndef KELCTRLS_BENCH_TREELIST_DRIVER_H
#define KELCTRLS_BENCH_TREELIST_DRIVER_H

#include <wx/string.h>

#include <memory>
#include <vector>

class wxWindow;

struct BenchPerson
{
    wxString name;
    wxString presence;
    wxString signature;
};

struct BenchGroup
{
    wxString name;
    std::vector<BenchPerson> people;
};

using BenchOrganisation = std::vector<BenchGroup>;

class TreeDriver
{
public:
    virtual ~TreeDriver() = default;

    virtual wxString Name() const = 0;
    // The window whose paint is timed.
    virtual wxWindow* Window() = 0;
    // Marks everything the control shows for repainting.
    virtual void InvalidateAll();
    virtual void Insert(const BenchOrganisation& organisation) = 0;
    virtual void ExpandAll() = 0;
    virtual void ScrollToBottom() = 0;
    // Finds the first item below the top whose text starts with `prefix`,
    // without regard to case, the way typing a name does; false when none.
    virtual bool FindByPrefix(const wxString& prefix) = 0;
    // Sorts the people of one group; false when the control cannot.
    virtual bool SortGroup(size_t group) = 0;
};

// wxWidgets' own tree list control (<wx/treelist.h>), which shares its
// class names with ours and so lives in a translation unit of its own.
std::unique_ptr<TreeDriver> MakeNativeTreeListDriver(wxWindow* parent);

// The case-insensitive prefix test all drivers use for their searches.
inline bool StartsWithNoCase(const wxString& text, const wxString& prefix)
{
    return text.length() >= prefix.length() && text.Left(prefix.length()).CmpNoCase(prefix) == 0;
}

#endif
