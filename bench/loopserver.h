#pragma once

// A plain blocking HTTP server on 127.0.0.1 in a thread of its own, answering every request with
// the same body. It keeps connections alive, as a real image server does. Benchmarks only.

#include <QByteArray>

#include <atomic>
#include <mutex>
#include <thread>

class LoopServer
{
public:
    LoopServer();
    ~LoopServer();

    unsigned short port() const { return m_port; }
    void setBody(const QByteArray &body);
    // Every answer waits this long first, as a distant server's would.
    void setDelay(int milliseconds) { m_delayMs = milliseconds; }

private:
    void serve();
    void answer(int client);

    int m_listener = -1;
    unsigned short m_port = 0;
    std::atomic<bool> m_stopping{false};
    std::atomic<int> m_delayMs{0};
    std::mutex m_mutex;
    QByteArray m_response;
    std::thread m_thread;
};

// The floor's client: GETs over one kept-alive loopback connection, as Qt Network keeps its
// own, each whole body read into memory.
class PlainClient
{
public:
    explicit PlainClient(unsigned short port);
    ~PlainClient();
    QByteArray get();

private:
    int m_socket = -1;
    QByteArray m_pending;
};
