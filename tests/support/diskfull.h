// Makes the disk refuse writes for a while, so that tests can check what a
// writer leaves behind when its write fails.
#ifndef KELCTRLS_TESTS_DISKFULL_H
#define KELCTRLS_TESTS_DISKFULL_H

#include <gtest/gtest.h>

#include <wx/dir.h>
#include <wx/ffile.h>
#include <wx/log.h>

#include <csignal>
#include <functional>
#include <map>
#include <string>
#include <sys/resource.h>

namespace kel
{
namespace test
{

// While it lives, no file of this process can grow: every write that would
// add a byte to a file fails (EFBIG), as on a full disk. Creating, renaming
// and removing files still work. The tests run as root, for whom permission
// bits refuse nothing, so a file size limit is how a write is made to fail.
class DiskFull
{
public:
    DiskFull()
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit none = {0, m_old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &none);
    }
    ~DiskFull()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    DiskFull(const DiskFull&) = delete;
    DiskFull& operator=(const DiskFull&) = delete;

private:
    rlimit m_old;
    void (*m_oldHandler)(int);
};

// Every file below `folder`, hidden ones included, with its content: what a
// failed save must leave exactly as it was, with nothing added.
inline std::map<std::string, std::string> FilesBelow(const wxString& folder)
{
    wxArrayString paths;
    wxDir::GetAllFiles(folder, &paths, wxEmptyString, wxDIR_FILES | wxDIR_DIRS | wxDIR_HIDDEN);
    std::map<std::string, std::string> files;
    for (const wxString& path : paths)
    {
        wxFFile file(path, "rb");
        wxString content;
        file.ReadAll(&content, wxConvISO8859_1);
        files[path.ToStdString()] = content.ToStdString(wxConvISO8859_1);
    }
    return files;
}

// The names and sizes of the files, for messages.
inline std::string Sizes(const std::map<std::string, std::string>& files)
{
    std::string text;
    for (const auto& file : files)
        text += file.first + " (" + std::to_string(file.second.size()) + " bytes) ";
    return text;
}

// Runs `save` while the disk is full and checks that it left every file below
// `folder` as it was and added none (no temporary file either). Returns the
// number of errors `save` logged, for writers that report through the log.
inline int SaveOnFullDiskChangesNothing(const wxString& folder, const std::function<void()>& save)
{
    class ErrorCount : public wxLog
    {
    public:
        int errors = 0;

    protected:
        void DoLogRecord(wxLogLevel level, const wxString&, const wxLogRecordInfo&) override
        {
            errors += level == wxLOG_Error;
        }
    };

    const std::map<std::string, std::string> before = FilesBelow(folder);
    ErrorCount log;
    wxLog* const outer = wxLog::SetActiveTarget(&log);
    {
        DiskFull full;
        save();
    }
    wxLog::SetActiveTarget(outer);
    const std::map<std::string, std::string> after = FilesBelow(folder);
    EXPECT_TRUE(after == before) << "before: " << Sizes(before) << "\nafter: " << Sizes(after);
    return log.errors;
}

} // namespace test
} // namespace kel

#endif
