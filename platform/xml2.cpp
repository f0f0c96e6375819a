#include <kelctrls/platform/xml2.h>

#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/sstream.h>
#include <wx/wfstream.h>
#include <wx/xml/xml.h>

#include <memory>
#include <vector>

// The shared tree behind the wrappers. A document's tree is "linked"; the
// tree of a node created on its own holds that node as the root of a private,
// unlinked document.
class wxXml2Tree
{
public:
    explicit wxXml2Tree(bool linked) : m_refs(0), m_linked(linked)
    {
        m_doc.SetVersion("1.0");
        m_doc.SetFileEncoding("UTF-8");
    }

    // Keeps a node that left the tree alive as long as the tree, so that
    // wrappers still referring to it stay valid.
    void Retire(wxXmlNode* node)
    {
        if (node)
            m_retired.emplace_back(node);
    }

    int m_refs;
    bool m_linked;
    wxXmlDocument m_doc;
    std::vector<std::unique_ptr<wxXmlNode>> m_retired;
};

// ---------------------------------------------------------------------------
// wxXml2Wrapper

wxXml2Wrapper::wxXml2Wrapper(wxXml2Tree* tree) : m_tree(tree)
{
    IncRefCount();
}

wxXml2Wrapper::wxXml2Wrapper(const wxXml2Wrapper& other) : m_tree(other.m_tree)
{
    IncRefCount();
}

wxXml2Wrapper::~wxXml2Wrapper()
{
    Release();
}

int wxXml2Wrapper::GetRefCount() const
{
    return m_tree ? m_tree->m_refs : 0;
}

void wxXml2Wrapper::IncRefCount()
{
    if (m_tree)
        ++m_tree->m_refs;
}

void wxXml2Wrapper::DecRefCount()
{
    if (m_tree && --m_tree->m_refs == 0)
    {
        delete m_tree;
        m_tree = nullptr;
    }
}

bool wxXml2Wrapper::IsUnlinked() const
{
    return m_tree && !m_tree->m_linked;
}

void wxXml2Wrapper::DestroyIfUnlinked()
{
    if (IsUnlinked())
        Release();
}

void wxXml2Wrapper::Share(wxXml2Tree* tree)
{
    if (tree == m_tree)
        return;
    Release();
    m_tree = tree;
    IncRefCount();
}

void wxXml2Wrapper::Release()
{
    DecRefCount();
    m_tree = nullptr;
}

// ---------------------------------------------------------------------------
// wxXml2BaseNode

wxXml2BaseNode::wxXml2BaseNode(const wxString& name)
    : wxXml2Wrapper(new wxXml2Tree(false)), m_node(new wxXmlNode(wxXML_ELEMENT_NODE, name))
{
    m_tree->m_doc.SetRoot(m_node);
}

wxXml2BaseNode::wxXml2BaseNode(wxXml2Tree* tree, wxXmlNode* node)
    : wxXml2Wrapper(node ? tree : nullptr), m_node(node)
{
}

wxXml2BaseNode::wxXml2BaseNode(const wxXml2BaseNode& other) : wxXml2Wrapper(other), m_node(other.m_node) {}

wxXml2BaseNode& wxXml2BaseNode::operator=(const wxXml2BaseNode& other)
{
    return Copy(other);
}

wxXml2BaseNode& wxXml2BaseNode::Copy(const wxXml2BaseNode& other)
{
    Share(other.m_tree);
    m_node = other.m_node;
    return *this;
}

wxXml2BaseNode wxXml2BaseNode::DeepCopy() const
{
    if (!m_node)
        return wxXml2BaseNode();
    wxXml2Tree* tree = new wxXml2Tree(false);
    wxXmlNode* node = new wxXmlNode(*m_node);
    tree->m_doc.SetRoot(node);
    return wxXml2BaseNode(tree, node);
}

bool wxXml2BaseNode::IsElement() const
{
    return m_node && m_node->GetType() == wxXML_ELEMENT_NODE;
}

wxString wxXml2BaseNode::GetName() const
{
    return m_node ? m_node->GetName() : wxString();
}

