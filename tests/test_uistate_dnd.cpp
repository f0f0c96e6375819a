// Drag-and-drop data objects, drop targets and the multi-object adapters.
// A drop is fed the way the toolkit does it: the target's GetData fills its
// data object through SetData with the bytes the source wrote in GetDataHere.
#include <kelctrls/dnd.h>
#include <kelctrls/treelistctrl.h>

#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <wx/frame.h>
#include <wx/log.h>
#include <wx/panel.h>
#include <wx/textctrl.h>

#include <memory>
#include <thread>
#include <vector>

namespace
{

// The bytes a data object offers in a format, as a drag source sends them.
std::vector<char> RenderData(const wxDataObject& source, const wxDataFormat& format)
{
    std::vector<char> bytes(source.GetDataSize(format));
    if (!bytes.empty() && !source.GetDataHere(format, bytes.data()))
        bytes.clear();
    return bytes;
}

// Hands the bytes of a source object, in one format, to whatever data object
// the target holds, as a drop does.
template <class Target>
class FedTarget : public Target
{
public:
    template <class... Args>
    explicit FedTarget(Args&&... args) : Target(std::forward<Args>(args)...)
    {
    }

    void Feed(const wxDataFormat& format, const std::vector<char>& bytes)
    {
        m_format = format;
        m_bytes = bytes;
        m_fed = true;
    }

    bool GetData() override
    {
        return m_fed && this->GetDataObject()->SetData(m_format, m_bytes.size(), m_bytes.data());
    }

private:
    wxDataFormat m_format;
    std::vector<char> m_bytes;
    bool m_fed = false;
};

struct RecordingReceiver : KelDropReceverInterface
{
    void OnDndDataDrop(int x, int y, void* data) override
    {
        drops.push_back(wxPoint(x, y));
        received = data;
    }
    void OnEnter(int x, int y, wxDragResult) override
    {
        entered = wxPoint(x, y);
        ++enters;
        // A drag source must not hold the mouse while its drag runs.
        captureOnEnter = wxWindow::GetCapture();
    }
    void OnLeave() override { ++leaves; }

    std::vector<wxPoint> drops;
    void* received = nullptr;
    wxPoint entered;
    wxWindow* captureOnEnter = nullptr;
    int enters = 0;
    int leaves = 0;
};

} // anonymous namespace

TEST(DndObject, OffersItsPointerFirstAndABitmapForReadingOnly)
{
    int payload = 7;
    KelDndObject object("contact", &payload);
    const wxDataFormat own = KelDndObject::GetDndFormat("contact");

    EXPECT_EQ(own, object.GetPreferredFormat());
    ASSERT_EQ(2u, object.GetFormatCount(wxDataObject::Get));
    ASSERT_EQ(1u, object.GetFormatCount(wxDataObject::Set));

    wxDataFormat formats[2];
    object.GetAllFormats(formats, wxDataObject::Get);
    EXPECT_EQ(own, formats[0]);
    EXPECT_EQ(wxDataFormat(wxDF_BITMAP), formats[1]);

    wxDataFormat setFormats[1];
    object.GetAllFormats(setFormats, wxDataObject::Set);
    EXPECT_EQ(own, setFormats[0]);

    EXPECT_EQ(sizeof(void*), object.GetDataSize(own));
}

TEST(DndObject, PointerTravelsThroughTheBuffer)
{
    std::string contact = "alice@example.org";
    KelDndObject source("contact", &contact);
    KelDndObject target("contact");
    const wxDataFormat own = KelDndObject::GetDndFormat("contact");

    const std::vector<char> bytes = RenderData(source, own);
    ASSERT_EQ(sizeof(void*), bytes.size());
    ASSERT_TRUE(target.SetData(own, bytes.size(), bytes.data()));
    EXPECT_EQ(&contact, target.GetDndData());

    // Too short a buffer or a foreign format is refused and changes nothing.
    KelDndObject untouched("contact", &contact);
    EXPECT_FALSE(untouched.SetData(own, 2, bytes.data()));
    EXPECT_FALSE(untouched.SetData(wxDataFormat(wxDF_BITMAP), bytes.size(), bytes.data()));
    EXPECT_EQ(&contact, untouched.GetDndData());
}

