// The rich text family the chat text control is built on: a rich text
// control with an image cache folder and animated faces, its XML handler,
// buffer, attribute and style sheet types.
#ifndef KELCTRLS_PLATFORM_RICHTEXTBASE_H
#define KELCTRLS_PLATFORM_RICHTEXTBASE_H

#include <kelctrls/base.h>

#include <wx/animdecod.h>
#include <wx/richtext/richtextbuffer.h>
#include <wx/richtext/richtextctrl.h>
#include <wx/richtext/richtextstyles.h>
#include <wx/richtext/richtextxml.h>
#include <wx/timer.h>

#include <memory>
#include <string>

class wxFlagRichTextCtrl;
class wxFlagAnimationFrames;

// ----------------------------------------------------------------------------
// Attributes
// ----------------------------------------------------------------------------

class KELCTRLS_API wxFlagTextAttrEx : public wxTextAttr
{
public:
    using wxTextAttr::wxTextAttr;
    wxFlagTextAttrEx() = default;
    wxFlagTextAttrEx(const wxTextAttr& attr) : wxTextAttr(attr) {}
};

class KELCTRLS_API wxFlagRichTextAttr : public wxRichTextAttr
{
public:
    using wxRichTextAttr::wxRichTextAttr;
    wxFlagRichTextAttr() = default;
    wxFlagRichTextAttr(const wxRichTextAttr& attr) : wxRichTextAttr(attr) {}
};

// ----------------------------------------------------------------------------
// Buffer and style sheet
// ----------------------------------------------------------------------------

class KELCTRLS_API wxFlagRichTextBuffer : public wxRichTextBuffer
{
    wxDECLARE_DYNAMIC_CLASS(wxFlagRichTextBuffer);

public:
    wxFlagRichTextBuffer() = default;

    // Registers a file handler, which the family then owns. A handler of the
    // same name and type registered earlier is replaced, so controls that
    // register their handler on every construction do not grow the list.
    static void AddHandler(wxRichTextFileHandler* handler);
};

class KELCTRLS_API wxFlagRichTextStyleSheet : public wxRichTextStyleSheet
{
    wxDECLARE_DYNAMIC_CLASS(wxFlagRichTextStyleSheet);

public:
    wxFlagRichTextStyleSheet() = default;
};

// ----------------------------------------------------------------------------
// Image block: an image's encoded data plus the file it was made from
// ----------------------------------------------------------------------------

class KELCTRLS_API wxFlagRichTextImageBlock : public wxRichTextImageBlock
{
    wxDECLARE_DYNAMIC_CLASS(wxFlagRichTextImageBlock);

public:
    wxFlagRichTextImageBlock() = default;

    void SetFilePath(const wxString& path) { m_filePath = path; }
    const wxString& GetFilePath() const { return m_filePath; }

private:
    wxString m_filePath;
};

// ----------------------------------------------------------------------------
// Animated face: an inline object showing a GIF animation
// ----------------------------------------------------------------------------

class KELCTRLS_API wxFlagRichTextAnimation : public wxRichTextObject
{
    wxDECLARE_DYNAMIC_CLASS(wxFlagRichTextAnimation);

public:
    wxFlagRichTextAnimation(wxRichTextObject* parent = nullptr);
    // The file is read when the face is first measured or drawn; faces made
    // from the same file and type share their decoded frames.
    wxFlagRichTextAnimation(const wxString& file, int type = wxANIMATION_TYPE_ANY,
                            wxRichTextObject* parent = nullptr);
    wxFlagRichTextAnimation(const wxFlagRichTextAnimation& obj);

    void SetAnimationFile(const wxString& file, int type = wxANIMATION_TYPE_ANY);
    const wxString& GetAnimationFile() const { return m_file; }
    int GetAnimationType() const { return m_type; }

    // Takes the animation from `length` hexadecimal digits of `hex` (two per
    // byte, either case). False, leaving the object as it was, when the
    // digits are malformed or are no animation of the given type.
    bool ReadHex(const wxString& hex, int length, int type);
    // Writes the animation's bytes as upper-case hexadecimal digits. The
    // decoders cannot encode, so `type` must be the animation's own type or
    // wxANIMATION_TYPE_ANY; false when it is not or there are no bytes.
    bool WriteHex(wxOutputStream& stream, int type) const;

    // Decodes the animation if that has not happened yet.
    bool IsOk() const;
    wxSize GetAnimationSize() const;
    unsigned GetFrameCount() const;
    // The frame to show `millis` milliseconds into the animation's loop.
    unsigned GetFrameAt(wxLongLong millis) const;
    wxBitmap GetFrameBitmap(unsigned frame) const;
    // The frame shown by the last Draw, or -1 before the first.
    int GetDrawnFrame() const { return m_drawnFrame; }

