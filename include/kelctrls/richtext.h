/// \file
/// Rich chat text: the control in which chat messages are composed and shown,
/// with pictures kept in the user's image cache and animated faces.
#ifndef KELCTRLS_RICHTEXT_H
#define KELCTRLS_RICHTEXT_H

#include <kelctrls/base.h>
#include <kelctrls/platform/richtextbase.h>

class FaceInfoHandle;

/// Chat documents are XML (root "richtext") as the rich text family writes
/// them, except that animated faces are written by key, or, once after
/// ShowAnimation(true), with their data embedded:
///
/// \code{.xml}
///   <animation><animationKey>/smile</animationKey><animationType>1</animationType></animation>
///   <animation><data>4749463839...</data><animationType>1</animationType></animation>
/// \endcode
///
/// Messages are composed and shown in the same control (use wxRE_READONLY
/// for a history). Faces are mapped to files by the FaceInfoHandle given to
/// RegisteFaceInfoHandler.
class KELCTRLS_API KelRichText : public wxFlagRichTextCtrl, public wxFlagRichTextXMLHandler
{
    wxDECLARE_DYNAMIC_CLASS(KelRichText);

public:
    /// For two-step creation; Create must follow.
    KelRichText();
    /// Calls Create.
    KelRichText(wxWindow* parent, wxWindowID id = wxID_ANY, const wxString& value = wxEmptyString,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                long style = wxRE_MULTILINE, const wxValidator& validator = wxDefaultValidator,
                const wxString& name = wxASCII_STR(wxTextCtrlNameStr));
    /// Frees the style sheet.
    ~KelRichText() override;

    /// Creates the control, gives it the style sheet of CreateStyles() and
    /// makes its image cache folder: "ImageCache" in the signed-in user's
    /// folder, or in the offline user's folder when the next presence is
    /// offline. Returns false when the window cannot be created.
    bool Create(wxWindow* parent, wxWindowID id = wxID_ANY, const wxString& value = wxEmptyString,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                long style = wxRE_MULTILINE, const wxValidator& validator = wxDefaultValidator,
                const wxString& name = wxASCII_STR(wxTextCtrlNameStr));

    /// The whole content as a chat document; "" when it cannot be written.
    wxString ToXML();
    /// Reads a chat document. With `insert`, its paragraphs go after the
    /// current content (wherever the caret is); if it cannot be read, `xml`
    /// is appended as plain text instead. `text`, when given, receives the
    /// document as read, or `xml` itself when nothing could be read.
    bool FromXML(const wxString& xml, bool insert = true, wxString* text = nullptr);

    /// Writes `buffer` as a chat document to `out`; false when it cannot be written.
    bool DoPutStream(wxRichTextBuffer* buffer, wxOutputStream& out);
    /// Reads a chat document from `in` into `buffer` (after its content with
    /// `insert`); `out`, when given, receives the document as read. False when it
    /// cannot be read.
    bool DoGetStream(wxRichTextBuffer* buffer, wxInputStream& in, wxOutputStream* out, bool insert);

    /// Converts the picture at `path` to the image `type` (a wxBitmapType),
    /// saves it under a fresh name in the image cache folder and inserts it
    /// at the caret. A picture that cannot be saved leaves no file behind and
    /// inserts nothing.
    bool TransImageToWrite(const wxString& path, int type);

    /// The control's own file loading and saving; the handler's buffer forms
    /// stay reachable. Saving replaces the file atomically: a save that fails
    /// leaves the file as it was and the control's file name unchanged.
    bool LoadFile(const wxString& path, int type = wxRICHTEXT_TYPE_ANY);
    /// Saves the content to `path` (the control's file name when empty) as
    /// `type`; false, without a message, when it cannot be written.
    bool SaveFile(const wxString& path = wxEmptyString, int type = wxRICHTEXT_TYPE_ANY);
    /// The style at `position` (0 to the last position); false outside the text.
    using wxFlagRichTextCtrl::GetStyle;
    using wxFlagRichTextXMLHandler::LoadFile;
    using wxFlagRichTextXMLHandler::SaveFile;
    /// The style at `position`, in the rich text family's form.
    bool GetStyle(long position, wxFlagRichTextAttr& style);
    /// The style at `position`, in the extended form.
    bool GetStyle(long position, wxFlagTextAttrEx& style);
    /// The style at `position`, in the toolkit's form.
    bool GetStyle(long position, wxTextAttr& style) override;
    /// Empties the control.
    void Clear() override;

    /// Scroll events of the control are handed to `sink` as well (not owned).
    void RegistScrollEventSink(wxWindow* sink) { m_scrollSink = sink; }
    /// Maps face keys to files and back (not owned).
    void RegisteFaceInfoHandler(FaceInfoHandle* handler) { m_faceHandler = handler; }
    /// With true, the next face written by ToXML() carries its data.
    void ShowAnimation(bool show) { m_showAnimation = show; }
    /// Whether text change events (wxEVT_TEXT) go on to the parent; on by default.
    void SetIsHandUrl(bool hand) { m_handUrl = hand; }
    /// Whether text change events go on to the parent.
    bool IsHandUrl() const { return m_handUrl; }

    /// The window name (not the handler's).
    using wxFlagRichTextCtrl::GetName;
    /// Sets the window name.
    using wxFlagRichTextCtrl::SetName;

    /// Writes one object of the content; animated faces as the chat document
    /// form above, everything else as the rich text family does.
    bool ExportXML(wxOutputStream& stream, wxRichTextObject& obj, int level) override;
    /// Reads one element of a chat document; "animation" elements become
    /// animated faces.
    bool ImportObjects(wxRichTextBuffer* buffer, wxRichTextParagraph* paragraph, wxXmlNode* node) override;

    /// The fixed styles of chat text, added to the control's style sheet.
    void CreateStyles();

protected:
    /// Passes keys on to the editor.
    void OnChar(wxKeyEvent& event);
    /// Swallows right clicks: the chat window offers its own menu.
    void OnRightClick(wxRichTextEvent& event);
    /// Hands scroll events to the sink as well.
    void OnScrollEvent(wxScrollWinEvent& event);
    /// Lets text change events through only with SetIsHandUrl(true).
    void OnUpdateText(wxCommandEvent& event);
    /// Passes mouse events on to the editor.
    void OnMouseEvent(wxMouseEvent& event);

private:
    void Init();
    static void RegisterFamilyHandlers();
    bool ImportAnimation(wxRichTextParagraph* paragraph, wxXmlNode* node);
    void WriteAnimationElement(wxOutputStream& stream, wxFlagRichTextAnimation& animation, int level);

    wxFlagRichTextStyleSheet* m_styleSheet;
    wxWindow* m_scrollSink;
    FaceInfoHandle* m_faceHandler;
    bool m_handUrl;
    bool m_showAnimation;

    wxDECLARE_EVENT_TABLE();
};

#endif // KELCTRLS_RICHTEXT_H
