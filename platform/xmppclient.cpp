#include <kelctrls/platform/xmppclient.h>

#include <wx/datetime.h>
#include <wx/time.h>

#include <strophe.h>

#include <arpa/inet.h>
#include <arpa/nameser.h>
#include <netdb.h>
#include <poll.h>
#include <resolv.h>
#include <sys/ioctl.h>
#include <sys/socket.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace
{

const char* const kRosterNs = "jabber:iq:roster";
const char* const kReceiptsNs = "urn:xmpp:receipts";
const unsigned short kClientPort = 5222;
// How many received message ids are remembered for dropping copies.
const size_t kSeenMessages = 4096;
// How many messages wait for a receipt at most; the oldest go first.
const size_t kMaxUnconfirmed = 10000;
const int kPumpIntervalMs = 10;
// Reads per timer tick while data keeps arriving, so that a large roster
// does not wait for many ticks, yet the UI gets its turn.
const int kMaxReadsPerTick = 256;
// What the library reads from the socket at most in one step.
const size_t kLibraryReadSize = 4096;

wxString FromUtf8(const char* text)
{
    return text ? wxString::FromUTF8(text) : wxString();
}

wxString ChildText(xmpp_stanza_t* stanza, const char* name)
{
    xmpp_stanza_t* child = xmpp_stanza_get_child_by_name(stanza, name);
    if (!child)
        return wxString();
    char* text = xmpp_stanza_get_text(child);
    const wxString result = FromUtf8(text);
    if (text)
        xmpp_free(xmpp_stanza_get_context(stanza), text);
    return result;
}

void AddTextChild(xmpp_stanza_t* parent, const char* name, const wxString& text)
{
    if (text.empty())
        return;
    xmpp_ctx_t* ctx = xmpp_stanza_get_context(parent);
    xmpp_stanza_t* child = xmpp_stanza_new(ctx);
    xmpp_stanza_set_name(child, name);
    xmpp_stanza_t* content = xmpp_stanza_new(ctx);
    xmpp_stanza_set_text(content, text.utf8_str());
    xmpp_stanza_add_child_ex(child, content, 0);
    xmpp_stanza_add_child_ex(parent, child, 0);
}

xmpp_stanza_t* NewRosterQuery(xmpp_ctx_t* ctx, const char* type, const char* id)
{
    xmpp_stanza_t* iq = xmpp_iq_new(ctx, type, id);
    xmpp_stanza_t* query = xmpp_stanza_new(ctx);
    xmpp_stanza_set_name(query, "query");
    xmpp_stanza_set_ns(query, kRosterNs);
    xmpp_stanza_add_child_ex(iq, query, 0);
    return iq;
}

KelXmppContact ParseRosterItem(xmpp_stanza_t* item)
{
    KelXmppContact contact;
    contact.jid = KelXmppClient::BareJid(FromUtf8(xmpp_stanza_get_attribute(item, "jid")));
    contact.name = FromUtf8(xmpp_stanza_get_attribute(item, "name"));
    contact.subscription = FromUtf8(xmpp_stanza_get_attribute(item, "subscription"));
    if (contact.subscription.empty())
        contact.subscription = "none";
    for (xmpp_stanza_t* child = xmpp_stanza_get_children(item); child; child = xmpp_stanza_get_next(child))
    {
        const char* name = xmpp_stanza_get_name(child);
        if (name && std::strcmp(name, "group") == 0)
        {
            char* text = xmpp_stanza_get_text(child);
            if (text && *text)
                contact.groups.Add(wxString::FromUTF8(text));
            xmpp_free(xmpp_stanza_get_context(item), text);
        }
    }
    return contact;
}

std::vector<KelXmppContact> ParseRosterQuery(xmpp_stanza_t* iq)
{
    std::vector<KelXmppContact> contacts;
    xmpp_stanza_t* query = xmpp_stanza_get_child_by_name_and_ns(iq, "query", kRosterNs);
    for (xmpp_stanza_t* item = query ? xmpp_stanza_get_children(query) : nullptr; item;
         item = xmpp_stanza_get_next(item))
    {
        const char* name = xmpp_stanza_get_name(item);
        if (name && std::strcmp(name, "item") == 0 && xmpp_stanza_get_attribute(item, "jid"))
            contacts.push_back(ParseRosterItem(item));
    }
    return contacts;
}

wxString NowStamp()
{
    return wxDateTime::Now().Format("%Y-%m-%dT%H:%M:%SZ", wxDateTime::UTC);
}

wxString StreamErrorText(const xmpp_stream_error_t* error)
{
    static const char* const kConditions[] = {"bad-format",
                                              "bad-namespace-prefix",
                                              "conflict",
                                              "connection-timeout",
                                              "host-gone",
                                              "host-unknown",
                                              "improper-addressing",
                                              "internal-server-error",
                                              "invalid-from",
                                              "invalid-id",
                                              "invalid-namespace",
                                              "invalid-xml",
                                              "not-authorized",
                                              "policy-violation",
                                              "remote-connection-failed",
                                              "resource-constraint",
                                              "restricted-xml",
                                              "see-other-host",
                                              "system-shutdown",
                                              "undefined-condition",
                                              "unsupported-encoding",
                                              "unsupported-stanza-type",
                                              "unsupported-version",
                                              "xml-not-well-formed"};
    wxString text = "The server ended the stream";
    if (error->type >= 0 && size_t(error->type) < WXSIZEOF(kConditions))
        text << " (" << kConditions[error->type] << ")";
    if (error->text && *error->text)
        text << ": " << wxString::FromUTF8(error->text);
    return text;
}

// The socket each connection uses, for checking whether more data waits.
std::map<xmpp_conn_t*, int>& Sockets()
{
    static std::map<xmpp_conn_t*, int> sockets;
    return sockets;
}

int RememberSocket(xmpp_conn_t* conn, void* sock)
{
    Sockets()[conn] = *static_cast<int*>(sock);
    return xmpp_sockopt_cb_keepalive(conn, sock);
}

size_t PendingBytes(int fd)
{
    int pending = 0;
    return ::ioctl(fd, FIONREAD, &pending) == 0 && pending > 0 ? size_t(pending) : 0;
}

bool HasInput(int fd)
{
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, 0) > 0;
}

