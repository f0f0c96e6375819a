// Records: small dictionaries of named values, all held as strings, with
// typed accessors.
#ifndef KELCTRLS_UISTATE_RECORDS_H
#define KELCTRLS_UISTATE_RECORDS_H

#include <kelctrls/base.h>

#include <wx/dynarray.h>
#include <wx/hashmap.h>
#include <wx/object.h>
#include <wx/string.h>

#include <unordered_map>

class KELCTRLS_API Column_Value : public wxObject
{
public:
    explicit Column_Value(const wxString& name) : m_name(name), m_modified(0) {}
    Column_Value(const Column_Value& other) = default;
    Column_Value& operator=(const Column_Value& other) = default;
    virtual ~Column_Value() {}

    void Copy(const Column_Value& other) { *this = other; }

    wxString GetName() const { return m_name; }
    wxString GetValue() const { return m_value; }
    void SetValue(const wxString& value)
    {
        m_value = value;
        m_modified = 1;
    }
    int GetModified() const { return m_modified; }
    void SetModified(int modified) { m_modified = modified; }

private:
    wxString m_name;
    wxString m_value;
    int m_modified;
};

// Owns its elements; copying the array copies every element.
WX_DECLARE_USER_EXPORTED_OBJARRAY(Column_Value, wxColumnArray, KELCTRLS_API);

class KELCTRLS_API wxRecordBase : public wxObject
{
public:
    wxRecordBase();
    wxRecordBase(const wxRecordBase& other);
    wxRecordBase& operator=(const wxRecordBase& other);
    virtual ~wxRecordBase();

    // Stores into the column, creating it when missing.
    void SetString(const wxString& name, const wxString& value);
    void SetInt(const wxString& name, const int& value);
    void SetLong(const wxString& name, const long& value);
    void SetFloat(const wxString& name, const float& value);
    // "1" or "0".
    void SetBool(const wxString& name, const bool& value);

    // Each returns def only when the column is missing. Numbers are read from
    // the leading digits of the value: "12ab" gives 12, "ab" gives 0.
    wxString GetString(const wxString& name, const wxString& def = wxString()) const;
    int GetInt(const wxString& name, int def = 0) const;
    long GetLong(const wxString& name, const long& def = 0) const;
    float GetFloat(const wxString& name, const float& def = 0) const;
    bool GetBool(const wxString& name, bool def = false) const;

    bool ExistColumn(const wxString& name) const { return GetColumnValue(name) != nullptr; }
    // Copies of all columns.
    wxColumnArray GetColumns() const;

    void Copy(const wxRecordBase& other);
    void Release();
    bool Save() { return true; }

private:
    Column_Value* GetColumnValue(const wxString& name) const;

    std::unordered_map<wxString, Column_Value*, wxStringHash, wxStringEqual> m_columns;
};

#endif
