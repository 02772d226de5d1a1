// A small HTTP server for the link checker's tests, listening on 127.0.0.1
// only (one or more ports, each a server of its own to the checker). Each
// connection carries one request and is answered by the path:
//   /ok                      200
//   /status/N                N (no Location)
//   /head-refused            HEAD 405, GET 200
//   /redirect/N/REST         N with Location "/REST"
//   /to-port/I/REST          301 with Location "http://127.0.0.1:<port I>/REST"
//   /chain/K                 301 to /chain/K-1; /chain/0 is 200
//   /loop/a, /loop/b         301 to each other
//   /hang                    no answer until ReleaseHung or the server goes
//   /gate                    200 once as many /gate requests wait at once as
//                            SetGate asked (all of them then go)
//   /slow/MS                 200 after MS milliseconds
// It counts the requests in flight, so tests can wait for a state.
#pragma once

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LoopbackHttpServer {
public:
    explicit LoopbackHttpServer(int nPorts = 1);
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    int Port(int nIndex = 0) const { return m_ports[static_cast<size_t>(nIndex)]; }
    std::string Url(const std::string& path, int nIndex = 0) const;

    void SetGate(int nAtOnce);
    // Blocks until at least n requests are in flight.
    void WaitForInFlight(int n);
    // Blocks until "METHOD PATH" has come.
    void WaitForRequest(const std::string& line);
    // Ends the /hang requests now (closed without an answer).
    void ReleaseHung();
    int MaxInFlight();
    int MaxInFlightOnPort(int nIndex);
    // "METHOD PATH" of every request, in arrival order.
    std::vector<std::string> Log();

    // A loopback port on which nothing listens.
    static int RefusedPort();

private:
    void Serve(size_t nIndex);
    void Handle(long long nSocket, size_t nIndex);
    // The reply to send; empty for none.
    std::string Answer(const std::string& method, const std::string& path);

    std::vector<long long> m_listeners;
    std::vector<int> m_ports;
    std::vector<std::thread> m_acceptors;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_bStop = false;
    bool m_bReleased = false;
    int m_nLive = 0;  // connection threads running
    int m_nInFlight = 0;
    int m_nMaxInFlight = 0;
    std::vector<int> m_inFlightOnPort, m_maxOnPort;
    int m_nGate = 1;
    int m_nGateWaiting = 0;
    long m_nGateRound = 0;
    std::vector<std::string> m_log;
};