bool IsNumericAddress(const wxString& host)
{
    unsigned char address[sizeof(in6_addr)];
    const wxScopedCharBuffer text = host.utf8_str();
    return inet_pton(AF_INET, text, address) == 1 || inet_pton(AF_INET6, text, address) == 1;
}

// The server a domain names for clients in its service record: the target
// with the lowest priority (the highest weight among equals), or false.
bool FindServiceRecord(const std::string& domain, std::string* target, unsigned short* port)
{
    struct __res_state state;
    std::memset(&state, 0, sizeof state);
    if (res_ninit(&state) != 0)
        return false;
    unsigned char answer[4096];
    const int length =
        res_nquery(&state, ("_xmpp-client._tcp." + domain).c_str(), ns_c_in, ns_t_srv, answer, sizeof answer);
    res_nclose(&state);
    ns_msg message;
    if (length <= 0 || ns_initparse(answer, length, &message) != 0)
        return false;
    int bestPriority = -1, bestWeight = -1;
    for (int i = 0; i < ns_msg_count(message, ns_s_an); ++i)
    {
        ns_rr record;
        if (ns_parserr(&message, ns_s_an, i, &record) != 0 || ns_rr_type(record) != ns_t_srv ||
            ns_rr_rdlen(record) < 7)
            continue;
        const unsigned char* data = ns_rr_rdata(record);
        const int priority = ns_get16(data), weight = ns_get16(data + 2);
        char name[NS_MAXDNAME];
        if (dn_expand(ns_msg_base(message), ns_msg_end(message), data + 6, name, sizeof name) < 0 ||
            std::strcmp(name, ".") == 0)
            continue;
        if (bestPriority < 0 || priority < bestPriority || (priority == bestPriority && weight > bestWeight))
        {
            bestPriority = priority;
            bestWeight = weight;
            *target = name;
            *port = ns_get16(data + 4);
        }
    }
    return bestPriority >= 0;
}

// Finding the server's address, on a thread of its own because the system's
// resolver waits for the network. The thread and the session share it; the
// session looks at it from its timer and may let go of it at any time.
struct ServerLookup
{
    // Runs on the lookup thread.
    void Run(const std::string& domain, const std::string& host, unsigned short port)
    {
        std::string target = host;
        if (target.empty() && !FindServiceRecord(domain, &target, &port))
            target = domain;
        addrinfo hints{};
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* found = nullptr;
        const int status = getaddrinfo(target.c_str(), nullptr, &hints, &found);
        // The library connects to one address: an IPv4 one where there is
        // one, which a server listening on a single family has more often.
        const addrinfo* chosen = found;
        for (const addrinfo* a = found; status == 0 && a; a = a->ai_next)
            if (a->ai_family == AF_INET)
            {
                chosen = a;
                break;
            }
        char numeric[NI_MAXHOST] = "";
        if (status == 0)
            getnameinfo(chosen->ai_addr, chosen->ai_addrlen, numeric, sizeof numeric, nullptr, 0,
                        NI_NUMERICHOST);
        if (found)
            freeaddrinfo(found);
        std::lock_guard<std::mutex> lock(mutex);
        if (status == 0)
            address = numeric;
        else
            error = "no address was found for " + target + " (" + gai_strerror(status) + ")";
        this->port = port ? port : kClientPort;
        done = true;
    }

    std::mutex mutex;
    bool done = false;
    std::string address;
    unsigned short port = 0;
    std::string error;
};

