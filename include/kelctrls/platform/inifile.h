/// \file
/// Ini files of the core library: "[section]" headers and "key=value" lines.
/// Comments (';' or '#'), blank lines and the order of entries survive a
/// load and save. Section and key names are matched without regard to case.
#ifndef KELCTRLS_PLATFORM_INIFILE_H
#define KELCTRLS_PLATFORM_INIFILE_H

#include <kelctrls/base.h>

#include <wx/arrstr.h>
#include <wx/textfile.h>

#include <vector>

/// An ini file in memory. Reading a missing or unreadable file gives an empty
/// one; nothing is written until SaveFile.
class KELCTRLS_API wxIniFileEx
{
public:
    /// An empty file.
    wxIniFileEx() = default;
    /// Reads `path`; IsInitOk tells whether that succeeded.
    explicit wxIniFileEx(const wxString& path);

    /// Replaces the contents by those of `path` (UTF-8); false, leaving the file
    /// empty, when it cannot be read.
    bool Load(const wxString& path);
    /// Whether the last Load (or the constructor's) read its file.
    bool IsInitOk() const { return m_initOk; }

    /// The value of `key` in `section`; `def` when there is no such entry.
    wxString GetString(const wxString& section, const wxString& key, const wxString& def = wxString()) const;
    /// The value when it is a whole decimal number, else `def`.
    int GetInt(const wxString& section, const wxString& key, const int& def = 0) const;
    /// "1", "true", "yes", "on" and "0", "false", "no", "off" (any case),
    /// anything else gives `def`.
    bool GetBool(const wxString& section, const wxString& key, const bool& def = false) const;
    /// Whether `section` has an entry `key`.
    bool HasEntry(const wxString& section, const wxString& key) const;

    /// With `create` false, only keys that exist already are changed.
    void SetString(const wxString& section, const wxString& key, const wxString& value, bool create = true);
    /// Stores `value` in decimal (see SetString).
    void SetInt(const wxString& section, const wxString& key, int value, bool create = true);
    /// Stores "1" or "0" (see SetString).
    void SetBool(const wxString& section, const wxString& key, bool value, bool create = true);
    /// Removes the entry; false when there is none.
    bool DeleteEntry(const wxString& section, const wxString& key);

    /// The section names in file order (the unnamed lines before the first header
    /// not counted).
    wxArrayString GetSections() const;
    /// The keys of a section in file order.
    wxArrayString GetKeys(const wxString& section) const;

    /// Writes the file atomically, with the line ends of `type` (none and
    /// Unix give "\n", DOS "\r\n", Mac "\r").
    bool SaveFile(const wxString& path, wxTextFileType type = wxTextFileType_None) const;
    /// The file's text with the line ends of `type`.
    wxString ToString(wxTextFileType type = wxTextFileType_None) const;

private:
    struct Line
    {
        bool isEntry;
        wxString key;  // entries only
        wxString text; // the value of an entry, else the whole line
    };
    struct Section
    {
        wxString name; // empty for the lines before the first header
        std::vector<Line> lines;
    };

    void Parse(const wxString& text);
    const Section* FindSection(const wxString& name) const;
    Section* FindSection(const wxString& name);
    const Line* FindEntry(const wxString& section, const wxString& key) const;

    std::vector<Section> m_sections;
    bool m_initOk = false;
};

#endif