TEST(DndObject, FormatsDifferBetweenNamesAndThreads)
{
    EXPECT_EQ(KelDndObject::GetDndFormatId("contact"), KelDndObject::GetDndFormatId("contact"));
    EXPECT_NE(KelDndObject::GetDndFormatId("contact"), KelDndObject::GetDndFormatId("group"));
    EXPECT_TRUE(KelDndObject::GetDndFormatId("contact").EndsWith("-contact"));

    wxString otherThreadId;
    std::thread([&otherThreadId] { otherThreadId = KelDndObject::GetDndFormatId("contact"); }).join();
    EXPECT_NE(KelDndObject::GetDndFormatId("contact"), otherThreadId);
    EXPECT_NE(KelDndObject::GetDndFormat("contact"), wxDataFormat(otherThreadId));
}

TEST(DndDropTarget, HandsTheDroppedPointerToTheReceiver)
{
    RecordingReceiver receiver;
    FedTarget<KelDndDropTarget> target(&receiver, "contact");

    EXPECT_EQ(wxDragCopy, target.OnEnter(3, 4, wxDragCopy));
    EXPECT_EQ(wxPoint(3, 4), receiver.entered);

    wxString contact = "bob";
    KelDndObject source("contact", &contact);
    const wxDataFormat own = KelDndObject::GetDndFormat("contact");
    target.Feed(own, RenderData(source, own));
    EXPECT_EQ(wxDragMove, target.OnData(10, 20, wxDragMove));
    ASSERT_EQ(1u, receiver.drops.size());
    EXPECT_EQ(wxPoint(10, 20), receiver.drops[0]);
    EXPECT_EQ(&contact, receiver.received);

    target.OnLeave();
    EXPECT_EQ(1, receiver.leaves);
}

TEST(DndDropTarget, RefusesDataItCannotRead)
{
    RecordingReceiver receiver;

    // A picture is offered but the target only takes its own pointer format.
    FedTarget<KelDndDropTarget> pictureTarget(&receiver, "contact");
    wxBitmapDataObject picture(wxBitmap(8, 8));
    pictureTarget.Feed(wxDataFormat(wxDF_BITMAP), RenderData(picture, wxDataFormat(wxDF_BITMAP)));
    {
        kel::test::LogCollector log;
        EXPECT_EQ(wxDragNone, pictureTarget.OnData(1, 1, wxDragCopy));
        EXPECT_TRUE(log.Logged("Failed to get drag and drop data"));
    }

    // A pointer of another name does not match either.
    FedTarget<KelDndDropTarget> otherName(&receiver, "group");
    KelDndObject contact("contact", &receiver);
    otherName.Feed(KelDndObject::GetDndFormat("contact"),
                   RenderData(contact, KelDndObject::GetDndFormat("contact")));
    {
        kel::test::LogCollector log;
        EXPECT_EQ(wxDragNone, otherName.OnData(1, 1, wxDragCopy));
    }
    EXPECT_TRUE(receiver.drops.empty());
}

