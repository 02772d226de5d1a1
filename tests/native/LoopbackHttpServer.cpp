#include "tests/native/LoopbackHttpServer.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
using SocketLen = int;
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>
using SocketLen = socklen_t;
#endif

namespace {

#ifdef _WIN32
using Socket = SOCKET;
const Socket kBad = INVALID_SOCKET;
void CloseSocket(Socket s) {
    closesocket(s);
}
void StartSockets() {
    static bool bStarted = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    (void)bStarted;
}
#else
using Socket = int;
const Socket kBad = -1;
void CloseSocket(Socket s) {
    close(s);
}
void StartSockets() {}
#endif

// A socket listening on 127.0.0.1 at a port the system picks; its port.
Socket Listen(int& nPort) {
    StartSockets();
    Socket s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr = {};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof(addr));
    listen(s, 256);
    SocketLen len = sizeof(addr);
    getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len);
    nPort = ntohs(addr.sin_port);
    return s;
}

void SendAll(Socket s, const std::string& text) {
    size_t sent = 0;
    while (sent < text.size()) {
        const int n = send(s, text.data() + sent, static_cast<int>(text.size() - sent), 0);
        if (n <= 0) return;
        sent += static_cast<size_t>(n);
    }
}

}  // namespace

LoopbackHttpServer::LoopbackHttpServer(int nPorts) {
    for (int i = 0; i < nPorts; ++i) {
        int nPort = 0;
        m_listeners.push_back(static_cast<long long>(Listen(nPort)));
        m_ports.push_back(nPort);
    }
    m_inFlightOnPort.assign(static_cast<size_t>(nPorts), 0);
    m_maxOnPort.assign(static_cast<size_t>(nPorts), 0);
    for (size_t i = 0; i < m_listeners.size(); ++i)
        m_acceptors.emplace_back([this, i] { Serve(i); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bStop = true;
    }
    m_changed.notify_all();
    for (std::thread& t : m_acceptors) t.join();
    for (long long s : m_listeners) CloseSocket(static_cast<Socket>(s));
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return m_nLive == 0; });
}

std::string LoopbackHttpServer::Url(const std::string& path, int nIndex) const {
    return "http://127.0.0.1:" + std::to_string(Port(nIndex)) + path;
}

int LoopbackHttpServer::RefusedPort() {
    int nPort = 0;
    Socket s = Listen(nPort);
    CloseSocket(s);
    return nPort;
}

void LoopbackHttpServer::SetGate(int nAtOnce) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_nGate = nAtOnce;
}

void LoopbackHttpServer::WaitForInFlight(int n) {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [&] { return m_nInFlight >= n; });
}

void LoopbackHttpServer::WaitForRequest(const std::string& line) {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock,
                   [&] { return std::find(m_log.begin(), m_log.end(), line) != m_log.end(); });
}

void LoopbackHttpServer::ReleaseHung() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bReleased = true;
    }
    m_changed.notify_all();
}

int LoopbackHttpServer::MaxInFlight() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_nMaxInFlight;
}

int LoopbackHttpServer::MaxInFlightOnPort(int nIndex) {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_maxOnPort[static_cast<size_t>(nIndex)];
}

std::vector<std::string> LoopbackHttpServer::Log() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_log;
}

void LoopbackHttpServer::Serve(size_t nIndex) {
    const Socket listener = static_cast<Socket>(m_listeners[nIndex]);
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_bStop) return;
        }
        // Wakes now and then to see whether the server is going away.
        fd_set set;
        FD_ZERO(&set);
        FD_SET(listener, &set);
        timeval tv = {0, 50000};
        if (select(static_cast<int>(listener) + 1, &set, nullptr, nullptr, &tv) <= 0) continue;
        const Socket s = accept(listener, nullptr, nullptr);
        if (s == kBad) continue;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            ++m_nLive;
        }
        std::thread([this, s, nIndex] {
            Handle(static_cast<long long>(s), nIndex);
            CloseSocket(s);
            std::lock_guard<std::mutex> lock(m_mutex);
            --m_nLive;
            m_changed.notify_all();
        }).detach();
    }
}

