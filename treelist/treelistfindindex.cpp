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

// Sealed runs beyond this many are merged as soon as the tail is sealed,
// not only when the program is idle, so that a lookup binary-searches a
// bounded number of runs.
const size_t kMaxRuns = 64;

// wxTolower without a call for ASCII: of its letters only the capital I
// folds to another lower case in some locales (a dotless i in Turkish).
wxUint32 Folded(wxUint32 c)
{
    if (c >= 0x80 || c == 'I')
        return (wxUint32)wxTolower(wxUniChar(c)).GetValue();
    return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
}

// Appends the UTF-8 bytes of code point c, as far as they fit before
// kKeyBytes, and returns the new count.
size_t AppendFolded(wxUint32 c, unsigned char* bytes, size_t n)
{
    c = Folded(c);
    if (c < 0x80)
    {
        bytes[n] = (unsigned char)c;
        return n + 1;
    }
    unsigned char utf8[4];
    const size_t len = EncodeCodePoint(c, utf8);
    for (size_t i = 0; i < len && n < kKeyBytes; ++i)
        bytes[n++] = utf8[i];
    return n;
}

// The folded UTF-8 bytes of the start of text, at most kKeyBytes of them.
size_t FoldedPrefix(const wxString& text, unsigned char* bytes)
{
    const wxStringCharType* chars = text.wx_str();
    const size_t length = text.length();
    size_t n = 0;
    for (size_t i = 0; i < length && n < kKeyBytes; ++i)
        n = AppendFolded((wxUint32)chars[i], bytes, n);
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
                               n = AppendFolded((wxUint32)c.GetValue(), bytes, n);
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
    MergeRuns();
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

// Orders entries by key alone (the order of items under one key does not
// matter to a lookup): one counting pass per key byte, from the lowest,
// skipping the bytes that all keys share. The sorted entries end up in
// `entries` or in `scratch`; the function returns which.
std::vector<wxTreeListFindIndex::Entry>& wxTreeListFindIndex::SortByKey(std::vector<Entry>& entries,
                                                                        std::vector<Entry>& scratch)
{
    std::vector<Entry>* from = &entries;
    std::vector<Entry>* to = &scratch;
    for (unsigned shift = 0; shift < 8 * kKeyBytes; shift += 8)
    {
        size_t start[257] = {};
        for (const Entry& entry : *from)
            ++start[((entry.key >> shift) & 0xFF) + 1];
        if (std::find(start + 1, start + 257, from->size()) != start + 257)
            continue;
        for (size_t i = 1; i < 257; ++i)
            start[i] += start[i - 1];
        to->resize(from->size());
        for (const Entry& entry : *from)
            (*to)[start[(entry.key >> shift) & 0xFF]++] = entry;
        std::swap(from, to);
    }
    return *from;
}

// The tail becomes a sorted run of its own. Runs are merged when the
// program is idle, or here once there are too many of them.
void wxTreeListFindIndex::SealTail()
{
    std::vector<Entry> scratch;
    m_runs.push_back(std::move(SortByKey(m_tail, scratch)));
    m_tail = std::vector<Entry>();
    if (m_runs.size() > kMaxRuns)
        MergeRuns();
}

// Runs that are no longer at least twice the size of the run after them are
// merged with it, so that there are about log2(count / kTailSize) runs and
// each entry is moved that often in all.
void wxTreeListFindIndex::MergeRuns()
{
    while (m_runs.size() >= 2 && m_runs[m_runs.size() - 2].size() < 2 * m_runs.back().size())
    {
        // Merged from the back into the older run's own storage, so that
        // no entry is overwritten before it is read.
        std::vector<Entry>& older = m_runs[m_runs.size() - 2];
        const std::vector<Entry>& newer = m_runs.back();
        size_t i = older.size(), j = newer.size();
        older.resize(i + j);
        for (size_t k = i + j; j > 0;)
            older[--k] = i > 0 && newer[j - 1].key < older[i - 1].key ? older[--i] : newer[--j];
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
    size_t found = 0;
    for (const std::vector<Entry>& run : m_runs)
    {
        auto it = std::lower_bound(run.begin(), run.end(), low,
                                   [](const Entry& entry, Key key) { return entry.key < key; });
        for (; it != run.end() && it->key <= high; ++it)
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
