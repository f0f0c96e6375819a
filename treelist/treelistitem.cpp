// Items of the tree list control, their arrays and the notification event.
#include <kelctrls/treelist/treelistitem.h>
#include <kelctrls/treelist/treelistmainwindow.h>

#include "treelist/treelistutf8.h"

#include <wx/itemattr.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <new>
#include <sys/mman.h>
#include <vector>

wxDEFINE_EVENT(wxEVT_COMMAND_TREE_ITEM_CLICKED, kel::wxTreeListEvent);
wxDEFINE_EVENT(wxEVT_COMMAND_TREE_ITEM_DATACHG, kel::wxTreeListEvent);
wxDEFINE_EVENT(wxEVT_COMMAND_TREE_ITEM_ENTER, kel::wxTreeListEvent);
wxDEFINE_EVENT(wxEVT_COMMAND_TREE_ITEM_KEY_DOWN, kel::wxTreeListEvent);
wxDEFINE_EVENT(wxEVT_COMMAND_TREE_ITEM_MOVE, kel::wxTreeListEvent);

namespace kel
{

// ----------------------------------------------------------------------------
// wxArrayTreeListItems
// ----------------------------------------------------------------------------

void wxArrayTreeListItems::Insert(wxTreeListItem* item, size_t index)
{
    const size_t count = GetCount();
    if (index > count)
        index = count;
    if (!m_block || m_block->count == m_block->capacity)
    {
        const uint32_t capacity = m_block ? m_block->capacity * 2 : 2;
        void* grown = realloc(m_block, offsetof(Block, items) + capacity * sizeof(wxTreeListItem*));
        if (!grown)
            throw std::bad_alloc();
        m_block = static_cast<Block*>(grown);
        m_block->count = (uint32_t)count;
        m_block->capacity = capacity;
    }
    wxTreeListItem** items = m_block->items;
    memmove(items + index + 1, items + index, (count - index) * sizeof(wxTreeListItem*));
    items[index] = item;
    ++m_block->count;
}

void wxArrayTreeListItems::RemoveAt(size_t index)
{
    const size_t count = GetCount();
    if (index >= count)
        return;
    wxTreeListItem** items = m_block->items;
    memmove(items + index, items + index + 1, (count - index - 1) * sizeof(wxTreeListItem*));
    --m_block->count;
}

int wxArrayTreeListItems::Index(const wxTreeListItem* item) const
{
    for (size_t i = 0; i < GetCount(); ++i)
    {
        if (m_block->items[i] == item)
            return (int)i;
    }
    return wxNOT_FOUND;
}

void wxArrayTreeListItems::Clear()
{
    free(m_block);
    m_block = nullptr;
}

// ----------------------------------------------------------------------------
// wxTreeListTexts
// ----------------------------------------------------------------------------

namespace
{

const size_t kMaxTextBytes = 0xFFFF;

uint16_t Read16(const unsigned char* p)
{
    uint16_t v;
    memcpy(&v, p, sizeof v);
    return v;
}

void Write16(unsigned char* p, size_t v)
{
    const uint16_t v16 = (uint16_t)v;
    memcpy(p, &v16, sizeof v16);
}

size_t HeaderBytes(size_t count)
{
    return 2 + 2 * count;
}

static_assert(sizeof(wxStringCharType) == sizeof(wxUint32), "strings hold code points");

// The number of bytes of text in UTF-8.
size_t UTF8Length(const wxString& text)
{
    const wxStringCharType* in = text.wx_str();
    const size_t length = text.length();
    size_t bytes = length;
    for (size_t i = 0; i < length; ++i)
    {
        const wxUint32 c = (wxUint32)in[i];
        if (c >= 0x80)
            bytes += c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
    }
    return bytes;
}

// Writes text as UTF-8 at out, which has room for UTF8Length(text) bytes.
// Labels are mostly ASCII: those bytes are written without any other test.
void EncodeUTF8(const wxString& text, unsigned char* out)
{
    const wxStringCharType* in = text.wx_str();
    const size_t length = text.length();
    for (size_t i = 0; i < length; ++i)
    {
        const wxUint32 c = (wxUint32)in[i];
        if (c < 0x80)
            *out++ = (unsigned char)c;
        else
            out += EncodeCodePoint(c, out);
    }
}

// The UTF-8 of a text as it is stored: whole, or when longer than the room
// there is, cut to its longest start that fits and ends on a character.
class StoredUTF8
{
public:
    StoredUTF8(const wxString& text, size_t room) : m_text(text), m_length(UTF8Length(text))
    {
        if (m_length <= room)
            return;
        m_clipped.resize(m_length);
        EncodeUTF8(text, reinterpret_cast<unsigned char*>(&m_clipped[0]));
        m_length = room;
        while (m_length > 0 && (m_clipped[m_length] & 0xC0) == 0x80)
            --m_length;
    }