TEST(FileDropTarget, PassesDroppedFilesToTheObserver)
{
    struct Observer : KelFileDropTargetObserver
    {
        bool OnObservedDropFiles(int x, int y, const wxArrayString& dropped) override
        {
            at = wxPoint(x, y);
            files = dropped;
            return answer;
        }
        wxPoint at;
        wxArrayString files;
        bool answer = true;
    } observer;

    FedTarget<KelFileDropTarget> target(&observer);
    wxFileDataObject files;
    files.AddFile("/tmp/report.txt");
    files.AddFile("/tmp/photo.jpg");
    target.Feed(files.GetFormat(), RenderData(files, files.GetFormat()));

    EXPECT_EQ(wxDragCopy, target.OnData(5, 6, wxDragCopy));
    EXPECT_EQ(wxPoint(5, 6), observer.at);
    ASSERT_EQ(2u, observer.files.size());
    EXPECT_EQ("/tmp/report.txt", observer.files[0]);
    EXPECT_EQ("/tmp/photo.jpg", observer.files[1]);

    observer.answer = false;
    EXPECT_EQ(wxDragNone, target.OnData(5, 6, wxDragCopy));

    KelFileDropTarget withoutObserver(nullptr);
    EXPECT_FALSE(withoutObserver.OnDropFiles(0, 0, observer.files));
}

TEST(MultiDropObjectAdapter, CombinesTheFormatsOfItsObjects)
{
    wxMutiDropObjectAdapter adapter;
    EXPECT_EQ(wxDF_INVALID, adapter.GetPreferredFormat().GetType());
    EXPECT_EQ(0u, adapter.GetFormatCount());

    wxTextDataObject* text = new wxTextDataObject("hello");
    wxFileDataObject* files = new wxFileDataObject;
    adapter.RegisterObject(text);
    adapter.RegisterObject(files);
    adapter.RegisterObject(nullptr);
    EXPECT_EQ(2u, adapter.GetObjectCount());

    const size_t count = adapter.GetFormatCount(wxDataObject::Get);
    ASSERT_EQ(text->GetFormatCount(wxDataObject::Get) + files->GetFormatCount(wxDataObject::Get), count);
    std::vector<wxDataFormat> formats(count);
    adapter.GetAllFormats(formats.data(), wxDataObject::Get);
    EXPECT_EQ(text->GetPreferredFormat(), formats.front());
    EXPECT_EQ(files->GetFormat(), formats.back());

    // Reading serves from the first object that has the format.
    const wxDataFormat textFormat = text->GetPreferredFormat();
    EXPECT_EQ(text->GetDataSize(textFormat), adapter.GetDataSize(textFormat));
    EXPECT_EQ(0u, adapter.GetDataSize(wxDataFormat("no-such-format")));
    char unused[4];
    EXPECT_FALSE(adapter.GetDataHere(wxDataFormat("no-such-format"), unused));
    EXPECT_EQ(nullptr, adapter.GetDataObject());

    // Writing makes the receiving object current.
    wxFileDataObject dropped;
    dropped.AddFile("/tmp/a.txt");
    const std::vector<char> bytes = RenderData(dropped, dropped.GetFormat());
    ASSERT_TRUE(adapter.SetData(dropped.GetFormat(), bytes.size(), bytes.data()));
    EXPECT_EQ(files, adapter.GetDataObject());
    EXPECT_EQ(files->GetPreferredFormat(), adapter.GetPreferredFormat());
    ASSERT_EQ(1u, files->GetFilenames().size());
    EXPECT_FALSE(adapter.SetData(wxDataFormat("no-such-format"), bytes.size(), bytes.data()));

    adapter.Release();
    EXPECT_EQ(0u, adapter.GetObjectCount());
    EXPECT_EQ(nullptr, adapter.GetDataObject());
}

