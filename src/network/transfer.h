#pragma once

#include "network/proxysetting.h"

#include <QNetworkAccessManager>

#include <chrono>
#include <exception>

namespace veltaro {

// The transfer was abandoned because the program is ending: not a failure, nothing to report.
class TransferCancelled : public std::exception
{
public:
    const char *what() const noexcept override
    {
        return "transfer cancelled: the program is ending";
    }
};

// One HTTP GET at a time, waited for in place: OpenURL returns the whole body once it has
// arrived, while the window's events go on being handled. The body is asked for as it is
// (no HTTP compression), so it must have the length its header announces. The proxy is the one
// the environment named when the transfer was made; redirects follow Qt's default policy.
class Transfer : public QObject
{
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds kDefaultDeadline{60'000};
    static constexpr qint64 kDefaultMaxBodySize = 64 * 1024 * 1024;

    explicit Transfer(ProxySetting proxy = ProxySetting::fromEnvironment(),
                      qint64 maxBodySize = kDefaultMaxBodySize, QObject *parent = nullptr);

    void setProxy(const ProxySetting &proxy) { m_proxy = proxy; }

    // The deadline bounds the whole transfer, however the bytes trickle in.
    void setDeadline(std::chrono::milliseconds deadline) { m_deadline = deadline; }

    // Throws NetworkFailure, or TransferCancelled when the application leaves its event loops.
    QByteArray OpenURL(const QString &address);

private:
    QNetworkAccessManager m_manager;
    ProxySetting m_proxy;
    std::chrono::milliseconds m_deadline = kDefaultDeadline;
    const qint64 m_maxBodySize;
};

} // namespace veltaro