    size_t Length() const { return m_length; }

    void WriteTo(unsigned char* out) const
    {
        if (m_clipped.empty())
            EncodeUTF8(m_text, out);
        else
            memcpy(out, m_clipped.data(), m_length);
    }

private:
    const wxString& m_text;
    size_t m_length;
    std::string m_clipped;
};

// The large chunks the item and text stores cut their places from, 2 MB
// each, taken straight from the system. Past the first few, a chunk's pages
// are all made at once when it is taken: a million items then cost one call
// per 2 MB instead of a page fault per 4 KB, while a small tree still holds
// only the pages it touched. (Huge pages were faster on average, but some
// inserts took twice as long with them, as the system looked for one.)
class ChunkList
{
public:
    static constexpr size_t kChunkBytes = 2 << 20;

    ~ChunkList() { ReleaseAll(); }

    unsigned char* Add()
    {
        void* chunk = mmap(nullptr, kChunkBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (chunk == MAP_FAILED)
            throw std::bad_alloc();
#ifdef MADV_POPULATE_WRITE
        // Refused before Linux 5.14: pages are then made as they are touched.
        if (m_chunks.size() >= kSmallTreeChunks)
            madvise(chunk, kChunkBytes, MADV_POPULATE_WRITE);
#endif
        m_chunks.push_back(static_cast<unsigned char*>(chunk));
        return m_chunks.back();
    }

    void ReleaseAll()
    {
        for (unsigned char* chunk : m_chunks)
            munmap(chunk, kChunkBytes);
        m_chunks.clear();
    }

private:
    static constexpr size_t kSmallTreeChunks = 4;
    std::vector<unsigned char*> m_chunks;
};

// Places for the packed texts of items, cut from large chunks shared by all
// trees. A block takes the size its own header gives, rounded up to kGrain
// bytes, so that it needs no bookkeeping of its own. Freed places are kept
// in a list per size and reused first. The last block cut grows and shrinks
// in place: the texts set right after an item was made cost no copy. Larger
// blocks, and all of them when built with AddressSanitizer (so that a use
// after free is still caught), come from the heap; when no small block is
// left, the chunks go back to the system.
class TextStore
{
public:
    unsigned char* Allocate(size_t size)
    {
        if (!IsPooled(size))
            return HeapAllocate(size);
        ++m_live;
        const size_t rounded = Rounded(size);
        if (FreePlace* place = m_free[rounded / kGrain])
        {
            m_free[rounded / kGrain] = place->next;
            return reinterpret_cast<unsigned char*>(place);
        }
        if ((size_t)(m_end - m_next) < rounded)
            AddChunk();
        unsigned char* block = m_next;
        m_next += rounded;
        return block;
    }

    void Free(unsigned char* block, size_t size)
    {
        if (!IsPooled(size))
        {
            free(block);
            return;
        }
        const size_t rounded = Rounded(size);
        if (block + rounded == m_next)
        {
            m_next = block;
        }
        else
        {
            FreePlace* place = reinterpret_cast<FreePlace*>(block);
            place->next = m_free[rounded / kGrain];
            m_free[rounded / kGrain] = place;
        }
        if (--m_live == 0)
            ReleaseChunks();
    }

