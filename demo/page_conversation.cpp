// The conversation area of a chat: the received history shown in a chat
// text control, and an input box with a face chooser and a Send button.
#include "chatdocument.h"
#include "chatwindow.h"
#include "demoregistry.h"
#include "livesession.h"

#include <kelctrls/messaging/handlers.h>
#include <kelctrls/richtext.h>
#include <kelctrls/skin.h>

#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/datetime.h>
#include <wx/graphics.h>
#include <wx/mstream.h>
#include <wx/panel.h>
#include <wx/popupwin.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

#include "demotext.h"

#include <memory>
#include <vector>

namespace
{

struct DemoFace
{
    const char* key;
    const char* file;
    const char* tip;
};

const std::vector<DemoFace>& Faces()
{
    static const std::vector<DemoFace> faces = {
        {"/smile", "smile", wxTRANSLATE("Smile")}, {"/laugh", "laugh", wxTRANSLATE("Laugh")},
        {"/wink", "wink", wxTRANSLATE("Wink")},    {"/blush", "blush", wxTRANSLATE("Blush")},
        {"/cool", "cool", wxTRANSLATE("Cool")},    {"/kiss", "kiss", wxTRANSLATE("Kiss")},
        {"/heart", "heart", wxTRANSLATE("Heart")}, {"/surprise", "surprise", wxTRANSLATE("Surprise")},
        {"/sad", "sad", wxTRANSLATE("Sad")},       {"/cry", "cry", wxTRANSLATE("Cry")},
        {"/angry", "angry", wxTRANSLATE("Angry")}, {"/sleepy", "sleepy", wxTRANSLATE("Sleepy")},
    };
    return faces;
}

wxString FaceFile(const DemoFace& face)
{
    return KelInstallPath(wxString("faces/") + face.file + ".gif");
}

// The faces of the installation by key: "/smile" is faces/smile.gif.
class DemoFaceTable : public FaceInfoHandle
{
public:
    wxString GetFacePath(const wxString& key) override
    {
        for (const DemoFace& face : Faces())
        {
            if (key == face.key)
                return FaceFile(face);
        }
        return wxString();
    }

