#include "loopserver.h"

#include <chrono>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

bool sendAll(int socket, const char *data, size_t size)
{
    while (size > 0) {
        const ssize_t sent = ::send(socket, data, size, MSG_NOSIGNAL);
        if (sent <= 0)
            return false;
        data += sent;
        size -= static_cast<size_t>(sent);
    }
    return true;
}

[[noreturn]] void fail(const char *what)
{
    std::perror(what);
    std::exit(1);
}

} // namespace

LoopServer::LoopServer()
{
    m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
    const int on = 1;
    ::setsockopt(m_listener, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(m_listener, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 ||
        ::listen(m_listener, 16) != 0)
        fail("loop server");
    socklen_t length = sizeof address;
    ::getsockname(m_listener, reinterpret_cast<sockaddr *>(&address), &length);
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { serve(); });
}

LoopServer::~LoopServer()
{
    m_stopping = true;
    ::shutdown(m_listener, SHUT_RDWR);
    ::close(m_listener);
    m_thread.join();
}

void LoopServer::setBody(const QByteArray &body)
{
    const QByteArray head = "HTTP/1.1 200 OK\r\nContent-Type: image/jpeg\r\nContent-Length: " +
                            QByteArray::number(body.size()) + "\r\n\r\n";
    std::lock_guard lock(m_mutex);
    m_response = head + body;
}

void LoopServer::serve()
{
    std::vector<std::thread> clients;
    while (!m_stopping) {
        const int client = ::accept(m_listener, nullptr, nullptr);
        if (client < 0)
            break;
        clients.emplace_back([this, client] { answer(client); });
    }
    for (std::thread &client : clients)
        client.join();
}

void LoopServer::answer(int client)
{
    std::string pending;
    char buffer[4096];
    while (!m_stopping) {
        pollfd waiting{client, POLLIN, 0};
        if (::poll(&waiting, 1, 200) == 0)
            continue;
        const ssize_t got = ::recv(client, buffer, sizeof buffer, 0);
        if (got <= 0)
            break;
        pending.append(buffer, static_cast<size_t>(got));
        size_t end;
        while ((end = pending.find("\r\n\r\n")) != std::string::npos) {
            pending.erase(0, end + 4);
            if (m_delayMs > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(m_delayMs.load()));
            QByteArray response;
            {
                std::lock_guard lock(m_mutex);
                response = m_response;
            }
            if (!sendAll(client, response.constData(), static_cast<size_t>(response.size())))
                break;
        }
    }
    ::close(client);
}

PlainClient::PlainClient(unsigned short port)
{
    m_socket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(m_socket, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0)
        fail("connect");
}

PlainClient::~PlainClient()
{
    ::close(m_socket);
}

QByteArray PlainClient::get()
{
    const char request[] = "GET /is_nsmc/product_app/imagesGMS5/NL/807180200.jpg HTTP/1.1\r\n"
                           "Host: 127.0.0.1\r\n\r\n";
    sendAll(m_socket, request, sizeof request - 1);

    qsizetype bodyStart = -1;
    qsizetype length = -1;
    char buffer[65536];
    while (bodyStart < 0 || m_pending.size() - bodyStart < length) {
        if (bodyStart < 0) {
            const qsizetype end = m_pending.indexOf("\r\n\r\n");
            if (end >= 0) {
                bodyStart = end + 4;
                const qsizetype at = m_pending.indexOf("Content-Length: ");
                length =
                    m_pending.mid(at + 16, m_pending.indexOf("\r\n", at) - at - 16).toLongLong();
                continue;
            }
        }
        const ssize_t got = ::recv(m_socket, buffer, sizeof buffer, 0);
        if (got <= 0)
            fail("recv");
        m_pending.append(buffer, got);
    }
    const QByteArray body = m_pending.mid(bodyStart, length);
    m_pending.remove(0, bodyStart + length);
    return body;
}