// The library sets up encryption in one call that waits for the server.
// While it waits, this guard, on a thread of its own, shuts the socket at the
// sign-in deadline, so a server that never completes the handshake cannot
// hold the UI thread.
struct HandshakeGuard
{
    static std::shared_ptr<HandshakeGuard> Arm(int fd, long timeoutMs)
    {
        auto guard = std::make_shared<HandshakeGuard>();
        std::thread(
            [guard, fd, timeoutMs]
            {
                std::unique_lock<std::mutex> lock(guard->mutex);
                if (!guard->ended.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                           [&] { return guard->done; }))
                    ::shutdown(fd, SHUT_RDWR);
            })
            .detach();
        return guard;
    }

    // Called once the library has returned: the socket may close from now on.
    void Disarm()
    {
        std::lock_guard<std::mutex> lock(mutex);
        done = true;
        ended.notify_one();
    }

    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
};

struct LibraryUse
{
    LibraryUse() { xmpp_initialize(); }
    ~LibraryUse() { xmpp_shutdown(); }
};

} // anonymous namespace

// One attempt at a session: the library's context and connection, and what
// the library said about it on the way.
struct KelXmppClient::Session
{
    explicit Session(KelXmppClient* owner) : client(owner)
    {
        static LibraryUse library;
        log.handler = &Session::Log;
        log.userdata = this;
        ctx = xmpp_ctx_new(nullptr, &log);
        conn = xmpp_conn_new(ctx);
        xmpp_conn_set_flags(conn, XMPP_CONN_FLAG_DISABLE_SM);
        xmpp_conn_set_sockopt_callback(conn, RememberSocket);
    }

    ~Session()
    {
        // Releasing a connection reports its end; nobody listens any more.
        abandoned = true;
        Sockets().erase(conn);
        xmpp_conn_release(conn);
        xmpp_ctx_free(ctx);
    }

    // Connects at once to a numeric address, else looks the server up first
    // (see Step).
    bool Connect(const wxString& jid, const wxString& password, const wxString& host, unsigned short port)
    {
        xmpp_conn_set_jid(conn, jid.utf8_str());
        xmpp_conn_set_pass(conn, password.utf8_str());
        if (IsNumericAddress(host))
            return ConnectTo(host, port ? port : kClientPort);
        domain = KelXmppClient::BareJid(jid).AfterFirst('@');
        lookup = std::make_shared<ServerLookup>();
        std::thread(&ServerLookup::Run, lookup, std::string(domain.utf8_str()), std::string(host.utf8_str()),
                    port)
            .detach();
        return true;
    }

    bool ConnectTo(const wxString& address, unsigned short port)
    {
        return xmpp_connect_client(conn, address.utf8_str(), port, &Session::OnConnection, this) == XMPP_EOK;
    }

    // Connects once the lookup has found the server; false when it is still
    // under way or the session has ended.
    bool ConnectWhenFound()
    {
        std::string address, error;
        unsigned short port = 0;
        {
            std::lock_guard<std::mutex> lock(lookup->mutex);
            if (!lookup->done)
                return false;
            address = lookup->address;
            port = lookup->port;
            error = lookup->error;
        }
        lookup.reset();
        if (!error.empty())
            client->OnConnectionEnded(wxString::Format("No server was found for the domain %s: %s.", domain,
                                                       wxString::FromUTF8(error)),
                                      false);
        else if (!ConnectTo(wxString::FromUTF8(address), port))
            client->OnConnectionEnded("The connection to the server could not be started.", false);
        return client->m_session.get() == this;
    }

    // Advances the connection without waiting.
    void Step()
    {
        if (lookup && !ConnectWhenFound())
            return;
        RunOnce();
        const auto socket = Sockets().find(conn);
        if (socket == Sockets().end())
            return;
        const int fd = socket->second;
        for (int reads = 0; reads < kMaxReadsPerTick && client->m_session.get() == this && HasInput(fd);
             ++reads)
        {
            unreadStanzaBytes += std::min(PendingBytes(fd), kLibraryReadSize);
            RunOnce();
        }
        if (client->m_session.get() != this)
            return;
        if (malformed)
            client->OnConnectionEnded("The server sent XML that cannot be read.", false);
        else if (tlsFailed)
            // The library waits for the server to close after refusing.
            client->OnConnectionEnded(TlsFailureText(), false);
        else if (unreadStanzaBytes > client->m_maxStanzaSize)
            client->OnConnectionEnded(
                wxString::Format("The server sent a stanza larger than %zu bytes.", client->m_maxStanzaSize),
                false);
    }

    void RunOnce()
    {
        xmpp_run_once(ctx, 0);
        if (handshakeGuard)
        {
            handshakeGuard->Disarm();
            handshakeGuard.reset();
        }
    }

    void ArmHandshakeGuard()
    {
        const auto socket = Sockets().find(conn);
        if (socket == Sockets().end())
            return;
        const wxLongLong left = client->m_signInDeadline - wxGetLocalTimeMillis();
        handshakeGuard = HandshakeGuard::Arm(socket->second, std::max(100L, long(left.GetValue())));
    }