void wxXml2BaseNode::SetName(const wxString& name)
{
    if (m_node)
        m_node->SetName(name);
}

bool wxXml2BaseNode::HasAttribute(const wxString& name) const
{
    return m_node && m_node->HasAttribute(name);
}

wxString wxXml2BaseNode::GetAttribute(const wxString& name, const wxString& def) const
{
    return m_node ? m_node->GetAttribute(name, def) : def;
}

void wxXml2BaseNode::SetAttribute(const wxString& name, const wxString& value)
{
    if (!m_node)
        return;
    for (wxXmlAttribute* attr = m_node->GetAttributes(); attr; attr = attr->GetNext())
    {
        if (attr->GetName() == name)
        {
            attr->SetValue(value);
            return;
        }
    }
    m_node->AddAttribute(name, value);
}

bool wxXml2BaseNode::DeleteAttribute(const wxString& name)
{
    return m_node && m_node->DeleteAttribute(name);
}

wxString wxXml2BaseNode::GetContent() const
{
    if (!m_node)
        return wxString();
    if (m_node->GetType() != wxXML_ELEMENT_NODE)
        return m_node->GetContent();
    wxString text;
    for (wxXmlNode* child = m_node->GetChildren(); child; child = child->GetNext())
    {
        if (child->GetType() == wxXML_TEXT_NODE || child->GetType() == wxXML_CDATA_SECTION_NODE)
            text += child->GetContent();
    }
    return text;
}

void wxXml2BaseNode::SetContent(const wxString& text)
{
    if (!m_node)
        return;
    if (m_node->GetType() != wxXML_ELEMENT_NODE)
    {
        m_node->SetContent(text);
        return;
    }
    wxXmlNode* child = m_node->GetChildren();
    while (child)
    {
        wxXmlNode* next = child->GetNext();
        if (child->GetType() == wxXML_TEXT_NODE || child->GetType() == wxXML_CDATA_SECTION_NODE)
        {
            m_node->RemoveChild(child);
            delete child;
        }
        child = next;
    }
    if (!text.empty())
        m_node->AddChild(new wxXmlNode(wxXML_TEXT_NODE, wxString(), text));
}

wxXml2BaseNode wxXml2BaseNode::GetParent() const
{
    return wxXml2BaseNode(m_tree, m_node ? m_node->GetParent() : nullptr);
}

wxXml2BaseNode wxXml2BaseNode::GetChildren() const
{
    return wxXml2BaseNode(m_tree, m_node ? m_node->GetChildren() : nullptr);
}

wxXml2BaseNode wxXml2BaseNode::GetNext() const
{
    return wxXml2BaseNode(m_tree, m_node ? m_node->GetNext() : nullptr);
}

wxXml2BaseNode wxXml2BaseNode::Find(const wxString& name) const
{
    for (wxXmlNode* child = m_node ? m_node->GetChildren() : nullptr; child; child = child->GetNext())
    {
        if (child->GetType() == wxXML_ELEMENT_NODE && child->GetName() == name)
            return wxXml2BaseNode(m_tree, child);
    }
    return wxXml2BaseNode();
}

bool wxXml2BaseNode::AddChild(wxXml2BaseNode& child)
{
    if (!m_node || !child.m_node || m_node->GetType() != wxXML_ELEMENT_NODE)
        return false;
    wxXmlNode* node;
    const bool movable =
        child.IsUnlinked() && child.GetRefCount() == 1 && child.m_tree->m_doc.GetRoot() == child.m_node;
    if (movable)
        node = child.m_tree->m_doc.DetachRoot();
    else
        node = new wxXmlNode(*child.m_node);
    m_node->AddChild(node);
    child.Share(m_tree);
    child.m_node = node;
    return true;
}

wxXml2BaseNode wxXml2BaseNode::AddTextChild(const wxString& name, const wxString& text)
{
    wxXml2BaseNode child(name);
    child.SetContent(text);
    AddChild(child);
    return child;
}

bool wxXml2BaseNode::RemoveChild(wxXml2BaseNode& child)
{
    if (!m_node || !child.m_node || child.m_node->GetParent() != m_node)
        return false;
    if (!m_node->RemoveChild(child.m_node))
        return false;
    m_tree->Retire(child.m_node);
    child.Release();
    child.m_node = nullptr;
    return true;
}