TEST(MultiDropTargetAdapter, DropsReachTheObjectThatTookThem)
{
    struct Target : FedTarget<wxMutiDropTargetAdapter>
    {
        wxDragResult OnDropData(wxDataObject* object, wxCoord, wxCoord, wxDragResult def) override
        {
            dropped = object;
            return def;
        }
        wxDataObject* dropped = nullptr;
    } target;

    wxTextDataObject* text = new wxTextDataObject;
    wxFileDataObject* files = new wxFileDataObject;
    EXPECT_FALSE(target.AppendObject(nullptr));
    EXPECT_TRUE(target.AppendObject(text));
    EXPECT_TRUE(target.AppendObject(files));

    // Nothing fed yet: the drop fails without reaching OnDropData.
    EXPECT_EQ(wxDragNone, target.OnData(0, 0, wxDragCopy));
    EXPECT_EQ(nullptr, target.dropped);

    wxFileDataObject source;
    source.AddFile("/tmp/b.txt");
    target.Feed(source.GetFormat(), RenderData(source, source.GetFormat()));
    EXPECT_EQ(wxDragCopy, target.OnData(0, 0, wxDragCopy));
    EXPECT_EQ(files, target.dropped);

    wxTextDataObject words("some words");
    target.Feed(words.GetPreferredFormat(), RenderData(words, words.GetPreferredFormat()));
    EXPECT_EQ(wxDragCopy, target.OnData(0, 0, wxDragCopy));
    EXPECT_EQ(text, target.dropped);
    EXPECT_EQ("some words", text->GetText());
}

TEST(OrgDndData, CopiesAllFields)
{
    KelOrgDndData original;
    original.m_id = "dept-7";
    original.m_name = "Sales";
    original.m_type = 3;
    original.m_extra = "north";

    KelOrgDndData copy(original);
    KelOrgDndData assigned;
    assigned = original;
    for (const KelOrgDndData* data : {&copy, &assigned})
    {
        EXPECT_EQ("dept-7", data->m_id);
        EXPECT_EQ("Sales", data->m_name);
        EXPECT_EQ(3, data->m_type);
        EXPECT_EQ("north", data->m_extra);
    }
    EXPECT_EQ(0, KelOrgDndData().m_type);
}