    void Send(xmpp_stanza_t* stanza)
    {
        xmpp_send(conn, stanza);
        xmpp_stanza_release(stanza);
    }

    void RequestRoster() { Send(NewRosterQuery(ctx, "get", "roster")); }

    // The session a callback is for, unless the client has let go of it.
    static Session* Live(void* userdata)
    {
        Session* session = static_cast<Session*>(userdata);
        return session->abandoned ? nullptr : session;
    }

    static void Log(void* userdata, xmpp_log_level_t level, const char* area, const char* msg)
    {
        Session* session = static_cast<Session*>(userdata);
        if (level >= XMPP_LEVEL_ERROR)
            session->libraryError = FromUtf8(msg);
        if (std::strcmp(area, "tls") == 0 && std::strncmp(msg, "error:", 6) == 0)
            session->tlsDetail = FromUtf8(msg).AfterLast(':');
        else if (std::strcmp(area, "conn") == 0 && std::strncmp(msg, "Couldn't start TLS", 18) == 0)
            session->tlsFailed = true;
        if (std::strcmp(area, "xmpp") != 0)
            return;
        // The library tells these only in its log. What the server sent
        // comes first, so that text inside a stanza is never taken for one.
        if (std::strncmp(msg, "RECV:", 5) == 0)
        {
            session->heardServer = true;
            session->unreadStanzaBytes = 0;
        }
        else if (std::strncmp(msg, "parse error", 11) == 0)
            session->malformed = true;
        else if (std::strcmp(msg, "proceeding with TLS") == 0)
            session->ArmHandshakeGuard();
        else if (std::strstr(msg, "proceedtls called for failure"))
        {
            session->tlsFailed = true;
            session->tlsDetail = "the server refused to start it";
        }
        else if (std::strstr(msg, "auth failed"))
            session->authFailed = true;
        else if (std::sscanf(msg, "connection failed, error %d", &session->socketError) == 1)
            session->libraryError = FromUtf8(std::strerror(session->socketError));
    }

    static void OnConnection(xmpp_conn_t* conn, xmpp_conn_event_t event, int error,
                             xmpp_stream_error_t* streamError, void* userdata)
    {
        Session* session = Live(userdata);
        if (!session)
            return;
        if (event == XMPP_CONN_CONNECT)
        {
            session->connected = true;
            xmpp_handler_add(conn, &Session::OnMessage, nullptr, "message", nullptr, session);
            xmpp_handler_add(conn, &Session::OnPresence, nullptr, "presence", nullptr, session);
            xmpp_handler_add(conn, &Session::OnRosterPush, kRosterNs, "iq", "set", session);
            xmpp_id_handler_add(conn, &Session::OnRosterResult, "roster", session);
            session->client->OnConnected();
            return;
        }
        if (event == XMPP_CONN_RAW_CONNECT)
            return;
        session->client->OnConnectionEnded(session->DescribeEnd(event, error, streamError),
                                           !session->connected && session->authFailed);
    }

    wxString DescribeEnd(xmpp_conn_event_t event, int error, const xmpp_stream_error_t* streamError) const
    {
        if (streamError)
            return StreamErrorText(streamError);
        if (tlsFailed)
            return TlsFailureText();
        if (!connected && authFailed)
            return "The server refused the sign-in: wrong user name or password.";
        if (event == XMPP_CONN_FAIL || error || !heardServer)
        {
            wxString text =
                connected ? "The connection to the server was lost" : "The server cannot be reached";
            if (error || socketError)
                text << ": " << wxString::FromUTF8(std::strerror(error ? error : socketError));
            return text + ".";
        }
        wxString text = connected ? "The server closed the connection."
                                  : "The server closed the connection during sign-in.";
        if (!libraryError.empty())
            text << " (" << libraryError << ")";
        return text;
    }

    wxString TlsFailureText() const
    {
        wxString text = "The server requires an encrypted connection (TLS) that could not be set up";
        if (!tlsDetail.empty())
            text << ": " << tlsDetail;
        return text + ".";
    }