    // Moves the block to a place of newSize bytes (the same one where it
    // can), keeping its first min(oldSize, newSize) bytes.
    unsigned char* Reallocate(unsigned char* block, size_t oldSize, size_t newSize)
    {
        if (!IsPooled(oldSize) && !IsPooled(newSize))
        {
            void* moved = realloc(block, newSize);
            if (!moved)
                throw std::bad_alloc();
            return static_cast<unsigned char*>(moved);
        }
        if (IsPooled(oldSize) && IsPooled(newSize))
        {
            const size_t oldRounded = Rounded(oldSize), newRounded = Rounded(newSize);
            if (oldRounded == newRounded)
                return block;
            if (block + oldRounded == m_next && block + newRounded <= m_end)
            {
                m_next = block + newRounded;
                return block;
            }
        }
        unsigned char* moved = Allocate(newSize);
        memcpy(moved, block, wxMin(oldSize, newSize));
        Free(block, oldSize);
        return moved;
    }

private:
    struct FreePlace
    {
        FreePlace* next;
    };
    static constexpr size_t kGrain = sizeof(FreePlace);
    static constexpr size_t kMaxPooled = 256;

    static size_t Rounded(size_t size) { return (size + kGrain - 1) / kGrain * kGrain; }

    static bool IsPooled(size_t size)
    {
#if defined(__SANITIZE_ADDRESS__)
        wxUnusedVar(size);
        return false;
#else
        return size <= kMaxPooled;
#endif
    }

    static unsigned char* HeapAllocate(size_t size)
    {
        void* block = malloc(size);
        if (!block)
            throw std::bad_alloc();
        return static_cast<unsigned char*>(block);
    }

    void AddChunk()
    {
        m_next = m_chunks.Add();
        m_end = m_next + ChunkList::kChunkBytes;
    }

    void ReleaseChunks()
    {
        m_chunks.ReleaseAll();
        for (FreePlace*& list : m_free)
            list = nullptr;
        m_next = m_end = nullptr;
    }

