// Column descriptions of the tree list control.
#include <kelctrls/treelist/treelistitem.h>

namespace kel
{

wxTreeListColumnInfo::wxTreeListColumnInfo(const wxString& text, int width, int flag, int image, bool shown,
                                           bool edit)
    : m_text(text), m_width(width), m_flag(flag), m_image(image), m_selectedImage(-1), m_shown(shown),
      m_edit(edit)
{
}

wxTreeListColumnInfo::wxTreeListColumnInfo(const wxTreeListColumnInfo& other)
    : wxObject(), m_text(other.m_text), m_width(other.m_width), m_flag(other.m_flag), m_image(other.m_image),
      m_selectedImage(other.m_selectedImage), m_shown(other.m_shown), m_edit(other.m_edit)
{
}

wxTreeListColumnInfo& wxTreeListColumnInfo::operator=(const wxTreeListColumnInfo& other)
{
    m_text = other.m_text;
    m_width = other.m_width;
    m_flag = other.m_flag;
    m_image = other.m_image;
    m_selectedImage = other.m_selectedImage;
    m_shown = other.m_shown;
    m_edit = other.m_edit;
    return *this;
}

wxTreeListColumnInfo::~wxTreeListColumnInfo() {}

const wxTreeListColumnInfo& wxTreeListColumnInfo::GetDefault()
{
    static const wxTreeListColumnInfo s_default;
    return s_default;
}

// ----------------------------------------------------------------------------

wxArrayTreeListColumnInfo::wxArrayTreeListColumnInfo(const wxArrayTreeListColumnInfo& other)
{
    *this = other;
}

wxArrayTreeListColumnInfo& wxArrayTreeListColumnInfo::operator=(const wxArrayTreeListColumnInfo& other)
{
    if (this != &other)
    {
        Clear();
        for (size_t i = 0; i < other.GetCount(); ++i)
            Add(other[i]);
    }
    return *this;
}

void wxArrayTreeListColumnInfo::Add(const wxTreeListColumnInfo& column)
{
    m_items.Add(new wxTreeListColumnInfo(column));
}

void wxArrayTreeListColumnInfo::Insert(const wxTreeListColumnInfo& column, size_t before)
{
    m_items.Insert(new wxTreeListColumnInfo(column), before);
}

void wxArrayTreeListColumnInfo::RemoveAt(size_t index)
{
    delete &Item(index);
    m_items.RemoveAt(index);
}

void wxArrayTreeListColumnInfo::Clear()
{
    for (size_t i = 0; i < m_items.GetCount(); ++i)
        delete &Item(i);
    m_items.Clear();
}

} // namespace kel
