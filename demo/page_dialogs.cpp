// "Dialogs": every dialog of the client behind a button, what the last one
// gave back, and the history date picker. Screenshot mode also opens the
// screen capture (with a selection), a message box and the password dialog.
#include "demoregistry.h"
#include "demotext.h"

#include <kelctrls/datepanel.h>
#include <kelctrls/dialogs.h>
#include <kelctrls/skin.h>

#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/timer.h>
#include <wx/weakref.h>

#include <algorithm>
#include <functional>

namespace
{

const wxSize THUMBNAIL_SIZE(160, 100);

wxColour SkinColour(const wxString& key)
{
    return KelSkinResource::GetInstance()->GetColour(key);
}

// A picture reduced to fit the box, keeping its proportions.
wxBitmap Thumbnail(const wxBitmap& bitmap, const wxSize& box)
{
    if (!bitmap.IsOk())
        return wxNullBitmap;
    const double scale =
        std::min(1.0, std::min(double(box.x) / bitmap.GetWidth(), double(box.y) / bitmap.GetHeight()));
    const wxImage image = bitmap.ConvertToImage();
    return wxBitmap(image.Scale(std::max(1, int(image.GetWidth() * scale)),
                                std::max(1, int(image.GetHeight() * scale)), wxIMAGE_QUALITY_HIGH));
}

// The empty thumbnail: a framed box that says nothing was captured yet.
wxBitmap EmptyThumbnail(const wxSize& box)
{
    wxBitmap bitmap(box);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(wxBrush(SkinColour("color_pane_bk")));
    dc.Clear();
    dc.SetPen(wxPen(SkinColour("color_text_grey")));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(wxPoint(0, 0), box);
    dc.SetFont(*wxSMALL_FONT);
    dc.SetTextForeground(SkinColour("color_text_grey"));
    dc.DrawLabel(_("Nothing captured yet"), wxRect(box), wxALIGN_CENTER);
    return bitmap;
}

class DialogsPage : public wxPanel
{
public:
    explicit DialogsPage(wxWindow* parent) : wxPanel(parent, wxID_ANY)
    {
        SetBackgroundColour(SkinColour("color_pane_bk"));

        wxBoxSizer* columns = new wxBoxSizer(wxHORIZONTAL);
        columns->Add(CreateLaunchers(), 1, wxEXPAND | wxALL, 10);

        wxBoxSizer* right = new wxBoxSizer(wxVERTICAL);
        right->Add(CreateResults(), 0, wxEXPAND | wxBOTTOM, 10);
        right->Add(CreateHistoryDate(), 0, wxEXPAND);
        columns->Add(right, 0, wxEXPAND | wxTOP | wxRIGHT | wxBOTTOM, 10);
        SetSizer(columns);

        m_progressTimer.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { AdvanceTransfer(); });
    }

private:
    wxSizer* CreateLaunchers()
    {
        wxStaticBoxSizer* box = new wxStaticBoxSizer(wxVERTICAL, this, _("Open a dialog"));
        wxFlexGridSizer* grid = new wxFlexGridSizer(2, 8, 12);
        grid->AddGrowableCol(1);

        AddLauncher(box, grid, _("Capture screen..."), _("Cut a part of the screen to paste into a chat"),
                    [this] { CaptureScreen(); });
        AddLauncher(box, grid, _("Message box"), _("A skinned notice that blocks the client until answered"),
                    [this]
                    {
                        KelMessageBox(this, _("Alice Chen has left the conversation \"Quarterly review\"."),
                                      _("Conversation"), KelMessageBox_OK, KelMessageBox_IconInformation);
                        Report(_("The message box is open; the rest of the client waits for it."));
                    });
        AddLauncher(box, grid, _("Send a file..."), _("Progress of a transfer, cancellable at any time"),
                    [this] { SendFile(); });
        AddLauncher(box, grid, _("Received file..."), _("Ask how to deal with a file that arrived"),
                    [this] { ReceiveFile(); });
        AddLauncher(box, grid, _("Tip of the day..."), _("Tips read from the installation's tip file"),
                    [this]
                    {
                        const bool again =
                            KShowTip(this, KelInstallPath("tips.txt"), m_nextTip++, m_showTips);
                        m_showTips = again;
                        Report(again ? _("Tips will be shown at start-up.")
                                     : _("Tips will not be shown at start-up."));
                    });
        AddLauncher(box, grid, _("Change password..."), _("What a user sees at the first sign-in"),
                    [this] { ChangePassword(); });
        AddLauncher(box, grid, _("Head image..."), _("Frame a part of a picture as the head image"),
                    [this] { ChooseHeadImage(); });

        box->Add(grid, 0, wxEXPAND | wxALL, 8);
        m_report = new wxStaticText(box->GetStaticBox(), wxID_ANY, _("Pick a dialog to open."));
        m_report->SetForegroundColour(SkinColour("color_user_name"));
        box->AddStretchSpacer();
        box->Add(m_report, 0, wxEXPAND | wxALL, 8);
        return box;
    }