void LoopbackHttpServer::Handle(long long nSocket, size_t nIndex) {
    const Socket s = static_cast<Socket>(nSocket);
    std::string request;
    char buffer[2048];
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
        const int n = recv(s, buffer, sizeof(buffer), 0);
        if (n <= 0) return;
        request.append(buffer, static_cast<size_t>(n));
    }
    const size_t sp1 = request.find(' ');
    const size_t sp2 = request.find(' ', sp1 + 1);
    if (sp1 == std::string::npos || sp2 == std::string::npos) return;
    const std::string method = request.substr(0, sp1);
    const std::string path = request.substr(sp1 + 1, sp2 - sp1 - 1);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_log.push_back(method + " " + path);
        ++m_nInFlight;
        m_nMaxInFlight = std::max(m_nMaxInFlight, m_nInFlight);
        int& nOnPort = m_inFlightOnPort[nIndex];
        ++nOnPort;
        m_maxOnPort[nIndex] = std::max(m_maxOnPort[nIndex], nOnPort);
    }
    m_changed.notify_all();
    const std::string reply = Answer(method, path);
    // Counted as answered before the reply leaves, so that a client's next
    // request never overlaps this one in the count.
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        --m_nInFlight;
        --m_inFlightOnPort[nIndex];
    }
    m_changed.notify_all();
    SendAll(s, reply);
}

std::string LoopbackHttpServer::Answer(const std::string& method, const std::string& path) {
    int nStatus = 200;
    std::string location;
    auto after = [&path](const std::string& prefix) { return path.substr(prefix.size()); };
    if (path == "/hang") {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait(lock, [this] { return m_bStop || m_bReleased; });
        return std::string();
    } else if (path == "/gate") {
        std::unique_lock<std::mutex> lock(m_mutex);
        const long nRound = m_nGateRound;
        if (++m_nGateWaiting >= m_nGate) {
            m_nGateWaiting = 0;
            ++m_nGateRound;
            m_changed.notify_all();
        } else {
            m_changed.wait(lock, [&] { return m_bStop || m_nGateRound != nRound; });
        }
    } else if (path.compare(0, 6, "/slow/") == 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(after("/slow/").c_str())));
    } else if (path.compare(0, 8, "/status/") == 0) {
        nStatus = std::atoi(after("/status/").c_str());
    } else if (path == "/head-refused") {
        nStatus = method == "HEAD" ? 405 : 200;
    } else if (path.compare(0, 10, "/redirect/") == 0) {
        const std::string rest = after("/redirect/");
        nStatus = std::atoi(rest.c_str());
        const size_t slash = rest.find('/');
        location = slash == std::string::npos ? "/" : rest.substr(slash);
    } else if (path.compare(0, 9, "/to-port/") == 0) {
        const std::string rest = after("/to-port/");
        const size_t slash = rest.find('/');
        nStatus = 301;
        location =
            Url(slash == std::string::npos ? "/" : rest.substr(slash), std::atoi(rest.c_str()));
    } else if (path.compare(0, 7, "/chain/") == 0) {
        const int k = std::atoi(after("/chain/").c_str());
        if (k > 0) {
            nStatus = 301;
            location = "/chain/" + std::to_string(k - 1);
        }
    } else if (path == "/loop/a" || path == "/loop/b") {
        nStatus = 301;
        location = path == "/loop/a" ? "/loop/b" : "/loop/a";
    } else if (path != "/ok") {
        nStatus = 404;
    }
    std::string reply = "HTTP/1.1 " + std::to_string(nStatus) + " Answer\r\nContent-Length: 2\r\n" +
                        "Connection: close\r\n";
    if (!location.empty()) reply += "Location: " + location + "\r\n";
    reply += "\r\n";
    if (method != "HEAD") reply += "ok";
    return reply;
}
