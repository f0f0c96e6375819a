/// \file
/// The rich text family the chat text control is built on: a rich text
/// control with an image cache folder and animated faces, its XML handler,
/// buffer, attribute and style sheet types.
#ifndef KELCTRLS_PLATFORM_RICHTEXTBASE_H
#define KELCTRLS_PLATFORM_RICHTEXTBASE_H

#include <kelctrls/base.h>

#include <wx/animdecod.h>
#include <wx/bmpbndl.h>
#include <wx/richtext/richtextbuffer.h>
#include <wx/richtext/richtextctrl.h>
#include <wx/richtext/richtextstyles.h>
#include <wx/richtext/richtextxml.h>

#include <memory>
#include <string>

class wxFlagRichTextCtrl;
class wxFlagAnimationFrames;

// ----------------------------------------------------------------------------
// Attributes
// ----------------------------------------------------------------------------

/// Text attributes of the family (the toolkit's, under the family's name).
class KELCTRLS_API wxFlagTextAttrEx : public wxTextAttr
{
public:
    /// The toolkit's constructors.
    using wxTextAttr::wxTextAttr;
    /// Default attributes.
    wxFlagTextAttrEx() = default;
    /// A copy of `attr`.
    wxFlagTextAttrEx(const wxTextAttr& attr) : wxTextAttr(attr) {}
};

/// Rich text attributes of the family (the toolkit's, under the family's name).
class KELCTRLS_API wxFlagRichTextAttr : public wxRichTextAttr
{
public:
    /// The toolkit's constructors.
    using wxRichTextAttr::wxRichTextAttr;
    /// Default attributes.
    wxFlagRichTextAttr() = default;
    /// A copy of `attr`.
    wxFlagRichTextAttr(const wxRichTextAttr& attr) : wxRichTextAttr(attr) {}
};

// ----------------------------------------------------------------------------
// Buffer and style sheet
// ----------------------------------------------------------------------------

/// The family's buffer.
class KELCTRLS_API wxFlagRichTextBuffer : public wxRichTextBuffer
{
    wxDECLARE_DYNAMIC_CLASS(wxFlagRichTextBuffer);

public:
    /// An empty buffer.
    wxFlagRichTextBuffer() = default;

    /// Registers a file handler, which the family then owns. A handler of the
    /// same name and type registered earlier is replaced, so controls that
    /// register their handler on every construction do not grow the list.
    static void AddHandler(wxRichTextFileHandler* handler);
};

/// The family's style sheet.
class KELCTRLS_API wxFlagRichTextStyleSheet : public wxRichTextStyleSheet
{
    wxDECLARE_DYNAMIC_CLASS(wxFlagRichTextStyleSheet);

public:
    /// An empty style sheet.
    wxFlagRichTextStyleSheet() = default;
};

// ----------------------------------------------------------------------------
// Image block
// ----------------------------------------------------------------------------

/// An image's encoded data plus the file it was made from.
class KELCTRLS_API wxFlagRichTextImageBlock : public wxRichTextImageBlock
{
    wxDECLARE_DYNAMIC_CLASS(wxFlagRichTextImageBlock);

public:
    /// An empty block.
    wxFlagRichTextImageBlock() = default;

    /// Sets the file the image was made from.
    void SetFilePath(const wxString& path) { m_filePath = path; }
    /// The file the image was made from; "" when none.
    const wxString& GetFilePath() const { return m_filePath; }

private:
    wxString m_filePath;
};

// ----------------------------------------------------------------------------
// Animated face
// ----------------------------------------------------------------------------

/// An animated face: an inline object showing a GIF animation, one frame at a
/// time, timed by the control (wxFlagRichTextCtrl::KeepAnimating). A face that
/// cannot be decoded shows as a placeholder of GetPlaceholderSize().
class KELCTRLS_API wxFlagRichTextAnimation : public wxRichTextObject
{
    wxDECLARE_DYNAMIC_CLASS(wxFlagRichTextAnimation);

public:
    /// An empty face in `parent`.
    wxFlagRichTextAnimation(wxRichTextObject* parent = nullptr);
    /// The file is read when the face is first measured or drawn; faces made
    /// from the same file and type share their decoded frames.
    wxFlagRichTextAnimation(const wxString& file, int type = wxANIMATION_TYPE_ANY,
                            wxRichTextObject* parent = nullptr);
    /// Copies the face (sharing the decoded frames).
    wxFlagRichTextAnimation(const wxFlagRichTextAnimation& obj);