    ChunkList m_chunks;
    FreePlace* m_free[kMaxPooled / kGrain + 1] = {};
    unsigned char* m_next = nullptr;
    unsigned char* m_end = nullptr;
    size_t m_live = 0;
};

// Never destroyed, like the item pool below.
TextStore& Texts()
{
    static TextStore* store = new TextStore;
    return *store;
}

} // anonymous namespace

wxUniChar wxTreeListTexts::NextCodePoint(const unsigned char*& p, const unsigned char* end)
{
    unsigned c = *p++;
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    unsigned cp = extra == 3 ? (c & 0x07) : extra == 2 ? (c & 0x0F) : extra == 1 ? (c & 0x1F) : c;
    while (extra-- > 0 && p < end)
        cp = (cp << 6) | (*p++ & 0x3F);
    return wxUniChar(cp);
}

size_t wxTreeListTexts::GetCount() const
{
    return m_block ? Read16(m_block) : 0;
}

size_t wxTreeListTexts::TotalBytes() const
{
    const size_t count = GetCount();
    return count ? Read16(m_block + HeaderBytes(count - 1)) : 0;
}

const char* wxTreeListTexts::Bytes(size_t i, size_t* len) const
{
    const size_t count = GetCount();
    const size_t begin = i ? Read16(m_block + HeaderBytes(i - 1)) : 0;
    *len = Read16(m_block + HeaderBytes(i)) - begin;
    return reinterpret_cast<const char*>(m_block + HeaderBytes(count) + begin);
}

wxString wxTreeListTexts::Item(size_t i) const
{
    if (i >= GetCount())
        return wxString();
    size_t len;
    const char* bytes = Bytes(i, &len);
    return len ? wxString::FromUTF8(bytes, len) : wxString();
}

wxTreeListTexts::~wxTreeListTexts()
{
    if (m_block)
        Texts().Free(m_block, BlockBytes());
}

size_t wxTreeListTexts::BlockBytes() const
{
    return HeaderBytes(GetCount()) + TotalBytes();
}

void wxTreeListTexts::Reset(size_t count, size_t main, const wxString& text)
{
    if (m_block)
        Texts().Free(m_block, BlockBytes());
    m_block = nullptr;
    if (count == 0)
        return;
    const size_t header = HeaderBytes(count);
    static const wxString none;
    const StoredUTF8 bytes(main < count ? text : none, kMaxTextBytes);
    m_block = Texts().Allocate(header + bytes.Length());
    bytes.WriteTo(m_block + header);
    Write16(m_block, count);
    for (size_t i = 0; i < count; ++i)
        Write16(m_block + HeaderBytes(i), i < main ? 0 : bytes.Length());
}

void wxTreeListTexts::Resize(size_t count)
{
    const size_t old = GetCount();
    if (count == old)
        return;
    const size_t keep = count > old ? TotalBytes() : (count ? Read16(m_block + HeaderBytes(count - 1)) : 0);
    unsigned char* block = Texts().Allocate(HeaderBytes(count) + keep);
    Write16(block, count);
    for (size_t i = 0; i < count; ++i)
        Write16(block + HeaderBytes(i), i < old ? Read16(m_block + HeaderBytes(i)) : keep);
    if (keep)
        memcpy(block + HeaderBytes(count), m_block + HeaderBytes(old), keep);
    if (m_block)
        Texts().Free(m_block, BlockBytes());
    m_block = block;
}

void wxTreeListTexts::Set(size_t i, const wxString& text)
{
    const size_t count = GetCount();
    if (i >= count)
        return;
    size_t oldLen;
    const size_t start = Bytes(i, &oldLen) - reinterpret_cast<const char*>(m_block);
    const size_t oldSize = BlockBytes();
    const StoredUTF8 bytes(text, kMaxTextBytes - (oldSize - HeaderBytes(count) - oldLen));
    const size_t newLen = bytes.Length();
    const size_t newSize = oldSize - oldLen + newLen;

    // Grown before the texts after this one move up, shrunk after they
    // moved down.
    if (newSize > oldSize)
        m_block = Texts().Reallocate(m_block, oldSize, newSize);
    memmove(m_block + start + newLen, m_block + start + oldLen, oldSize - start - oldLen);
    bytes.WriteTo(m_block + start);
    for (size_t k = i; k < count; ++k)
        Write16(m_block + HeaderBytes(k), Read16(m_block + HeaderBytes(k)) - oldLen + newLen);
    if (newSize < oldSize)
        m_block = Texts().Reallocate(m_block, oldSize, newSize);
}

bool wxTreeListTexts::Matches(size_t i, const wxString& what, bool prefixOnly, bool noCase) const
{
    if (i >= GetCount())
        return what.empty();
    size_t len;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(Bytes(i, &len));
    const unsigned char* end = p + len;
    for (wxString::const_iterator it = what.begin(); it != what.end(); ++it)
    {
        if (p >= end)
            return false;
        wxUniChar c = NextCodePoint(p, end);
        wxUniChar w = *it;
        if (noCase ? wxTolower(c) != wxTolower(w) : c != w)
            return false;
    }
    return prefixOnly || p >= end;
}

int wxTreeListTexts::Compare(size_t i, const wxTreeListTexts& other, size_t j) const
{
    size_t len = 0, otherLen = 0;
    const char* bytes = i < GetCount() ? Bytes(i, &len) : "";
    const char* otherBytes = j < other.GetCount() ? other.Bytes(j, &otherLen) : "";
    // UTF-8 orders by byte as the code points it encodes are ordered.
    const int order = memcmp(bytes, otherBytes, wxMin(len, otherLen));
    if (order)
        return order;
    return len < otherLen ? -1 : len > otherLen ? 1 : 0;
}

// ----------------------------------------------------------------------------
// wxTreeListItem
// ----------------------------------------------------------------------------

namespace
{

// Fixed-size places for items, cut from large blocks. Freed places are
// reused first; when no item is left, the blocks go back to the system.
// Built with AddressSanitizer, items come from the heap one by one, so
// that a use after free is still caught.
class ItemPool
{
public:
    void* Allocate()
    {
        ++m_live;
        if (FreePlace* place = m_free)
        {
            m_free = place->next;
            return place;
        }
        if ((size_t)(m_end - m_next) < kItemSize)
            AddBlock();
        void* place = m_next;
        m_next += kItemSize;
        return place;
    }

