#include "fuzzsupport.h"

#include <wx/app.h>
#include <wx/ffile.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/log.h>

#include <cstdio>
#include <cstdlib>

namespace
{

void AbortOnAssert(const wxString& file, int line, const wxString&, const wxString& cond, const wxString& msg)
{
    std::fprintf(stderr, "assertion \"%s\" failed at %s:%d: %s\n", static_cast<const char*>(cond.utf8_str()),
                 static_cast<const char*>(file.utf8_str()), line, static_cast<const char*>(msg.utf8_str()));
    std::abort();
}

} // anonymous namespace

void KelFuzzInitGui()
{
    static bool started = false;
    if (started)
        return;
    started = true;

    int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv))
    {
        std::fprintf(stderr, "cannot start the toolkit (is there a display?)\n");
        std::exit(1);
    }
    delete wxLog::SetActiveTarget(new wxLogStderr);
    wxLog::EnableLogging(false);
    wxSetAssertHandler(AbortOnAssert);
    wxInitAllImageHandlers();
}

wxString KelFuzzTempDir()
{
    static wxString dir;
    if (dir.empty())
    {
        char pattern[] = "/tmp/kelctrls-fuzz-XXXXXX";
        if (!mkdtemp(pattern))
            std::abort();
        dir = pattern;
    }
    return dir;
}

wxString KelFuzzWriteInput(const uint8_t* data, size_t size, const wxString& name)
{
    const wxString path = KelFuzzTempDir() + "/" + name;
    wxFFile out(path, "wb");
    if (!out.IsOpened() || out.Write(data, size) != size)
        std::abort();
    return path;
}