    /// Shows the animation of `file` (of wxAnimationType `type`), read when next
    /// measured or drawn.
    void SetAnimationFile(const wxString& file, int type = wxANIMATION_TYPE_ANY);
    /// The animation's file; "" for a face read from data.
    const wxString& GetAnimationFile() const { return m_file; }
    /// The wxAnimationType given.
    int GetAnimationType() const { return m_type; }

    /// Takes the animation from `length` hexadecimal digits of `hex` (two per
    /// byte, either case). False, leaving the object as it was, when the
    /// digits are malformed or are no animation of the given type.
    bool ReadHex(const wxString& hex, int length, int type);
    /// Writes the animation's bytes as upper-case hexadecimal digits. The
    /// decoders cannot encode, so `type` must be the animation's own type or
    /// wxANIMATION_TYPE_ANY; false when it is not or there are no bytes.
    bool WriteHex(wxOutputStream& stream, int type) const;

    /// Whether the animation decodes; decodes it if that has not happened yet.
    bool IsOk() const;
    /// The animation's size in pixels; the placeholder size when it does not decode.
    wxSize GetAnimationSize() const;
    /// The number of frames; 0 when it does not decode.
    unsigned GetFrameCount() const;
    /// The frame to show `millis` milliseconds into the animation's loop.
    unsigned GetFrameAt(wxLongLong millis) const;
    /// The first moment after `millis` at which another frame is due; -1
    /// when the animation has fewer than two frames.
    wxLongLong GetNextFrameChange(wxLongLong millis) const;
    /// Frame `frame` (0 to GetFrameCount() - 1) as a bitmap; null out of range.
    wxBitmap GetFrameBitmap(unsigned frame) const;
    /// Frame `frame` at every display scale: at 2 and above the frame of the
    /// "name@2x" file beside the animation's file when it has one (the same
    /// animation at twice the size), as Draw shows it; otherwise the frame
    /// enlarged pixel for pixel. Empty out of range.
    wxBitmapBundle GetFrameBundle(unsigned frame) const;
    /// The frame shown by the last Draw, or -1 before the first.
    int GetDrawnFrame() const { return m_drawnFrame; }

    /// Takes the face of `obj` (sharing the decoded frames).
    void Copy(const wxFlagRichTextAnimation& obj);
    ///@{

    /// The wxRichTextObject interface: the face draws its current frame, takes the
    /// animation's size, and is never empty.
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
    ///@}

    /// Reads the family's own form: an element `animation` with the
    /// attributes `file` and `type`, and a child `data` holding the bytes (in
    /// hexadecimal) of a face that has no file.
    bool ImportFromXML(wxRichTextBuffer* buffer, wxXmlNode* node, wxRichTextXMLHandler* handler,
                       bool* recurse) override;
    /// Writes the face in the family's form to `stream`.
    bool ExportXML(wxOutputStream& stream, int indent, wxRichTextXMLHandler* handler) override;
    /// Appends the face in the family's form to `parent`.
    bool ExportXML(wxXmlNode* parent, wxRichTextXMLHandler* handler) override;
    /// Writes the family's own form, whatever handler is in use.
    bool WriteXML(wxOutputStream& stream, int indent) const;

