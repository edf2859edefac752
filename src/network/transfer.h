#pragma once

#include "network/proxysetting.h"

#include <QNetworkAccessManager>
#include <QHash>
#include <QNetworkDiskCache>

#include <chrono>
#include <exception>
#include <functional>
#include <memory>

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
    ~Transfer() override;

    void setProxy(const ProxySetting &proxy) { m_proxy = proxy; }

    // The deadline bounds the whole transfer, however the bytes trickle in.
    void setDeadline(std::chrono::milliseconds deadline) { m_deadline = deadline; }

    // Where a body may come from: the network, always (a copy kept from before only confirmed
    // there), or a copy kept from before when there is one.
    enum class Freshness { AskNetwork, CacheFirst };

    // Keeps the bodies that arrive in `folder`, at most `maxBytes` of them, the oldest dropped
    // first (Qt's HTTP disk cache).
    void useDiskCache(const QString &folder, qint64 maxBytes);
    // Drops the kept copy of `address` (one that turned out damaged).
    void forget(const QString &address);
    // Whether the last body came from the kept copies.
    bool lastCameFromCache() const { return m_lastFromCache; }

    // Fetches into the kept copies in the background, with the same limits and checks as
    // OpenURL, while the window goes on; fetchedAhead() tells how it went. Does nothing without
    // a disk cache.
    void fetchAhead(const QString &address);
    // Stops the background fetches of every address but these.
    void cancelAhead(const QStringList &stillWanted);
    int fetchingAhead() const { return int(m_ahead.size()); }
    // The kept copy of `address`; empty when there is none.
    QByteArray kept(const QString &address) const;

    // Throws NetworkFailure, or TransferCancelled when the application leaves its event loops.
    QByteArray OpenURL(const QString &address, Freshness freshness = Freshness::AskNetwork);
    // Stops the download OpenURL waits for: it throws NetworkFailure("已取消"). Nothing when
    // none waits.
    void cancel();
    bool isWaiting() const { return m_cancelWaiting != nullptr; }

signals:
    void fetchedAhead(const QString &address, bool whole);
    // How much of the body OpenURL waits for has arrived; `total` is -1 when not announced.
    void progressed(qint64 received, qint64 total);

private:
    // What is wrong with a finished reply and the body it brought (read to its end here);
    // empty when nothing is.
    // The proxy a request goes through, set on the manager, and who answers for it.
    struct Route
    {
        QNetworkProxy proxy;
        QString peer;
    };
    Route routeTo(const QUrl &url); // throws NetworkFailure
    static QNetworkRequest requestFor(const QUrl &url);
    std::string failureOf(QNetworkReply &reply, QByteArray &body, const Route &route) const;
    QByteArray keptCopy(const QUrl &url) const;
    void keep(const QUrl &url, const QNetworkReply &reply, const QByteArray &body);

    QNetworkAccessManager m_manager;
    std::unique_ptr<QNetworkDiskCache> m_cache;
    QHash<QString, QNetworkReply *> m_ahead;
    ProxySetting m_proxy;
    std::chrono::milliseconds m_deadline = kDefaultDeadline;
    const qint64 m_maxBodySize;
    bool m_lastFromCache = false;
    // Set while OpenURL waits: ends its wait with the given reason.
    std::function<void(std::string)> *m_cancelWaiting = nullptr;
};

} // namespace veltaro
