/// \file
/// Records: small dictionaries of named values, all held as strings, with
/// typed accessors.
#ifndef KELCTRLS_UISTATE_RECORDS_H
#define KELCTRLS_UISTATE_RECORDS_H

#include <kelctrls/base.h>

#include <wx/dynarray.h>
#include <wx/hashmap.h>
#include <wx/object.h>
#include <wx/string.h>

#include <unordered_map>

/// One named value of a record, with a modified mark.
class KELCTRLS_API Column_Value : public wxObject
{
public:
    /// An empty, unmodified value named `name`.
    explicit Column_Value(const wxString& name) : m_name(name), m_modified(0) {}
    ///@{

    /// Copying (name, value and mark).
    Column_Value(const Column_Value& other) = default;
    Column_Value& operator=(const Column_Value& other) = default;
    ///@}
    /// Nothing to free.
    virtual ~Column_Value() {}

    /// Takes name, value and mark of `other`.
    void Copy(const Column_Value& other) { *this = other; }

    /// The name.
    wxString GetName() const { return m_name; }
    /// The value.
    wxString GetValue() const { return m_value; }
    /// Sets the value and marks it modified (1).
    void SetValue(const wxString& value)
    {
        m_value = value;
        m_modified = 1;
    }
    /// The modified mark: 0 unless SetValue or SetModified set it.
    int GetModified() const { return m_modified; }
    /// Sets the modified mark.
    void SetModified(int modified) { m_modified = modified; }

private:
    wxString m_name;
    wxString m_value;
    int m_modified;
};

/// Owns its elements; copying the array copies every element.
WX_DECLARE_USER_EXPORTED_OBJARRAY(Column_Value, wxColumnArray, KELCTRLS_API);

/// A small dictionary of named values (columns), all held as strings, with
/// typed accessors. Names are compared exactly.
class KELCTRLS_API wxRecordBase : public wxObject
{
public:
    /// An empty record.
    wxRecordBase();
    /// Copies every column.
    wxRecordBase(const wxRecordBase& other);
    /// Replaces the columns by copies of those of `other`.
    wxRecordBase& operator=(const wxRecordBase& other);
    /// Deletes the columns.
    virtual ~wxRecordBase();

    /// Stores into the column, creating it when missing.
    void SetString(const wxString& name, const wxString& value);
    /// Stores `value` in decimal.
    void SetInt(const wxString& name, const int& value);
    /// Stores `value` in decimal.
    void SetLong(const wxString& name, const long& value);
    /// Stores `value` in decimal.
    void SetFloat(const wxString& name, const float& value);
    /// Stores "1" or "0".
    void SetBool(const wxString& name, const bool& value);

    /// Each getter returns `def` only when the column is missing. Numbers are
    /// read from the leading digits of the value: "12ab" gives 12, "ab" gives 0.
    wxString GetString(const wxString& name, const wxString& def = wxString()) const;
    /// The value as an int.
    int GetInt(const wxString& name, int def = 0) const;
    /// The value as a long.
    long GetLong(const wxString& name, const long& def = 0) const;
    /// The value as a float.
    float GetFloat(const wxString& name, const float& def = 0) const;
    /// The value as a bool: true for a non-zero number.
    bool GetBool(const wxString& name, bool def = false) const;

    /// Whether a column of that name exists.
    bool ExistColumn(const wxString& name) const { return GetColumnValue(name) != nullptr; }
    /// Copies of all columns.
    wxColumnArray GetColumns() const;

    /// Replaces the columns by copies of those of `other`.
    void Copy(const wxRecordBase& other);
    /// Deletes every column.
    void Release();
    /// Does nothing and returns true; records are stored by their owners.
    bool Save() { return true; }

private:
    Column_Value* GetColumnValue(const wxString& name) const;

    std::unordered_map<wxString, Column_Value*, wxStringHash, wxStringEqual> m_columns;
};

#endif