    /// The size shown when the animation cannot be decoded.
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

/// A stream that collects UTF-8 bytes and decodes them once, when the text
/// is asked for (the toolkit's string stream decodes every write).
class KELCTRLS_API wxFlagStringOutputStream : public wxOutputStream
{
public:
    /// The bytes written so far.
    const std::string& GetBytes() const { return m_bytes; }
    /// The text of the bytes written so far; empty when they are no UTF-8.
    wxString GetString() const;

protected:
    /// Appends the bytes.
    size_t OnSysWrite(const void* buffer, size_t size) override;
    /// The number of bytes written.
    wxFileOffset OnSysTell() const override { return wxFileOffset(m_bytes.size()); }

private:
    std::string m_bytes;
};

// ----------------------------------------------------------------------------
// XML handler
// ----------------------------------------------------------------------------

/// The family's XML file handler: reads and writes documents with pictures
/// and animated faces. Reading refuses documents nested deeper than MaxDepth
/// and leaves out pictures beyond MaxPicturePixels; a document that cannot be
/// read changes nothing.
class KELCTRLS_API wxFlagRichTextXMLHandler : public wxRichTextXMLHandler
{
    wxDECLARE_DYNAMIC_CLASS(wxFlagRichTextXMLHandler);

public:
    /// A handler named `name` for files with extension `ext` of wxRichTextFileType `type`.
    wxFlagRichTextXMLHandler(const wxString& name = wxS("XML"), const wxString& ext = wxS("xml"),
                             int type = wxRICHTEXT_TYPE_XML);

    /// Registers what documents of the family need: the element name of the
    /// animated face and the image formats of pictures.
    void LoadHandles();

    /// Writes one object at the given indentation level. Animated faces are
    /// written in the family's own form, everything else as the toolkit's
    /// rich text objects write themselves.
    virtual bool ExportXML(wxOutputStream& stream, wxRichTextObject& obj, int level);

    /// Reads one element child of the document root ("paragraphlayout" or
    /// "paragraph") and appends its paragraphs. With `asBuffer`, the
    /// attributes of a "paragraphlayout" element become the buffer's own.
    virtual bool ImportXML(wxRichTextBuffer* buffer, wxXmlNode* node, bool asBuffer);
    /// Reads one element child of a paragraph and appends what it describes.
    virtual bool ImportObjects(wxRichTextBuffer* buffer, wxRichTextParagraph* paragraph, wxXmlNode* node);

    /// Reads a document into `buffer`. `out`, when given, receives the parsed
    /// document again, indented. With `insert`, a successfully read document
    /// is then inserted after the end of the control recorded in the buffer.
    bool DoLoadFile(wxRichTextBuffer* buffer, wxInputStream& in, wxOutputStream* out, bool insert);
    /// Writes the whole buffer as a document to `stream`; false when it cannot be written.
    bool DoSaveFile(wxRichTextBuffer* buffer, wxOutputStream& stream) override;
    /// Writes `text` as UTF-8.
    static void OutputString(wxOutputStream& stream, const wxString& text);
    /// Writes `utf8` as it is.
    static void OutputString(wxOutputStream& stream, const char* utf8);
    /// Escapes the XML special characters of `text`.
    static void OutputStringEnt(wxOutputStream& stream, const wxString& text);
    /// Writes a line break and `indent` levels of indentation.
    static void OutputIndentation(wxOutputStream& stream, int indent);

    /// Documents nested deeper than this are refused before they are parsed.
    static constexpr int MaxDepth = 200;
    /// The pictures of one document together decode to at most this many
    /// pixels (a large screenshot); those that would go beyond are left out.
    static constexpr wxUint64 MaxPicturePixels = 4 * 1024 * 1024;

protected:
    /// Loading through the toolkit's file interface (wxRichTextCtrl::LoadFile)
    /// replaces the buffer's content only when the whole document was read.
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

/// The family's rich text control: image cache folders, animated faces and a
/// history that follows its end.
class KELCTRLS_API wxFlagRichTextCtrl : public wxRichTextCtrl
{
    wxDECLARE_DYNAMIC_CLASS(wxFlagRichTextCtrl);

public:
    /// For two-step creation; Create must follow.
    wxFlagRichTextCtrl();
    /// Creates the control as wxRichTextCtrl does.
    wxFlagRichTextCtrl(wxWindow* parent, wxWindowID id = wxID_ANY, const wxString& value = wxEmptyString,
                       const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                       long style = wxRE_MULTILINE, const wxValidator& validator = wxDefaultValidator,
                       const wxString& name = wxASCII_STR(wxTextCtrlNameStr));
    /// Stops the frame timer.
    ~wxFlagRichTextCtrl() override;

