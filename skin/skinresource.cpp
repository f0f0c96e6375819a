#include <kelctrls/skin/skinresource.h>
#include <kelctrls/platform/skinengine.h>

#include "skin/scaledbitmap.h"

#include <wx/imagbmp.h>
#include <wx/log.h>
#include <wx/xml/xml.h>

#include <climits>
#include <cstdlib>

KelSkinResource* KelSkinResource::m_instance = nullptr;

namespace
{

bool IsSection(const wxXmlNode* node, const char* name)
{
    return node->GetName().CmpNoCase(name) == 0;
}

// Splits "face,size,weight": every comma ends a part, and the text after
// the last comma counts only when it is not empty.
wxArrayString SplitFontDescription(const wxString& description)
{
    wxArrayString parts;
    wxString rest = description;
    int comma;
    while ((comma = rest.Find(',')) != wxNOT_FOUND)
    {
        parts.Add(rest.Left(comma));
        rest = rest.Mid(comma + 1);
    }
    if (!rest.empty())
        parts.Add(rest);
    return parts;
}

// A decimal integer with optional leading blanks and sign; anything that is
// not a number counts as 0, and numbers beyond an int are held at its limits.
int ParseDescriptionNumber(const wxString& text)
{
    const long number = std::strtol(text.utf8_str(), nullptr, 10);
    return static_cast<int>(wxClip(number, long(INT_MIN), long(INT_MAX)));
}

// The toolkit cannot scale fonts much larger than this, and no window needs
// them; a size outside 1 to this keeps the normal size.
constexpr int MaxFontPoints = 1000;

wxFontWeight WeightFromCode(int code)
{
    switch (code)
    {
    case 1:
        return wxFONTWEIGHT_LIGHT;
    case 2:
        return wxFONTWEIGHT_BOLD;
    default:
        return wxFONTWEIGHT_NORMAL;
    }
}

wxFont FontFromDescription(const wxString& description)
{
    const wxArrayString parts = SplitFontDescription(description);
    if (parts.empty())
        return *wxNORMAL_FONT;

    const wxFont& normal = *wxNORMAL_FONT;
    int size = normal.GetPointSize();
    const int described = parts.size() >= 2 ? ParseDescriptionNumber(parts[1]) : 0;
    if (described > 0 && described <= MaxFontPoints)
        size = described;
    const wxFontWeight weight =
        parts.size() >= 3 ? WeightFromCode(ParseDescriptionNumber(parts[2])) : normal.GetWeight();

    // Built from a font description rather than by changing the face of a
    // copy: a face that is not installed keeps its name and the font stays
    // valid, drawn with a substitute.
    return wxFont(wxFontInfo(size)
                      .FaceName(parts[0])
                      .Family(normal.GetFamily())
                      .Style(normal.GetStyle())
                      .Weight(weight));
}

template <typename Map, typename Entry>
void ReplaceEntry(Map& table, const wxString& key, Entry* entry)
{
    auto it = table.find(key);
    if (it != table.end())
    {
        delete it->second;
        it->second = entry;
    }
    else
    {
        table.emplace(key, entry);
    }
}

template <typename Map>
void DeleteEntries(Map& table)
{
    for (auto& item : table)
        delete item.second;
    table.clear();
}

void EnsureIconHandler()
{
    if (!wxImage::FindHandler(wxBITMAP_TYPE_ICO))
        wxImage::AddHandler(new wxICOHandler);
}

} // anonymous namespace

KelSkinResource* KelSkinResource::GetInstance()
{
    if (!m_instance)
        m_instance = new (std::nothrow) KelSkinResource;
    return m_instance;
}

KelSkinResource::KelSkinResource() = default;

KelSkinResource::~KelSkinResource()
{
    KelSkinResource::Release();
}

