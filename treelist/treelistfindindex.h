// Where FindItem looks first: every item of a tree under a short key of its
// main-column label, so that a search need not walk a million rows to find
// the one whose label starts with what was typed.
#ifndef KELCTRLS_TREELIST_TREELISTFINDINDEX_H
#define KELCTRLS_TREELIST_TREELISTFINDINDEX_H

#include <wx/string.h>

#include <cstdint>
#include <vector>

namespace kel
{

class wxTreeListItem;
class wxTreeListTexts;

// The key of a label is its first four bytes of UTF-8 after each character
// went through wxTolower, read as a big-endian number (shorter labels are
// padded with zeros). Labels that match a search without regard to case
// therefore have keys in one range, which the index finds by binary search.
//
// Entries are kept in runs sorted by key, plus an unsorted tail: adding
// costs a push, never a walk of the tree. A long tail is sorted into a run
// of its own during a bulk insert or by a lookup; when the program is idle
// (the tree calls Compact then) the tail is sealed and the runs are merged
// until their sizes at least halve from one to the next. Removals are
// noted and applied before the next lookup, which is the only place entries
// are read; an entry is a value, so an item freed and another made at the
// same address with the same key simply cancel out.
class wxTreeListFindIndex
{
public:
    typedef uint32_t Key;

    static Key KeyOf(const wxString& label);
    // The key of text `i` of `texts`, read in place.
    static Key KeyOf(const wxTreeListTexts& texts, size_t i);
    // The keys [low, high] of the labels that can match `what` (as a prefix
    // or as the whole label).
    static void KeyRange(const wxString& what, bool prefixOnly, Key& low, Key& high);

    void Add(wxTreeListItem* item, Key key);
    void Remove(wxTreeListItem* item, Key key);
    // Sorts the entries added lately into the runs and merges runs.
    void Compact();
    void Clear();

    // Appends the items whose keys lie in [low, high] to `items`; false
    // (with `items` unspecified) when there are more than `limit`.
    bool Lookup(Key low, Key high, size_t limit, std::vector<wxTreeListItem*>& items);

private:
    // Packed to twelve bytes: the index holds one per item.
#pragma pack(push, 4)
    struct Entry
    {
        Key key;
        wxTreeListItem* item;
        bool operator<(const Entry& other) const
        {
            return key != other.key ? key < other.key : item < other.item;
        }
        bool operator==(const Entry& other) const { return key == other.key && item == other.item; }
        // By value: a reference to the packed member would be misaligned.
        wxTreeListItem* Item() const { return item; }
    };
#pragma pack(pop)

    static std::vector<Entry>& SortByKey(std::vector<Entry>& entries, std::vector<Entry>& scratch);
    void SealTail();
    void MergeRuns();
    void ApplyRemovals();

    std::vector<std::vector<Entry>> m_runs;
    std::vector<Entry> m_tail;
    std::vector<Entry> m_removed;
};

} // namespace kel

#endif