    static int OnMessage(xmpp_conn_t*, xmpp_stanza_t* stanza, void* userdata)
    {
        Session* session = Live(userdata);
        if (!session)
            return 1;
        const char* type = xmpp_stanza_get_type(stanza);
        const wxString from = FromUtf8(xmpp_stanza_get_from(stanza));
        // A bounce settles the message as a receipt would: sending it again
        // would not help.
        if (type && std::strcmp(type, "error") == 0)
        {
            session->client->OnReceipt(from, FromUtf8(xmpp_stanza_get_id(stanza)));
            return 1;
        }
        if (xmpp_stanza_t* receipt = xmpp_stanza_get_child_by_name_and_ns(stanza, "received", kReceiptsNs))
            session->client->OnReceipt(from, FromUtf8(xmpp_stanza_get_attribute(receipt, "id")));
        if (!xmpp_stanza_get_child_by_name(stanza, "body"))
            return 1;
        KelXmppMessage message;
        message.id = FromUtf8(xmpp_stanza_get_id(stanza));
        message.from = FromUtf8(xmpp_stanza_get_from(stanza));
        message.to = FromUtf8(xmpp_stanza_get_to(stanza));
        message.type = type ? wxString::FromUTF8(type) : wxString("normal");
        message.body = ChildText(stanza, "body");
        message.thread = ChildText(stanza, "thread");
        message.subject = ChildText(stanza, "subject");
        xmpp_stanza_t* delay = xmpp_stanza_get_child_by_name_and_ns(stanza, "delay", "urn:xmpp:delay");
        message.stamp = delay ? FromUtf8(xmpp_stanza_get_attribute(delay, "stamp")) : wxString();
        if (message.stamp.empty())
            message.stamp = NowStamp();
        const bool wantsReceipt = !message.id.empty() && message.type != "groupchat" &&
                                  xmpp_stanza_get_child_by_name_and_ns(stanza, "request", kReceiptsNs);
        session->client->OnMessageStanza(message, wantsReceipt);
        return 1;
    }

    static int OnPresence(xmpp_conn_t*, xmpp_stanza_t* stanza, void* userdata)
    {
        Session* session = Live(userdata);
        if (!session)
            return 1;
        const char* type = xmpp_stanza_get_type(stanza);
        static const struct
        {
            const char* type;
            KelXmppSubscription kind;
        } kSubscriptions[] = {{"subscribe", KelXmppSubscription::Subscribe},
                              {"subscribed", KelXmppSubscription::Subscribed},
                              {"unsubscribe", KelXmppSubscription::Unsubscribe},
                              {"unsubscribed", KelXmppSubscription::Unsubscribed}};
        for (const auto& subscription : kSubscriptions)
            if (type && std::strcmp(type, subscription.type) == 0)
            {
                session->client->OnSubscriptionStanza(FromUtf8(xmpp_stanza_get_from(stanza)),
                                                      subscription.kind, ChildText(stanza, "status"));
                return 1;
            }
        // Probes and errors are not a contact's state.
        if (type && std::strcmp(type, "unavailable") != 0)
            return 1;
        KelXmppPresence presence;
        presence.available = !type;
        presence.show = ChildText(stanza, "show");
        presence.status = ChildText(stanza, "status");
        long priority = 0;
        if (ChildText(stanza, "priority").ToLong(&priority))
            presence.priority = int(priority);
        session->client->OnPresenceStanza(FromUtf8(xmpp_stanza_get_from(stanza)), presence);
        return 1;
    }

    static int OnRosterResult(xmpp_conn_t*, xmpp_stanza_t* stanza, void* userdata)
    {
        Session* session = Live(userdata);
        if (!session)
            return 0;
        const char* type = xmpp_stanza_get_type(stanza);
        if (type && std::strcmp(type, "result") == 0)
            session->client->OnRosterLoaded(ParseRosterQuery(stanza));
        // Without a roster the session still goes on.
        if (!session->abandoned)
            session->client->OnSessionReady();
        return 0;
    }

    static int OnRosterPush(xmpp_conn_t*, xmpp_stanza_t* stanza, void* userdata)
    {
        Session* session = Live(userdata);
        if (!session)
            return 1;
        // Only the server, speaking for the account, may change the roster.
        const wxString from = FromUtf8(xmpp_stanza_get_from(stanza));
        if (!from.empty() &&
            KelXmppClient::BareJid(from) != KelXmppClient::BareJid(session->client->m_boundJid))
            return 1;
        session->Send(xmpp_iq_new(session->ctx, "result", xmpp_stanza_get_id(stanza)));
        for (const KelXmppContact& contact : ParseRosterQuery(stanza))
            session->client->OnContact(contact, contact.subscription == "remove");
        return 1;
    }

    KelXmppClient* client;
    xmpp_log_t log;
    xmpp_ctx_t* ctx;
    xmpp_conn_t* conn;
    bool connected = false;
    // Signed in, roster in, presence sent.
    bool ready = false;
    bool authFailed = false;
    bool heardServer = false;
    // The library answers unreadable XML with a stream error and then waits
    // for the server to close; the client does not wait.
    bool malformed = false;
    // Bytes read since the last whole stanza.
    size_t unreadStanzaBytes = 0;
    int socketError = 0;
    bool tlsFailed = false;
    wxString tlsDetail;
    std::shared_ptr<HandshakeGuard> handshakeGuard;
    // Under way until the server's address is known.
    std::shared_ptr<ServerLookup> lookup;
    wxString domain;
    // Set once the client has let go of the session.
    bool abandoned = false;
    wxString libraryError;
};

