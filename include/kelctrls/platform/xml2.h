/// \file
/// XML documents and nodes shared by reference count.
///
/// A wxXml2Document and every wxXml2BaseNode taken from it share one tree; the
/// tree lives as long as any wrapper refers to it. Copying a wrapper (copy
/// construction, assignment or Copy) shares the tree, DeepCopy makes an
/// independent one. A node created on its own is "unlinked": it heads a tree of
/// its own until it is added to another node.
#ifndef KELCTRLS_PLATFORM_XML2_H
#define KELCTRLS_PLATFORM_XML2_H

#include <kelctrls/base.h>
#include <wx/string.h>

class wxInputStream;
class wxXmlNode;
class wxXml2Tree;

/// The reference-counted share of a tree that documents and nodes hold.
class KELCTRLS_API wxXml2Wrapper
{
public:
    /// Gives back the wrapper's share; the last share frees the tree.
    virtual ~wxXml2Wrapper();

    /// Whether the wrapper refers to a tree at all.
    bool IsNonEmpty() const { return m_tree != nullptr; }
    /// Number of wrappers sharing the tree, 0 for an empty wrapper.
    int GetRefCount() const;
    /// Takes one more share of the tree (a no-op on an empty wrapper). Every
    /// share is given back by DecRefCount or by a wrapper's destruction.
    void IncRefCount();
    /// Gives back one share; the last share frees the tree (a no-op on an empty
    /// wrapper).
    void DecRefCount();
    /// True for a wrapper whose tree belongs to no document.
    bool IsUnlinked() const;
    /// Gives up the wrapper's share when the tree belongs to no document.
    void DestroyIfUnlinked();

protected:
    /// An empty wrapper.
    wxXml2Wrapper() : m_tree(nullptr) {}
    /// A wrapper taking a share of `tree` (null: empty).
    explicit wxXml2Wrapper(wxXml2Tree* tree);
    /// Shares the tree of `other`.
    wxXml2Wrapper(const wxXml2Wrapper& other);

    /// Refers to `tree` instead of the current one (giving its share back).
    void Share(wxXml2Tree* tree);
    /// Gives back the share and becomes empty.
    void Release();

    /// The shared tree; null for an empty wrapper.
    wxXml2Tree* m_tree;
};

/// A node of a shared tree (element, text or CDATA).
class KELCTRLS_API wxXml2BaseNode : public wxXml2Wrapper
{
public:
    /// An empty node (IsOk false).
    wxXml2BaseNode() : m_node(nullptr) {}
    /// A new unlinked element.
    explicit wxXml2BaseNode(const wxString& name);
    /// Refers to the node of `other`, sharing its tree.
    wxXml2BaseNode(const wxXml2BaseNode& other);
    /// Refers to the node of `other`, sharing its tree.
    wxXml2BaseNode& operator=(const wxXml2BaseNode& other);

    /// Refers to the node of other, sharing its tree.
    wxXml2BaseNode& Copy(const wxXml2BaseNode& other);
    /// An unlinked copy of this node and everything below it.
    wxXml2BaseNode DeepCopy() const;

    /// Whether the wrapper refers to a node.
    bool IsOk() const { return m_node != nullptr; }
    /// Whether the node is an element.
    bool IsElement() const;
    /// Whether both refer to the same node.
    bool operator==(const wxXml2BaseNode& other) const { return m_node == other.m_node; }
    /// Whether they refer to different nodes.
    bool operator!=(const wxXml2BaseNode& other) const { return m_node != other.m_node; }

    /// The element name; "" for an empty node.
    wxString GetName() const;
    /// Renames the element.
    void SetName(const wxString& name);

    /// Whether the element has the attribute.
    bool HasAttribute(const wxString& name) const;
    /// The attribute's value; `def` when it is missing.
    wxString GetAttribute(const wxString& name, const wxString& def = wxString()) const;
    /// Adds the attribute or replaces its value.
    void SetAttribute(const wxString& name, const wxString& value);
    /// Removes the attribute; false when it was missing.
    bool DeleteAttribute(const wxString& name);

    /// The text of the node's text and CDATA children.
    wxString GetContent() const;
    /// Replaces the node's text children by one text node.
    void SetContent(const wxString& text);

    /// The parent; an empty node for a root.
    wxXml2BaseNode GetParent() const;
    /// The first child; an empty node when there is none.
    wxXml2BaseNode GetChildren() const;
    /// The next sibling; an empty node at the end.
    wxXml2BaseNode GetNext() const;
    /// The first child element of that name (exact match), or an empty node.
    wxXml2BaseNode Find(const wxString& name) const;

    /// Appends child below this node. An unlinked child that no other wrapper
    /// shares is moved in; any other child is copied in. Either way `child`
    /// refers to the appended node afterwards.
    bool AddChild(wxXml2BaseNode& child);
    /// Appends an element holding a text.
    wxXml2BaseNode AddTextChild(const wxString& name, const wxString& text);
    /// Takes child (which must be a child of this node) out of the tree and
    /// empties the wrapper; other wrappers of the removed nodes stay valid.
    bool RemoveChild(wxXml2BaseNode& child);

    /// The node and its descendants as XML text, without declaration.
    wxString ToString() const;

    /// The toolkit node, owned by the tree; null for an empty node.
    wxXmlNode* GetXmlNode() const { return m_node; }

private:
    friend class wxXml2Document;
    wxXml2BaseNode(wxXml2Tree* tree, wxXmlNode* node);

    wxXmlNode* m_node;
};

/// An XML document whose tree its nodes share.
class KELCTRLS_API wxXml2Document : public wxXml2Wrapper
{
public:
    /// An empty wrapper (IsOk false); Create or Load gives it a document.
    wxXml2Document() {}
    /// A new document whose root element has that name.
    explicit wxXml2Document(const wxString& rootName);
    /// Shares the tree of `other`.
    wxXml2Document(const wxXml2Document& other);
    /// Shares the tree of `other`.
    wxXml2Document& operator=(const wxXml2Document& other);

    /// Shares the tree of `other`.
    wxXml2Document& Copy(const wxXml2Document& other);
    /// An independent copy of the document.
    wxXml2Document DeepCopy() const;

    /// Starts a new document without root.
    void Create();
    /// Whether the wrapper holds a document.
    bool IsOk() const;

    /// Reads the UTF-8 file `filename`; false, leaving the document as it was,
    /// when it is missing or not well-formed.
    bool Load(const wxString& filename);
    /// Parses `xml`; false, leaving the document as it was, when it is not
    /// well-formed.
    bool LoadFromString(const wxString& xml);
    /// Writes the document atomically, indented by `indentStep` spaces per level;
    /// false when it cannot be written.
    bool Save(const wxString& filename, int indentStep = 1) const;
    /// The document as XML text.
    wxString ToString() const;

    /// The root element; an empty node when there is none.
    wxXml2BaseNode GetRoot() const;
    /// Makes root (moved or copied as by AddChild) the document's root element;
    /// wrappers of the old root stay valid but no longer belong to the document.
    bool SetRoot(wxXml2BaseNode& root);

private:
    bool ParseInto(wxInputStream& in);
};

#endif