// Real drags under the X server: the pointer is driven from another process
// while the drag's own loop runs. A contact list and a file source in one
// frame, a chat window in another whose text area takes files and whose
// rest takes contacts, as in the client.
class LiveDragTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_contacts = new wxFrame(nullptr, wxID_ANY, "contacts", wxPoint(0, 0), wxSize(250, 400));
        m_tree = new wxTreeListCtrl(m_contacts, wxID_ANY, wxPoint(0, 0), wxSize(250, 300),
                                    wxTR_HAS_BUTTONS | wxTR_HIDE_ROOT_FULL_ROW | wxTR_MULTIPLE);
        m_tree->AddColumn("Name", 240);
        const wxTreeItemId root = m_tree->AddRoot("root");
        const wxTreeItemId sales = m_tree->AppendItem(root, "Sales");
        m_anna = m_tree->AppendItem(sales, "Anna");
        m_bart = m_tree->AppendItem(sales, "Bart");
        m_carl = m_tree->AppendItem(sales, "Carl");
        m_tree->Expand(sales);
        m_tree->Bind(wxEVT_TREE_BEGIN_DRAG, &LiveDragTest::OnBeginContactDrag, this);
        m_tree->Bind(wxEVT_TREE_END_DRAG, [this](wxTreeEvent&) { ++m_treeEndDrags; });
        m_fileSource = new wxPanel(m_contacts, wxID_ANY, wxPoint(0, 300), wxSize(250, 100));
        m_fileSource->Bind(wxEVT_MOTION, &LiveDragTest::OnFileSourceMotion, this);

        m_chat = new wxFrame(nullptr, wxID_ANY, "chat", wxPoint(300, 0), wxSize(300, 400));
        m_chatArea = new wxPanel(m_chat, wxID_ANY, wxPoint(0, 0), wxSize(300, 200));
        m_chatArea->SetDropTarget(new KelDndDropTarget(&m_contactReceiver, "contact"));
        m_input = new wxTextCtrl(m_chat, wxID_ANY, "", wxPoint(0, 200), wxSize(300, 200), wxTE_MULTILINE);
        m_input->SetDropTarget(new KelFileDropTarget(&m_fileObserver));

        kel::test::ShowAndWait(m_contacts);
        kel::test::ShowAndWait(m_chat);
    }

    void TearDown() override
    {
        m_contacts->Destroy();
        m_chat->Destroy();
        kel::test::Pump(50);
    }

    // The contacts selected when a drag starts travel as a pointer to the
    // list of their names.
    void OnBeginContactDrag(wxTreeEvent&)
    {
        m_dragged.clear();
        wxArrayTreeItemIds selection;
        m_tree->GetSelections(selection);
        for (const wxTreeItemId item : selection)
            m_dragged.push_back(m_tree->GetItemText(item));
        KelDndObject data("contact", &m_dragged);
        m_result = RunDrag(data, m_tree);
    }

    void OnFileSourceMotion(wxMouseEvent& event)
    {
        if (!event.Dragging() || m_fileDragRunning)
            return;
        m_fileDragRunning = true;
        wxFileDataObject data;
        for (const wxString& file : m_filesToDrag)
            data.AddFile(file);
        m_result = RunDrag(data, m_fileSource);
        m_fileDragRunning = false;
    }

    static wxDragResult RunDrag(wxDataObject& data, wxWindow* from)
    {
        wxDropSource source(data, from);
        PointerDrag::Begins();
        return source.DoDragDrop(wxDrag_CopyOnly);
    }

    wxPoint RowPoint(const wxTreeItemId& item) const
    {
        wxRect rect;
        m_tree->GetBoundingRect(item, rect, true);
        return wxPoint(rect.x + 5, rect.y + rect.height / 2);
    }

    // After a drag that dropped nothing: no capture, nothing received, and
    // the tree answers clicks as if no drag had been.
    void ExpectNothingLeftOfTheDrag()
    {
        EXPECT_EQ(nullptr, wxWindow::GetCapture());
        EXPECT_EQ(nullptr, m_contactReceiver.captureOnEnter);
        EXPECT_TRUE(m_contactReceiver.drops.empty());
        EXPECT_TRUE(m_fileObserver.files.empty());

        kel::test::ClickAt(m_tree->GetMainWindow(), RowPoint(m_anna));
        EXPECT_TRUE(m_tree->IsSelected(m_anna));
        EXPECT_FALSE(m_tree->IsSelected(m_bart));
        kel::test::ClickAt(m_tree->GetMainWindow(), RowPoint(m_carl));
        EXPECT_TRUE(m_tree->IsSelected(m_carl));
        EXPECT_FALSE(m_tree->IsSelected(m_anna));
        EXPECT_EQ(0, m_treeEndDrags);
    }

    struct FileObserver : KelFileDropTargetObserver
    {
        bool OnObservedDropFiles(int, int, const wxArrayString& dropped) override
        {
            files = dropped;
            return true;
        }
        wxArrayString files;
    };

    wxFrame* m_contacts = nullptr;
    wxTreeListCtrl* m_tree = nullptr;
    wxPanel* m_fileSource = nullptr;
    wxFrame* m_chat = nullptr;
    wxPanel* m_chatArea = nullptr;
    wxTextCtrl* m_input = nullptr;
    wxTreeItemId m_anna, m_bart, m_carl;

    RecordingReceiver m_contactReceiver;
    FileObserver m_fileObserver;
    std::vector<wxString> m_dragged;
    wxArrayString m_filesToDrag;
    bool m_fileDragRunning = false;
    wxDragResult m_result = wxDragError;
    int m_treeEndDrags = 0;
};

