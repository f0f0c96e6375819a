// Items of the tree list control, their arrays and the notification event.
#include <kelctrls/treelist/treelistitem.h>
#include <kelctrls/treelist/treelistmainwindow.h>

#include "treelist/treelistutf8.h"

#include <wx/itemattr.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <new>
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

// Encodes text as UTF-8 into a buffer that is reused from call to call, so
// that storing a text allocates nothing but the item's own block. Labels
// are mostly ASCII: those bytes are written without any other test.
const std::string& EncodeUTF8(const wxString& text)
{
    static std::string buffer;
    const wxStringCharType* in = text.wx_str();
    const size_t length = text.length();
    buffer.resize(length * 4);
    unsigned char* out = reinterpret_cast<unsigned char*>(&buffer[0]);
    unsigned char* const start = out;
    for (size_t i = 0; i < length; ++i)
    {
        const wxUint32 c = (wxUint32)in[i];
        if (c < 0x80)
            *out++ = (unsigned char)c;
        else
            out += EncodeCodePoint(c, out);
    }
    buffer.resize((size_t)(out - start));
    return buffer;
}

// The longest prefix of bytes that fits in room and ends on a character.
size_t FittingLength(const std::string& bytes, size_t room)
{
    size_t len = bytes.size();
    if (len <= room)
        return len;
    len = room;
    while (len > 0 && (bytes[len] & 0xC0) == 0x80)
        --len;
    return len;
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

void wxTreeListTexts::Reset(size_t count, size_t main, const wxString& text)
{
    free(m_block);
    m_block = nullptr;
    if (count == 0)
        return;
    const std::string& bytes = EncodeUTF8(text);
    const size_t len = main < count ? FittingLength(bytes, kMaxTextBytes) : 0;
    m_block = static_cast<unsigned char*>(malloc(HeaderBytes(count) + len));
    if (!m_block)
        throw std::bad_alloc();
    Write16(m_block, count);
    for (size_t i = 0; i < count; ++i)
        Write16(m_block + HeaderBytes(i), i < main ? 0 : len);
    memcpy(m_block + HeaderBytes(count), bytes.data(), len);
}

void wxTreeListTexts::Resize(size_t count)
{
    const size_t old = GetCount();
    if (count == old)
        return;
    const size_t keep = count > old ? TotalBytes() : (count ? Read16(m_block + HeaderBytes(count - 1)) : 0);
    unsigned char* block = static_cast<unsigned char*>(malloc(HeaderBytes(count) + keep));
    if (!block)
        throw std::bad_alloc();
    Write16(block, count);
    for (size_t i = 0; i < count; ++i)
        Write16(block + HeaderBytes(i), i < old ? Read16(m_block + HeaderBytes(i)) : keep);
    if (keep)
        memcpy(block + HeaderBytes(count), m_block + HeaderBytes(old), keep);
    free(m_block);
    m_block = block;
}

void wxTreeListTexts::Set(size_t i, const wxString& text)
{
    const size_t count = GetCount();
    if (i >= count)
        return;
    size_t oldLen;
    const size_t start = Bytes(i, &oldLen) - reinterpret_cast<const char*>(m_block);
    const size_t total = TotalBytes();
    const std::string& bytes = EncodeUTF8(text);
    const size_t newLen = FittingLength(bytes, kMaxTextBytes - (total - oldLen));
    const size_t header = HeaderBytes(count);
    const size_t tail = header + total - start - oldLen;

    if (newLen > oldLen)
    {
        void* grown = realloc(m_block, header + total - oldLen + newLen);
        if (!grown)
            throw std::bad_alloc();
        m_block = static_cast<unsigned char*>(grown);
    }
    memmove(m_block + start + newLen, m_block + start + oldLen, tail);
    memcpy(m_block + start, bytes.data(), newLen);
    for (size_t k = i; k < count; ++k)
        Write16(m_block + HeaderBytes(k), Read16(m_block + HeaderBytes(k)) - oldLen + newLen);
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
        if (m_next == m_end)
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
    static constexpr size_t kItemsPerBlock = 4096;

    void AddBlock()
    {
        char* block = static_cast<char*>(malloc(kItemSize * kItemsPerBlock));
        if (!block)
            throw std::bad_alloc();
        m_blocks.push_back(block);
        m_next = block;
        m_end = block + kItemSize * kItemsPerBlock;
    }

    void ReleaseBlocks()
    {
        for (char* block : m_blocks)
            free(block);
        m_blocks.clear();
        m_free = nullptr;
        m_next = m_end = nullptr;
    }

    std::vector<char*> m_blocks;
    FreePlace* m_free = nullptr;
    char* m_next = nullptr;
    char* m_end = nullptr;
    size_t m_live = 0;
};

#if defined(__SANITIZE_ADDRESS__)
const bool kPoolItems = true;
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