    void Copy(const wxFlagRichTextAnimation& obj);
    wxRichTextObject* Clone() const override { return new wxFlagRichTextAnimation(*this); }

    bool Draw(wxDC& dc, wxRichTextDrawingContext& context, const wxRichTextRange& range,
              const wxRichTextSelection& selection, const wxRect& rect, int descent, int style) override;
    bool Layout(wxDC& dc, wxRichTextDrawingContext& context, const wxRect& rect, const wxRect& parentRect,
                int style) override;
    bool GetRangeSize(const wxRichTextRange& range, wxSize& size, int& descent, wxDC& dc,
                      wxRichTextDrawingContext& context, int flags, const wxPoint& position = wxPoint(0, 0),
                      const wxSize& parentSize = wxDefaultSize,
                      wxArrayInt* partialExtents = nullptr) const override;
    wxTextAttrSize GetNaturalSize() const override;
    bool IsEmpty() const override { return false; }
    bool UsesParagraphAttributes() const override { return false; }
    wxString GetXMLNodeName() const override { return wxS("animation"); }

    // The family's own form: <animation file="..." type="n"> with a <data>
    // child holding the bytes of a face that has no file.
    bool ImportFromXML(wxRichTextBuffer* buffer, wxXmlNode* node, wxRichTextXMLHandler* handler,
                       bool* recurse) override;
    bool ExportXML(wxOutputStream& stream, int indent, wxRichTextXMLHandler* handler) override;
    bool ExportXML(wxXmlNode* parent, wxRichTextXMLHandler* handler) override;
    // Writes the family's own form, whatever handler is in use.
    bool WriteXML(wxOutputStream& stream, int indent) const;

    // The size shown when the animation cannot be decoded.
    static wxSize GetPlaceholderSize() { return wxSize(16, 16); }

private:
    void Init();
    const wxFlagAnimationFrames* Frames() const;
    wxSize DisplaySize() const;

    wxString m_file;
    int m_type;
    mutable std::shared_ptr<wxFlagAnimationFrames> m_frames;
    int m_drawnFrame;
};

// ----------------------------------------------------------------------------
// String stream: collects UTF-8 bytes and decodes them once, when the text is
// asked for (the toolkit's string stream decodes every write)
// ----------------------------------------------------------------------------

class KELCTRLS_API wxFlagStringOutputStream : public wxOutputStream
{
public:
    const std::string& GetBytes() const { return m_bytes; }
    // The text of the bytes written so far; empty when they are no UTF-8.
    wxString GetString() const;

protected:
    size_t OnSysWrite(const void* buffer, size_t size) override;
    wxFileOffset OnSysTell() const override { return wxFileOffset(m_bytes.size()); }

private:
    std::string m_bytes;
};

// ----------------------------------------------------------------------------
// XML handler
// ----------------------------------------------------------------------------

class KELCTRLS_API wxFlagRichTextXMLHandler : public wxRichTextXMLHandler
{
    wxDECLARE_DYNAMIC_CLASS(wxFlagRichTextXMLHandler);

public:
    wxFlagRichTextXMLHandler(const wxString& name = wxS("XML"), const wxString& ext = wxS("xml"),
                             int type = wxRICHTEXT_TYPE_XML);

    // Registers what documents of the family need: the element name of the
    // animated face and the image formats of pictures.
    void LoadHandles();

    // Writes one object at the given indentation level. Animated faces are
    // written in the family's own form, everything else as the toolkit's
    // rich text objects write themselves.
    virtual bool ExportXML(wxOutputStream& stream, wxRichTextObject& obj, int level);

    // Reads one element child of the document root ("paragraphlayout" or
    // "paragraph") and appends its paragraphs. With `asBuffer`, the
    // attributes of a "paragraphlayout" element become the buffer's own.
    virtual bool ImportXML(wxRichTextBuffer* buffer, wxXmlNode* node, bool asBuffer);
    // Reads one element child of a paragraph and appends what it describes.
    virtual bool ImportObjects(wxRichTextBuffer* buffer, wxRichTextParagraph* paragraph, wxXmlNode* node);

    // Reads a document into `buffer`. `out`, when given, receives the parsed
    // document again, indented. With `insert`, a successfully read document
    // is then inserted after the end of the control recorded in the buffer.
    bool DoLoadFile(wxRichTextBuffer* buffer, wxInputStream& in, wxOutputStream* out, bool insert);
    bool DoSaveFile(wxRichTextBuffer* buffer, wxOutputStream& stream) override;
    static void OutputString(wxOutputStream& stream, const wxString& text);
    // Writes `utf8` as it is.
    static void OutputString(wxOutputStream& stream, const char* utf8);
    // Escapes the XML special characters of `text`.
    static void OutputStringEnt(wxOutputStream& stream, const wxString& text);
    static void OutputIndentation(wxOutputStream& stream, int indent);