// ---------------------------------------------------------------------------
// KelXmppClient
// ---------------------------------------------------------------------------

KelXmppClient::KelXmppClient() : m_pump(this)
{
    Bind(wxEVT_TIMER, &KelXmppClient::OnPump, this, m_pump.GetId());
}

KelXmppClient::~KelXmppClient()
{
    m_pump.Stop();
}

void KelXmppClient::AddListener(KelXmppListener* listener)
{
    if (listener && std::find(m_listeners.begin(), m_listeners.end(), listener) == m_listeners.end())
        m_listeners.push_back(listener);
}

void KelXmppClient::RemoveListener(KelXmppListener* listener)
{
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), listener), m_listeners.end());
}

template <typename Call>
void KelXmppClient::Notify(Call call)
{
    const std::vector<KelXmppListener*> listeners = m_listeners;
    for (KelXmppListener* listener : listeners)
        if (std::find(m_listeners.begin(), m_listeners.end(), listener) != m_listeners.end())
            call(listener);
}

wxString KelXmppClient::BareJid(const wxString& jid)
{
    return jid.BeforeFirst('/');
}

void KelXmppClient::SetServer(const wxString& host, unsigned short port)
{
    m_host = host;
    m_port = port;
}

bool KelXmppClient::SignIn(const wxString& jid, const wxString& password)
{
    const wxString bare = BareJid(jid);
    if (m_state != KelXmppState::Offline || bare.Find('@') <= 0 || bare.AfterFirst('@').empty())
        return false;
    m_jid = jid;
    m_password = password;
    m_everOnline = false;
    m_reconnectMs = 0;
    m_lastError.clear();
    SetState(KelXmppState::Connecting, wxString());
    StartConnection();
    return true;
}

void KelXmppClient::SignOut()
{
    if (m_session && m_session->connected)
    {
        m_session->abandoned = true;
        xmpp_stanza_t* presence = xmpp_presence_new(m_session->ctx);
        xmpp_stanza_set_type(presence, "unavailable");
        m_session->Send(presence);
        xmpp_disconnect(m_session->conn);
        // Let the farewell leave before the connection goes.
        xmpp_run_once(m_session->ctx, 0);
    }
    GoOffline(wxString());
}

void KelXmppClient::StartConnection()
{
    m_session.reset(new Session(this));
    m_signInDeadline = wxGetLocalTimeMillis() + m_signInTimeoutMs;
    if (!m_pump.IsRunning())
        m_pump.Start(kPumpIntervalMs);
    if (!m_session->Connect(m_jid, m_password, m_host, m_port))
        OnConnectionEnded("The connection to the server could not be started.", false);
}

void KelXmppClient::DropConnection()
{
    // The library may still be inside this session's callbacks: release it
    // at the next tick.
    if (m_session)
    {
        m_session->abandoned = true;
        m_deadSession = std::move(m_session);
    }
    m_boundJid.clear();
    std::vector<KelXmppPresence> gone;
    for (const auto& contact : m_resources)
    {
        if (!GetPresence(contact.first).available)
            continue;
        KelXmppPresence presence;
        presence.jid = contact.first;
        gone.push_back(presence);
    }
    m_resources.clear();
    for (const KelXmppPresence& presence : gone)
        Notify([&](KelXmppListener* l) { l->OnXmppPresence(*this, presence); });
}

void KelXmppClient::OnPump(wxTimerEvent&)
{
    m_deadSession.reset();
    CheckDeadlines();
    if (m_session)
        m_session->Step();
    else if (m_state == KelXmppState::Offline)
        m_pump.Stop();
}

void KelXmppClient::CheckDeadlines()
{
    const wxLongLong now = wxGetLocalTimeMillis();
    if (m_session && !m_session->ready && now > m_signInDeadline)
    {
        OnConnectionEnded(wxString::Format("The server did not complete the sign-in within %g seconds.",
                                           m_signInTimeoutMs / 1000.0),
                          false);
        m_deadSession.reset();
    }
    if (!m_session && m_state == KelXmppState::Reconnecting && now >= m_reconnectAt)
        StartConnection();
}

void KelXmppClient::OnConnected()
{
    m_boundJid = FromUtf8(xmpp_conn_get_bound_jid(m_session->conn));
    // Presence goes out once the roster is in: the server answers it with
    // the contacts' presence, which would otherwise hold up the roster.
    m_session->RequestRoster();
}

void KelXmppClient::OnSessionReady()
{
    m_session->ready = true;
    m_everOnline = true;
    m_reconnectMs = 0;
    m_lastError.clear();
    SendPresence();
    ResendUnconfirmed();
    FlushOutbox();
    SetState(KelXmppState::Online, wxString());
}

void KelXmppClient::OnConnectionEnded(const wxString& reason, bool signInRefused)
{
    DropConnection();
    if (m_everOnline && !signInRefused)
        ScheduleReconnect(reason);
    else
        GoOffline(reason);
}