    void Release(void* p)
    {
        FreePlace* place = static_cast<FreePlace*>(p);
        place->next = m_free;
        m_free = place;
        if (--m_live == 0)
            ReleaseBlocks();
    }

private:
    struct FreePlace
    {
        FreePlace* next;
    };
    static constexpr size_t kItemSize = sizeof(wxTreeListItem);

    void AddBlock()
    {
        m_next = m_blocks.Add();
        m_end = m_next + ChunkList::kChunkBytes;
    }

    void ReleaseBlocks()
    {
        m_blocks.ReleaseAll();
        m_free = nullptr;
        m_next = m_end = nullptr;
    }

    ChunkList m_blocks;
    FreePlace* m_free = nullptr;
    unsigned char* m_next = nullptr;
    unsigned char* m_end = nullptr;
    size_t m_live = 0;
};

#if defined(__SANITIZE_ADDRESS__)
const bool kPoolItems = false;
#else
const bool kPoolItems = true;
#endif

// Never destroyed: items of windows that outlive static destruction still
// have a pool to go back to.
ItemPool& Pool()
{
    static ItemPool* pool = new ItemPool;
    return *pool;
}

} // anonymous namespace

void* wxTreeListItem::operator new(size_t size)
{
    if (!kPoolItems || size != sizeof(wxTreeListItem))
        return ::operator new(size);
    return Pool().Allocate();
}

void wxTreeListItem::operator delete(void* p, size_t size)
{
    if (!p)
        return;
    if (!kPoolItems || size != sizeof(wxTreeListItem))
        ::operator delete(p);
    else
        Pool().Release(p);
}

wxTreeListItem::wxTreeListItem(wxTreeListMainWindow* owner, wxTreeListItem* parent,
                               const wxArrayString& texts, int image, int selImage, wxTreeItemData* data)
    : m_owner(owner), m_data(data), m_parent(parent), m_extras(nullptr), m_x(0), m_y(0), m_textX(0),
      m_index(0), m_width(0), m_height(0), m_isCollapsed(true), m_hasHilight(false), m_hasPlus(false),
      m_isBold(false), m_ownsAttr(false), m_measured(false)
{
    m_images[wxTreeItemIcon_Normal] = (short)image;
    m_images[wxTreeItemIcon_Selected] = (short)selImage;
    m_images[wxTreeItemIcon_Expanded] = -1;
    m_images[wxTreeItemIcon_SelectedExpanded] = -1;

    m_text.Resize(texts.GetCount());
    for (size_t i = 0; i < texts.GetCount(); ++i)
    {
        if (!texts[i].empty())
            m_text.Set(i, texts[i]);
    }
}

wxTreeListItem::~wxTreeListItem()
{
    if (m_owner)
        m_owner->UnindexLabel(this);
    delete m_data;
    if (m_extras && m_ownsAttr)
        delete m_extras->attr;
    delete m_extras;
    wxASSERT_MSG(m_children.IsEmpty(), wxT("children must be deleted before their parent"));
}

bool wxTreeListItem::IsVirtual() const
{
    return m_owner && m_owner->HasFlag(wxTR_VIRTUAL);
}

wxString wxTreeListItem::GetText(int column) const
{
    if (IsVirtual())
        return m_owner->GetVirtualText(m_data, column);
    if (column < 0)
        return wxString();
    return m_text.Item((size_t)column);
}

bool wxTreeListItem::TextMatches(int column, const wxString& what, bool prefixOnly, bool noCase) const
{
    if (IsVirtual())
    {
        wxString text = GetText(column);
        if (prefixOnly)
            text.Truncate(what.length());
        return noCase ? text.CmpNoCase(what) == 0 : text == what;
    }
    return column >= 0 && m_text.Matches((size_t)column, what, prefixOnly, noCase);
}

int wxTreeListItem::CompareText(int column, const wxTreeListItem& other) const
{
    if (IsVirtual() || other.IsVirtual() || column < 0)
        return GetText(column).compare(other.GetText(column));
    return m_text.Compare((size_t)column, other.m_text, (size_t)column);
}

void wxTreeListItem::SetText(const wxString& text)
{
    const bool label = IsLabelColumn(0);
    if (label)
        m_owner->UnindexLabel(this);
    if (m_text.IsEmpty())
        m_text.Add(text);
    else
        m_text.Set(0, text);
    if (label)
        m_owner->IndexLabel(this);
    m_measured = false;
}

void wxTreeListItem::SetText(int column, const wxString& text)
{
    const int count = m_owner ? m_owner->GetColumnCount() : (int)m_text.GetCount();
    if (column < 0 || column >= count)
        return;
    const bool label = IsLabelColumn(column);
    if (label)
        m_owner->UnindexLabel(this);
    if ((size_t)column >= m_text.GetCount())
        m_text.Resize((size_t)count);
    m_text.Set((size_t)column, text);
    if (label)
        m_owner->IndexLabel(this);
    m_measured = false;
}

bool wxTreeListItem::IsLabelColumn(int column) const
{
    return m_owner && column == m_owner->GetMainColumn();
}

int wxTreeListItem::GetImage(int column, wxTreeItemIcon which) const
{
    if (m_owner && column == m_owner->GetMainColumn())
        return m_images[which];
    if (!m_extras || column < 0 || (size_t)column >= m_extras->columnImages.GetCount())
        return -1;
    return m_extras->columnImages[column];
}

void wxTreeListItem::SetImage(int column, int image, wxTreeItemIcon which)
{
    if (m_owner && column == m_owner->GetMainColumn())
    {
        m_images[which] = (short)image;
        m_measured = false;
        return;
    }
    const int count = m_owner ? m_owner->GetColumnCount() : 0;
    if (column < 0 || column >= count)
        return;
    wxArrayShort& images = Extras().columnImages;
    while ((int)images.GetCount() < count)
        images.Add(-1);
    images[column] = (short)image;
}

int wxTreeListItem::GetCurrentImage() const
{
    int image;
    if (IsExpanded())
        image = IsSelected() ? m_images[wxTreeItemIcon_SelectedExpanded] : m_images[wxTreeItemIcon_Expanded];
    else
        image = IsSelected() ? m_images[wxTreeItemIcon_Selected] : m_images[wxTreeItemIcon_Normal];
    return image == -1 ? m_images[wxTreeItemIcon_Normal] : image;
}

void wxTreeListItem::SetData(wxTreeItemData* data)
{
    m_data = data;
    if (m_owner)
        m_owner->SendDataChanged(this);
}

wxTreeListItem::ItemExtras& wxTreeListItem::Extras()
{
    if (!m_extras)
        m_extras = new ItemExtras;
    return *m_extras;
}

wxTreeItemAttr& wxTreeListItem::Attr()
{
    ItemExtras& extras = Extras();
    if (!extras.attr)
    {
        extras.attr = new wxTreeItemAttr;
        m_ownsAttr = true;
    }
    return *extras.attr;
}

void wxTreeListItem::SetAttributes(wxTreeItemAttr* attr)
{
    if (m_extras && m_ownsAttr)
        delete m_extras->attr;
    if (attr || m_extras)
        Extras().attr = attr;
    m_ownsAttr = false;
    m_measured = false;
}

void wxTreeListItem::AssignAttributes(wxTreeItemAttr* attr)
{
    SetAttributes(attr);
    m_ownsAttr = true;
}

void wxTreeListItem::Insert(wxTreeListItem* child, size_t index)
{
    if (index > m_children.GetCount())
        index = m_children.GetCount();
    m_children.Insert(child, index);
    RenumberChildrenFrom(index);
}

void wxTreeListItem::RenumberChildrenFrom(size_t first)
{
    for (size_t i = first; i < m_children.GetCount(); ++i)
        m_children[i]->m_index = (uint32_t)i;
}

wxTreeListItem* wxTreeListItem::GetNextSibling() const
{
    if (!m_parent || m_index + 1 >= m_parent->m_children.GetCount())
        return nullptr;
    return m_parent->m_children[m_index + 1];
}

wxTreeListItem* wxTreeListItem::GetPrevSibling() const
{
    if (!m_parent || m_index == 0)
        return nullptr;
    return m_parent->m_children[m_index - 1];
}

wxTreeListItem* wxTreeListItem::GetNextSiblingUpwards() const
{
    for (const wxTreeListItem* item = this; item; item = item->m_parent)
    {
        if (wxTreeListItem* next = item->GetNextSibling())
            return next;
    }
    return nullptr;
}

wxTreeListItem* wxTreeListItem::GetPrevSiblingUpwards() const
{
    for (const wxTreeListItem* item = this; item; item = item->m_parent)
    {
        if (wxTreeListItem* prev = item->GetPrevSibling())
            return prev;
    }
    return nullptr;
}

size_t wxTreeListItem::GetChildrenCount(bool recursively) const
{
    size_t count = m_children.GetCount();
    if (recursively)
    {
        for (wxTreeListItem* child : m_children)
            count += child->GetChildrenCount(true);
    }
    return count;
}

void wxTreeListItem::GetSize(int& x, int& y, const wxTreeListMainWindow* theButton)
{
    int bottom = m_y + theButton->GetLineHeight(this);
    if (y < bottom)
        y = bottom;
    int width = m_x + m_width;
    if (x < width)
        x = width;
    if (IsExpanded())
    {
        for (wxTreeListItem* child : m_children)
            child->GetSize(x, y, theButton);
    }
}

void wxTreeListItem::DeleteChildren(wxTreeListMainWindow* tree)
{
    for (wxTreeListItem* child : m_children)
    {
        if (tree)
        {
            tree->SendDeleteEvent(child);
            if (tree->m_selectItem == child)
                tree->m_selectItem = nullptr;
        }
        child->DeleteChildren(tree);
        delete child;
    }
    m_children.Clear();
}

// ----------------------------------------------------------------------------
// wxTreeListEvent
// ----------------------------------------------------------------------------

// wxWidgets registers its own class called wxTreeListEvent, so this one is
// known to the run-time type system by a name of its own.
wxClassInfo wxTreeListEvent::ms_classInfo(wxT("kelTreeListEvent"), &wxTreeEvent::ms_classInfo, nullptr,
                                          (int)sizeof(wxTreeListEvent), wxTreeListEvent::wxCreateObject);

wxClassInfo* wxTreeListEvent::GetClassInfo() const
{
    return &wxTreeListEvent::ms_classInfo;
}

wxObject* wxTreeListEvent::wxCreateObject()
{
    return new wxTreeListEvent;
}

wxTreeListEvent::wxTreeListEvent(wxEventType commandType, int id)
    : wxTreeEvent(commandType, id), m_column(0), m_flags(0), m_oldParent(nullptr), m_newParent(nullptr)
{
}

wxTreeListEvent::wxTreeListEvent(const wxTreeListEvent& event)
    : wxTreeEvent(event), m_column(event.m_column), m_flags(event.m_flags), m_oldParent(event.m_oldParent),
      m_newParent(event.m_newParent)
{
}

} // namespace kel
