#include <kelctrls/controls/filetransferlink.h>

#include "controls/xrcparams.h"
#include "skin/librarytext.h"

#include <wx/cmdline.h>
#include <wx/dcclient.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/mimetype.h>
#include <wx/msgdlg.h>
#include <wx/process.h>
#include <wx/utils.h>
#include <wx/weakref.h>

#include <gtk/gtk.h>

// ----------------------------------------------------------------------------
// wxHyperLinkBase
// ----------------------------------------------------------------------------

// clang-format off
wxBEGIN_EVENT_TABLE(wxHyperLinkBase, wxControl)
    EVT_PAINT(wxHyperLinkBase::OnPaint)
wxEND_EVENT_TABLE()
// clang-format on

bool wxHyperLinkBase::Create(wxWindow* parent, wxWindowID id, const wxString& label, const wxPoint& pos,
                             const wxSize& size, long style, const wxString& name)
{
    const bool created =
        wxControl::Create(parent, id, pos, size, style | wxNO_BORDER, wxDefaultValidator, name);
    if (!created)
        return false;

    SetLabel(label);
    m_visited = false;
    m_hoverCursor = wxCursor(wxCURSOR_HAND);
    m_hoverColour = wxColour(wxS("RED"));
    m_normalColour = wxColour(wxS("BLUE"));
    m_visitedColour = wxColour(wxS("PURPLE"));
    SetForegroundColour(m_normalColour);

    wxFont font = GetFont();
    font.SetUnderlined(true);
    SetFont(font);

    // The link is as big as its text, whatever size it was created with.
    GetTextExtent(label, &m_textWidth, &m_textHeight);
    SetInitialSize(wxSize(m_textWidth, m_textHeight));
    return true;
}

void wxHyperLinkBase::SetNormalColour(const wxColour& colour)
{
    m_normalColour = colour;
    if (!m_visited)
    {
        SetForegroundColour(colour);
        Refresh();
    }
}

void wxHyperLinkBase::SetVisitedColour(const wxColour& colour)
{
    m_visitedColour = colour;
    if (m_visited)
    {
        SetForegroundColour(colour);
        Refresh();
    }
}

void wxHyperLinkBase::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    dc.SetFont(GetFont());
    dc.SetTextForeground(GetForegroundColour());
    dc.DrawText(GetLabel(), 0, 0);
}

// ----------------------------------------------------------------------------
// FileTransferLink
// ----------------------------------------------------------------------------

wxDEFINE_EVENT(wxEVT_FILETRNSFER_LEFT_CLICK, wxFileTransferLinkEvent);

wxIMPLEMENT_DYNAMIC_CLASS(wxFileTransferLinkEvent, wxCommandEvent);
wxIMPLEMENT_DYNAMIC_CLASS(FileTransferLink, wxControl);

// clang-format off
wxBEGIN_EVENT_TABLE(FileTransferLink, wxHyperLinkBase)
    EVT_LEFT_DOWN(FileTransferLink::OnLinkActivate)
    EVT_ENTER_WINDOW(FileTransferLink::OnWindowEnter)
    EVT_LEAVE_WINDOW(FileTransferLink::OnWindowLeave)
wxEND_EVENT_TABLE()
// clang-format on

bool FileTransferLink::Enable(bool enable)
{
    m_linkEnabled = enable;
    SetForegroundColour(enable ? GetEnabledColour() : GetDisabledColour());
    SetHoverCursor(enable ? wxCursor(wxCURSOR_HAND) : wxNullCursor);
    Refresh();
    return true;
}

void FileTransferLink::OnWindowEnter(wxMouseEvent&)
{
    if (m_linkEnabled)
    {
        SetForegroundColour(GetHoverColour());
        SetCursor(wxCursor(wxCURSOR_HAND));
    }
    else
    {
        SetCursor(wxNullCursor);
    }
    Refresh();
}

void FileTransferLink::OnWindowLeave(wxMouseEvent&)
{
    if (!m_linkEnabled)
        return;
    SetForegroundColour(GetEnabledColour());
    SetCursor(wxNullCursor);
    Refresh();
}

void FileTransferLink::OnLinkActivate(wxMouseEvent& event)
{
    if (!m_linkEnabled)
        return;

    if (wxWindow* parent = GetParent())
    {
        wxFileTransferLinkEvent linkEvent(wxEVT_FILETRNSFER_LEFT_CLICK, GetId());
        linkEvent.SetEventObject(this);
        parent->ProcessWindowEvent(linkEvent);
    }
    event.Skip();
}

// ----------------------------------------------------------------------------
// wxFileTransferLinkXmlHandler
// ----------------------------------------------------------------------------

wxIMPLEMENT_DYNAMIC_CLASS(wxFileTransferLinkXmlHandler, wxXmlResourceHandler);

wxFileTransferLinkXmlHandler::wxFileTransferLinkXmlHandler()
{
    XRC_ADD_STYLE(wxNO_BORDER);
    AddWindowStyles();
}

bool wxFileTransferLinkXmlHandler::CanHandle(wxXmlNode* node)
{
    return IsOfClass(node, wxS("FileTransferLink"));
}