void KelXmppClient::ScheduleReconnect(const wxString& reason)
{
    m_reconnectMs = m_reconnectMs ? std::min(m_reconnectMs * 2, m_maxReconnectMs) : m_firstReconnectMs;
    m_reconnectAt = wxGetLocalTimeMillis() + m_reconnectMs;
    m_lastError = reason;
    SetState(KelXmppState::Reconnecting, reason);
}

void KelXmppClient::GoOffline(const wxString& reason)
{
    DropConnection();
    if (!reason.empty())
        m_lastError = reason;
    SetState(KelXmppState::Offline, reason);
}

void KelXmppClient::SetState(KelXmppState state, const wxString& reason)
{
    if (state == m_state && reason.empty())
        return;
    m_state = state;
    Notify([&](KelXmppListener* l) { l->OnXmppStateChanged(*this, state, reason); });
}

void KelXmppClient::SetReconnectDelays(int firstMs, int maxMs)
{
    m_firstReconnectMs = std::max(firstMs, 1);
    m_maxReconnectMs = std::max(maxMs, m_firstReconnectMs);
}

void KelXmppClient::SetPresence(const wxString& show, const wxString& status)
{
    m_show = show;
    m_status = status;
    if (IsOnline())
        SendPresence();
}

void KelXmppClient::SendPresence()
{
    xmpp_stanza_t* presence = xmpp_presence_new(m_session->ctx);
    AddTextChild(presence, "show", m_show);
    AddTextChild(presence, "status", m_status);
    m_session->Send(presence);
}

wxString KelXmppClient::SendMessage(const KelXmppMessage& message)
{
    KelXmppMessage outgoing = message;
    if (outgoing.id.empty())
        outgoing.id = NextId();
    outgoing.from = m_boundJid.empty() ? m_jid : m_boundJid;
    outgoing.stamp = NowStamp();
    m_outbox.push_back(outgoing);
    if (IsOnline())
        FlushOutbox();
    return outgoing.id;
}

wxString KelXmppClient::NextId()
{
    return wxString::Format("kel%llx-%u", wxGetUTCTimeMillis().GetValue(), ++m_nextId);
}

void KelXmppClient::SendChat(const KelXmppMessage& message)
{
    xmpp_stanza_t* stanza = xmpp_message_new(m_session->ctx, message.type.utf8_str(), message.to.utf8_str(),
                                             message.id.utf8_str());
    AddTextChild(stanza, "subject", message.subject);
    xmpp_message_set_body(stanza, message.body.utf8_str());
    AddTextChild(stanza, "thread", message.thread);
    if (message.type != "groupchat")
    {
        xmpp_stanza_t* request = xmpp_stanza_new(m_session->ctx);
        xmpp_stanza_set_name(request, "request");
        xmpp_stanza_set_ns(request, kReceiptsNs);
        xmpp_stanza_add_child_ex(stanza, request, 0);
    }
    m_session->Send(stanza);
}

void KelXmppClient::FlushOutbox()
{
    while (!m_outbox.empty())
    {
        const KelXmppMessage& message = m_outbox.front();
        SendChat(message);
        if (message.type != "groupchat")
            m_unconfirmed.push_back({message, 0});
        m_outbox.pop_front();
    }
    while (m_unconfirmed.size() > kMaxUnconfirmed)
        m_unconfirmed.pop_front();
}

void KelXmppClient::ResendUnconfirmed()
{
    m_unconfirmed.erase(std::remove_if(m_unconfirmed.begin(), m_unconfirmed.end(),
                                       [](const Unconfirmed& u) { return u.resends >= kMaxResends; }),
                        m_unconfirmed.end());
    for (Unconfirmed& unconfirmed : m_unconfirmed)
    {
        ++unconfirmed.resends;
        SendChat(unconfirmed.message);
    }
}

void KelXmppClient::OnReceipt(const wxString& from, const wxString& id)
{
    const wxString bare = BareJid(from);
    const auto settled = std::find_if(m_unconfirmed.begin(), m_unconfirmed.end(),
                                      [&](const Unconfirmed& u)
                                      { return u.message.id == id && BareJid(u.message.to) == bare; });
    if (settled != m_unconfirmed.end())
        m_unconfirmed.erase(settled);
}

bool KelXmppClient::SeenBefore(const wxString& from, const wxString& id)
{
    const wxString key = BareJid(from) + "\n" + id;
    if (!m_seen.insert(key).second)
        return true;
    m_seenOrder.push_back(key);
    if (m_seenOrder.size() > kSeenMessages)
    {
        m_seen.erase(m_seenOrder.front());
        m_seenOrder.pop_front();
    }
    return false;
}

void KelXmppClient::AnswerSubscription(const wxString& jid, bool approve)
{
    SendPresenceType(jid, approve ? "subscribed" : "unsubscribed");
}

void KelXmppClient::RequestSubscription(const wxString& jid)
{
    SendPresenceType(jid, "subscribe");
}

