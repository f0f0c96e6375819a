#include "localxmppserver.h"

#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <wx/dir.h>

#include <cerrno>
#include <cstdlib>

namespace
{

const int kStartTimeoutMs = 20000;
const char* const kFolderPrefix = "kelxmpp-";
// Written into each scratch folder: the pid of the program that made it.
const char* const kOwnerFile = "/owner.pid";

// A Lua string literal holding `text` (UTF-8).
wxString LuaString(const wxString& text)
{
    wxString quoted = "\"";
    for (wxUniChar c : text)
    {
        if (c == '\\' || c == '"')
            quoted << '\\' << c;
        else if (c == '\n')
            quoted << "\\n";
        else if (c.GetValue() < 0x20)
            quoted << wxString::Format("\\%03u", unsigned(c.GetValue()));
        else
            quoted << c;
    }
    return quoted + "\"";
}

// Runs a program with its output into `logPath`; returns its pid, or 0.
pid_t Spawn(const std::vector<wxString>& args, const wxString& logPath)
{
    std::vector<wxCharBuffer> buffers;
    for (const wxString& arg : args)
        buffers.push_back(arg.utf8_str());
    std::vector<char*> argv;
    for (wxCharBuffer& buffer : buffers)
        argv.push_back(buffer.data());
    argv.push_back(nullptr);

    const wxCharBuffer log = logPath.utf8_str();
    const pid_t pid = fork();
    if (pid == 0)
    {
        // The server goes with the program that started it, even when that
        // program crashes.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        const int input = open("/dev/null", O_RDONLY);
        const int output = open(log.data(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        dup2(input, 0);
        dup2(output, 1);
        dup2(output, 2);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    return pid > 0 ? pid : 0;
}

int WaitFor(pid_t pid)
{
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR)
        ;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool WriteText(const wxString& path, const wxString& text)
{
    wxFileName::Mkdir(wxFileName(path).GetPath(), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    const wxString temporary = path + ".tmp";
    wxFFile file(temporary, "wb");
    const wxScopedCharBuffer utf8 = text.utf8_str();
    if (!file.IsOpened() || file.Write(utf8.data(), utf8.length()) != utf8.length() || !file.Close())
        return false;
    return wxRenameFile(temporary, path, true);
}

long ReadPid(const wxString& path)
{
    if (!wxFileExists(path))
        return 0;
    wxFFile file(path, "rb");
    wxString text;
    long pid = 0;
    return file.IsOpened() && file.ReadAll(&text) && text.Trim().ToLong(&pid) ? pid : 0;
}

bool ProcessAlive(long pid)
{
    return pid > 0 && (kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

bool Accepts(unsigned short port)
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool accepted = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return accepted;
}

} // anonymous namespace

LocalXmppServer::LocalXmppServer()
{
    RemoveStaleFolders();
    char pattern[] = "/tmp/kelxmpp-XXXXXX";
    if (mkdtemp(pattern))
    {
        m_folder = pattern;
        WriteText(m_folder + kOwnerFile, wxString::Format("%ld\n", long(getpid())));
        StartFolderReaper();
    }
    m_port = FreePort();
    WriteConfig();
}

LocalXmppServer::~LocalXmppServer()
{
    Stop();
    if (!m_folder.empty())
        wxFileName::Rmdir(m_folder, wxPATH_RMDIR_RECURSIVE);
    if (m_reaperPipe >= 0)
        close(m_reaperPipe);
    if (m_reaper)
        WaitFor(m_reaper);
}

void LocalXmppServer::StartFolderReaper()
{
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0)
        return;
    const wxCharBuffer folder = m_folder.utf8_str();
    const pid_t pid = fork();
    if (pid == 0)
    {
        // Only calls safe after a fork here. The reaper outlives the program
        // by design: it reads until the program's end of the pipe closes,
        // whichever way the program ends, then removes the folder.
        signal(SIGINT, SIG_IGN);
        signal(SIGTERM, SIG_IGN);
        signal(SIGHUP, SIG_IGN);
        dup2(ends[0], 0);
        close_range(1, ~0U, 0);
        char byte;
        ssize_t got;
        do
            got = read(0, &byte, 1);
        while (got > 0 || (got < 0 && errno == EINTR));
        execlp("rm", "rm", "-rf", "--", folder.data(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(ends[0]);
    if (pid > 0)
    {
        m_reaper = pid;
        m_reaperPipe = ends[1];
    }
    else
        close(ends[1]);
}

void LocalXmppServer::RemoveStaleFolders()
{
    wxDir tmp("/tmp");
    wxString name;
    for (bool more = tmp.IsOpened() && tmp.GetFirst(&name, wxString(kFolderPrefix) + "*", wxDIR_DIRS); more;
         more = tmp.GetNext(&name))
    {
        const wxString folder = "/tmp/" + name;
        // A folder without an owner may be one being made right now.
        const long owner = ReadPid(folder + kOwnerFile);
        if (owner && !ProcessAlive(owner) && !ProcessAlive(ReadPid(folder + "/prosody.pid")))
            wxFileName::Rmdir(folder, wxPATH_RMDIR_RECURSIVE);
    }
}

unsigned short LocalXmppServer::FreePort()
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    unsigned short port = 0;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    close(fd);
    return port;
}

bool LocalXmppServer::RequireEncryption()
{
    return WriteConfig(true);
}

bool LocalXmppServer::WriteConfig(bool requireEncryption)
{
    // Loopback only, so plain sign-in without encryption is acceptable.
    wxString config;
    config << "run_as_root = true\n"
           << "daemonize = false\n"
           << "interfaces = { \"127.0.0.1\" }\n"
           << "c2s_ports = { " << m_port << " }\n"
           << "s2s_ports = {}\nhttp_ports = {}\nhttps_ports = {}\n"
           << "c2s_direct_tls_ports = {}\ns2s_direct_tls_ports = {}\n"
           << "data_path = " << LuaString(m_folder + "/data") << "\n"
           << "pidfile = " << LuaString(m_folder + "/prosody.pid") << "\n"
           << "certificates = " << LuaString(m_folder + "/certs") << "\n"
           << "log = { warn = " << LuaString(m_folder + "/prosody.log") << " }\n"
           << "c2s_require_encryption = " << (requireEncryption ? "true" : "false") << "\n"
           << "allow_unencrypted_plain_auth = true\n"
           << "authentication = \"internal_plain\"\n"
           << "modules_enabled = { \"roster\", \"saslauth\", \"disco\", \"presence\", \"message\", "
              "\"offline\", \"ping\", \"posix\""
           << (requireEncryption ? ", \"tls\"" : "") << " }\n"
           << "VirtualHost " << LuaString(Domain()) << "\n";
    wxFileName::Mkdir(m_folder + "/certs", wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    return WriteText(ConfigPath(), config);
}

bool LocalXmppServer::AddAccount(const wxString& user, const wxString& password)
{
    const pid_t pid = Spawn({"prosodyctl", "--config", ConfigPath(), "register", user, Domain(), password},
                            m_folder + "/prosodyctl.log");
    if (pid && WaitFor(pid) == 0)
        return true;
    m_error = "prosodyctl could not create the account " + user;
    return false;
}

bool LocalXmppServer::SetRoster(const wxString& user, const std::vector<RosterEntry>& entries)
{
    wxString roster = "return {\n\t[false] = { version = 1; pending = {} };\n";
    for (const RosterEntry& entry : entries)
    {
        roster << "\t[" << LuaString(entry.jid) << "] = { subscription = " << LuaString(entry.subscription);
        if (!entry.name.empty())
            roster << "; name = " << LuaString(entry.name);
        roster << "; groups = {";
        for (const wxString& group : entry.groups)
            roster << " [" << LuaString(group) << "] = true;";
        roster << " } };\n";
    }
    roster << "};\n";
    // The server keeps each account's data under its domain and user name,
    // both of which are plain here.
    return WriteText(m_folder + "/data/" + Domain() + "/roster/" + user + ".dat", roster);
}

bool LocalXmppServer::Start()
{
    if (IsRunning())
        return true;
    if (m_folder.empty() || !m_port)
    {
        m_error = "no scratch folder or free port for the server";
        return false;
    }
    m_pid = Spawn({"prosody", "--config", ConfigPath(), "-F"}, m_folder + "/prosody.out");
    if (!m_pid)
    {
        m_error = "prosody could not be started; is it installed?";
        return false;
    }
    if (WaitUntilListening(kStartTimeoutMs))
        return true;
    m_error = wxString::Format("prosody did not listen on 127.0.0.1:%u (see %s)", m_port, m_folder);
    Kill();
    return false;
}

bool LocalXmppServer::WaitUntilListening(int timeoutMs)
{
    wxStopWatch watch;
    while (watch.Time() < timeoutMs)
    {
        if (Accepts(m_port))
            return true;
        int status = 0;
        if (waitpid(m_pid, &status, WNOHANG) == m_pid)
        {
            m_pid = 0;
            return false;
        }
        wxMilliSleep(20);
    }
    return false;
}

void LocalXmppServer::Stop()
{
    End(SIGTERM);
}

void LocalXmppServer::Kill()
{
    End(SIGKILL);
}

void LocalXmppServer::End(int signal)
{
    if (!IsRunning())
        return;
    kill(m_pid, signal);
    WaitFor(m_pid);
    m_pid = 0;
}
