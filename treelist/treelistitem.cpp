// Items of the tree list control, their arrays and the notification event.
#include <kelctrls/treelist/treelistitem.h>
#include <kelctrls/treelist/treelistmainwindow.h>

#include <wx/itemattr.h>

#include <cstring>
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
    if (index > m_count)
        index = m_count;
    if (m_count == m_capacity)
    {
        uint32_t capacity = m_capacity ? m_capacity * 2 : 4;
        void* grown = realloc(m_items, capacity * sizeof(wxTreeListItem*));
        if (!grown)
            throw std::bad_alloc();
        m_items = static_cast<wxTreeListItem**>(grown);
        m_capacity = capacity;
    }
    memmove(m_items + index + 1, m_items + index, (m_count - index) * sizeof(wxTreeListItem*));
    m_items[index] = item;
    ++m_count;
}

void wxArrayTreeListItems::RemoveAt(size_t index)
{
    if (index >= m_count)
        return;
    memmove(m_items + index, m_items + index + 1, (m_count - index - 1) * sizeof(wxTreeListItem*));
    --m_count;
}

int wxArrayTreeListItems::Index(const wxTreeListItem* item) const
{
    for (uint32_t i = 0; i < m_count; ++i)
    {
        if (m_items[i] == item)
            return (int)i;
    }
    return wxNOT_FOUND;
}

void wxArrayTreeListItems::Clear()
{
    free(m_items);
    m_items = NULL;
    m_count = m_capacity = 0;
}

// ----------------------------------------------------------------------------
// wxTreeListTexts
// ----------------------------------------------------------------------------

namespace
{

uint32_t ReadU32(const unsigned char* p)
{
    uint32_t v;
    memcpy(&v, p, sizeof v);
    return v;
}

void WriteU32(unsigned char* p, uint32_t v)
{
    memcpy(p, &v, sizeof v);
}

// Decodes the UTF-8 sequence at p (bounded by end) and advances p.
wxUniChar NextCodePoint(const unsigned char*& p, const unsigned char* end)
{
    unsigned c = *p++;
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    unsigned cp = extra == 3 ? (c & 0x07) : extra == 2 ? (c & 0x0F) : extra == 1 ? (c & 0x1F) : c;
    while (extra-- > 0 && p < end)
        cp = (cp << 6) | (*p++ & 0x3F);
    return wxUniChar(cp);
}

} // anonymous namespace

size_t wxTreeListTexts::GetCount() const
{
    return m_block ? ReadU32(m_block) : 0;
}

const char* wxTreeListTexts::Bytes(size_t i, size_t* len) const
{
    const size_t count = GetCount();
    const unsigned char* ends = m_block + 4;
    const uint32_t begin = i ? ReadU32(ends + 4 * (i - 1)) : 0;
    *len = ReadU32(ends + 4 * i) - begin;
    return reinterpret_cast<const char*>(m_block + 4 + 4 * count + begin);
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
    m_block = NULL;
    Resize(count);
    if (main < count)
        Set(main, text);
}

void wxTreeListTexts::Resize(size_t count)
{
    const size_t old = GetCount();
    if (count == old)
        return;
    std::vector<wxString> texts;
    texts.reserve(count);
    for (size_t i = 0; i < count; ++i)
        texts.push_back(i < old ? Item(i) : wxString());
    free(m_block);
    m_block = static_cast<unsigned char*>(malloc(4 + 4 * count));
    if (!m_block)
        throw std::bad_alloc();
    WriteU32(m_block, (uint32_t)count);
    for (size_t i = 0; i < count; ++i)
        WriteU32(m_block + 4 + 4 * i, 0);
    for (size_t i = 0; i < count; ++i)
    {
        if (!texts[i].empty())
            Set(i, texts[i]);
    }
}

