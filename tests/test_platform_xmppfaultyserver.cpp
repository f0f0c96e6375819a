// The Jabber connection against a server that misbehaves: broken XML, a
// stanza without end, stanzas nobody knows. Each ends in a clear error
// rather than a crash or a hang, and the client then signs in to a real
// server as if nothing happened.
#include "testsupport.h"

#include <localxmppserver.h>

#include <kelctrls/platform/xmppclient.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

using kel::test::WaitUntil;

namespace
{

const char* const kStreamHeader = "<?xml version='1.0'?><stream:stream xmlns='jabber:client' "
                                  "xmlns:stream='http://etherx.jabber.org/streams' from='localhost' "
                                  "id='fake' version='1.0'>";

// What the fake server waits for from the client, and its answer.
struct Exchange
{
    std::string awaited;
    std::string reply;
};

// Accepts one connection on loopback and plays a script: waits for each
// awaited text (after the one before), answers with its reply, then keeps the
// connection open until it goes.
class FakeServer
{
public:
    explicit FakeServer(std::vector<Exchange> script) : m_script(std::move(script))
    {
        m_listener = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        bind(m_listener, reinterpret_cast<sockaddr*>(&address), length);
        listen(m_listener, 1);
        getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
        m_thread = std::thread([this] { Serve(); });
    }

    ~FakeServer()
    {
        m_stop = true;
        shutdown(m_listener, SHUT_RDWR);
        if (m_client >= 0)
            shutdown(m_client, SHUT_RDWR);
        m_thread.join();
        close(m_listener);
    }

    unsigned short GetPort() const { return m_port; }

private:
    void Serve()
    {
        m_client = accept(m_listener, nullptr, nullptr);
        if (m_client < 0)
            return;
        std::string received;
        size_t from = 0;
        char buffer[4096];
        for (const Exchange& step : m_script)
        {
            while (!m_stop && received.find(step.awaited, from) == std::string::npos)
            {
                const ssize_t n = read(m_client, buffer, sizeof buffer);
                if (n <= 0)
                    return;
                received.append(buffer, size_t(n));
            }
            from = received.find(step.awaited, from) + step.awaited.size();
            Send(step.reply);
        }
        while (!m_stop && read(m_client, buffer, sizeof buffer) > 0)
            ;
        close(m_client);
    }

    void Send(const std::string& reply)
    {
        for (size_t sent = 0; !m_stop && sent < reply.size();)
        {
            const ssize_t n = send(m_client, reply.data() + sent, reply.size() - sent, MSG_NOSIGNAL);
            if (n <= 0)
                break;
            sent += size_t(n);
        }
    }

    std::vector<Exchange> m_script;
    int m_listener = -1;
    std::atomic<int> m_client{-1};
    unsigned short m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

class XmppFaultyServerTest : public ::testing::Test
{
protected:
    void SetUp() override { m_client.SetSignInTimeout(5000); }

    // Signs in against a fake server that answers the stream header with
    // `reply` and plays `more`; returns the error the client ends with.
    wxString SignInAgainst(const std::string& reply, const std::vector<Exchange>& more = {})
    {
        std::vector<Exchange> script = {{"<stream:stream", reply}};
        script.insert(script.end(), more.begin(), more.end());
        FakeServer fake(script);
        m_client.SetServer("127.0.0.1", fake.GetPort());
        EXPECT_TRUE(m_client.SignIn("alice@localhost", "secret"));
        EXPECT_TRUE(WaitUntil([&] { return m_client.GetState() == KelXmppState::Offline; }, 30000));
        return m_client.GetLastError();
    }

    // The client that met the faulty server still signs in to a real one.
    void ExpectStillUsable()
    {
        LocalXmppServer server;
        ASSERT_TRUE(server.AddAccount("alice", "secret"));
        ASSERT_TRUE(server.Start()) << server.GetError();
        m_client.SetServer(server.GetHost(), server.GetPort());
        ASSERT_TRUE(m_client.SignIn("alice@" + LocalXmppServer::Domain(), "secret"));
        EXPECT_TRUE(WaitUntil([&] { return m_client.IsOnline(); }, 20000)) << m_client.GetLastError();
        m_client.SignOut();
    }

