// Rich chat text: the control in which chat messages are composed and shown,
// with pictures kept in the user's image cache and animated faces.
#ifndef KELCTRLS_RICHTEXT_H
#define KELCTRLS_RICHTEXT_H

#include <kelctrls/base.h>
#include <kelctrls/platform/richtextbase.h>

class FaceInfoHandle;

// Chat documents are XML (root "richtext") as the rich text family writes
// them, except that animated faces are written by key, or, once after
// ShowAnimation(true), with their data embedded:
//
//   <animation><animationKey>/smile</animationKey><animationType>1</animationType></animation>
//   <animation><data>4749463839...</data><animationType>1</animationType></animation>
class KELCTRLS_API KelRichText : public wxFlagRichTextCtrl, public wxFlagRichTextXMLHandler
{
    wxDECLARE_DYNAMIC_CLASS(KelRichText);

public:
    KelRichText();
    // Calls Create.
    KelRichText(wxWindow* parent, wxWindowID id = wxID_ANY, const wxString& value = wxEmptyString,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                long style = wxRE_MULTILINE, const wxValidator& validator = wxDefaultValidator,
                const wxString& name = wxASCII_STR(wxTextCtrlNameStr));
    ~KelRichText() override;

    // Creates the control, gives it the style sheet of CreateStyles() and
    // makes its image cache folder: "ImageCache" in the signed-in user's
    // folder, or in the offline user's folder when the next presence is
    // offline. Returns false when the window cannot be created.
    bool Create(wxWindow* parent, wxWindowID id = wxID_ANY, const wxString& value = wxEmptyString,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                long style = wxRE_MULTILINE, const wxValidator& validator = wxDefaultValidator,
                const wxString& name = wxASCII_STR(wxTextCtrlNameStr));

    // The whole content as a chat document.
    wxString ToXML();
    // Reads a chat document. With `insert`, its paragraphs go after the
    // current content (wherever the caret is); if it cannot be read, `xml`
    // is appended as plain text instead. `text`, when given, receives the
    // document as read, or `xml` itself when nothing could be read.
    bool FromXML(const wxString& xml, bool insert = true, wxString* text = nullptr);

    bool DoPutStream(wxRichTextBuffer* buffer, wxOutputStream& out);
    bool DoGetStream(wxRichTextBuffer* buffer, wxInputStream& in, wxOutputStream* out, bool insert);

    // Converts the picture at `path` to the image `type` (a wxBitmapType),
    // saves it under a fresh name in the image cache folder and inserts it
    // at the caret. A picture that cannot be saved leaves no file behind and
    // inserts nothing.
    bool TransImageToWrite(const wxString& path, int type);

    // The control's own file loading and saving; the handler's buffer forms
    // stay reachable. Saving replaces the file atomically: a save that fails
    // leaves the file as it was and the control's file name unchanged.
    bool LoadFile(const wxString& path, int type = wxRICHTEXT_TYPE_ANY);
    bool SaveFile(const wxString& path = wxEmptyString, int type = wxRICHTEXT_TYPE_ANY);
    using wxFlagRichTextCtrl::GetStyle;
    using wxFlagRichTextXMLHandler::LoadFile;
    using wxFlagRichTextXMLHandler::SaveFile;
    bool GetStyle(long position, wxFlagRichTextAttr& style);
    bool GetStyle(long position, wxFlagTextAttrEx& style);
    bool GetStyle(long position, wxTextAttr& style) override;
    void Clear() override;

    // Scroll events of the control are handed to `sink` as well (not owned).
    void RegistScrollEventSink(wxWindow* sink) { m_scrollSink = sink; }
    // Maps face keys to files and back (not owned).
    void RegisteFaceInfoHandler(FaceInfoHandle* handler) { m_faceHandler = handler; }
    // With true, the next face written by ToXML() carries its data.
    void ShowAnimation(bool show) { m_showAnimation = show; }
    // Whether text change events go on to the parent.
    void SetIsHandUrl(bool hand) { m_handUrl = hand; }
    bool IsHandUrl() const { return m_handUrl; }

    using wxFlagRichTextCtrl::GetName;
    using wxFlagRichTextCtrl::SetName;

    bool ExportXML(wxOutputStream& stream, wxRichTextObject& obj, int level) override;
    bool ImportObjects(wxRichTextBuffer* buffer, wxRichTextParagraph* paragraph, wxXmlNode* node) override;

    // The fixed styles of chat text, added to the control's style sheet.
    void CreateStyles();

protected:
    void OnChar(wxKeyEvent& event);
    void OnRightClick(wxRichTextEvent& event);
    void OnScrollEvent(wxScrollWinEvent& event);
    void OnUpdateText(wxCommandEvent& event);
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
