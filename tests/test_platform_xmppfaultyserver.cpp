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

using kel::test::WaitUntil;

namespace
{

const char* const kStreamHeader = "<?xml version='1.0'?><stream:stream xmlns='jabber:client' "
                                  "xmlns:stream='http://etherx.jabber.org/streams' from='localhost' "
                                  "id='fake' version='1.0'>";

// Accepts one connection on loopback, waits for the client's stream header
// and answers with `reply`, then keeps the connection open until it goes.
class FakeServer
{
public:
    explicit FakeServer(std::string reply) : m_reply(std::move(reply))
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
        char buffer[4096];
        while (!m_stop && received.find("<stream:stream") == std::string::npos)
        {
            const ssize_t n = read(m_client, buffer, sizeof buffer);
            if (n <= 0)
                return;
            received.append(buffer, size_t(n));
        }
        for (size_t sent = 0; !m_stop && sent < m_reply.size();)
        {
            const ssize_t n = send(m_client, m_reply.data() + sent, m_reply.size() - sent, MSG_NOSIGNAL);
            if (n <= 0)
                break;
            sent += size_t(n);
        }
        while (!m_stop && read(m_client, buffer, sizeof buffer) > 0)
            ;
        close(m_client);
    }

    std::string m_reply;
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

    // Signs in against a fake server that answers with `reply`; returns the
    // error the client ends with.
    wxString SignInAgainst(const std::string& reply)
    {
        FakeServer fake(reply);
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