TEST_F(LiveDragTest, ContactsDraggedFromTheTreeReachTheChatWindow)
{
    // One contact: the press selects it.
    ASSERT_TRUE(
        kel::test::DragAndDrop(m_tree->GetMainWindow(), RowPoint(m_bart), m_chatArea, wxPoint(150, 100)));
    EXPECT_EQ(wxDragCopy, m_result);
    EXPECT_EQ(1, m_contactReceiver.enters);
    EXPECT_EQ(nullptr, m_contactReceiver.captureOnEnter)
        << "the tree lets go of the mouse as the drag starts";
    ASSERT_EQ(1u, m_contactReceiver.drops.size());
    EXPECT_TRUE(wxRect(m_chatArea->GetClientSize()).Contains(m_contactReceiver.drops[0]));
    EXPECT_EQ(&m_dragged, m_contactReceiver.received);
    EXPECT_EQ(std::vector<wxString>{"Bart"}, m_dragged);
    EXPECT_EQ(nullptr, wxWindow::GetCapture());

    // Several: pressing one of the selected keeps the selection.
    m_tree->SelectItem(m_anna, wxTreeItemId(), true);
    m_tree->SelectItem(m_carl, wxTreeItemId(), false);
    m_contactReceiver = RecordingReceiver();
    m_result = wxDragError;
    ASSERT_TRUE(
        kel::test::DragAndDrop(m_tree->GetMainWindow(), RowPoint(m_carl), m_chatArea, wxPoint(60, 40)));
    EXPECT_EQ(wxDragCopy, m_result);
    ASSERT_EQ(1u, m_contactReceiver.drops.size());
    EXPECT_EQ(&m_dragged, m_contactReceiver.received);
    EXPECT_EQ((std::vector<wxString>{"Anna", "Carl"}), m_dragged);
    EXPECT_EQ(0, m_treeEndDrags) << "a drag and drop is no move inside the tree";
}

TEST_F(LiveDragTest, FilesDraggedOntoTheTextAreaReachTheFileObserver)
{
    const std::vector<std::vector<wxString>> drags = {
        {"/tmp/minutes.txt"},
        {"/tmp/plan b.pdf",
         wxString::FromUTF8("/tmp/\xC3\x9C"
                            "berblick.odt"),
         "/tmp/photo.jpg"},
    };
    for (const std::vector<wxString>& files : drags)
    {
        m_filesToDrag = wxArrayString(files.size(), files.data());
        m_fileObserver.files.clear();
        m_result = wxDragError;
        ASSERT_TRUE(kel::test::DragAndDrop(m_fileSource, wxPoint(100, 50), m_input, wxPoint(150, 100)));
        EXPECT_EQ(wxDragCopy, m_result);
        EXPECT_EQ(files, std::vector<wxString>(m_fileObserver.files.begin(), m_fileObserver.files.end()));
    }
    EXPECT_TRUE(m_contactReceiver.drops.empty()) << "files are no contacts";
}

TEST_F(LiveDragTest, ADragReleasedOutsideAnyTargetLeavesNothingBehind)
{
    // Over the tree's own frame, below the rows: no drop target there.
    ASSERT_TRUE(kel::test::DragAndDrop(m_tree->GetMainWindow(), RowPoint(m_bart), m_tree->GetMainWindow(),
                                       wxPoint(120, 250)));
    // The toolkit reports a drop that no target took as cancelled.
    EXPECT_EQ(wxDragCancel, m_result);
    ExpectNothingLeftOfTheDrag();
}

TEST_F(LiveDragTest, ADragCancelledWithEscapeLeavesNothingBehind)
{
    ASSERT_TRUE(
        kel::test::DragAndCancel(m_tree->GetMainWindow(), RowPoint(m_bart), m_chatArea, wxPoint(150, 100)));
    EXPECT_EQ(wxDragCancel, m_result);
    EXPECT_GE(m_contactReceiver.leaves, 1);
    ExpectNothingLeftOfTheDrag();

    // The next drag goes through.
    ASSERT_TRUE(
        kel::test::DragAndDrop(m_tree->GetMainWindow(), RowPoint(m_carl), m_chatArea, wxPoint(150, 100)));
    EXPECT_EQ(wxDragCopy, m_result);
    EXPECT_EQ(std::vector<wxString>{"Carl"}, m_dragged);
    EXPECT_EQ(1u, m_contactReceiver.drops.size());
}
