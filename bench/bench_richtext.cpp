// Round-trips a 1,000-message chat history (text with faces, a picture in
// every tenth message) through the chat document format (ToXML, FromXML)
// and, in the same run, the same content through the toolkit's plain rich
// text XML handler, and prints both and their ratio.
#include <kelctrls/messaging/handlers.h>
#include <kelctrls/richtext.h>

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/log.h>
#include <wx/sstream.h>
#include <wx/stopwatch.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <unordered_map>
#include <vector>

namespace
{

constexpr int Messages = 1000;
constexpr int Rounds = 5;

const char* const FaceNames[] = {"smile", "laugh", "wink", "heart", "cool", "sad"};

wxString FaceFile(int i)
{
    static const wxString folder = KELCTRLS_BENCH_DATA_DIR "/faces/";
    return folder + FaceNames[i % 6] + ".gif";
}

// Faces travel by key, as in the client: "/smile" for faces/smile.gif. Like
// the client's face table, both directions are a lookup.
class BenchFaces : public FaceInfoHandle
{
public:
    BenchFaces()
    {
        for (int i = 0; i < 6; ++i)
        {
            const wxString key = wxString("/") + FaceNames[i];
            m_paths[key] = FaceFile(i);
            m_keys[FaceFile(i)] = key;
        }
    }
    wxString GetFacePath(const wxString& key) override { return Find(m_paths, key); }
    wxString GetFaceKey(const wxString& path) override { return Find(m_keys, path); }

private:
    static wxString Find(const std::unordered_map<wxString, wxString>& map, const wxString& what)
    {
        const auto found = map.find(what);
        return found != map.end() ? found->second : wxString();
    }

    std::unordered_map<wxString, wxString> m_paths;
    std::unordered_map<wxString, wxString> m_keys;
};

wxImage Picture()
{
    wxImage image(48, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 48; ++x)
            image.SetRGB(x, y, (x * 5) & 0xFF, (y * 7) & 0xFF, 0xC0);
    return image;
}

void FillHistory(KelRichText* text)
{
    const wxImage picture = Picture();
    text->Freeze();
    for (int i = 0; i < Messages; ++i)
    {
        text->BeginBold();
        text->WriteText(wxString::Format("Contact %d  10:%02d", i % 7, i % 60));
        text->EndBold();
        text->Newline();
        text->WriteText(wxString::Format("Message number %d about the design review ", i));
        text->WriteAnimation(FaceFile(i), wxANIMATION_TYPE_GIF);
        text->WriteText(" and the <new> colours & fonts ");
        text->WriteAnimation(FaceFile(i + 3), wxANIMATION_TYPE_GIF);
        if (i % 10 == 0)
        {
            text->Newline();
            text->WriteImage(picture);
        }
        text->Newline();
    }
    text->Thaw();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Milliseconds(const std::function<void()>& work)
{
    wxStopWatch watch;
    work();
    return watch.TimeInMicro().ToDouble() / 1000.0;
}

// The median time of each of several pieces of work, run in turns round
// after round so that a busy machine slows them alike. `prepare` runs
// before each round, untimed.
std::vector<double> TimeInTurns(const std::function<void()>& prepare,
                                const std::vector<std::function<void()>>& works)
{
    std::vector<std::vector<double>> times(works.size());
    for (int round = 0; round <= Rounds; ++round)
    {
        prepare();
        for (size_t i = 0; i < works.size(); ++i)
        {
            const double ms = Milliseconds(works[i]);
            if (round > 0) // the first round only warms up
                times[i].push_back(ms);
        }
    }
    std::vector<double> medians;
    for (const auto& workTimes : times)
        medians.push_back(Median(workTimes));
    return medians;
}

void Report(const char* what, double ours, double plain)
{
    std::printf("%-22s %10.1f ms %10.1f ms %8.2f\n", what, ours, plain, ours / plain);
}

} // namespace

class BenchApp : public wxApp
{
public:
    bool OnInit() override
    {
        wxLog::SetActiveTarget(new wxLogStderr);
        auto frame = new wxFrame(nullptr, wxID_ANY, "bench", wxDefaultPosition, wxSize(600, 400));
        auto source = new KelRichText(frame, wxID_ANY);
        auto oursTarget = new KelRichText(frame, wxID_ANY);
        auto plainTarget = new KelRichText(frame, wxID_ANY);
        static BenchFaces faces;
        for (KelRichText* text : {source, oursTarget, plainTarget})
            text->RegisteFaceInfoHandler(&faces);
        FillHistory(source);

        wxRichTextXMLHandler handler;
        wxString ours, plain;
        const std::vector<double> write = TimeInTurns([] {},
                                                      {
                                                          [&] { ours = source->ToXML(); },
                                                          [&]
                                                          {
                                                              plain.clear();
                                                              wxStringOutputStream out(&plain, wxConvUTF8);
                                                              handler.SaveFile(&source->GetBuffer(), out);
                                                          },
                                                      });
        const std::vector<double> read = TimeInTurns(
            [&]
            {
                oursTarget->Clear();
                plainTarget->Clear();
            },
            {
                [&] { oursTarget->FromXML(ours, true); },
                [&]
                {
                    wxRichTextBuffer loaded;
                    wxStringInputStream in(plain);
                    handler.LoadFile(&loaded, in);
                    // Into an empty control the way received messages go in.
                    loaded.SetPartialParagraph(plainTarget->GetLastPosition() == 0);
                    plainTarget->GetBuffer().InsertParagraphsWithUndo(
                        plainTarget->GetLastPosition(), loaded, plainTarget,
                        wxRICHTEXT_INSERT_WITH_PREVIOUS_PARAGRAPH_STYLE);
                },
            });

        const bool same =
            oursTarget->GetValue() == source->GetValue() && plainTarget->GetValue() == source->GetValue();
        std::printf("chat history of %d messages: %zu characters of text, "
                    "chat document %zu KB, plain document %zu KB, content kept: %s\n",
                    Messages, source->GetValue().length(), ours.utf8_str().length() / 1024,
                    plain.utf8_str().length() / 1024, same ? "yes" : "NO");
        std::printf("%-22s %13s %13s %8s\n", "", "chat format", "plain XML", "ratio");
        Report("write (ToXML)", write[0], write[1]);
        Report("read (FromXML)", read[0], read[1]);
        Report("round trip", write[0] + read[0], write[1] + read[1]);
        frame->Destroy();
        m_result = same ? 0 : 1;
        return true;
    }

    int OnRun() override { return m_result; }

private:
    int m_result = 0;
};

wxIMPLEMENT_APP(BenchApp);