void KelXmppClient::SendPresenceType(const wxString& jid, const char* type)
{
    if (!IsOnline())
        return;
    xmpp_stanza_t* presence = xmpp_presence_new(m_session->ctx);
    xmpp_stanza_set_type(presence, type);
    xmpp_stanza_set_to(presence, BareJid(jid).utf8_str());
    m_session->Send(presence);
}

void KelXmppClient::SetContact(const wxString& jid, const wxString& name, const wxArrayString& groups)
{
    SendRosterItem(jid,
                   [&](xmpp_stanza_t* item)
                   {
                       if (!name.empty())
                           xmpp_stanza_set_attribute(item, "name", name.utf8_str());
                       for (const wxString& group : groups)
                           AddTextChild(item, "group", group);
                   });
}

void KelXmppClient::RemoveContact(const wxString& jid)
{
    SendRosterItem(jid,
                   [](xmpp_stanza_t* item) { xmpp_stanza_set_attribute(item, "subscription", "remove"); });
}

template <typename Fill>
void KelXmppClient::SendRosterItem(const wxString& jid, Fill fill)
{
    if (!IsOnline())
        return;
    xmpp_stanza_t* iq = NewRosterQuery(m_session->ctx, "set", NextId().utf8_str());
    xmpp_stanza_t* item = xmpp_stanza_new(m_session->ctx);
    xmpp_stanza_set_name(item, "item");
    xmpp_stanza_set_attribute(item, "jid", BareJid(jid).utf8_str());
    fill(item);
    xmpp_stanza_add_child_ex(xmpp_stanza_get_children(iq), item, 0);
    m_session->Send(iq);
}

KelXmppPresence KelXmppClient::GetPresence(const wxString& bareJid) const
{
    KelXmppPresence best;
    best.jid = bareJid;
    const auto contact = m_resources.find(bareJid);
    if (contact == m_resources.end())
        return best;
    for (const auto& resource : contact->second)
        if (resource.second.available && (!best.available || resource.second.priority > best.priority))
            best = resource.second;
    return best;
}

void KelXmppClient::OnContact(const KelXmppContact& contact, bool removed)
{
    if (removed)
        m_roster.erase(contact.jid);
    else
        m_roster[contact.jid] = contact;
    Notify([&](KelXmppListener* l) { l->OnXmppContact(*this, contact, removed); });
}

void KelXmppClient::OnRosterLoaded(const std::vector<KelXmppContact>& contacts)
{
    std::map<wxString, KelXmppContact> fresh;
    for (const KelXmppContact& contact : contacts)
        fresh[contact.jid] = contact;
    // Contacts removed while the client was away.
    for (const auto& old : m_roster)
        if (!fresh.count(old.first))
            Notify([&](KelXmppListener* l) { l->OnXmppContact(*this, old.second, true); });
    m_roster = fresh;
    for (const KelXmppContact& contact : contacts)
        Notify([&](KelXmppListener* l) { l->OnXmppContact(*this, contact, false); });
    Notify([&](KelXmppListener* l) { l->OnXmppRosterLoaded(*this); });
}

void KelXmppClient::OnPresenceStanza(const wxString& from, const KelXmppPresence& stanza)
{
    const wxString bare = BareJid(from);
    if (bare.empty())
        return;
    KelXmppPresence presence = stanza;
    presence.jid = bare;
    presence.resource = from.AfterFirst('/');
    auto& resources = m_resources[bare];
    if (presence.available)
        resources[presence.resource] = presence;
    else
        resources.erase(presence.resource);
    const KelXmppPresence shown = GetPresence(bare);
    Notify([&](KelXmppListener* l) { l->OnXmppPresence(*this, shown); });
}

void KelXmppClient::OnSubscriptionStanza(const wxString& from, KelXmppSubscription kind, const wxString& text)
{
    const wxString bare = BareJid(from);
    if (!bare.empty())
        Notify([&](KelXmppListener* l) { l->OnXmppSubscription(*this, bare, kind, text); });
}

void KelXmppClient::OnMessageStanza(const KelXmppMessage& message, bool wantsReceipt)
{
    if (wantsReceipt)
    {
        xmpp_stanza_t* receipt = xmpp_message_new(m_session->ctx, message.type.utf8_str(),
                                                  message.from.utf8_str(), NextId().utf8_str());
        xmpp_stanza_t* received = xmpp_stanza_new(m_session->ctx);
        xmpp_stanza_set_name(received, "received");
        xmpp_stanza_set_ns(received, kReceiptsNs);
        xmpp_stanza_set_attribute(received, "id", message.id.utf8_str());
        xmpp_stanza_add_child_ex(receipt, received, 0);
        m_session->Send(receipt);
        if (SeenBefore(message.from, message.id))
            return;
    }
    Notify([&](KelXmppListener* l) { l->OnXmppMessage(*this, message); });
}
