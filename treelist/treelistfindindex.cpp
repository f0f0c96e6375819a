// The label index of the tree list's search.
#include "treelist/treelistfindindex.h"
#include "treelist/treelistutf8.h"

#include <kelctrls/treelist/treelistitem.h>

#include <algorithm>

namespace kel
{

namespace
{

const size_t kKeyBytes = sizeof(wxTreeListFindIndex::Key);
// Up to this many entries added since the last merge are looked at one by
// one; a longer tail is sorted first.
const size_t kTailSize = 1024;
// A tail this long is sorted in at once: a bulk insert of a million items
// grows no vector of a million entries (whose cast-off buffers the heap
// would keep), and each entry is merged only a few times.
const size_t kMaxTailSize = 65536;

// Appends the UTF-8 bytes of code point c, as far as they fit before
// kKeyBytes, and returns the new count.
size_t AppendFolded(wxUint32 c, unsigned char* bytes, size_t n)
{
    unsigned char utf8[4];
    const size_t len = EncodeCodePoint(c, utf8);
    for (size_t i = 0; i < len && n < kKeyBytes; ++i)
        bytes[n++] = utf8[i];
    return n;
}

// The folded UTF-8 bytes of the start of text, at most kKeyBytes of them.
size_t FoldedPrefix(const wxString& text, unsigned char* bytes)
{
    size_t n = 0;
    for (wxString::const_iterator it = text.begin(); it != text.end() && n < kKeyBytes; ++it)
        n = AppendFolded((wxUint32)wxTolower(*it).GetValue(), bytes, n);
    return n;
}

wxTreeListFindIndex::Key BigEndian(const unsigned char* bytes, size_t n)
{
    wxTreeListFindIndex::Key key = 0;
    for (size_t i = 0; i < kKeyBytes; ++i)
        key = (key << 8) | (i < n ? bytes[i] : 0);
    return key;
}

} // anonymous namespace

wxTreeListFindIndex::Key wxTreeListFindIndex::KeyOf(const wxString& label)
{
    unsigned char bytes[kKeyBytes];
    return BigEndian(bytes, FoldedPrefix(label, bytes));
}

wxTreeListFindIndex::Key wxTreeListFindIndex::KeyOf(const wxTreeListTexts& texts, size_t i)
{
    unsigned char bytes[kKeyBytes];
    size_t n = 0;
    texts.ForEachCodePoint(i,
                           [&bytes, &n](wxUniChar c)
                           {
                               n = AppendFolded((wxUint32)wxTolower(c).GetValue(), bytes, n);
                               return n < kKeyBytes;
                           });
    return BigEndian(bytes, n);
}

void wxTreeListFindIndex::KeyRange(const wxString& what, bool prefixOnly, Key& low, Key& high)
{
    unsigned char bytes[kKeyBytes];
    const size_t n = FoldedPrefix(what, bytes);
    low = BigEndian(bytes, n);
    high = low;
    // A longer label shares the first n bytes and may have any bytes after.
    if (prefixOnly && n < kKeyBytes)
        high |= (~Key(0)) >> (8 * n);
}

void wxTreeListFindIndex::Add(wxTreeListItem* item, Key key)
{
    m_tail.push_back({key, item});
    if (m_tail.size() >= kMaxTailSize)
        SealTail();
}

void wxTreeListFindIndex::Compact()
{
    if (!m_tail.empty())
        SealTail();
}

void wxTreeListFindIndex::Remove(wxTreeListItem* item, Key key)
{
    m_removed.push_back({key, item});
}

void wxTreeListFindIndex::Clear()
{
    m_runs.clear();
    m_tail.clear();
    m_removed.clear();
}

// The tail becomes the smallest run; runs that are no longer at least twice
// the size of the run after them are merged with it, so that there are about
// log2(count / kTailSize) runs and each entry is moved that often in all.
void wxTreeListFindIndex::SealTail()
{
    std::sort(m_tail.begin(), m_tail.end());
    m_runs.push_back(std::move(m_tail));
    m_tail = std::vector<Entry>();
    while (m_runs.size() >= 2 && m_runs[m_runs.size() - 2].size() < 2 * m_runs.back().size())
    {
        // Merged from the back into the older run's own storage, so that
        // no entry is overwritten before it is read.
        std::vector<Entry>& older = m_runs[m_runs.size() - 2];
        const std::vector<Entry>& newer = m_runs.back();
        size_t i = older.size(), j = newer.size();
        older.resize(i + j);
        for (size_t k = i + j; j > 0;)
            older[--k] = i > 0 && newer[j - 1] < older[i - 1] ? older[--i] : newer[--j];
        m_runs.pop_back();
    }
}

// Each noted removal cancels one equal entry, wherever it is.
void wxTreeListFindIndex::ApplyRemovals()
{
    if (m_removed.empty())
        return;
    std::sort(m_removed.begin(), m_removed.end());
    std::vector<bool> used(m_removed.size(), false);
    auto cancelled = [this, &used](const Entry& entry)
    {
        auto range = std::equal_range(m_removed.begin(), m_removed.end(), entry);
        for (auto it = range.first; it != range.second; ++it)
        {
            const size_t i = (size_t)(it - m_removed.begin());
            if (!used[i])
            {
                used[i] = true;
                return true;
            }
        }
        return false;
    };
    for (std::vector<Entry>& run : m_runs)
        run.erase(std::remove_if(run.begin(), run.end(), cancelled), run.end());
    m_tail.erase(std::remove_if(m_tail.begin(), m_tail.end(), cancelled), m_tail.end());
    m_removed.clear();
    m_runs.erase(std::remove_if(m_runs.begin(), m_runs.end(),
                                [](const std::vector<Entry>& run) { return run.empty(); }),
                 m_runs.end());
}

bool wxTreeListFindIndex::Lookup(Key low, Key high, size_t limit, std::vector<wxTreeListItem*>& items)
{
    ApplyRemovals();
    if (m_tail.size() > kTailSize)
        SealTail();
    const Entry first{low, nullptr};
    size_t found = 0;
    for (const std::vector<Entry>& run : m_runs)
    {
        for (auto it = std::lower_bound(run.begin(), run.end(), first); it != run.end() && it->key <= high;
             ++it)
        {
            if (++found > limit)
                return false;
            items.push_back(it->Item());
        }
    }
    for (const Entry& entry : m_tail)
    {
        if (entry.key < low || entry.key > high)
            continue;
        if (++found > limit)
            return false;
        items.push_back(entry.Item());
    }
    return true;
}

} // namespace kel