bool KelSkinResource::LoadResource(const wxString& path)
{
    Release();
    if (!DoLoadRes(path))
        return false;
    SkinColours colours;
    colours.captionText = GetColour("color_caption_text");
    colours.background = GetColour("color_win_bk");
    SkinWindowEngine::Get()->SetColours(colours);
    return true;
}

bool KelSkinResource::DoLoadRes(const wxString& path)
{
    wxXmlDocument doc;
    if (!doc.Load(path, "UTF-8") || !doc.GetRoot())
        return false;
    if (doc.GetRoot()->GetName() != "resource")
        return false;

    wxLogNull noLog;
    for (const wxXmlNode* section = doc.GetRoot()->GetChildren(); section; section = section->GetNext())
    {
        const bool icons = IsSection(section, "icons");
        const bool bitmaps = IsSection(section, "bitmaps");
        const bool colours = IsSection(section, "colours");
        const bool fonts = IsSection(section, "fonts");
        if (!(icons || bitmaps || colours || fonts))
            continue;

        for (const wxXmlNode* entry = section->GetChildren(); entry; entry = entry->GetNext())
        {
            const wxString key = entry->GetAttribute("id");
            if (icons)
                ReplaceEntry(m_icons, key, new SkinIconEntry{wxIcon(), entry->GetAttribute("path")});
            else if (bitmaps)
                ReplaceEntry(m_bitmaps, key, new SkinBitmapEntry{wxBitmap(), entry->GetAttribute("path")});
            else if (colours)
                m_colours.emplace(key, wxColour(entry->GetAttribute("value")));
            else
                m_fonts[key] = FontFromDescription(entry->GetAttribute("value"));
        }
    }
    return true;
}

wxColour KelSkinResource::GetColour(const wxString& key) const
{
    auto it = m_colours.find(key);
    return it != m_colours.end() ? it->second : wxColour(0, 0, 0);
}

wxFont KelSkinResource::GetFont(const wxString& key) const
{
    auto it = m_fonts.find(key);
    return it != m_fonts.end() ? it->second : *wxNORMAL_FONT;
}

wxBitmap KelSkinResource::GetBitmap(const wxString& key) const
{
    wxLogNull noLog;
    auto it = m_bitmaps.find(key);
    if (it == m_bitmaps.end())
        return wxNullBitmap;

    SkinBitmapEntry& entry = *it->second;
    if (!entry.bitmap.IsOk() && !entry.bitmap.LoadFile(entry.path, wxBITMAP_TYPE_BMP))
    {
        entry.bitmap = wxBitmap();
        return wxNullBitmap;
    }
    return entry.bitmap;
}

wxBitmapBundle KelSkinResource::GetBitmapBundle(const wxString& key) const
{
    const wxBitmap normal = GetBitmap(key);
    if (!normal.IsOk())
        return wxBitmapBundle();
    auto it = m_bitmaps.find(key);
    if (it == m_bitmaps.end())
        return wxBitmapBundle(normal);

    SkinBitmapEntry& entry = *it->second;
    if (!entry.bundle.IsOk())
        entry.bundle =
            kel::MakeScaledBundle(normal, kel::LoadDoubleScaleVariant(entry.path, wxBITMAP_TYPE_BMP));
    return entry.bundle;
}

wxIcon KelSkinResource::GetIcon(const wxString& key) const
{
    wxLogNull noLog;
    auto it = m_icons.find(key);
    if (it == m_icons.end())
        return wxNullIcon;

    SkinIconEntry& entry = *it->second;
    if (!entry.icon.IsOk())
    {
        EnsureIconHandler();
        if (!entry.icon.LoadFile(entry.path, wxBITMAP_TYPE_ICO, -1, -1))
        {
            entry.icon = wxIcon();
            return wxNullIcon;
        }
    }
    return entry.icon;
}

void KelSkinResource::Release()
{
    m_colours.clear();
    m_fonts.clear();
    DeleteEntries(m_icons);
    DeleteEntries(m_bitmaps);
}
