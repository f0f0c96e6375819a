#include <kelctrls/platform/inifile.h>

#include <wx/ffile.h>
#include <wx/log.h>
#include <wx/tokenzr.h>

namespace
{

wxString ReadFileText(const wxString& path, bool* ok)
{
    wxLogNull noLog;
    wxFFile file(path, "rb");
    *ok = false;
    if (!file.IsOpened())
        return wxString();

    std::string bytes;
    char buffer[4096];
    size_t count;
    while ((count = file.Read(buffer, sizeof(buffer))) > 0)
        bytes.append(buffer, count);
    if (file.Error())
        return wxString();

    *ok = true;
    const wxString text = wxString::FromUTF8(bytes.data(), bytes.size());
    // Not UTF-8: older files were written in the Latin-1 code page.
    if (text.empty() && !bytes.empty())
        return wxString(bytes.data(), wxConvISO8859_1, bytes.size());
    return text;
}

bool IsCommentOrBlank(const wxString& trimmed)
{
    return trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '#';
}

} // anonymous namespace

wxIniFileEx::wxIniFileEx(const wxString& path)
{
    Load(path);
}

bool wxIniFileEx::Load(const wxString& path)
{
    m_sections.clear();
    bool ok = false;
    const wxString text = ReadFileText(path, &ok);
    if (ok)
        Parse(text);
    m_initOk = ok;
    return ok;
}

void wxIniFileEx::Parse(const wxString& text)
{
    m_sections.push_back(Section{wxString(), {}});
    size_t current = 0;
    wxString content = text;
    if (content.StartsWith(wxString(wxUniChar(0xFEFF))))
        content.Remove(0, 1);

    wxStringTokenizer lines(content, "\n", wxTOKEN_RET_EMPTY_ALL);
    while (lines.HasMoreTokens())
    {
        wxString line = lines.GetNextToken();
        if (!line.empty() && line.Last() == '\r')
            line.RemoveLast();
        if (!lines.HasMoreTokens() && line.empty())
            break;

        const wxString trimmed = wxString(line).Trim(false).Trim(true);
        if (trimmed.StartsWith("[") && trimmed.EndsWith("]"))
        {
            // A section written twice continues where it was.
            const wxString name = trimmed.Mid(1, trimmed.length() - 2).Trim(false).Trim(true);
            const Section* known = FindSection(name);
            if (!known)
                m_sections.push_back(Section{name, {}});
            current = known ? known - m_sections.data() : m_sections.size() - 1;
            continue;
        }

        std::vector<Line>& target = m_sections[current].lines;
        const int equals = line.Find('=');
        if (IsCommentOrBlank(trimmed) || equals == wxNOT_FOUND)
            target.push_back(Line{false, wxString(), line});
        else
            target.push_back(Line{true, line.Left(equals).Trim(false).Trim(true),
                                  line.Mid(equals + 1).Trim(false).Trim(true)});
    }
}

const wxIniFileEx::Section* wxIniFileEx::FindSection(const wxString& name) const
{
    for (const Section& section : m_sections)
        if (section.name.CmpNoCase(name) == 0)
            return &section;
    return nullptr;
}

wxIniFileEx::Section* wxIniFileEx::FindSection(const wxString& name)
{
    return const_cast<Section*>(static_cast<const wxIniFileEx*>(this)->FindSection(name));
}

const wxIniFileEx::Line* wxIniFileEx::FindEntry(const wxString& sectionName, const wxString& key) const
{
    const Section* section = FindSection(sectionName);
    if (!section)
        return nullptr;
    for (const Line& line : section->lines)
        if (line.isEntry && line.key.CmpNoCase(key) == 0)
            return &line;
    return nullptr;
}

bool wxIniFileEx::HasEntry(const wxString& section, const wxString& key) const
{
    return FindEntry(section, key) != nullptr;
}

wxString wxIniFileEx::GetString(const wxString& section, const wxString& key, const wxString& def) const
{
    const Line* entry = FindEntry(section, key);
    return entry ? entry->text : def;
}

int wxIniFileEx::GetInt(const wxString& section, const wxString& key, const int& def) const
{
    long value;
    const Line* entry = FindEntry(section, key);
    if (!entry || !entry->text.ToLong(&value) || value < INT_MIN || value > INT_MAX)
        return def;
    return static_cast<int>(value);
}

bool wxIniFileEx::GetBool(const wxString& section, const wxString& key, const bool& def) const
{
    const Line* entry = FindEntry(section, key);
    if (!entry)
        return def;
    const wxString value = entry->text.Lower();
    if (value == "1" || value == "true" || value == "yes" || value == "on")
        return true;
    if (value == "0" || value == "false" || value == "no" || value == "off")
        return false;
    return def;
}

void wxIniFileEx::SetString(const wxString& sectionName, const wxString& key, const wxString& value,
                            bool create)
{
    if (Line* entry = const_cast<Line*>(FindEntry(sectionName, key)))
    {
        entry->text = value;
        return;
    }
    if (!create)
        return;

    Section* section = FindSection(sectionName);
    if (!section)
    {
        m_sections.push_back(Section{sectionName, {}});
        section = &m_sections.back();
    }
    // New keys go after the last entry, before trailing blank lines.
    auto pos = section->lines.end();
    while (pos != section->lines.begin() && !(pos - 1)->isEntry &&
           (pos - 1)->text.Strip(wxString::both).empty())
        --pos;
    section->lines.insert(pos, Line{true, key, value});
}

void wxIniFileEx::SetInt(const wxString& section, const wxString& key, int value, bool create)
{
    SetString(section, key, wxString::Format("%d", value), create);
}

void wxIniFileEx::SetBool(const wxString& section, const wxString& key, bool value, bool create)
{
    SetString(section, key, value ? "1" : "0", create);
}

bool wxIniFileEx::DeleteEntry(const wxString& sectionName, const wxString& key)
{
    Section* section = FindSection(sectionName);
    if (!section)
        return false;
    for (auto it = section->lines.begin(); it != section->lines.end(); ++it)
    {
        if (it->isEntry && it->key.CmpNoCase(key) == 0)
        {
            section->lines.erase(it);
            return true;
        }
    }
    return false;
}

wxArrayString wxIniFileEx::GetSections() const
{
    wxArrayString names;
    for (const Section& section : m_sections)
        if (!section.name.empty())
            names.Add(section.name);
    return names;
}

wxArrayString wxIniFileEx::GetKeys(const wxString& sectionName) const
{
    wxArrayString keys;
    if (const Section* section = FindSection(sectionName))
        for (const Line& line : section->lines)
            if (line.isEntry)
                keys.Add(line.key);
    return keys;
}

wxString wxIniFileEx::ToString(wxTextFileType type) const
{
    const wxString eol = type == wxTextFileType_None ? wxString("\n") : wxString(wxTextFile::GetEOL(type));
    wxString text;
    for (const Section& section : m_sections)
    {
        if (!section.name.empty())
            text << "[" << section.name << "]" << eol;
        for (const Line& line : section.lines)
            text << (line.isEntry ? line.key + "=" + line.text : line.text) << eol;
    }
    return text;
}

bool wxIniFileEx::SaveFile(const wxString& path, wxTextFileType type) const
{
    return KelWriteTextAtomically(path, ToString(type));
}
