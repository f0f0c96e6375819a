// What the browser tests share. A small HTTP server on the loopback
// interface: it serves pages from a table, redirects the paths it is told
// to, answers 404 otherwise, and records every request (method, path and
// body); two servers are two origins. It runs on a thread of its own, so the
// test's main loop stays free for the web engine. And a fixture with a
// browser panel in a frame, with the clean-up after it.
#ifndef KELCTRLS_TESTS_SUPPORT_BROWSERTEST_H
#define KELCTRLS_TESTS_SUPPORT_BROWSERTEST_H

#include "testsupport.h"

#include <kelctrls/browser.h>
#include <kelctrls/platform/imcore.h>
#include <kelctrls/skin/windowbases.h>

#include <wx/frame.h>
#include <wx/utils.h>
#include <wx/webview.h>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kel
{
namespace test
{

class LoopbackServer
{
public:
    struct Request
    {
        std::string method;
        std::string path;
        std::string body;
    };

    LoopbackServer()
    {
        m_listener = socket(AF_INET, SOCK_STREAM, 0);
        const int yes = 1;
        setsockopt(m_listener, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof(address));
        socklen_t length = sizeof(address);
        getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
        listen(m_listener, 16);
        m_thread = std::thread([this] { Serve(); });
    }

    ~LoopbackServer()
    {
        shutdown(m_listener, SHUT_RDWR);
        close(m_listener);
        m_thread.join();
    }

    int GetPort() const { return m_port; }
    std::string Url(const std::string& path) const
    {
        return "http://127.0.0.1:" + std::to_string(m_port) + path;
    }

    void SetPage(const std::string& path, const std::string& html)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_pages[path] = html;
    }

    // Answers requests for `path` with a redirection to `location`.
    void SetRedirect(const std::string& path, const std::string& location)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_redirects[path] = location;
    }

    // Whether any request so far contained `text` in its path or body.
    bool Received(const std::string& text) const
    {
        for (const Request& request : GetRequests())
            if (request.path.find(text) != std::string::npos || request.body.find(text) != std::string::npos)
                return true;
        return false;
    }

    std::vector<Request> GetRequests() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_requests;
    }

    size_t CountRequests(const std::string& path) const
    {
        size_t count = 0;
        for (const Request& request : GetRequests())
            count += request.path == path;
        return count;
    }

private:
    void Serve()
    {
        for (;;)
        {
            const int client = accept(m_listener, nullptr, nullptr);
            if (client < 0)
                return;
            Answer(client);
            close(client);
        }
    }

    void Answer(int client)
    {
        std::string data;
        char chunk[4096];
        size_t headerEnd = std::string::npos;
        while (headerEnd == std::string::npos)
        {
            const ssize_t count = recv(client, chunk, sizeof(chunk), 0);
            if (count <= 0)
                return;
            data.append(chunk, static_cast<size_t>(count));
            headerEnd = data.find("\r\n\r\n");
        }
        const size_t bodyLength = ContentLength(data.substr(0, headerEnd));
        while (data.size() < headerEnd + 4 + bodyLength)
        {
            const ssize_t count = recv(client, chunk, sizeof(chunk), 0);
            if (count <= 0)
                break;
            data.append(chunk, static_cast<size_t>(count));
        }

        Request request;
        const size_t methodEnd = data.find(' ');
        const size_t pathEnd = data.find(' ', methodEnd + 1);
        request.method = data.substr(0, methodEnd);
        request.path = data.substr(methodEnd + 1, pathEnd - methodEnd - 1);
        request.body = data.substr(headerEnd + 4);

        std::string response;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_requests.push_back(request);
            const std::string path = request.path.substr(0, request.path.find('?'));
            const auto page = m_pages.find(path);
            const auto redirect = m_redirects.find(path);
            if (redirect != m_redirects.end())
                response = "HTTP/1.1 302 Found\r\nLocation: " + redirect->second +
                           "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
            else if (page == m_pages.end())
                response = Response("404 Not Found", "<html><body>missing</body></html>");
            else
                response = Response("200 OK", page->second);
        }
        send(client, response.data(), response.size(), MSG_NOSIGNAL);
    }

    static size_t ContentLength(const std::string& headers)
    {
        const std::string key = "\r\ncontent-length:";
        std::string lower = headers;
        for (char& c : lower)
            c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
        const size_t at = lower.find(key);
        return at == std::string::npos ? 0 : std::stoul(headers.substr(at + key.size()));
    }

    static std::string Response(const std::string& status, const std::string& body)
    {
        return "HTTP/1.1 " + status + "\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: " +
               std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
    }

    int m_listener = -1;
    int m_port = 0;
    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::map<std::string, std::string> m_pages;
    std::map<std::string, std::string> m_redirects;
    std::vector<Request> m_requests;
};

// The browser frames open now (pages open them as pop-ups and with OpenUrl).
inline std::vector<wxIEFrame*> OpenBrowserFrames()
{
    std::vector<wxIEFrame*> frames;
    for (wxObject* object : KelWindowManager::Get()->GetWindows())
        if (auto* frame = dynamic_cast<wxIEFrame*>(object))
            frames.push_back(frame);
    return frames;
}

// Closes the test's window and every browser frame, and gives the client's
// hooks their defaults back.
inline void CloseBrowserTest(wxFrame* host)
{
    for (wxIEFrame* frame : OpenBrowserFrames())
        frame->Destroy();
    host->Destroy();
    Pump(50);
    KelJabberJob::GetInstance()->SetEventHandler(nullptr);
    wxIEFrame::RegisterPhoneHandler(nullptr);
    wxIEPanel::SetDefaultBrowserLauncher([](const wxString& url) { return wxLaunchDefaultBrowser(url); });
}

// The value of `script` run in the page of `view`, as text.
inline wxString Eval(wxWebView* view, const wxString& script)
{
    wxString output;
    view->RunScript(script, &output);
    return output;
}

// A browser panel in a frame of its own, shown, for the user alice signed in
// with `password`; `client` answers the panel's calls to the client. The
// frame, every browser frame the pages opened and the client's hooks are
// put back after each test.
class BrowserPanelTest : public ::testing::Test
{
protected:
    void OpenPanel(const wxString& title, wxIECallBase* callBase, wxEvtHandler* client,
                   const wxString& password, bool passwordEncrypted)
    {
        KelJabberJob* job = KelJabberJob::GetInstance();
        job->SetMyJid("alice@example.org/desk");
        job->SetMyPassWord(password, passwordEncrypted);
        job->SetEventHandler(client);
        m_frame = new wxFrame(nullptr, wxID_ANY, title, wxDefaultPosition, wxSize(640, 480));
        m_panel = new wxIEPanel(m_frame, callBase, wxID_ANY, wxPoint(0, 0), wxSize(600, 400));
        m_frame->Show();
    }

    void TearDown() override
    {
        if (m_frame)
            CloseBrowserTest(m_frame);
    }

    wxWebView* View() const { return m_panel->GetIEWindow()->GetWebView(); }
    static wxString Eval(wxWebView* view, const wxString& script) { return test::Eval(view, script); }
    wxString Eval(const wxString& script) const { return Eval(View(), script); }

    wxFrame* m_frame = nullptr;
    wxIEPanel* m_panel = nullptr;
};

} // namespace test
} // namespace kel

#endif