void wxTreeListTexts::Set(size_t i, const wxString& text)
{
    const size_t count = GetCount();
    if (i >= count)
        return;
    const wxScopedCharBuffer utf8 = text.utf8_str();
    const size_t newLen = utf8.length();
    size_t oldLen;
    const char* old = Bytes(i, &oldLen);
    const size_t header = 4 + 4 * count;
    const size_t oldStart = old - reinterpret_cast<const char*>(m_block);
    const size_t total = ReadU32(m_block + 4 + 4 * (count - 1));
    const size_t newTotal = total - oldLen + newLen;

    unsigned char* block = static_cast<unsigned char*>(malloc(header + newTotal));
    if (!block)
        throw std::bad_alloc();
    memcpy(block, m_block, oldStart);
    memcpy(block + oldStart, utf8.data(), newLen);
    memcpy(block + oldStart + newLen, m_block + oldStart + oldLen, header + total - oldStart - oldLen);
    for (size_t k = i; k < count; ++k)
    {
        unsigned char* end = block + 4 + 4 * k;
        WriteU32(end, (uint32_t)(ReadU32(end) - oldLen + newLen));
    }
    free(m_block);
    m_block = block;
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

// ----------------------------------------------------------------------------
// wxTreeListItem
// ----------------------------------------------------------------------------

wxTreeListItem::wxTreeListItem(wxTreeListMainWindow* owner, wxTreeListItem* parent,
                               const wxArrayString& texts, int image, int selImage,
                               wxTreeItemData* data)
    : m_owner(owner),
      m_data(data),
      m_parent(parent),
      m_attr(NULL),
      m_col_images(NULL),
      m_x(0),
      m_y(0),
      m_textX(0),
      m_index(0),
      m_width(0),
      m_height(0),
      m_isCollapsed(true),
      m_hasHilight(false),
      m_hasPlus(false),
      m_isBold(false),
      m_ownsAttr(false),
      m_measured(false)
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
    delete m_data;
    if (m_ownsAttr)
        delete m_attr;
    delete m_col_images;
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

void wxTreeListItem::SetText(const wxString& text)
{
    if (m_text.IsEmpty())
        m_text.Add(text);
    else
        m_text.Set(0, text);
    m_measured = false;
}

void wxTreeListItem::SetText(int column, const wxString& text)
{
    const int count = m_owner ? m_owner->GetColumnCount() : (int)m_text.GetCount();
    if (column < 0 || column >= count)
        return;
    if ((size_t)column >= m_text.GetCount())
        m_text.Resize((size_t)count);
    m_text.Set((size_t)column, text);
    m_measured = false;
}

int wxTreeListItem::GetImage(int column, wxTreeItemIcon which) const
{
    if (m_owner && column == m_owner->GetMainColumn())
        return m_images[which];
    if (!m_col_images || column < 0 || (size_t)column >= m_col_images->GetCount())
        return -1;
    return (*m_col_images)[column];
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
    if (!m_col_images)
        m_col_images = new wxArrayShort;
    while ((int)m_col_images->GetCount() < count)
        m_col_images->Add(-1);
    (*m_col_images)[column] = (short)image;
}

int wxTreeListItem::GetCurrentImage() const
{
    int image;
    if (IsExpanded())
        image = IsSelected() ? m_images[wxTreeItemIcon_SelectedExpanded]
                             : m_images[wxTreeItemIcon_Expanded];
    else
        image = IsSelected() ? m_images[wxTreeItemIcon_Selected]
                             : m_images[wxTreeItemIcon_Normal];
    return image == -1 ? m_images[wxTreeItemIcon_Normal] : image;
}

void wxTreeListItem::SetData(wxTreeItemData* data)
{
    m_data = data;
    if (m_owner)
        m_owner->SendDataChanged(this);
}

wxTreeItemAttr& wxTreeListItem::Attr()
{
    if (!m_attr)
    {
        m_attr = new (std::nothrow) wxTreeItemAttr;
        m_ownsAttr = true;
    }
    return *m_attr;
}

void wxTreeListItem::SetAttributes(wxTreeItemAttr* attr)
{
    if (m_ownsAttr)
        delete m_attr;
    m_attr = attr;
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
        return NULL;
    return m_parent->m_children[m_index + 1];
}

wxTreeListItem* wxTreeListItem::GetPrevSibling() const
{
    if (!m_parent || m_index == 0)
        return NULL;
    return m_parent->m_children[m_index - 1];
}

wxTreeListItem* wxTreeListItem::GetNextSiblingUpwards() const
{
    for (const wxTreeListItem* item = this; item; item = item->m_parent)
    {
        if (wxTreeListItem* next = item->GetNextSibling())
            return next;
    }
    return NULL;
}

wxTreeListItem* wxTreeListItem::GetPrevSiblingUpwards() const
{
    for (const wxTreeListItem* item = this; item; item = item->m_parent)
    {
        if (wxTreeListItem* prev = item->GetPrevSibling())
            return prev;
    }
    return NULL;
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
                tree->m_selectItem = NULL;
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
wxClassInfo wxTreeListEvent::ms_classInfo(wxT("kelTreeListEvent"), &wxTreeEvent::ms_classInfo,
                                          NULL, (int)sizeof(wxTreeListEvent),
                                          wxTreeListEvent::wxCreateObject);

wxClassInfo* wxTreeListEvent::GetClassInfo() const
{
    return &wxTreeListEvent::ms_classInfo;
}

wxObject* wxTreeListEvent::wxCreateObject()
{
    return new wxTreeListEvent;
}

wxTreeListEvent::wxTreeListEvent(wxEventType commandType, int id)
    : wxTreeEvent(commandType, id),
      m_column(0),
      m_flags(0),
      m_oldParent(NULL),
      m_newParent(NULL)
{
}

wxTreeListEvent::wxTreeListEvent(const wxTreeListEvent& event)
    : wxTreeEvent(event),
      m_column(event.m_column),
      m_flags(event.m_flags),
      m_oldParent(event.m_oldParent),
      m_newParent(event.m_newParent)
{
}

} // namespace kel
