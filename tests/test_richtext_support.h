// Shared by the rich text tests: a window with chat text controls, the faces
// of the installation behind a face handler, and ways to look into buffers.
#ifndef KELCTRLS_TESTS_TEST_RICHTEXT_SUPPORT_H
#define KELCTRLS_TESTS_TEST_RICHTEXT_SUPPORT_H

#include "testsupport.h"

#include <kelctrls/messaging/handlers.h>
#include <kelctrls/platform/imcore.h>
#include <kelctrls/richtext.h>

#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/sizer.h>

#include <vector>

namespace kel
{
namespace test
{

inline wxString FacePath(const wxString& name)
{
    return SourceDataDir() + "/faces/" + name + ".gif";
}

// "/smile" <-> data/faces/smile.gif, for the faces of the installation.
class FaceTable : public FaceInfoHandle
{
public:
    wxString GetFacePath(const wxString& key) override
    {
        if (!key.StartsWith("/") || !wxFileName::FileExists(FacePath(key.Mid(1))))
            return wxString();
        return FacePath(key.Mid(1));
    }
    wxString GetFaceKey(const wxString& path) override
    {
        const wxFileName file(path);
        return file.GetPath() == wxFileName(FacePath("x")).GetPath() ? "/" + file.GetName() : wxString();
    }
};

template <typename T>
std::vector<T*> ObjectsOf(wxRichTextCtrl* ctrl)
{
    std::vector<T*> found;
    for (auto para = ctrl->GetBuffer().GetChildren().GetFirst(); para; para = para->GetNext())
    {
        auto paragraph = dynamic_cast<wxRichTextParagraph*>(para->GetData());
        if (!paragraph)
            continue;
        for (auto child = paragraph->GetChildren().GetFirst(); child; child = child->GetNext())
        {
            if (auto object = dynamic_cast<T*>(child->GetData()))
                found.push_back(object);
        }
    }
    return found;
}

inline int Occurrences(const wxString& text, const wxString& part)
{
    int count = 0;
    for (size_t pos = text.find(part); pos != wxString::npos; pos = text.find(part, pos + 1))
        ++count;
    return count;
}

// A temporary working directory with a signed-in user whose folders lie in
// it, and a frame holding two chat text controls.
class RichTextTest : public TempCwdTest
{
protected:
    void SetUp() override
    {
        TempCwdTest::SetUp();
        KelJabberJob::GetInstance()->SetUserLocal(PathOf("online"));
        KelJabberJob::GetInstance()->SetOfflineUserLocal(PathOf("offline"));
        wxMkdir(PathOf("online"));
        wxMkdir(PathOf("offline"));
        SetNextPresence(0);

        m_frame = new wxFrame(nullptr, wxID_ANY, "chat", wxDefaultPosition, wxSize(500, 400));
        auto sizer = new wxBoxSizer(wxVERTICAL);
        m_history = new KelRichText(m_frame, wxID_ANY);
        m_input = new KelRichText(m_frame, wxID_ANY);
        sizer->Add(m_history, 1, wxEXPAND);
        sizer->Add(m_input, 1, wxEXPAND);
        m_frame->SetSizer(sizer);
        m_frame->Layout();
    }

    void TearDown() override
    {
        m_frame->Destroy();
        Pump();
        TempCwdTest::TearDown();
    }

    wxFrame* m_frame = nullptr;
    KelRichText* m_history = nullptr;
    KelRichText* m_input = nullptr;
    FaceTable m_faces;
};

} // namespace test
} // namespace kel

#endif