    wxString GetFaceKey(const wxString& path) override
    {
        for (const DemoFace& face : Faces())
        {
            if (path == FaceFile(face))
                return face.key;
        }
        return wxString();
    }
};

DemoFaceTable& FaceTable()
{
    static DemoFaceTable table;
    return table;
}

// ----------------------------------------------------------------------------
// The received history, as chat documents
// ----------------------------------------------------------------------------

// The sender line above each message: the name in the sender's colour and
// the time in grey.
wxString HeaderDocument(const wxString& sender, bool mine, const wxString& time)
{
    const wxString colour = mine ? "#2E8B57" : "#1F5FA8";
    return Document("<paragraph parspacingbefore=\"20\"><text textcolor=\"" + colour +
                    "\" fontweight=\"700\">\"" + Escaped(sender) +
                    "\"</text><text textcolor=\"#6B7A8C\">\"  " + time + "\"</text></paragraph>");
}

// A small picture of a chat window, as the mock-up someone sent.
wxImage PaintMockup()
{
    const int w = 200, h = 120;
    wxImage image(w, h);
    image.SetRGB(wxRect(0, 0, w, h), 0xF6, 0xFA, 0xFE);
    std::unique_ptr<wxGraphicsContext> gc(wxGraphicsContext::Create(image));
    gc->SetPen(wxPen(wxColour(0x9C, 0xC3, 0xE8)));
    gc->SetBrush(wxBrush(wxColour(0x2F, 0x7F, 0xD8)));
    gc->DrawRectangle(0, 0, w - 1, 18);
    gc->SetBrush(wxBrush(wxColour(0xEA, 0xF3, 0xFB)));
    gc->DrawRectangle(0, 18, 52, h - 19);
    for (int i = 0; i < 5; ++i)
    {
        gc->SetBrush(wxBrush(wxColour(0x9C, 0xC3, 0xE8)));
        gc->DrawEllipse(6, 26 + i * 18, 10, 10);
        gc->DrawRectangle(20, 29 + i * 18, 26, 4);
    }
    const wxColour bubbles[] = {wxColour(0xFF, 0xFF, 0xFF), wxColour(0xCF, 0xE4, 0xF8)};
    for (int i = 0; i < 3; ++i)
    {
        gc->SetBrush(wxBrush(bubbles[i % 2]));
        gc->DrawRoundedRectangle(i % 2 ? 100 : 62, 26 + i * 24, 90, 18, 6);
    }
    gc->SetBrush(*wxWHITE_BRUSH);
    gc->DrawRectangle(58, h - 24, w - 64, 18);
    gc->SetBrush(wxBrush(wxColour(0x2F, 0x7F, 0xD8)));
    gc->DrawRoundedRectangle(w - 44, h - 22, 36, 14, 4);
    gc.reset();
    return image;
}

wxString PictureElement(const wxImage& image)
{
    wxMemoryOutputStream png;
    image.SaveFile(png, wxBITMAP_TYPE_PNG);
    const wxStreamBuffer* buffer = png.GetOutputStreamBuffer();
    const unsigned char* bytes = static_cast<const unsigned char*>(buffer->GetBufferStart());
    wxString hex;
    hex.reserve(size_t(png.GetLength()) * 2);
    for (wxFileOffset i = 0; i < png.GetLength(); ++i)
        hex += wxString::Format("%02X", bytes[i]);
    return wxString::Format("<image imagetype=\"%d\"><data>", int(wxBITMAP_TYPE_PNG)) + hex +
           "</data></image>";
}

struct HistoryMessage
{
    bool mine;
    const char* time;
    wxString body; // paragraphs
};

std::vector<HistoryMessage> ReceivedHistory()
{
    return {
        {false, "09:12",
         BodyParagraph(Text(_("Morning Alice! ")) + Face("/smile") +
                       Text(_(" Are we still on for the design review at ten?")))},
        {true, "09:13",
         BodyParagraph(Text(_("Yes ")) + Face("/laugh") +
                       Text(_(" I booked the small meeting room on the fourth floor.")))},
        {false, "09:15",
         BodyParagraph(Text(_("Here is the mock-up from yesterday:"))) +
             BodyParagraph(PictureElement(PaintMockup())) +
             BodyParagraph(Text(_("The colours are still a little off ")) + Face("/sad") +
                           Text(_(" but the layout works.")))},
        {true, "09:17",
         BodyParagraph(Text(_("Looks good to me ")) + Face("/cool") + Face("/heart") +
                       Text(_(" see you at ten!")))},
        {false, "09:18", BodyParagraph(Text(_("Thanks! ")) + Face("/blush") + Face("/wink"))},
    };
}

// ----------------------------------------------------------------------------
// Face chooser
// ----------------------------------------------------------------------------

class FaceChooser : public wxPopupTransientWindow
{
public:
    FaceChooser(wxWindow* parent, KelRichText* input) : wxPopupTransientWindow(parent, wxBORDER_SIMPLE)
    {
        SetBackgroundColour(*wxWHITE);
        auto grid = new wxGridSizer(2, 6, 2, 2);
        for (const DemoFace& face : Faces())
        {
            const wxFlagRichTextAnimation animation(FaceFile(face), wxANIMATION_TYPE_GIF);
            auto button = new wxBitmapButton(this, wxID_ANY, animation.GetFrameBundle(0), wxDefaultPosition,
                                             FromDIP(wxSize(32, 32)), wxBORDER_NONE);
            button->SetToolTip(_(face.tip) + "  " + face.key);
            const wxString file = FaceFile(face);
            button->Bind(wxEVT_BUTTON,
                         [this, input, file](wxCommandEvent&)
                         {
                             input->WriteAnimation(file, wxANIMATION_TYPE_GIF);
                             input->SetFocus();
                             Dismiss();
                         });
            grid->Add(button);
        }
        auto border = new wxBoxSizer(wxVERTICAL);
        border->Add(grid, 0, wxALL, 4);
        SetSizerAndFit(border);
    }
};

// ----------------------------------------------------------------------------
// Conversation
// ----------------------------------------------------------------------------

// With the live session and a peer address, messages really go to the
// peer and the peer's answers come in; otherwise the history is made up.
class DemoConversation : public wxPanel
{
public:
    DemoConversation(wxWindow* parent, const wxString& peer)
        : wxPanel(parent, wxID_ANY), m_peer(peer), m_live(DemoLiveSession::Get() && peer.Contains("@"))
    {
        KelSkinResource* skin = KelSkinResource::GetInstance();
        SetBackgroundColour(skin->GetColour("color_win_bk"));

        m_history = new KelRichText(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                    wxRE_MULTILINE | wxRE_READONLY | wxBORDER_SIMPLE);
        m_input = new KelRichText(this, wxID_ANY, wxEmptyString, wxDefaultPosition, FromDIP(wxSize(-1, 80)),
                                  wxRE_MULTILINE | wxBORDER_SIMPLE);
        for (KelRichText* text : {m_history, m_input})
        {
            text->RegisteFaceInfoHandler(&FaceTable());
            text->SetBackgroundColour(*wxWHITE);
            text->SetFont(wxFontInfo(10).FaceName("DejaVu Sans"));
            text->SetBasicStyle(wxRichTextAttr(text->GetDefaultStyleEx()));
            text->SetMargins(10, 6);
        }

        const DemoFace& smile = Faces().front();
        auto faces = new wxBitmapButton(
            this, wxID_ANY, wxFlagRichTextAnimation(FaceFile(smile), wxANIMATION_TYPE_GIF).GetFrameBundle(0),
            wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
        faces->SetToolTip(_("Insert a face"));
        faces->Bind(wxEVT_BUTTON,
                    [this, faces](wxCommandEvent&)
                    {
                        auto chooser = new FaceChooser(this, m_input);
                        chooser->Position(faces->GetScreenPosition(), wxSize(0, 0));
                        chooser->Popup();
                    });
        auto hint = new wxStaticText(this, wxID_ANY, wxString::Format(_("Conversation with %s"), PeerName()));
        hint->SetForegroundColour(skin->GetColour("color_text_grey"));

        auto send = new wxButton(this, wxID_ANY, _("Send"));
        send->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Send(); });

