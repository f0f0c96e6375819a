#include "support/testsupport.h"

#include <kelctrls/uistate.h>

#include <gtest/gtest.h>

#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/frame.h>
#include <wx/textctrl.h>

#include <ctime>

namespace
{

// ---------------------------------------------------------------------------
// Records

TEST(RecordBase, TypedValuesAreStoredAsText)
{
    wxRecordBase record;
    record.SetInt("int", -42);
    record.SetLong("long", 1234567890L);
    record.SetFloat("float", 1.5f);
    record.SetBool("yes", true);
    record.SetBool("no", false);
    EXPECT_EQ(record.GetString("int"), "-42");
    EXPECT_EQ(record.GetString("long"), "1234567890");
    EXPECT_EQ(record.GetString("float"), "1.500000");
    EXPECT_EQ(record.GetString("yes"), "1");
    EXPECT_EQ(record.GetString("no"), "0");
    EXPECT_EQ(record.GetInt("int", 7), -42);
    EXPECT_EQ(record.GetLong("long", 7), 1234567890L);
    EXPECT_FLOAT_EQ(record.GetFloat("float", 7), 1.5f);
    EXPECT_TRUE(record.GetBool("yes", false));
    EXPECT_FALSE(record.GetBool("no", true));
}

TEST(RecordBase, NumbersComeFromLeadingDigitsAndDefaultsOnlyForMissingColumns)
{
    wxRecordBase record;
    record.SetString("mixed", "12ab");
    record.SetString("letters", "abc");
    record.SetString("empty", "");
    EXPECT_EQ(record.GetInt("mixed", 99), 12);
    EXPECT_EQ(record.GetInt("letters", 99), 0);
    EXPECT_EQ(record.GetLong("empty", 99), 0);
    EXPECT_FALSE(record.GetBool("letters", true));
    EXPECT_EQ(record.GetInt("missing", 99), 99);
    EXPECT_EQ(record.GetString("missing", "def"), "def");
    EXPECT_TRUE(record.GetBool("missing", true));
    EXPECT_TRUE(record.ExistColumn("empty"));
    EXPECT_FALSE(record.ExistColumn("missing"));
    EXPECT_FALSE(record.ExistColumn("Mixed")) << "names are case-sensitive";
}

TEST(RecordBase, CopiesAreIndependent)
{
    wxRecordBase source;
    source.SetString("a", "1");
    source.SetString("b", "2");

    wxRecordBase copy(source);
    copy.SetString("a", "changed");
    copy.SetString("c", "3");
    EXPECT_EQ(source.GetString("a"), "1");
    EXPECT_FALSE(source.ExistColumn("c"));

    wxRecordBase assigned;
    assigned.SetString("old", "x");
    assigned = source;
    EXPECT_FALSE(assigned.ExistColumn("old")) << "assignment releases the old columns";
    EXPECT_EQ(assigned.GetString("b"), "2");
    assigned = assigned;
    EXPECT_EQ(assigned.GetString("b"), "2");

    assigned.Release();
    EXPECT_FALSE(assigned.ExistColumn("a"));
    EXPECT_TRUE(assigned.Save());
}

TEST(RecordBase, ColumnsAreCopiesMarkedModified)
{
    wxRecordBase record;
    for (int i = 0; i < 300; ++i)
        record.SetInt(wxString::Format("col%d", i), i);
    wxColumnArray columns = record.GetColumns();
    ASSERT_EQ(columns.size(), 300u);
    int sum = 0;
    for (size_t i = 0; i < columns.size(); ++i)
    {
        EXPECT_EQ(columns[i].GetModified(), 1);
        EXPECT_EQ(columns[i].GetName(), "col" + columns[i].GetValue());
        sum += record.GetInt(columns[i].GetName());
    }
    EXPECT_EQ(sum, 299 * 300 / 2);
    columns[0].SetValue("changed");
    EXPECT_NE(record.GetString(columns[0].GetName()), "changed");

    Column_Value value("x");
    EXPECT_EQ(value.GetValue(), "");
    EXPECT_EQ(value.GetModified(), 0);
    Column_Value other("y");
    other.SetValue("v");
    value.Copy(other);
    EXPECT_EQ(value.GetName(), "y");
    EXPECT_EQ(value.GetModified(), 1);
    EXPECT_EQ(columns.Index(columns[3]), 3);
    EXPECT_EQ(columns.Index(value), wxNOT_FOUND) << "Index compares addresses";
}

TEST(UIRecord, EveryRecordIsStampedWithItsCreationTime)
{
    const long before = static_cast<long>(time(nullptr));
    wxUIRecord record;
    EXPECT_GE(record.GetTime(), before);
    EXPECT_LE(record.GetTime(), static_cast<long>(time(nullptr)));

    wxUIRecord old;
    old.SetLong("BUILD_TIME", 1000);
    old.SetString("TEXT_VALUE", "x");
    wxUIRecord copy(old);
    EXPECT_GE(copy.GetTime(), before) << "a copy is a new record";
    EXPECT_EQ(copy.GetString("TEXT_VALUE"), "x");
    wxUIRecord assigned;
    assigned = old;
    EXPECT_EQ(assigned.GetTime(), 1000) << "assignment takes the source's time";
}

// ---------------------------------------------------------------------------
// UI state keeper

class UIKeeperTest : public kel::test::TempCwdTest
{
protected:
    void SetUp() override
    {
        kel::test::TempCwdTest::SetUp();
        m_frame = new wxFrame(nullptr, wxID_ANY, "keeper");
        Recreate();
    }

