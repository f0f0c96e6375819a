// The main of every test program: starts the toolkit once, turns its log
// messages and failed assertions into output and test failures (a dialog
// would wait forever on the headless display), then runs the tests.
#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/log.h>

#include <cstdio>

namespace
{

class TestApp : public wxApp
{
public:
    bool OnInit() override
    {
        wxInitAllImageHandlers();
        return true;
    }
};

void ReportAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                  const wxString& msg)
{
    const wxString where = wxString::Format("%s:%d in %s", file, line, func);
    if (::testing::UnitTest::GetInstance()->current_test_info())
        ADD_FAILURE() << "toolkit assertion \"" << cond << "\" failed at " << where << ": " << msg;
    else
        std::fprintf(stderr, "toolkit assertion \"%s\" failed at %s: %s\n",
                     static_cast<const char*>(cond.utf8_str()), static_cast<const char*>(where.utf8_str()),
                     static_cast<const char*>(msg.utf8_str()));
}

} // anonymous namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);

    wxApp::SetInstance(new TestApp);
    if (!wxEntryStart(argc, argv))
    {
        std::fprintf(stderr, "cannot start the toolkit: is there a display? (run under tests/xrun)\n");
        return 1;
    }
    delete wxLog::SetActiveTarget(new wxLogStderr);
    wxSetAssertHandler(ReportAssert);
    if (!wxTheApp->CallOnInit())
        return 1;

    const int result = RUN_ALL_TESTS();

    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
