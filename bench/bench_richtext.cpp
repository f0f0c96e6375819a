// The chat text control against the toolkit's plain rich text control, in
// one run: a 5,000-message history (text with faces, a picture in every
// tenth message) written and read as a chat document against the plain XML
// handler; one message appended at 100, 1,000 and 5,000 messages; the
// processor time at rest with animated faces in view, out of view and in a
// hidden window, against the same faces shown still; and the heap one more
// copy of a face costs. Each line prints ours, plain and their ratio.
#include <kelctrls/messaging/handlers.h>
#include <kelctrls/richtext.h>

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/sstream.h>
#include <wx/stopwatch.h>

#include <wx/evtloop.h>
#include <wx/timer.h>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <functional>
#include <malloc.h>
#include <sys/resource.h>
#include <unordered_map>
#include <vector>

namespace
{

constexpr int Messages = 5000;
constexpr int SampleMessages = 10;
constexpr int Rounds = 4;
constexpr double RestSeconds = 5.0;

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

// Writes chat messages (a bold header line, text with two faces, a picture
// in every tenth) into any rich text control; `writeFace` puts face `i`
// at the caret.
void WriteMessages(wxRichTextCtrl* text, int first, int count, const std::function<void(int)>& writeFace)
{
    static const wxImage picture = Picture();
    text->Freeze();
    for (int i = first; i < first + count; ++i)
    {
        text->BeginBold();
        text->WriteText(wxString::Format("Contact %d  10:%02d", i % 7, i % 60));
        text->EndBold();
        text->Newline();
        text->WriteText(wxString::Format("Message number %d about the design review ", i));
        writeFace(i);
        text->WriteText(" and the <new> colours ");
        writeFace(i + 3);
        text->WriteText(" & fonts ");
        writeFace(i + 4);
        if (i % 10 == 0)
        {
            text->Newline();
            text->WriteImage(picture);
        }
        text->Newline();
    }
    text->Thaw();
}

void FillHistory(KelRichText* text, int first, int count)
{
    WriteMessages(text, first, count,
                  [text](int i) { text->WriteAnimation(FaceFile(i), wxANIMATION_TYPE_GIF); });
}

// The same history in a plain control, each face as its first frame.
void FillStillHistory(wxRichTextCtrl* text, int first, int count)
{
    static std::vector<wxImage> stills;
    if (stills.empty())
    {
        for (int i = 0; i < 6; ++i)
            stills.push_back(wxFlagRichTextAnimation(FaceFile(i), wxANIMATION_TYPE_GIF)
                                 .GetFrameBitmap(0)
                                 .ConvertToImage());
    }
    WriteMessages(text, first, count, [text](int i) { text->WriteImage(stills[i % 6], wxBITMAP_TYPE_PNG); });
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double Milliseconds(const std::function<void()>& work)
{
    wxStopWatch watch;
    work();
    return watch.TimeInMicro().ToDouble() / 1000.0;
}

// The median time of each of several pieces of work, run in turns round
// after round so that a busy machine slows them alike. `prepare` runs
// before each round, untimed. Every other round runs the works in the
// opposite order: whichever runs first after `prepare` was seen to be some
// 5-10 % quicker than it is in second place.
std::vector<double> TimeInTurns(const std::function<void()>& prepare,
                                const std::vector<std::function<void()>>& works, int rounds = Rounds)
{
    std::vector<std::vector<double>> times(works.size());
    for (int round = 0; round <= rounds; ++round)
    {
        prepare();
        for (size_t turn = 0; turn < works.size(); ++turn)
        {
            const size_t i = round % 2 ? turn : works.size() - 1 - turn;
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

void Report(const char* what, double ours, double plain, const char* unit = "ms")
{
    std::printf("%-34s %10.2f %-5s %10.2f %-5s %8.2f\n", what, ours, unit, plain, unit, ours / plain);
}

void Settle()
{
    wxTheApp->ProcessIdle();
    wxTheApp->Yield(true);
}

// Runs the event loop for `seconds` and returns the processor time the
// process spent meanwhile, in percent of one core.
double CpuShareWhileIdle(double seconds)
{
    auto cpuSeconds = []
    {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
               double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    };
    wxGUIEventLoop loop;
    wxTimer stop;
    stop.Bind(wxEVT_TIMER, [&loop](wxTimerEvent&) { loop.Exit(); });
    stop.StartOnce(int(seconds * 1000));
    const double cpuBefore = cpuSeconds();
    wxStopWatch wall;
    loop.Run();
    return 100.0 * (cpuSeconds() - cpuBefore) / (wall.TimeInMicro().ToDouble() / 1e6);
}

int AnimatedFacesInView(KelRichText* text)
{
    const wxRect visible(text->GetLogicalPoint(wxPoint(0, 0)), text->GetClientSize());
    int faces = 0;
    for (auto para = text->GetBuffer().GetChildren().GetFirst(); para; para = para->GetNext())
    {
        if (!visible.Intersects(para->GetData()->GetRect()))
            continue;
        auto paragraph = dynamic_cast<wxRichTextParagraph*>(para->GetData());
        for (auto child = paragraph->GetChildren().GetFirst(); child; child = child->GetNext())
        {
            auto face = dynamic_cast<wxFlagRichTextAnimation*>(child->GetData());
            faces += face && visible.Contains(face->GetRect());
        }
    }
    return faces;
}

// A document of `sample`'s paragraphs `times` over: histories of thousands
// of messages are read in one go, as writing them message by message costs
// the toolkit time that grows with the length of the content.
wxString Repeated(const wxString& sample, int times)
{
    const size_t open = sample.find("<paragraphlayout");
    const size_t bodyStart = sample.find('>', open) + 1;
    const size_t bodyEnd = sample.rfind("</paragraphlayout>");
    const wxString body = sample.substr(bodyStart, bodyEnd - bodyStart);
    wxString document = sample.substr(0, bodyStart);
    for (int i = 0; i < times; ++i)
        document += body;
    return document + sample.substr(bodyEnd);
}

// The toolkit's string stream decodes every write, which would make the
// plain handler look slower than it is; its bytes are decoded once here.
wxString PlainDocument(wxRichTextCtrl* text)
{
    wxRichTextXMLHandler handler;
    wxMemoryOutputStream out;
    handler.SaveFile(&text->GetBuffer(), out);
    const wxStreamBuffer* bytes = out.GetOutputStreamBuffer();
    return wxString::FromUTF8(static_cast<const char*>(bytes->GetBufferStart()), size_t(out.GetLength()));
}

size_t HeapInUse()
{
    return mallinfo2().uordblks;
}

// One chat document with the same face `copies` times, its data embedded
// once and the rest by key, as the client receives a burst of one face.
wxString FaceBurst(int copies)
{
    wxString xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><richtext><paragraphlayout><paragraph>";
    for (int i = 0; i < copies; ++i)
        xml += "<animation><animationKey>/smile</animationKey><animationType>1</animationType></animation>";
    return xml + "</paragraph></paragraphlayout></richtext>";
}

} // namespace

class BenchApp : public wxApp
{
public:
    bool OnInit() override
    {
        wxLog::SetActiveTarget(new wxLogStderr);
        std::setvbuf(stdout, nullptr, _IOLBF, 0);
        m_frame = new wxFrame(nullptr, wxID_ANY, "bench", wxPoint(0, 0), wxDefaultSize);
        m_frame->SetClientSize(680, 680);
        m_ours =
            new KelRichText(m_frame, wxID_ANY, wxEmptyString, wxDefaultPosition, m_frame->GetClientSize());
        m_plain =
            new wxRichTextCtrl(m_frame, wxID_ANY, wxEmptyString, wxDefaultPosition, m_frame->GetClientSize());
        m_ours->RegisteFaceInfoHandler(&m_faces);
        MakeSamples();

        std::printf("%-34s %16s %16s %8s\n", "", "ours", "plain", "ratio");
        // Sections may be named on the command line; all run by default.
        auto wanted = [this](const char* section) { return argc < 2 || wxString(argv[1]).Contains(section); };
        if (wanted("load"))
            RoundTrip();
        if (wanted("append"))
            Append();
        if (wanted("rest"))
            Rest();
        if (wanted("copies"))
            FaceCopies();
        m_frame->Destroy();
        return true;
    }

    int OnRun() override { return m_result; }

private:
    // Ten messages and one, as chat documents and as plain documents with
    // the faces still.
    void MakeSamples()
    {
        auto ours = new KelRichText(m_frame, wxID_ANY);
        auto still = new wxRichTextCtrl(m_frame, wxID_ANY);
        ours->RegisteFaceInfoHandler(&m_faces);
        FillHistory(ours, 0, SampleMessages);
        FillStillHistory(still, 0, SampleMessages);
        m_oursSample = ours->ToXML();
        m_stillSample = PlainDocument(still);
        ours->Clear();
        still->Clear();
        FillHistory(ours, 7, 1);
        FillStillHistory(still, 7, 1);
        m_oursMessage = ours->ToXML();
        m_stillMessage = PlainDocument(still);
        ours->Destroy();
        still->Destroy();
    }

    // Writing and reading the whole history as a chat document, against a
    // plain control with the same content, faces still, written and read by
    // the toolkit's XML handler. The last line keeps the control and swaps
    // only the handler: the toolkit's, on the same content, into a control of
    // ours.
    void RoundTrip()
    {
        auto source = new KelRichText(m_frame, wxID_ANY);
        auto oursTarget = new KelRichText(m_frame, wxID_ANY);
        auto handlerTarget = new KelRichText(m_frame, wxID_ANY);
        auto plainSource = new wxRichTextCtrl(m_frame, wxID_ANY);
        auto plainTarget = new wxRichTextCtrl(m_frame, wxID_ANY);
        const std::initializer_list<wxRichTextCtrl*> all{source, oursTarget, handlerTarget, plainSource,
                                                         plainTarget};
        for (KelRichText* text : {source, oursTarget, handlerTarget})
            text->RegisteFaceInfoHandler(&m_faces);
        for (wxRichTextCtrl* text : all)
            text->Hide();
        source->FromXML(Repeated(m_oursSample, Messages / SampleMessages), true);
        InsertPlainDocument(plainSource, Repeated(m_stillSample, Messages / SampleMessages));

        wxString ours, plain, handlerOnly;
        const std::vector<double> write = TimeInTurns([] {},
                                                      {
                                                          [&] { ours = source->ToXML(); },
                                                          [&] { plain = PlainDocument(plainSource); },
                                                          [&] { handlerOnly = PlainDocument(source); },
                                                      });
        const std::vector<double> read = TimeInTurns(
            [&]
            {
                for (wxRichTextCtrl* text :
                     std::initializer_list<wxRichTextCtrl*>{oursTarget, handlerTarget, plainTarget})
                    text->Clear();
            },
            {
                [&] { oursTarget->FromXML(ours, true); },
                [&] { InsertPlainDocument(plainTarget, plain); },
                [&] { InsertPlainDocument(handlerTarget, handlerOnly); },
            });

        const wxString text = source->GetValue();
        const bool same = oursTarget->GetValue() == text && handlerTarget->GetValue() == text &&
                          plainTarget->GetValue() == plainSource->GetValue() &&
                          text.length() == plainSource->GetValue().length();
        m_result |= same ? 0 : 1;
        std::printf("history of %d messages: %zu characters of text, chat document %zu KB, plain %zu KB, "
                    "plain with faces by key %zu KB, content kept: %s\n",
                    Messages, text.length(), ours.utf8_str().length() / 1024,
                    plain.utf8_str().length() / 1024, handlerOnly.utf8_str().length() / 1024,
                    same ? "yes" : "NO");
        Report("write (ToXML)", write[0], write[1]);
        Report("load (FromXML)", read[0], read[1]);
        Report("load, toolkit handler in ours", read[0], read[2]);
        for (wxRichTextCtrl* text : all)
            text->Destroy();
    }

    // Into a control the way received messages go in: after its content.
    static void InsertPlainDocument(wxRichTextCtrl* target, const wxString& xml)
    {
        wxRichTextXMLHandler handler;
        wxRichTextBuffer loaded;
        wxStringInputStream in(xml);
        handler.LoadFile(&loaded, in);
        loaded.SetPartialParagraph(target->GetLastPosition() == 0);
        target->GetBuffer().InsertParagraphsWithUndo(target->GetLastPosition(), loaded, target,
                                                     wxRICHTEXT_INSERT_WITH_PREVIOUS_PARAGRAPH_STYLE);
    }

    // One message received into a history of 100, 1,000 and 5,000
    // messages, laid out and painted at the end of the view.
    void Append()
    {
        m_frame->Show();
        for (int target : {100, 1000, 5000})
        {
            GrowHistories(target);
            auto appendTo = [this](wxRichTextCtrl* shown, const std::function<void()>& append)
            {
                m_ours->Show(shown == m_ours);
                m_plain->Show(shown == m_plain);
                shown->ShowPosition(shown->GetLastPosition());
                Settle();
                return Milliseconds(
                    [&]
                    {
                        append();
                        shown->ShowPosition(shown->GetLastPosition());
                        shown->Update();
                    });
            };
            std::vector<double> ours, plain;
            for (int round = 0; round < 5; ++round)
            {
                ours.push_back(appendTo(m_ours, [&] { m_ours->FromXML(m_oursMessage, true); }));
                plain.push_back(appendTo(m_plain, [&] { InsertPlainDocument(m_plain, m_stillMessage); }));
            }
            Report(wxString::Format("append one message at %d", target).c_str(), Median(ours), Median(plain));
        }
    }

    // Grows both histories to `messages` messages; they begin with some
    // lines of text without faces.
    void GrowHistories(int messages)
    {
        if (m_length == 0)
        {
            for (int line = 0; line < 40; ++line)
            {
                m_ours->WriteText(wxString::Format("Earlier line %d\n", line));
                m_plain->WriteText(wxString::Format("Earlier line %d\n", line));
            }
        }
        const int samples = (messages - m_length) / SampleMessages;
        if (samples <= 0)
            return;
        m_ours->FromXML(Repeated(m_oursSample, samples), true);
        InsertPlainDocument(m_plain, Repeated(m_stillSample, samples));
        m_length += samples * SampleMessages;
    }

    // Processor time at rest with the end of the history in view, against
    // the plain control showing the same faces still.
    void Rest()
    {
        // The control shown at the end of its history, or at its beginning,
        // where no faces are.
        auto show = [this](wxRichTextCtrl* shown, bool atEnd)
        {
            m_ours->Show(shown == m_ours);
            m_plain->Show(shown == m_plain);
            m_frame->Layout();
            // Both with the focus, so that both carets blink.
            shown->SetFocus();
            Settle();
            if (atEnd)
                shown->ShowPosition(shown->GetLastPosition());
            else
                shown->Scroll(0, 0);
            Settle();
            CpuShareWhileIdle(1.0); // the first paints and layouts
        };
        auto restWith = [&](wxRichTextCtrl* shown, bool atEnd)
        {
            show(shown, atEnd);
            std::fprintf(stderr, "resting: %s, %s\n", shown == m_ours ? "ours" : "plain",
                         atEnd ? "end" : "top");
            return CpuShareWhileIdle(RestSeconds);
        };
        GrowHistories(Messages);
        m_frame->Show();
        const double ours = restWith(m_ours, true);
        const int faces = AnimatedFacesInView(m_ours);
        const double plain = restWith(m_plain, true);
        Report(wxString::Format("CPU, %d faces in view (%% core)", faces).c_str(), ours, plain, "%");
        std::printf("%-34s %10.2f points of one core\n", "  ours over plain", ours - plain);
        Report("CPU, faces out of view (% core)", restWith(m_ours, false), restWith(m_plain, false), "%");

        auto hiddenWith = [&](wxRichTextCtrl* shown)
        {
            m_frame->Show();
            show(shown, true);
            m_frame->Hide();
            return CpuShareWhileIdle(RestSeconds);
        };
        Report("CPU, window hidden (% core)", hiddenWith(m_ours), hiddenWith(m_plain), "%");
    }

    // Heap per face in one document showing the same face 1,000 times,
    // against the plain control showing the same picture 1,000 times.
    void FaceCopies()
    {
        constexpr int copies = 1000;
        auto heapPerCopy = [](const std::function<void(int)>& show)
        {
            show(1);
            malloc_trim(0);
            const double withOne = double(HeapInUse());
            show(copies);
            return (double(HeapInUse()) - withOne) / (copies - 1);
        };
        auto oursText = new KelRichText(m_frame, wxID_ANY);
        oursText->RegisteFaceInfoHandler(&m_faces);
        const double ours = heapPerCopy(
            [&](int n)
            {
                oursText->Clear();
                oursText->FromXML(FaceBurst(n), true);
                oursText->GetCommandProcessor()->ClearCommands();
                oursText->LayoutContent();
            });
        const wxImage still =
            wxFlagRichTextAnimation(FaceFile(0), wxANIMATION_TYPE_GIF).GetFrameBitmap(0).ConvertToImage();
        auto plainText = new wxRichTextCtrl(m_frame, wxID_ANY);
        const double plain = heapPerCopy(
            [&](int n)
            {
                plainText->Clear();
                plainText->Freeze();
                for (int i = 0; i < n; ++i)
                    plainText->WriteImage(still, wxBITMAP_TYPE_PNG);
                plainText->Thaw();
                plainText->GetCommandProcessor()->ClearCommands();
                plainText->LayoutContent();
            });
        Report("heap per extra copy of a face", ours, plain, "bytes");
        oursText->Destroy();
        plainText->Destroy();
    }

    BenchFaces m_faces;
    wxString m_oursSample, m_stillSample, m_oursMessage, m_stillMessage;
    wxFrame* m_frame = nullptr;
    KelRichText* m_ours = nullptr;
    wxRichTextCtrl* m_plain = nullptr;
    int m_length = 0;
    int m_result = 0;
};

wxIMPLEMENT_APP_NO_MAIN(BenchApp);

int main(int argc, char** argv)
{
    // GTK's overlay scroll bars repaint the edge of the window while they
    // fade, in both controls alike; they would only add noise.
    setenv("GTK_OVERLAY_SCROLLING", "0", 0);
    return wxEntry(argc, argv);
}