    void TearDown() override
    {
        for (wxWindow* window : {(wxWindow*)m_text, (wxWindow*)m_combo, (wxWindow*)m_check})
            wxUIKeeper::GetInstance()->Detach(window);
        m_frame->Destroy();
        kel::test::Pump();
        kel::test::TempCwdTest::TearDown();
    }

    // New controls, as a window opened again after a restart would have.
    void Recreate()
    {
        if (m_text)
        {
            m_text->Destroy();
            m_combo->Destroy();
            m_check->Destroy();
        }
        const wxString choices[] = {"Everyone", "Department", "Friends"};
        m_text = new wxTextCtrl(m_frame, wxID_ANY);
        m_combo = new wxComboBox(m_frame, wxID_ANY, "", wxDefaultPosition, wxDefaultSize, 3, choices,
                                 wxCB_READONLY);
        m_check = new wxCheckBox(m_frame, wxID_ANY, "Remember");
    }

    void AttachAll()
    {
        wxUIKeeper* keeper = wxUIKeeper::GetInstance();
        keeper->Attach(new wxTextUIHandler(m_text, "search"));
        keeper->Attach(new wxComboBoxUIHandler(m_combo, "scope"));
        keeper->Attach(new wxCheckBoxUIHandler(m_check, "remember"));
    }

    void DetachAll()
    {
        wxUIKeeper* keeper = wxUIKeeper::GetInstance();
        keeper->Detach(m_text);
        keeper->Detach(m_combo);
        keeper->Detach(m_check);
    }