wxString wxXml2BaseNode::ToString() const
{
    if (!m_node)
        return wxString();
    if (m_node->GetType() != wxXML_ELEMENT_NODE)
        return m_node->GetContent();
    wxXmlDocument doc;
    doc.SetRoot(new wxXmlNode(*m_node));
    wxStringOutputStream out;
    doc.Save(out, wxXML_NO_INDENTATION);
    wxString text = out.GetString();
    const int declEnd = text.Find("?>");
    if (text.StartsWith("<?xml") && declEnd != wxNOT_FOUND)
        text = text.Mid(declEnd + 2);
    return text.Trim(false).Trim(true);
}

// ---------------------------------------------------------------------------
// wxXml2Document

wxXml2Document::wxXml2Document(const wxString& rootName) : wxXml2Wrapper(new wxXml2Tree(true))
{
    m_tree->m_doc.SetRoot(new wxXmlNode(wxXML_ELEMENT_NODE, rootName));
}

wxXml2Document::wxXml2Document(const wxXml2Document& other) : wxXml2Wrapper(other) {}

wxXml2Document& wxXml2Document::operator=(const wxXml2Document& other)
{
    return Copy(other);
}

wxXml2Document& wxXml2Document::Copy(const wxXml2Document& other)
{
    Share(other.m_tree);
    return *this;
}

wxXml2Document wxXml2Document::DeepCopy() const
{
    wxXml2Document copy;
    if (!m_tree)
        return copy;
    copy.Create();
    if (const wxXmlNode* root = m_tree->m_doc.GetRoot())
        copy.m_tree->m_doc.SetRoot(new wxXmlNode(*root));
    return copy;
}

void wxXml2Document::Create()
{
    Share(new wxXml2Tree(true));
}

bool wxXml2Document::IsOk() const
{
    return m_tree != nullptr;
}

bool wxXml2Document::ParseInto(wxInputStream& in)
{
    wxLogNull quiet;
    wxXml2Tree* tree = new wxXml2Tree(true);
    if (!tree->m_doc.Load(in, "UTF-8") || !tree->m_doc.GetRoot())
    {
        delete tree;
        return false;
    }
    Share(tree);
    return true;
}

bool wxXml2Document::Load(const wxString& filename)
{
    wxLogNull quiet;
    wxFileInputStream in(filename);
    return in.IsOk() && ParseInto(in);
}

bool wxXml2Document::LoadFromString(const wxString& xml)
{
    const wxScopedCharBuffer utf8 = xml.utf8_str();
    wxMemoryInputStream in(utf8.data(), utf8.length());
    return ParseInto(in);
}

bool wxXml2Document::Save(const wxString& filename, int indentStep) const
{
    return m_tree && KelSaveXmlAtomically(m_tree->m_doc, filename, indentStep);
}

wxString wxXml2Document::ToString() const
{
    if (!m_tree || !m_tree->m_doc.GetRoot())
        return wxString();
    wxStringOutputStream out;
    m_tree->m_doc.Save(out, wxXML_NO_INDENTATION);
    return out.GetString();
}

wxXml2BaseNode wxXml2Document::GetRoot() const
{
    return wxXml2BaseNode(m_tree, m_tree ? m_tree->m_doc.GetRoot() : nullptr);
}

bool wxXml2Document::SetRoot(wxXml2BaseNode& root)
{
    if (!m_tree || !root.m_node || root.m_node->GetType() != wxXML_ELEMENT_NODE)
        return false;
    const bool movable =
        root.IsUnlinked() && root.GetRefCount() == 1 && root.m_tree->m_doc.GetRoot() == root.m_node;
    wxXmlNode* node = movable ? root.m_tree->m_doc.DetachRoot() : new wxXmlNode(*root.m_node);
    m_tree->Retire(m_tree->m_doc.DetachRoot());
    m_tree->m_doc.SetRoot(node);
    root.Share(m_tree);
    root.m_node = node;
    return true;
}
