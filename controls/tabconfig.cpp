#include <kelctrls/controls/tabconfig.h>

#include <wx/filefn.h>
#include <wx/log.h>

#include <functional>

namespace
{

const char TAB_FILE[] = "config/tabattr.xml";
const char SHORTCUT_FILE[] = "config/shortcut.xml";

// A decimal attribute value; anything that is not a number counts as 0.
long ParseIndex(const wxXmlNode* node, const wxString& name)
{
    long value = 0;
    if (!node->GetAttribute(name, "0").ToLong(&value, 10))
        value = 0;
    return value;
}

bool LoadConfigDocument(wxXmlDocument& doc, const char* relative)
{
    wxLogNull quiet;
    const wxString path = KelInstallPath(relative);
    return wxFileExists(path) && doc.Load(path, "UTF-8");
}

// Inserts entry before the first entry of a greater index, else at the end.
template <typename Entry>
void InsertSorted(wxList& list, Entry* entry)
{
    for (wxList::compatibility_iterator node = list.GetFirst(); node; node = node->GetNext())
    {
        if (static_cast<Entry*>(node->GetData())->m_index > entry->m_index)
        {
            list.Insert(node, entry);
            return;
        }
    }
    list.Append(entry);
}

void DeleteEntries(wxList& list)
{
    for (wxList::compatibility_iterator node = list.GetFirst(); node; node = node->GetNext())
        delete node->GetData();
    list.Clear();
}

// Replaces the root's children by one element per list entry, the last entry
// first, and saves the document. Writes nothing for a document without root.
void SaveEntries(wxXmlDocument& doc, const char* relative, const wxList& list,
                 const std::function<wxXmlNode*(wxObject*)>& makeElement)
{
    wxXmlNode* root = doc.GetRoot();
    if (!root)
        return;
    if (!list.IsEmpty())
    {
        while (wxXmlNode* child = root->GetChildren())
        {
            root->RemoveChild(child);
            delete child;
        }
        for (wxList::compatibility_iterator node = list.GetFirst(); node; node = node->GetNext())
            root->InsertChild(makeElement(node->GetData()), root->GetChildren());
    }
    const wxString path = KelInstallPath(relative);
    if (!KelSaveXmlAtomically(doc, path, 1))
        KelReportFailedSave(path);
}

} // anonymous namespace

KelTabManager* KelTabManager::m_instance = nullptr;

KelTabManager* KelTabManager::GetInstance()
{
    if (!m_instance)
        m_instance = new KelTabManager;
    return m_instance;
}

KelTabManager::KelTabManager() : m_window(nullptr)
{
    wxLogNull quiet;
    LoadConfigDocument(m_tabDoc, TAB_FILE);
    InitList();
    LoadConfigDocument(m_shortcutDoc, SHORTCUT_FILE);
    InitShortCutList();
}

KelTabManager::~KelTabManager()
{
    DeleteEntries(m_tabs);
    DeleteEntries(m_shortcuts);
}

void KelTabManager::InitList()
{
    const wxXmlNode* root = m_tabDoc.IsOk() ? m_tabDoc.GetRoot() : nullptr;
    for (const wxXmlNode* child = root ? root->GetChildren() : nullptr; child; child = child->GetNext())
    {
        if (child->GetType() != wxXML_ELEMENT_NODE)
            continue;
        InsertSorted(m_tabs, new tabattr(child->GetAttribute("key"), ParseIndex(child, "index"),
                                         child->GetAttribute("tip"), ParseIndex(child, "systab") == 1));
    }
}

void KelTabManager::InitShortCutList()
{
    const wxXmlNode* root = m_shortcutDoc.IsOk() ? m_shortcutDoc.GetRoot() : nullptr;
    for (const wxXmlNode* child = root ? root->GetChildren() : nullptr; child; child = child->GetNext())
    {
        if (child->GetType() != wxXML_ELEMENT_NODE)
            continue;
        InsertSorted(m_shortcuts, new shortcutattr(child->GetAttribute("key"), ParseIndex(child, "index")));
    }
}

tabattr* KelTabManager::GetTabAttr(const wxString& key)
{
    for (wxList::compatibility_iterator node = m_tabs.GetFirst(); node; node = node->GetNext())
    {
        tabattr* tab = static_cast<tabattr*>(node->GetData());
        if (tab->m_key.IsSameAs(key, false))
            return tab;
    }
    return nullptr;
}

void KelTabManager::GetAllTabs(wxList& out)
{
    for (wxList::compatibility_iterator node = m_tabs.GetFirst(); node; node = node->GetNext())
        out.Append(node->GetData());
}

int KelTabManager::GetShortCutAttr(const wxString& key)
{
    for (wxList::compatibility_iterator node = m_shortcuts.GetFirst(); node; node = node->GetNext())
    {
        const shortcutattr* shortcut = static_cast<shortcutattr*>(node->GetData());
        if (shortcut->m_key.IsSameAs(key, false))
            return shortcut->m_index;
    }
    return -1;
}

void KelTabManager::GetAllShortCutAttr(wxList& out)
{
    for (wxList::compatibility_iterator node = m_shortcuts.GetFirst(); node; node = node->GetNext())
        out.Append(node->GetData());
}

void KelTabManager::SaveTabAttr(wxList list)
{
    SaveEntries(m_tabDoc, TAB_FILE, list,
                [](wxObject* object)
                {
                    const tabattr* tab = static_cast<tabattr*>(object);
                    wxXmlNode* element = new wxXmlNode(wxXML_ELEMENT_NODE, "tabprop");
                    element->AddAttribute("key", tab->m_key);
                    element->AddAttribute("index", wxString::Format("%d", tab->m_index));
                    element->AddAttribute("tip", tab->m_tip);
                    element->AddAttribute("systab", wxString::Format("%d", tab->m_sysTab ? 1 : 0));
                    return element;
                });
}

void KelTabManager::SaveShortCutAttr(wxList list)
{
    SaveEntries(m_shortcutDoc, SHORTCUT_FILE, list,
                [](wxObject* object)
                {
                    const shortcutattr* shortcut = static_cast<shortcutattr*>(object);
                    wxXmlNode* element = new wxXmlNode(wxXML_ELEMENT_NODE, "shortcutprop");
                    element->AddAttribute("key", shortcut->m_key);
                    element->AddAttribute("index", wxString::Format("%d", shortcut->m_index));
                    return element;
                });
}
