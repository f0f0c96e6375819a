#include <kelctrls/skin/language.h>

#include <wx/filefn.h>
#include <wx/log.h>
#include <wx/xml/xml.h>

#include <climits>

namespace
{

const char LANGUAGE_FILE[] = "locale/Language.xml";

// A decimal int; text that is not one, or a number beyond an int, counts as
// 0, so that an id too large for the table never stands for another one.
int ParseNumber(const wxString& text)
{
    long value = 0;
    if (!text.ToLong(&value) || value < INT_MIN || value > INT_MAX)
        return 0;
    return static_cast<int>(value);
}

bool IsLanguageList(const wxXmlDocument& doc)
{
    return doc.GetRoot() && doc.GetRoot()->GetName() == "Languages";
}

bool IsLanguageElement(const wxXmlNode* node)
{
    return node->GetType() == wxXML_ELEMENT_NODE && node->GetName() == "Language";
}

} // anonymous namespace

// ---------------------------------------------------------------------------
// LanguageHandler

LanguageHandler* LanguageHandler::m_instance = nullptr;

LanguageHandler* LanguageHandler::GetInstance()
{
    if (!m_instance)
        m_instance = new LanguageHandler;
    return m_instance;
}

LanguageHandler::LanguageHandler()
{
    LoadLanguage();
}

LanguageHandler::~LanguageHandler()
{
    for (auto& entry : m_languages)
        delete entry.second;
}

bool LanguageHandler::LoadLanguage()
{
    wxLogNull quiet;
    const wxString path = KelInstallPath(LANGUAGE_FILE);
    wxXmlDocument doc;
    if (!wxFileExists(path) || !doc.Load(path, "UTF-8") || !IsLanguageList(doc))
        return false;
    for (const wxXmlNode* child = doc.GetRoot()->GetChildren(); child; child = child->GetNext())
    {
        if (!IsLanguageElement(child))
            continue;
        const int id = ParseNumber(child->GetAttribute("id"));
        const wxString path = child->GetAttribute("path");
        if (id <= 0 || path.empty())
            continue;
        LanguageInfo*& slot = m_languages[id];
        delete slot;
        slot = new LanguageInfo;
        slot->id = id;
        slot->path = path;
        slot->name = child->GetAttribute("name");
        slot->selected = ParseNumber(child->GetAttribute("select")) != 0;
    }
    return true;
}

bool LanguageHandler::SaveLanguage()
{
    // Unlike the start-up load, a list that has gone missing or broken by
    // the time the user changes the language is reported through the log.
    const wxString path = KelInstallPath(LANGUAGE_FILE);
    wxXmlDocument doc;
    doc.Load(path, "UTF-8");
    if (!IsLanguageList(doc))
        return false;
    for (wxXmlNode* child = doc.GetRoot()->GetChildren(); child; child = child->GetNext())
    {
        if (!IsLanguageElement(child))
            continue;
        const LanguageInfo* info = Find(ParseNumber(child->GetAttribute("id")));
        if (!info)
            continue;
        // Only attributes the element already has are rewritten.
        for (wxXmlAttribute* attr = child->GetAttributes(); attr; attr = attr->GetNext())
        {
            if (attr->GetName() == "path")
                attr->SetValue(info->path);
            else if (attr->GetName() == "name")
                attr->SetValue(info->name);
            else if (attr->GetName() == "select")
                attr->SetValue(info->selected ? "1" : "0");
        }
    }
    if (KelSaveXmlAtomically(doc, path, 1))
        return true;
    KelReportFailedSave(path);
    return false;
}

const LanguageInfo* LanguageHandler::Find(int id) const
{
    const auto it = m_languages.find(id);
    return it == m_languages.end() ? nullptr : it->second;
}

void LanguageHandler::GetLanguages(wxArrayInt& ids)
{
    ids.Empty();
    for (const auto& entry : m_languages)
        ids.Add(entry.first);
}

wxString LanguageHandler::GetLanguageName(int id)
{
    const LanguageInfo* info = Find(id);
    return info ? info->name : wxString();
}

wxString LanguageHandler::GetLanguageLocal(int id)
{
    const LanguageInfo* info = Find(id);
    return info ? info->path : wxString();
}

int LanguageHandler::GetSelected()
{
    for (const auto& entry : m_languages)
    {
        if (entry.second->selected)
            return entry.first;
    }
    return -1;
}

void LanguageHandler::SetSelected(int id)
{
    const int current = GetSelected();
    if (id == current)
        return;
    const auto it = m_languages.find(id);
    if (it == m_languages.end())
        return;
    it->second->selected = true;
    if (current != -1)
        m_languages[current]->selected = false;
    SaveLanguage();
}

// ---------------------------------------------------------------------------
// KelBaseShowSetting

KelBaseShowSetting* KelBaseShowSetting::m_instance = nullptr;

KelBaseShowSetting* KelBaseShowSetting::GetInstance()
{
    if (!m_instance)
        m_instance = new KelBaseShowSetting;
    return m_instance;
}

void KelBaseShowSetting::LoadSetting(const wxString& path)
{
    DoLoadSetting(path);
}

void KelBaseShowSetting::DoLoadSetting(const wxString& path)
{
    wxLogNull quiet;
    wxXmlDocument doc;
    if (!wxFileExists(path) || !doc.Load(path, "UTF-8") || !doc.GetRoot() ||
        doc.GetRoot()->GetName() != "baseinfo")
        return;
    for (const wxXmlNode* child = doc.GetRoot()->GetChildren(); child; child = child->GetNext())
    {
        // emplace keeps the value of a key that is already there
        m_settings.emplace(child->GetName(), child->GetAttribute("value"));
    }
}

wxString KelBaseShowSetting::GetShowContent(const wxString& key)
{
    const auto it = m_settings.find(key);
    return it == m_settings.end() ? wxString() : it->second;
}