    wxFrame* m_frame = nullptr;
    wxTextCtrl* m_text = nullptr;
    wxComboBox* m_combo = nullptr;
    wxCheckBox* m_check = nullptr;
};

TEST_F(UIKeeperTest, StatesRoundTripThroughTheRecordFile)
{
    AttachAll();
    EXPECT_EQ(m_text->GetValue(), "") << "nothing stored yet";
    EXPECT_EQ(m_combo->GetSelection(), 0);
    EXPECT_FALSE(m_check->GetValue());

    m_text->ChangeValue("alice@example.org");
    m_combo->SetSelection(2);
    m_check->SetValue(true);
    DetachAll();

    const wxString file = ReadFile("CONFIG/UiRecord.ini");
    EXPECT_TRUE(file.Contains("[TEXTCTRL/search]")) << file;
    EXPECT_TRUE(file.Contains("TEXT_VALUE=alice@example.org"));
    EXPECT_TRUE(file.Contains("[COMBOBOXCTRL/scope]"));
    EXPECT_TRUE(file.Contains("COMBO_SELECT_INDEX=2"));
    EXPECT_TRUE(file.Contains("[CHECKBOXCTRL/remember]"));
    EXPECT_TRUE(file.Contains("CHECK_SELECT_VALUE=1"));
    size_t stamps = 0;
    for (size_t pos = file.find("BUILD_TIME="); pos != wxString::npos;
         pos = file.find("BUILD_TIME=", pos + 1))
        ++stamps;
    EXPECT_EQ(stamps, 3u) << "every group has its time of saving";

    Recreate();
    AttachAll();
    EXPECT_EQ(m_text->GetValue(), "alice@example.org");
    EXPECT_EQ(m_combo->GetSelection(), 2);
    EXPECT_TRUE(m_check->GetValue());
}

TEST_F(UIKeeperTest, EncodedAtSignsAreRestored)
{
    wxUIKeeper* keeper = wxUIKeeper::GetInstance();
    keeper->Attach(new wxTextUIHandler(m_text, "mail"));
    m_text->ChangeValue("bob\\40example.org");
    keeper->Detach(m_text);
    keeper->Attach(new wxTextUIHandler(m_text, "mail"));
    EXPECT_EQ(m_text->GetValue(), "bob@example.org");
}

TEST_F(UIKeeperTest, RestoringSendsNoTextEvent)
{
    WriteFile("CONFIG/UiRecord.ini", "[TEXTCTRL/quiet]\nTEXT_VALUE=hello\n");
    int changes = 0;
    m_text->Bind(wxEVT_TEXT, [&](wxCommandEvent&) { ++changes; });
    wxUIKeeper::GetInstance()->Attach(new wxTextUIHandler(m_text, "quiet"));
    EXPECT_EQ(m_text->GetValue(), "hello");
    EXPECT_EQ(changes, 0);
}

TEST_F(UIKeeperTest, BadValuesGiveDefaults)
{
    WriteFile("CONFIG/UiRecord.ini", "[COMBOBOXCTRL/scope]\nCOMBO_SELECT_INDEX=1x\n"
                                     "[CHECKBOXCTRL/remember]\nCHECK_SELECT_VALUE=yes\n"
                                     "[COMBOBOXCTRL/far]\nCOMBO_SELECT_INDEX=99\n");
    wxUIKeeper* keeper = wxUIKeeper::GetInstance();
    keeper->Attach(new wxComboBoxUIHandler(m_combo, "scope"));
    keeper->Attach(new wxCheckBoxUIHandler(m_check, "remember"));
    EXPECT_EQ(m_combo->GetSelection(), 1);
    EXPECT_FALSE(m_check->GetValue());

    keeper->Detach(m_combo);
    m_combo->SetSelection(2);
    keeper->Attach(new wxComboBoxUIHandler(m_combo, "far"));
    EXPECT_EQ(m_combo->GetSelection(), 2) << "an index the list lacks changes nothing";
}

TEST_F(UIKeeperTest, RepeatedGroupsOfAHandEditedFileAreRead)
{
    WriteFile("CONFIG/UiRecord.ini", "[TEXTCTRL/search]\nTEXT_VALUE=first\n[CHECKBOXCTRL/remember]\n"
                                     "CHECK_SELECT_VALUE=1\n[TEXTCTRL/search]\nBUILD_TIME=5\n");
    wxUIKeeper* keeper = wxUIKeeper::GetInstance();
    keeper->Attach(new wxTextUIHandler(m_text, "search"));
    keeper->Attach(new wxCheckBoxUIHandler(m_check, "remember"));
    EXPECT_EQ(m_text->GetValue(), "first");
    EXPECT_TRUE(m_check->GetValue());
    m_text->ChangeValue("second");
    keeper->Detach(m_text);
    keeper->Attach(new wxTextUIHandler(m_text, "search"));
    EXPECT_EQ(m_text->GetValue(), "second");
}

TEST_F(UIKeeperTest, FirstHandlerOfAWindowIsKept)
{
    WriteFile("CONFIG/UiRecord.ini", "[TEXTCTRL/first]\nTEXT_VALUE=one\n[TEXTCTRL/second]\nTEXT_VALUE=two\n");
    wxUIKeeper* keeper = wxUIKeeper::GetInstance();
    wxTextUIHandler* first = new wxTextUIHandler(m_text, "first");
    wxTextUIHandler second(m_text, "second");
    keeper->Attach(first);
    keeper->Attach(&second);
    EXPECT_EQ(m_text->GetValue(), "two") << "restored through the new handler";
    EXPECT_EQ(keeper->GetUIHandler(m_text), first);

    m_text->ChangeValue("three");
    keeper->Detach(&second); // keyed by the window: detaches the first handler
    EXPECT_EQ(keeper->GetUIHandler(m_text), nullptr);
    const wxString file = ReadFile("CONFIG/UiRecord.ini");
    EXPECT_TRUE(file.Contains("[TEXTCTRL/first]\nTEXT_VALUE=three")) << file;
    EXPECT_TRUE(file.Contains("[TEXTCTRL/second]\nTEXT_VALUE=two"));

    keeper->Detach(m_text); // nothing attached: nothing happens
}

TEST_F(UIKeeperTest, HandlersSurviveDetachWithoutAutoDestroy)
{
    wxUIKeeper* keeper = wxUIKeeper::GetInstance();
    keeper->SetAutoDestoryUIHandler(false);
    wxCheckBoxUIHandler handler(m_check, "manual");
    keeper->Attach(&handler);
    m_check->SetValue(true);
    keeper->Detach(&handler);
    keeper->SetAutoDestoryUIHandler(true);
    EXPECT_EQ(handler.GetWindow(), m_check);
    EXPECT_TRUE(ReadFile("CONFIG/UiRecord.ini").Contains("[CHECKBOXCTRL/manual]"));
}

} // anonymous namespace
