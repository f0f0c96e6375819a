// A private Jabber server for the demo, the tests and the benchmarks: a
// Prosody child process on a free port of 127.0.0.1, with a generated
// configuration and its data in a scratch folder of its own. Nothing
// listens beyond the loopback interface. The folder goes with the object,
// and with the program on any other exit, a crash included (a small child
// process waits for the program to end and removes it); folders that an
// ended program left behind, whose server is gone, are removed when the
// next server is made.
#ifndef KELCTRLS_LOCALXMPPSERVER_H
#define KELCTRLS_LOCALXMPPSERVER_H

#include <wx/arrstr.h>
#include <wx/string.h>

#include <sys/types.h>

#include <vector>

class LocalXmppServer
{
public:
    struct RosterEntry
    {
        wxString jid;
        wxString name;
        wxArrayString groups;
        wxString subscription = "both";
    };

    // The server's domain; accounts are user@Domain().
    static wxString Domain() { return "localhost"; }

    LocalXmppServer();
    ~LocalXmppServer();

    // Creates an account; works before and after Start.
    bool AddAccount(const wxString& user, const wxString& password);
    // Replaces the stored roster of an account. Takes effect for sessions
    // that sign in after it, so call it before Start.
    bool SetRoster(const wxString& user, const std::vector<RosterEntry>& entries);

    // Makes the server offer only an encrypted connection that it cannot set
    // up (it has no certificate): every sign-in fails in the encryption
    // step. Call it before Start.
    bool RequireEncryption();

    // Starts the server and waits until it accepts connections. False, with
    // GetError() saying why, when it did not come up.
    bool Start();
    // Ends the server the polite way and waits for it.
    void Stop();
    // Ends the server at once, as a crash would; Start brings it back on the
    // same port with the same data.
    void Kill();
    bool IsRunning() const { return m_pid > 0; }

    unsigned short GetPort() const { return m_port; }
    wxString GetHost() const { return "127.0.0.1"; }
    wxString GetError() const { return m_error; }
    wxString GetFolder() const { return m_folder; }

    // A loopback port nobody listens on at the moment of asking.
    static unsigned short FreePort();

    // Removes the scratch folders of servers whose program has ended.
    static void RemoveStaleFolders();

private:
    wxString ConfigPath() const { return m_folder + "/prosody.cfg.lua"; }
    bool WriteConfig(bool requireEncryption = false);
    void StartFolderReaper();
    bool WaitUntilListening(int timeoutMs);
    void End(int signal);

    wxString m_folder;
    unsigned short m_port = 0;
    pid_t m_pid = 0;
    pid_t m_reaper = 0;
    int m_reaperPipe = -1;
    wxString m_error;
};

#endif