wxObject* wxFileTransferLinkXmlHandler::DoCreateResource()
{
    XRC_MAKE_INSTANCE(link, FileTransferLink)

    link->Create(m_parentAsWindow, GetID(), GetText(wxS("label")), GetPosition(), GetSize(),
                 GetStyle(wxS("style"), 0), GetName());
    kel::DropInvalidFontSize(GetParamNode(wxS("font")));
    SetupWindow(link);
    return link;
}

// ----------------------------------------------------------------------------
// DoOpenFile
// ----------------------------------------------------------------------------

namespace
{
// Tells the window that asked for the program when it ends, if that window still exists,
// and deletes itself.
class OpenFileProcess : public wxProcess
{
public:
    explicit OpenFileProcess(wxWindow* parent) : m_parent(parent) {}

    void OnTerminate(int pid, int status) override
    {
        if (m_parent)
        {
            wxProcessEvent event(wxID_ANY, pid, status);
            event.SetEventObject(this);
            m_parent->GetEventHandler()->ProcessEvent(event);
        }
        delete this;
    }

private:
    wxWeakRef<wxWindow> m_parent;
};

void ShowOpenFailure(wxWindow* parent)
{
    wxMessageBox(_("Fail to open file"), _("Message:"), wxOK | wxCENTRE, parent);
}

// Whether the program the command names exists and may be run. A program that cannot be
// found would otherwise only fail in the child process, after the start looked fine.
bool CanStart(const wxString& command)
{
    const wxArrayString args = wxCmdLineParser::ConvertStringToArgs(command, wxCMD_LINE_SPLIT_UNIX);
    if (args.empty())
        return false;
    wxString program = args[0];
    if (!program.Contains(wxS("/")))
    {
        wxPathList path;
        path.AddEnvList(wxS("PATH"));
        program = path.FindAbsoluteValidPath(program);
    }
    return !program.empty() && wxFileName::IsFileExecutable(program);
}

bool StartCommand(const wxString& command, wxWindow* parent)
{
    if (!CanStart(command))
        return false;
    OpenFileProcess* process = new OpenFileProcess(parent);
    if (wxExecute(command, wxEXEC_ASYNC, process) != 0)
        return true;
    delete process;
    return false;
}

wxString GetAssociatedCommand(const wxString& path)
{
    const wxString ext = wxFileName(path).GetExt();
    if (ext.empty())
        return wxString();
    wxFileType* type = wxTheMimeTypesManager->GetFileTypeFromExtension(ext);
    if (!type)
        return wxString();
    wxString command;
    if (!type->GetOpenCommand(&command, wxFileType::MessageParameters(path, wxString())))
        command.clear();
    delete type;
    return command.Trim(true).Trim(false);
}

struct ChooserRequest
{
    GFile* file;
    wxWeakRef<wxWindow> parent;
};

void OnChooserResponse(GtkDialog* dialog, gint response, gpointer data)
{
    ChooserRequest* request = static_cast<ChooserRequest*>(data);
    bool failed = false;
    if (response == GTK_RESPONSE_OK)
    {
        GAppInfo* app = gtk_app_chooser_get_app_info(GTK_APP_CHOOSER(dialog));
        GList files = {request->file, nullptr, nullptr};
        failed = !app || !g_app_info_launch(app, &files, nullptr, nullptr);
        if (app)
            g_object_unref(app);
    }
    gtk_widget_destroy(GTK_WIDGET(dialog));
    if (failed)
        ShowOpenFailure(request->parent);
    g_object_unref(request->file);
    delete request;
}

// The desktop's "open with" dialog; it stays open without blocking the caller.
bool ShowOpenWithChooser(const wxString& path, wxWindow* parent)
{
    if (!gdk_display_get_default())
        return false;

    wxWindow* top = parent ? wxGetTopLevelParent(parent) : nullptr;
    GtkWindow* owner = top ? GTK_WINDOW(top->GetHandle()) : nullptr;
    GFile* file = g_file_new_for_path(path.utf8_str());
    GtkWidget* dialog = gtk_app_chooser_dialog_new(owner, GTK_DIALOG_DESTROY_WITH_PARENT, file);
    ChooserRequest* request = new ChooserRequest{file, parent};
    g_signal_connect(dialog, "response", G_CALLBACK(OnChooserResponse), request);
    gtk_widget_show(dialog);
    return true;
}
} // namespace

void DoOpenFile(const wxString& path, wxWindow* parent)
{
    wxLogNull noLog;

    const wxString command = GetAssociatedCommand(path);
    if (!command.empty())
    {
        if (!StartCommand(command, parent))
            ShowOpenFailure(parent);
        return;
    }

    if (ShowOpenWithChooser(path, parent))
        return;

    wxString quoted = path;
    quoted.Replace(wxS("\\"), wxS("\\\\"));
    quoted.Replace(wxS("\""), wxS("\\\""));
    if (!StartCommand(wxS("xdg-open \"") + quoted + wxS("\""), parent))
        ShowOpenFailure(parent);
}