    // Documents nested deeper than this are refused before they are parsed.
    static constexpr int MaxDepth = 200;
    // The pictures of one document together decode to at most this many
    // pixels (a large screenshot); those that would go beyond are left out.
    static constexpr wxUint64 MaxPicturePixels = 4 * 1024 * 1024;

protected:
    // Loading through the toolkit's file interface (wxRichTextCtrl::LoadFile)
    // replaces the buffer's content only when the whole document was read.
    bool DoLoadFile(wxRichTextBuffer* buffer, wxInputStream& stream) override;

private:
    bool WriteDocument(wxRichTextBuffer* buffer, wxOutputStream& stream);
    void ExportComposite(wxOutputStream& stream, wxRichTextCompositeObject& composite, int level,
                         bool partialParagraph);
    void ImportParagraph(wxRichTextBuffer* buffer, wxXmlNode* node);

    wxUint64 m_picturePixelsLeft = MaxPicturePixels;
};

// ----------------------------------------------------------------------------
// Control
// ----------------------------------------------------------------------------

class KELCTRLS_API wxFlagRichTextCtrl : public wxRichTextCtrl
{
    wxDECLARE_DYNAMIC_CLASS(wxFlagRichTextCtrl);

public:
    wxFlagRichTextCtrl();
    wxFlagRichTextCtrl(wxWindow* parent, wxWindowID id = wxID_ANY, const wxString& value = wxEmptyString,
                       const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                       long style = wxRE_MULTILINE, const wxValidator& validator = wxDefaultValidator,
                       const wxString& name = wxASCII_STR(wxTextCtrlNameStr));
    ~wxFlagRichTextCtrl() override;

    // Image cache folders: pictures written into the control are kept in
    // the main one (the first added); later ones are searched as well.
    void AddFileImageBuff(const wxString& folder);
    wxString GetFileImageMainBuff() const;
    const wxArrayString& GetFileImageBuffs() const { return m_imageFolders; }
    // The full path of `name` in the first cache folder that has it, or
    // empty.
    wxString FindFileInImageBuff(const wxString& name) const;

    // Inserts an animated face at the caret, with undo.
    bool WriteAnimation(const wxString& file, int type = wxANIMATION_TYPE_ANY);
    bool WriteAnimation(const wxFlagRichTextAnimation& animation);
    // Inserts a picture at the caret, with undo; the block's file path is
    // kept as the picture's "file" property.
    bool WriteImageBlock(const wxFlagRichTextImageBlock& block);

    // When set (non-zero), content inserted at the end of the control
    // scrolls the view to the end, as a chat history expects, unless the
    // reader had scrolled away from the end: then the view stays.
    void SetFollowEnd(int follow) { m_followEnd = follow; }
    int GetFollowEnd() const { return m_followEnd; }
    // Whether the last line of the content is in view.
    bool IsViewAtEnd() const;

    using wxRichTextCtrl::GetStyle;
    bool GetStyle(long position, wxFlagRichTextAttr& style);
    bool GetStyle(long position, wxFlagTextAttrEx& style);

    // Called by faces as they are drawn: keeps the frame timer running
    // while any face in view has more than one frame.
    void KeepAnimating();
    // Repaints the faces in view whose frame changed since they were drawn;
    // returns how many animated faces are in view.
    int RefreshAnimations();
    bool IsAnimating() const { return m_animationTimer.IsRunning(); }

    static constexpr int AnimationTick = 40;

    // Repaints `rect` (everything when null). An empty or inverted area is
    // nothing to repaint and is dropped: the toolkit's own update after an
    // insertion below the view asks for one of negative height, which the
    // drawing layer below would report as a bug.
    void Refresh(bool eraseBackground = true, const wxRect* rect = nullptr) override;

protected:
    void OnAnimationTimer(wxTimerEvent& event);
    void OnContentInserted(wxRichTextEvent& event);
    void OnIdle(wxIdleEvent& event);

private:
    void Init();
    void ScrollToEndIfPending();

    wxArrayString m_imageFolders;
    wxTimer m_animationTimer;
    int m_followEnd;
    // Whether the view was at the end when the control was last idle, that
    // is before the content inserted since.
    bool m_wasAtEnd;
    // Content was added at the end while following it, and the view has not
    // reached the end since.
    bool m_endPending;

    wxDECLARE_EVENT_TABLE();
};

#endif // KELCTRLS_PLATFORM_RICHTEXTBASE_H