        auto tools = new wxBoxSizer(wxHORIZONTAL);
        tools->Add(faces, 0, wxALIGN_CENTER_VERTICAL);
        tools->AddStretchSpacer();
        tools->Add(hint, 0, wxALIGN_CENTER_VERTICAL);

        auto actions = new wxBoxSizer(wxHORIZONTAL);
        actions->AddStretchSpacer();
        actions->Add(send);

        auto sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(m_history, 1, wxEXPAND | wxALL, 6);
        sizer->Add(tools, 0, wxEXPAND | wxLEFT | wxRIGHT, 6);
        sizer->Add(m_input, 0, wxEXPAND | wxALL, 6);
        sizer->Add(actions, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 6);
        SetSizer(sizer);

        if (m_live)
        {
            Bind(jabEVT_MESSAGE, &DemoConversation::OnMessage, this);
            KelJabberEventCenter::GetInstance()->Register(this, jabEVT_MESSAGE, "DemoConversation",
                                                          "jabEVT_MESSAGE");
            return;
        }
        LoadHistory();
        m_input->WriteText(_("On my way, bringing coffee "));
        m_input->WriteAnimation(FaceFile(Faces().front()), wxANIMATION_TYPE_GIF);
    }

    ~DemoConversation() override { KelJabberEventCenter::GetInstance()->UnRegister(this, -1); }

    // Types `text` and a face into the input box and sends it.
    void TypeAndSend(const wxString& text, const wxString& faceKey)
    {
        m_input->WriteText(text);
        m_input->WriteAnimation(FaceTable().GetFacePath(faceKey), wxANIMATION_TYPE_GIF);
        Send();
    }

    size_t GetReceivedCount() const { return m_received; }

private:
    void LoadHistory()
    {
        for (const HistoryMessage& message : ReceivedHistory())
        {
            m_history->FromXML(HeaderDocument(message.mine ? _("Me") : m_peer, message.mine, message.time));
            m_history->FromXML(Document(message.body));
        }
    }

    void Send()
    {
        if (m_input->IsEmpty())
            return;
        const wxString message = m_input->ToXML();
        m_history->FromXML(HeaderDocument(_("Me"), true, wxDateTime::Now().Format("%H:%M")));
        m_history->FromXML(message);
        if (m_live)
        {
            MessageBean bean;
            bean.SetReceivers(m_peer);
            bean.SetBody(message);
            bean.SetMessageType(MessageType_Chat);
            DemoLiveSession::Get()->GetBridge().SendMessage(bean);
        }
        // What we send is shown even when we were reading further up.
        m_history->ShowPosition(m_history->GetLastPosition());
        m_input->Clear();
        m_input->SetFocus();
    }

    wxString PeerName() const { return m_live ? DemoLiveSession::Get()->GetDisplayName(m_peer) : m_peer; }

    void OnMessage(JabberMessageEvent& event)
    {
        const MessageBean bean = event.GetBean();
        if (bean.GetSender() != KelXmppClient::BareJid(m_peer))
            return;
        ++m_received;
        m_history->FromXML(HeaderDocument(bean.GetSenderName(), false, wxDateTime::Now().Format("%H:%M")));
        m_history->FromXML(bean.GetBody());
    }

    wxString m_peer;
    bool m_live;
    size_t m_received = 0;
    KelRichText* m_history;
    KelRichText* m_input;
};

DemoConversationRegistration conversation([](wxWindow* parent, const wxString& peer) -> wxWindow*
                                          { return new DemoConversation(parent, peer); });

// A real exchange with the responder, for the screenshots.
DemoShotRegistration
    liveChatShot(11, "live-chat",
                 [](wxWindow* mainFrame) -> wxTopLevelWindow*
                 {
                     DemoLiveSession* session = DemoLiveSession::Get();
                     if (!session)
                         return nullptr;
                     wxArrayString peers;
                     peers.Add(session->GetResponderJid());
                     auto chat = new DemoChatWindow(mainFrame, peers);
                     auto conversation =
                         dynamic_cast<DemoConversation*>(chat->GetConversations()->GetPage(0));
                     const std::pair<const char*, const char*> lines[] = {
                         {wxTRANSLATE("Morning Bob! Is the build green again? "), "/smile"},
                         {wxTRANSLATE("Great, then I'll tag the release at noon "), "/cool"}};
                     size_t sent = 0;
                     wxStopWatch watch;
                     for (const auto& line : lines)
                     {
                         conversation->TypeAndSend(_(line.first), line.second);
                         ++sent;
                         while (conversation->GetReceivedCount() < sent && watch.Time() < 15000)
                         {
                             wxYield();
                             wxMilliSleep(10);
                         }
                     }
                     return chat;
                 });

} // namespace
