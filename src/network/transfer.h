#pragma once

// The network folder: the proxy the environment names (proxysetting), the words for what went
// wrong (networkreason), and the transfers themselves: Transfer hands out one TransferRequest
// per GET, each checked the same way whether the window waits for it or it fetches ahead.

#include "network/proxysetting.h"
#include "network/transferrequest.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QHash>
#include <QNetworkAccessManager>
#include <QNetworkDiskCache>
#include <QPointer>
#include <QStringList>

#include <chrono>
#include <functional>
#include <memory>

namespace veltaro {

// HTTP GETs, each caller holding a handle of its own that reports when it is done
// (TransferRequest); callers that ask for the same address share one download. The body is asked
// for as it is (no HTTP compression), so it must have the length its header announces; a body
// announced or grown past the limit is refused as soon as that is known, and the deadline bounds
// the whole transfer however the bytes trickle in. The proxy is the one the environment named
// when the transfer was made; redirects follow Qt's default policy.
class Transfer : public QObject
{
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds kDefaultDeadline{60'000};
    static constexpr qint64 kDefaultMaxBodySize = 64 * 1024 * 1024;
    // Bodies fetched ahead that could not be kept on disk are held in memory, this many at most.
    static constexpr int kHeldInMemoryAtMost = 8;
    // A picture fetched ahead is not asked for again in the background sooner than this.
    static constexpr std::chrono::seconds kAskAheadAgainAfter{60};

    explicit Transfer(ProxySetting proxy = ProxySetting::fromEnvironment(),
                      qint64 maxBodySize = kDefaultMaxBodySize, QObject *parent = nullptr);
    ~Transfer() override;

    void setProxy(const ProxySetting &proxy) { m_proxy = proxy; }
    void setDeadline(std::chrono::milliseconds deadline) { m_deadline = deadline; }

    // Where a body may come from: the network, always (a copy kept from before only confirmed
    // there), or a copy kept from before when there is one.
    enum class Freshness { AskNetwork, CacheFirst };

    // Keeps the bodies that arrive in `folder`, at most `maxBytes` of them, the oldest dropped
    // first (Qt's HTTP disk cache), except those the server marks not to be stored.
    void useDiskCache(const QString &folder, qint64 maxBytes);
    // Drops the kept copy of `address` (one that turned out damaged).
    void forget(const QString &address);
    // The kept copy of `address`; empty when there is none.
    QByteArray kept(const QString &address) const;
    // Whether a copy of `address` is kept, without reading it.
    bool isKept(const QString &address) const;
    // When the kept copy of `address` arrived; invalid when unknown.
    QDateTime keptSince(const QString &address) const;

    // Starts a GET of `address` and hands the caller its own handle on it. The handle finishes
    // once, never before control returns to the event loop. A GET of an address that is being
    // downloaded joins that download: every handle on it hears its end once, and aborting one
    // lets go of it for that caller alone. A fetch ahead that is joined so is no longer one.
    TransferRequest *get(const QString &address, Freshness freshness = Freshness::AskNetwork);

    // Fetches `address` in the background at low priority into the kept copies, with the same
    // limits and checks as get(); fetchedAhead() tells how it went. False, asking nothing, when
    // it is being fetched already or was asked for ahead a short while ago.
    bool fetchAhead(const QString &address);
    // Stops the background fetches of every address but these.
    void cancelAhead(const QStringList &stillWanted);
    int fetchingAhead() const { return int(m_ahead.size()); }
    // Whether a GET of `address` is under way, ahead or not.
    bool isFetching(const QString &address) const { return m_downloads.contains(address); }
    // How many handles wait for the download of `address`.
    int holdersOf(const QString &address) const;

signals:
    // A fetch ahead ended: `body` is the whole body, empty when none came.
    void fetchedAhead(const QString &address, const QByteArray &body);

private:
    // The proxy a request goes through, set on the manager, and who answers for it.
    struct Route
    {
        QNetworkProxy proxy;
        QString peer;
    };
    // One GET on the network and the handles that wait for it.
    struct Download
    {
        QString address;
        QList<QPointer<TransferRequest>> holders;
        int httpStatus = 0;
        // Ends the GET early, for the reason given; every holder still on it hears that.
        std::function<void(const QString &reason, TransferRequest::Result as)> stop;
    };
    Route routeTo(const QUrl &url);
    TransferRequest *start(const QString &address, QNetworkRequest request);
    // A new handle on `download`, for one more caller.
    TransferRequest *subscribe(const std::shared_ptr<Download> &download);
    void complete(const std::shared_ptr<Download> &download, QNetworkReply *reply,
                  QByteArray body, QString failure, TransferRequest::Result failedAs,
                  const Route &route);
    // Tells every holder still on `download` how it ended.
    void finishAll(const std::shared_ptr<Download> &download, TransferRequest::Result result,
                   const QByteArray &body, const QString &reason, bool fromCache);
    QString failureOf(QNetworkReply &reply, QByteArray &body, const Route &route,
                      TransferRequest::Result *failedAs) const;
    // Closes every connection, failing what runs on them with a reason.
    void dropConnections();
    QByteArray keptCopy(const QUrl &url) const;
    // Keeps the body on disk; false when it could not (or may not) be kept there.
    bool keepOnDisk(const QUrl &url, const QNetworkReply &reply, const QByteArray &body);
    void holdInMemory(const QString &address, const QByteArray &body);
    // Finishes `request` with `body` once control is back in the event loop.
    void finishSoon(TransferRequest *request, TransferRequest::Result result, QByteArray body,
                    const QString &reason, bool fromCache);

    QNetworkAccessManager m_manager;
    std::unique_ptr<QNetworkDiskCache> m_cache;
    // The GETs under way on the network, and the transfer's own handles on those of them that
    // are fetches ahead.
    QHash<QString, std::shared_ptr<Download>> m_downloads;
    QHash<QString, TransferRequest *> m_ahead;
    QHash<QString, QDeadlineTimer> m_askedAhead;
    QHash<QString, QByteArray> m_held;
    QStringList m_heldOrder;
    ProxySetting m_proxy;
    std::chrono::milliseconds m_deadline = kDefaultDeadline;
    const qint64 m_maxBodySize;
};

} // namespace veltaro