    void AddLauncher(wxStaticBoxSizer* box, wxFlexGridSizer* grid, const wxString& label,
                     const wxString& description, std::function<void()> action)
    {
        wxButton* button =
            new wxButton(box->GetStaticBox(), wxID_ANY, label, wxDefaultPosition, FromDIP(wxSize(150, -1)));
        button->Bind(wxEVT_BUTTON, [action](wxCommandEvent&) { action(); });
        wxStaticText* text = new wxStaticText(box->GetStaticBox(), wxID_ANY, description);
        text->SetForegroundColour(SkinColour("color_text_grey"));
        grid->Add(button, 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(text, 0, wxALIGN_CENTER_VERTICAL);
    }

    wxSizer* CreateResults()
    {
        wxStaticBoxSizer* box = new wxStaticBoxSizer(wxVERTICAL, this, _("Last results"));
        wxWindow* parent = box->GetStaticBox();

        box->Add(new wxStaticText(parent, wxID_ANY, _("Screen capture")), 0, wxLEFT | wxTOP, 8);
        m_capture = new wxStaticBitmap(parent, wxID_ANY, EmptyThumbnail(THUMBNAIL_SIZE));
        box->Add(m_capture, 0, wxALL, 8);

        box->Add(new wxStaticText(parent, wxID_ANY, _("Head image")), 0, wxLEFT, 8);
        m_head = new wxStaticBitmap(parent, wxID_ANY,
                                    KelSkinResource::GetInstance()->GetBitmapBundle("defboyimage"));
        box->Add(m_head, 0, wxALL, 8);
        return box;
    }

    wxSizer* CreateHistoryDate()
    {
        wxStaticBoxSizer* box = new wxStaticBoxSizer(wxVERTICAL, this, _("Conversation history"));
        wxWindow* parent = box->GetStaticBox();
        box->Add(new wxStaticText(parent, wxID_ANY, _("Show the messages of")), 0, wxLEFT | wxTOP, 8);

        m_date = new wxDatePanel(parent, wxID_ANY, wxDefaultPosition, FromDIP(wxSize(300, 24)));
        m_date->SetMinSize(FromDIP(wxSize(300, 24)));
        const wxDateTime today = wxDateTime::Today();
        m_date->SetRange(today - wxDateSpan::Years(2), wxDateTime::Now());
        m_date->SetTime(today - wxDateSpan::Days(3));
        box->Add(m_date, 0, wxALL, 8);

        m_dateText = new wxStaticText(parent, wxID_ANY, wxEmptyString);
        m_dateText->SetForegroundColour(SkinColour("color_text_grey"));
        box->Add(m_dateText, 0, wxLEFT | wxRIGHT | wxBOTTOM, 8);
        m_date->Bind(wxEVT_COMBOBOX,
                     [this](wxCommandEvent& event)
                     {
                         event.Skip();
                         CallAfter([this] { ShowHistoryDate(); });
                     });
        ShowHistoryDate();
        return box;
    }

    void ShowHistoryDate()
    {
        // TRANSLATORS: the codes of strftime, for the day whose history is shown
        // xgettext:no-c-format
        const wxString day = m_date->GetTime().Format(_("%A, %d %B %Y"));
        m_dateText->SetLabel(wxString::Format(_("History of %s"), day));
    }

    void Report(const wxString& text)
    {
        m_report->SetLabel(text);
        Layout();
    }

    void CaptureScreen()
    {
        wxTopLevelWindow* top = wxDynamicCast(wxGetTopLevelParent(this), wxTopLevelWindow);
        // The client steps aside so that the capture shows what is behind it.
        if (top)
            top->Iconize(true);
        wxYield();
        int result;
        wxBitmap cut;
        {
            ScreenDlg capture(top);
            result = capture.ShowModal();
            cut = capture.GetSelectBitamp();
        }
        if (top)
            top->Iconize(false);
        if (result == wxID_OK)
        {
            m_capture->SetBitmap(Thumbnail(cut, THUMBNAIL_SIZE));
            Report(wxString::Format(_("A %d x %d picture is on the clipboard."), cut.GetWidth(),
                                    cut.GetHeight()));
        }
        else
        {
            Report(_("The capture was closed without copying."));
        }
    }

    void SendFile()
    {
        KelProgressDialog* progress =
            new KelProgressDialog(_("Sending file"), _("quarterly-report.xls to Bob Li"), 100, this,
                                  wxPD_CAN_ABORT | wxPD_AUTO_HIDE | wxPD_REMAINING_TIME);
        progress->ShowModal();
        m_progress = progress;
        m_sent = 0;
        m_progressTimer.Start(60);
        Report(_("Sending quarterly-report.xls..."));
    }

    void AdvanceTransfer()
    {
        // A cancelled dialog destroys itself, which empties the reference.
        if (!m_progress || m_progress->IsFailure())
        {
            m_progress = nullptr;
            m_progressTimer.Stop();
            Report(_("The transfer was cancelled."));
            return;
        }
        m_sent += 2;
        m_progress->Update(std::min(m_sent, 100));
        if (m_sent >= 100)
        {
            m_progress->Destroy();
            m_progress = nullptr;
            m_progressTimer.Stop();
            Report(_("quarterly-report.xls was sent."));
        }
    }

    void ReceiveFile()
    {
        switch (KShowFileDialogTip(this, "holiday-photos.zip"))
        {
        case KFileOpenPrompt::Choice_Open:
            Report(_("holiday-photos.zip would be opened with its program."));
            break;
        case KFileOpenPrompt::Choice_Save:
            Report(_("holiday-photos.zip would be saved to disk."));
            break;
        default:
            Report(_("The received file was left alone."));
            break;
        }
    }

    void ChangePassword()
    {
        ChangePassDlg dialog(this);
        if (dialog.ShowModal() == wxID_YES)
            Report(wxString::Format(_("A new password of %u characters was accepted."),
                                    unsigned(dialog.GetNewPassword().length())));
        else
            Report(_("The client closed the password dialog."));
    }

    void ChooseHeadImage()
    {
        KelUserHeadSelect dialog(this, wxID_ANY, _("Change head image"));
        const wxBitmap current = KelSkinResource::GetInstance()->GetBitmap("defboyimage");
        if (current.IsOk())
            dialog.LoadImage(current.ConvertToImage());
        if (dialog.ShowModal() == wxID_OK && dialog.GetBitmap().IsOk())
        {
            m_head->SetBitmap(dialog.GetBitmap());
            Layout();
            Report(_("The head image was changed."));
        }
        else
        {
            Report(_("The head image stays as it was."));
        }
    }

    wxStaticText* m_report = nullptr;
    wxStaticBitmap* m_capture = nullptr;
    wxStaticBitmap* m_head = nullptr;
    wxDatePanel* m_date = nullptr;
    wxStaticText* m_dateText = nullptr;
    wxWeakRef<KelProgressDialog> m_progress;
    wxTimer m_progressTimer;
    int m_sent = 0;
    int m_nextTip = 0;
    bool m_showTips = true;
};

// On a display without a window manager a window just shown can end up
// below the main window; raise it once more when it has been mapped.
wxTopLevelWindow* RaisedWhenShown(wxTopLevelWindow* win)
{
    win->Bind(wxEVT_SHOW,
              [win](wxShowEvent& event)
              {
                  event.Skip();
                  if (event.IsShown())
                      win->CallAfter([win] { win->Raise(); });
              });
    return win;
}

DemoPageRegistration page(60, wxTRANSLATE("Dialogs"),
                          [](wxWindow* parent) -> wxWindow* { return new DialogsPage(parent); });

// Screenshot mode: the capture over the main window with a selection around
// part of it and the pointer inside.
DemoShotRegistration captureShot(60, "screen-capture",
                                 [](wxWindow* mainFrame) -> wxTopLevelWindow*
                                 {
                                     ScreenDlg* capture = new ScreenDlg(mainFrame);
                                     const wxRect main = mainFrame->GetScreenRect();
                                     const wxRect selection(main.x + 40, main.y + 60,
                                                            std::min(460, main.width - 80),
                                                            std::min(300, main.height - 90));
                                     capture->SelectRect(selection);
                                     capture->ShowPointerInfo(wxPoint(selection.x + selection.width / 2,
                                                                      selection.y + selection.height / 2));
                                     return RaisedWhenShown(capture);
                                 });

DemoShotRegistration messageShot(61, "message-box",
                                 [](wxWindow* mainFrame) -> wxTopLevelWindow*
                                 {
                                     return RaisedWhenShown(new KelMessageBoxFrame(
                                         mainFrame,
                                         _("The file \"quarterly-report.xls\" could not be sent:\n"
                                           "Bob Li is offline."),
                                         _("File transfer"), KelMessageBox_OKCancel,
                                         KelMessageBox_IconWarning));
                                 });

DemoShotRegistration passwordShot(62, "change-password",
                                  [](wxWindow* mainFrame) -> wxTopLevelWindow*
                                  {
                                      ChangePassDlg* dialog = new ChangePassDlg(mainFrame);
                                      dialog->CentreOnParent();
                                      return RaisedWhenShown(dialog);
                                  });

} // anonymous namespace