    /// Image cache folders: pictures written into the control are kept in
    /// the main one (the first added); later ones are searched as well.
    void AddFileImageBuff(const wxString& folder);
    /// The main image cache folder; "" before the first AddFileImageBuff.
    wxString GetFileImageMainBuff() const;
    /// Every image cache folder, the main one first.
    const wxArrayString& GetFileImageBuffs() const { return m_imageFolders; }
    /// The full path of `name` in the first cache folder that has it, or
    /// empty.
    wxString FindFileInImageBuff(const wxString& name) const;

    /// Inserts an animated face at the caret, with undo.
    bool WriteAnimation(const wxString& file, int type = wxANIMATION_TYPE_ANY);
    /// Inserts a copy of `animation` at the caret, with undo.
    bool WriteAnimation(const wxFlagRichTextAnimation& animation);
    /// Inserts a picture at the caret, with undo; the block's file path is
    /// kept as the picture's "file" property.
    bool WriteImageBlock(const wxFlagRichTextImageBlock& block);

    /// When set (non-zero), content inserted at the end of the control
    /// scrolls the view to the end, as a chat history expects, unless the
    /// reader had scrolled away from the end: then the view stays.
    void SetFollowEnd(int follow) { m_followEnd = follow; }
    /// Whether the view follows the end (non-zero).
    int GetFollowEnd() const { return m_followEnd; }
    /// Whether the last line of the content is in view.
    bool IsViewAtEnd() const;

    /// The style at `position`; false outside the text.
    using wxRichTextCtrl::GetStyle;
    /// The style at `position`, in the family's rich text form.
    bool GetStyle(long position, wxFlagRichTextAttr& style);
    /// The style at `position`, in the family's text form.
    bool GetStyle(long position, wxFlagTextAttrEx& style);

    /// Called by faces as they are drawn: wakes the control at `due` (on the
    /// animation clock) to show the next frame. Every control shares one
    /// clock, which sleeps until the next frame of any face in view is due.
    void KeepAnimating(wxLongLong due);
    /// Whether the control waits for a frame of a face in view.
    bool IsAnimating() const;

    /// Repaints `rect` (everything when null). An empty or inverted area is
    /// nothing to repaint and is dropped: the toolkit's own update after an
    /// insertion below the view asks for one of negative height, which the
    /// drawing layer below would report as a bug.
    void Refresh(bool eraseBackground = true, const wxRect* rect = nullptr) override;

    /// Lays out `buffer` as the toolkit does, measuring through a context
    /// that shares `dc`'s drawing surface and asks the character metrics of
    /// each font once per layout.
    void DoLayoutBuffer(wxRichTextBuffer& buffer, wxDC& dc, wxRichTextDrawingContext& context,
                        const wxRect& rect, const wxRect& parentRect, int flags) override;

protected:
    ///@{

    /// Bound in the event table: paints (only the faces when nothing else
    /// needs it), insertions and idle time keep a following view at the end.
    void OnPaint(wxPaintEvent& event);
    void OnContentInserted(wxRichTextEvent& event);
    void OnIdle(wxIdleEvent& event);
    ///@}

private:
    friend class wxFlagAnimationClock;

    void Init();
    void ScrollToEndIfPending();
    bool CanBeSeen() const;
    // Where `object` is in the window.
    wxRect PhysicalRect(const wxRichTextObject& object) const;
    // Repaints the faces in view whose frame changed since they were drawn
    // and tells when the next frame of a face in view is due (-1: none).
    wxLongLong AdvanceAnimations(wxLongLong now);
    // Whether the pending paint is only of faces refreshed for their next
    // frame, which can then be drawn without the text around them.
    bool CanPaintFacesOnly();
    wxRegion ExactUpdateRegion() const;
    void PaintFaces();

    wxArrayString m_imageFolders;
    // The faces refreshed for their next frame since the last paint, in
    // window coordinates.
    wxRegion m_refreshedFaces;
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
