#include <kelctrls/uistate/records.h>

#include <wx/arrimpl.cpp>

#include <cstdlib>

WX_DEFINE_USER_EXPORTED_OBJARRAY(wxColumnArray);

namespace
{

// The first prime after 100, so that typical records never rehash.
const size_t INITIAL_BUCKETS = 101;

long LeadingLong(const wxString& text)
{
    return std::strtol(text.utf8_str(), nullptr, 10);
}

} // anonymous namespace

wxRecordBase::wxRecordBase()
{
    m_columns.max_load_factor(0.85f);
    m_columns.rehash(INITIAL_BUCKETS);
}

wxRecordBase::wxRecordBase(const wxRecordBase& other) : wxRecordBase()
{
    Copy(other);
}

wxRecordBase& wxRecordBase::operator=(const wxRecordBase& other)
{
    Copy(other);
    return *this;
}

wxRecordBase::~wxRecordBase()
{
    Release();
}

void wxRecordBase::Copy(const wxRecordBase& other)
{
    if (this == &other)
        return;
    Release();
    for (const auto& entry : other.m_columns)
        m_columns[entry.first] = new Column_Value(*entry.second);
}

void wxRecordBase::Release()
{
    for (auto& entry : m_columns)
        delete entry.second;
    m_columns.clear();
}

Column_Value* wxRecordBase::GetColumnValue(const wxString& name) const
{
    const auto it = m_columns.find(name);
    return it == m_columns.end() ? nullptr : it->second;
}

void wxRecordBase::SetString(const wxString& name, const wxString& value)
{
    Column_Value*& column = m_columns[name];
    if (!column)
        column = new Column_Value(name);
    column->SetValue(value);
}

void wxRecordBase::SetInt(const wxString& name, const int& value)
{
    SetString(name, wxString::Format("%d", value));
}

void wxRecordBase::SetLong(const wxString& name, const long& value)
{
    SetString(name, wxString::Format("%ld", value));
}

void wxRecordBase::SetFloat(const wxString& name, const float& value)
{
    SetString(name, wxString::FromCDouble(value, 6));
}

void wxRecordBase::SetBool(const wxString& name, const bool& value)
{
    SetString(name, value ? "1" : "0");
}

wxString wxRecordBase::GetString(const wxString& name, const wxString& def) const
{
    const Column_Value* column = GetColumnValue(name);
    return column ? column->GetValue() : def;
}

int wxRecordBase::GetInt(const wxString& name, int def) const
{
    const Column_Value* column = GetColumnValue(name);
    return column ? static_cast<int>(LeadingLong(column->GetValue())) : def;
}

long wxRecordBase::GetLong(const wxString& name, const long& def) const
{
    const Column_Value* column = GetColumnValue(name);
    return column ? LeadingLong(column->GetValue()) : def;
}

float wxRecordBase::GetFloat(const wxString& name, const float& def) const
{
    const Column_Value* column = GetColumnValue(name);
    if (!column)
        return def;
    double value = 0;
    column->GetValue().ToCDouble(&value);
    return static_cast<float>(value);
}

bool wxRecordBase::GetBool(const wxString& name, bool def) const
{
    const Column_Value* column = GetColumnValue(name);
    return column ? LeadingLong(column->GetValue()) != 0 : def;
}

wxColumnArray wxRecordBase::GetColumns() const
{
    wxColumnArray columns;
    for (const auto& entry : m_columns)
        columns.Add(*entry.second);
    return columns;
}
