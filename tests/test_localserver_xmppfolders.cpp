// The private server's scratch folders: gone when their program ends,
// however it ends, and those left by older runs cleared away.
#include "testsupport.h"

#include <localxmppserver.h>

#include <wx/ffile.h>
#include <wx/filename.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

using kel::test::WaitUntil;

namespace
{

wxString MakeFolder(const wxString& owner)
{
    char pattern[] = "/tmp/kelxmpp-testXXXXXX";
    EXPECT_NE(nullptr, mkdtemp(pattern));
    if (!owner.empty())
    {
        wxFFile file(wxString(pattern) + "/owner.pid", "wb");
        file.Write(owner);
    }
    return pattern;
}

// The pid of a process that has ended.
pid_t EndedProcess()
{
    const pid_t pid = fork();
    if (pid == 0)
        _exit(0);
    waitpid(pid, nullptr, 0);
    return pid;
}

TEST(XmppScratchFolders, FoldersOfEndedProgramsGoAndOthersStay)
{
    const wxString stale = MakeFolder(wxString::Format("%d\n", int(EndedProcess())));
    const wxString live = MakeFolder(wxString::Format("%d\n", int(getpid())));
    const wxString beingMade = MakeFolder(wxString());
    {
        LocalXmppServer server;
        EXPECT_FALSE(wxDirExists(stale));
        EXPECT_TRUE(wxDirExists(live));
        EXPECT_TRUE(wxDirExists(beingMade));
        EXPECT_TRUE(wxDirExists(server.GetFolder()));
    }
    for (const wxString& folder : {live, beingMade})
        wxFileName::Rmdir(folder, wxPATH_RMDIR_RECURSIVE);
}

TEST(XmppScratchFolders, AProgramKilledOutrightLeavesNoFolder)
{
    int toParent[2], toChild[2];
    ASSERT_EQ(0, pipe(toParent));
    ASSERT_EQ(0, pipe(toChild));
    const pid_t child = fork();
    if (child == 0)
    {
        auto* server = new LocalXmppServer;
        const std::string folder = server->GetFolder().ToStdString();
        if (write(toParent[1], folder.data(), folder.size()) < 0)
            _exit(1);
        close(toParent[1]);
        char go;
        if (read(toChild[0], &go, 1) < 0)
            _exit(1);
        raise(SIGKILL);
    }
    close(toParent[1]);
    close(toChild[0]);
    char buffer[256];
    const ssize_t length = read(toParent[0], buffer, sizeof buffer);
    ASSERT_GT(length, 0);
    const wxString folder = wxString::FromUTF8(buffer, size_t(length));
    EXPECT_TRUE(wxDirExists(folder)) << folder;
    ASSERT_EQ(1, write(toChild[1], "!", 1));
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_TRUE(WaitUntil([&] { return !wxDirExists(folder); }, 10000)) << folder;
    close(toParent[0]);
    close(toChild[1]);
}

} // anonymous namespace