    KelXmppClient m_client;
};

TEST_F(XmppFaultyServerTest, MalformedXmlEndsTheSignInWithAnError)
{
    const wxString error =
        SignInAgainst(std::string(kStreamHeader) + "<stream:features><mechanisms a='1' a='2'></oops>");
    EXPECT_TRUE(error.Contains("XML that cannot be read")) << error;
    ExpectStillUsable();
}

TEST_F(XmppFaultyServerTest, OversizedStanzaEndsTheConnection)
{
    m_client.SetMaxStanzaSize(1 << 20);
    std::string reply = std::string(kStreamHeader) + "<message><body>";
    reply.append(8 << 20, 'x');
    const wxString error = SignInAgainst(reply);
    EXPECT_TRUE(error.Contains("larger than 1048576 bytes")) << error;
    ExpectStillUsable();
}

TEST_F(XmppFaultyServerTest, ServerThatStopsTalkingEndsTheSignInInTime)
{
    m_client.SetSignInTimeout(2000);
    const wxString error = SignInAgainst(std::string(kStreamHeader) + "<stream:features>");
    EXPECT_TRUE(error.Contains("did not complete the sign-in")) << error;
}

TEST_F(XmppFaultyServerTest, RefusedEncryptionAndStreamErrorsHaveMessagesOfTheirOwn)
{
    const std::string requiresTls = std::string(kStreamHeader) +
                                    "<stream:features><starttls xmlns='urn:ietf:params:xml:ns:xmpp-tls'>"
                                    "<required/></starttls></stream:features>";
    const std::string proceed = "<proceed xmlns='urn:ietf:params:xml:ns:xmpp-tls'/>";
    wxString error =
        SignInAgainst(requiresTls, {{"<starttls", "<failure xmlns='urn:ietf:params:xml:ns:xmpp-tls'/>"}});
    EXPECT_TRUE(error.Contains("encrypted connection (TLS)")) << error;
    EXPECT_TRUE(error.Contains("refused")) << error;

    // The server agrees to encrypt, then answers the handshake with no TLS.
    error = SignInAgainst(requiresTls,
                          {{"<starttls", proceed}, {"\x16\x03", "HTTP/1.1 400 Bad Request\r\n\r\n"}});
    EXPECT_TRUE(error.Contains("encrypted connection (TLS)")) << error;

    // ... or never answers it: the handshake waits inside the library, and the
    // sign-in still ends at its time.
    m_client.SetSignInTimeout(2000);
    error = SignInAgainst(requiresTls, {{"<starttls", proceed}});
    EXPECT_TRUE(error.Contains("encrypted connection (TLS)")) << error;
    m_client.SetSignInTimeout(5000);

    error =
        SignInAgainst(std::string(kStreamHeader) +
                      "<stream:error><conflict xmlns='urn:ietf:params:xml:ns:xmpp-streams'/>"
                      "<text xmlns='urn:ietf:params:xml:ns:xmpp-streams'>Replaced by new connection</text>"
                      "</stream:error></stream:stream>");
    EXPECT_TRUE(error.Contains("ended the stream (conflict): Replaced by new connection")) << error;
    ExpectStillUsable();
}

TEST_F(XmppFaultyServerTest, UnknownStanzasThenTheEndOfTheStream)
{
    const wxString error = SignInAgainst(std::string(kStreamHeader) +
                                         "<stream:features/><unknown xmlns='urn:example:none'>?</unknown>"
                                         "<iq type='get' id='q1'><odd xmlns='urn:example:odd'/></iq>"
                                         "</stream:stream>");
    EXPECT_TRUE(error.Contains("closed the connection during sign-in")) << error;
    ExpectStillUsable();
}

} // anonymous namespace
