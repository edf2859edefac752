#include "network/transfer.h"

#include "failure.h"
#include "said.h"
#include "network/networkreason.h"

#include <QCoreApplication>
#include <QNetworkDiskCache>
#include <QNetworkReply>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>

namespace veltaro {

namespace {

// Qt's disk cache, held to its bound after every body kept: on its own it trims only before
// the next one, so the folder could stay over its bound by the last picture.
class BoundedDiskCache : public QNetworkDiskCache
{
public:
    void insert(QIODevice *device) override
    {
        QNetworkDiskCache::insert(device);
        if (cacheSize() > maximumCacheSize())
            expire();
    }
};

std::string sizeInMiB(qint64 bytes)
{
    return std::to_string(bytes / (1024 * 1024)) + " MiB";
}

// Through a proxy, the connection that failed was the proxy's.
QNetworkReply::NetworkError asProxyError(QNetworkReply::NetworkError error)
{
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
        return QNetworkReply::ProxyConnectionRefusedError;
    case QNetworkReply::RemoteHostClosedError:
        return QNetworkReply::ProxyConnectionClosedError;
    case QNetworkReply::HostNotFoundError:
        return QNetworkReply::ProxyNotFoundError;
    case QNetworkReply::TimeoutError:
        return QNetworkReply::ProxyTimeoutError;
    default:
        return error;
    }
}

// The announced length: nothing when there is none, -1 when it is not a length.
std::optional<qint64> announcedLength(const QNetworkReply &reply)
{
    if (!reply.hasRawHeader("Content-Length"))
        return std::nullopt;
    const QByteArray text = reply.rawHeader("Content-Length").trimmed();
    bool ok = false;
    const qint64 length = text.toLongLong(&ok);
    const bool digitsOnly = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](char c) {
        return c >= '0' && c <= '9';
    });
    return ok && digitsOnly ? length : -1;
}

} // namespace

Transfer::Transfer(ProxySetting proxy, qint64 maxBodySize, QObject *parent)
    : QObject(parent), m_proxy(std::move(proxy)), m_maxBodySize(maxBodySize)
{
}

Transfer::~Transfer()
{
    // Downloads still under way end with the transfer and tell no one: their handles go first,
    // their replies are cut off from the transfer, and aborting those closes their connections.
    m_downloads.clear();
    m_ahead.clear();
    qDeleteAll(findChildren<TransferRequest *>(Qt::FindDirectChildrenOnly));
    for (QNetworkReply *reply : m_manager.findChildren<QNetworkReply *>()) {
        reply->disconnect(this);
        reply->abort();
    }
}

int Transfer::holdersOf(const QString &address) const
{
    const auto download = m_downloads.value(address);
    return download ? int(download->holders.size()) : 0;
}

void Transfer::useDiskCache(const QString &folder, qint64 maxBytes)
{
    // Qt's disk cache as a store the transfer fills and reads itself: set on the network
    // manager, Qt's own use of it leaves some error answers unfinished.
    m_cache = std::make_unique<BoundedDiskCache>();
    m_cache->setCacheDirectory(folder);
    m_cache->setMaximumCacheSize(maxBytes);
}

void Transfer::forget(const QString &address)
{
    m_held.remove(address);
    m_heldOrder.removeAll(address);
    if (m_cache)
        m_cache->remove(QUrl(address));
}

QByteArray Transfer::keptCopy(const QUrl &url) const
{
    if (const auto held = m_held.constFind(url.toString()); held != m_held.cend())
        return *held;
    if (!m_cache)
        return {};
    const std::unique_ptr<QIODevice> kept{m_cache->data(url)};
    return kept && kept->size() <= m_maxBodySize ? kept->readAll() : QByteArray();
}

QByteArray Transfer::kept(const QString &address) const
{
    return keptCopy(QUrl(address));
}

bool Transfer::isKept(const QString &address) const
{
    return m_held.contains(address) || (m_cache && m_cache->metaData(QUrl(address)).isValid());
}

QDateTime Transfer::keptSince(const QString &address) const
{
    if (!m_cache)
        return {};
    return m_cache->metaData(QUrl(address)).attributes().value(QNetworkRequest::User).toDateTime();
}

bool Transfer::keepOnDisk(const QUrl &url, const QNetworkReply &reply, const QByteArray &body)
{
    if (!m_cache || reply.rawHeader("Cache-Control").toLower().contains("no-store"))
        return false;
    QNetworkCacheMetaData metaData;
    metaData.setUrl(url);
    metaData.setRawHeaders(reply.rawHeaderPairs());
    metaData.setSaveToDisk(true);
    // When it arrived: a copy shown for want of a network says how old it is.
    metaData.setAttributes({{QNetworkRequest::User, QDateTime::currentDateTimeUtc()}});
    QIODevice *device = m_cache->prepare(metaData);
    if (!device)
        return false; // a cache folder that cannot be written
    if (device->write(body) != body.size()) {
        m_cache->remove(url);
        return false;
    }
    m_cache->insert(device);
    // A full disk leaves no readable entry behind, and the cache says nothing of it.
    return m_cache->metaData(url).isValid();
}

void Transfer::holdInMemory(const QString &address, const QByteArray &body)
{
    if (!m_held.contains(address))
        m_heldOrder << address;
    m_held.insert(address, body);
    while (m_heldOrder.size() > kHeldInMemoryAtMost)
        m_held.remove(m_heldOrder.takeFirst());
}

Transfer::Route Transfer::routeTo(const QUrl &url)
{
    Route route;
    route.proxy = m_proxy.proxyFor(url.host());
    if (m_manager.proxy() != route.proxy)
        m_manager.setProxy(route.proxy);
    // Who failed to answer: the proxy, when there is one.
    route.peer = route.proxy.type() == QNetworkProxy::NoProxy
                     ? url.host()
                     : QStringLiteral("%1:%2").arg(route.proxy.hostName()).arg(route.proxy.port());
    return route;
}

QString Transfer::failureOf(QNetworkReply &reply, QByteArray &body, const Route &route,
                            TransferRequest::Result *failedAs) const
{
    const auto text = [](const std::string &reason) { return QString::fromStdString(reason); };
    *failedAs = TransferRequest::Result::Failed;
    const QNetworkProxy &proxy = route.proxy;
    const QString &peer = route.peer;
    const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 400)
        return text(httpStatusText(status));
    // Qt follows a redirect with a target itself; one without a target ends here.
    if (status >= 300 && status < 400 && !reply.hasRawHeader("Location"))
        return text(said("transfer", "服务器要求转到别处（HTTP ") + std::to_string(status) + said("transfer", "），却没有给出目标地址"));
    // An interim answer (103 Early Hints) that Qt took for the whole answer.
    if (status >= 100 && status < 200)
        return text(said("transfer", "服务器只发来了临时回答（HTTP ") + std::to_string(status) + said("transfer", "），没有图像"));
    if (reply.error() != QNetworkReply::NoError) {
        const auto error =
            proxy.type() == QNetworkProxy::NoProxy ? reply.error() : asProxyError(reply.error());
        if (meansUnreachable(error))
            *failedAs = TransferRequest::Result::Unreachable;
        return text(networkErrorText(error, peer));
    }
    body += reply.readAll();
    // Qt can report a body cut short as whole when the data and the close arrive together: the
    // body must have the length its header announced. A chunked body carries its own length,
    // whatever Content-Length says beside it.
    const bool chunked = reply.rawHeader("Transfer-Encoding").toLower().contains("chunked");
    const auto length = chunked ? std::nullopt : announcedLength(reply);
    if (length && *length < 0)
        return text(said("transfer", "服务器的回答有误：Content-Length 为“") +
                    reply.rawHeader("Content-Length").toStdString() + said("transfer", "”"));
    if (body.isEmpty())
        return text(said("transfer", "服务器没有返回内容"));
    if (body.size() > m_maxBodySize)
        return text(said("transfer", "图像超过 ") + sizeInMiB(m_maxBodySize));
    if (length && body.size() != *length)
        return text(said("transfer", "内容不完整：收到 ") + std::to_string(body.size()) + said("transfer", " 字节，应为 ") +
                    std::to_string(*length) + said("transfer", " 字节"));
    return {};
}

void Transfer::finishSoon(TransferRequest *request, TransferRequest::Result result,
                          QByteArray body, const QString &reason, bool fromCache)
{
    QMetaObject::invokeMethod(
        request,
        [request, result, body = std::move(body), reason, fromCache] {
            request->finish(result, body, reason, fromCache);
        },
        Qt::QueuedConnection);
}

TransferRequest *Transfer::get(const QString &address, Freshness freshness)
{
    const QUrl url(address);
    if (!url.isValid() ||
        (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https"))) {
        auto *request = new TransferRequest(address, this);
        finishSoon(request, TransferRequest::Result::Failed, {},
                   QCoreApplication::translate("transfer", "地址无效：") + address, false);
        return request;
    }
    if (const std::shared_ptr<Download> underWay = m_downloads.value(address)) {
        TransferRequest *joined = subscribe(underWay);
        // Wanted now: the fetch ahead lets go of it, quietly (the new holder keeps it going).
        if (TransferRequest *ahead = m_ahead.take(address))
            ahead->abort();
        return joined;
    }
    QNetworkRequest request(url);
    if (freshness == Freshness::CacheFirst) {
        // The archive's pictures never change: a kept copy is used as it is, however old, and
        // without asking anyone. Whether it is whole is for the picture's checks to say.
        if (QByteArray kept = keptCopy(url); !kept.isEmpty()) {
            auto *fromCache = new TransferRequest(address, this);
            fromCache->m_fromCache = true;
            finishSoon(fromCache, TransferRequest::Result::Whole, std::move(kept), {}, true);
            return fromCache;
        }
    } else if (m_cache) {
        // The network is always asked; a copy kept from before is only confirmed, when the
        // server gave it validators, and then taken from the cache.
        for (const auto &[name, value] : m_cache->metaData(url).rawHeaders()) {
            if (name.compare("ETag", Qt::CaseInsensitive) == 0)
                request.setRawHeader("If-None-Match", value);
            else if (name.compare("Last-Modified", Qt::CaseInsensitive) == 0)
                request.setRawHeader("If-Modified-Since", value);
        }
    }
    return start(address, request);
}

bool Transfer::fetchAhead(const QString &address)
{
    const QUrl url(address);
    if (m_downloads.contains(address) || !url.isValid())
        return false;
    // Whatever became of the last fetch (a body the disk would not keep, a failure), the
    // archive is not asked for the same picture again so soon.
    for (auto it = m_askedAhead.begin(); it != m_askedAhead.end();)
        it = it->hasExpired() ? m_askedAhead.erase(it) : std::next(it);
    if (m_askedAhead.contains(address))
        return false;
    QNetworkRequest request(url);
    request.setPriority(QNetworkRequest::LowPriority);
    TransferRequest *fetch = start(address, request);
    m_ahead.insert(address, fetch);
    connect(fetch, &TransferRequest::finished, this, [this, fetch] {
        if (m_ahead.value(fetch->address()) != fetch)
            return; // joined by a caller that wanted it, and let go: reported there
        m_ahead.remove(fetch->address());
        // One stopped because it was no longer wanted may be asked for again when it is.
        if (fetch->result() != TransferRequest::Result::Cancelled)
            m_askedAhead.insert(fetch->address(), QDeadlineTimer(kAskAheadAgainAfter));
        emit fetchedAhead(fetch->address(), fetch->result() == TransferRequest::Result::Whole
                                                ? fetch->body()
                                                : QByteArray());
    });
    return true;
}

void Transfer::dropConnections()
{
    // Whatever runs on them now is stopped first and fails with this reason: asked again, it
    // goes over a new connection.
    const auto downloads = m_downloads; // a stopped download leaves the table
    for (const std::shared_ptr<Download> &download : downloads)
        download->stop(QCoreApplication::translate("transfer", "另一个回答有误，连接已全部断开；请再试一次"),
                       TransferRequest::Result::Failed);
    m_manager.clearConnectionCache();
}

TransferRequest *Transfer::subscribe(const std::shared_ptr<Download> &download)
{
    auto *handle = new TransferRequest(download->address, this);
    download->holders << handle;
    handle->setDetacher([this, handle, weak = std::weak_ptr<Download>(download)] {
        const std::shared_ptr<Download> held = weak.lock();
        if (!held)
            return;
        held->holders.removeAll(handle);
        // The last holder gone: nobody wants the body any more.
        if (held->holders.isEmpty() && m_downloads.value(held->address) == held)
            held->stop(QCoreApplication::translate("transfer", "已取消"), TransferRequest::Result::Cancelled);
    });
    return handle;
}

void Transfer::finishAll(const std::shared_ptr<Download> &download, TransferRequest::Result result,
                         const QByteArray &body, const QString &reason, bool fromCache)
{
    // A holder told may let go of another, or ask for the same address anew: the download has
    // left the table already, and each holder is told only while it still holds it.
    const auto holders = download->holders;
    for (const QPointer<TransferRequest> &holder : holders)
        if (holder && download->holders.contains(holder)) {
            holder->setDetacher(nullptr);
            holder->m_httpStatus = download->httpStatus;
            holder->finish(result, body, reason, fromCache);
        }
    download->holders.clear();
}

void Transfer::cancelAhead(const QStringList &stillWanted)
{
    const auto fetching = m_ahead; // aborting finishes a request, which leaves the table
    for (auto it = fetching.cbegin(); it != fetching.cend(); ++it)
        if (!stillWanted.contains(it.key()))
            it.value()->abort();
}

TransferRequest *Transfer::start(const QString &address, QNetworkRequest request)
{
    const QUrl url = request.url();
    Route route;
    try {
        route = routeTo(url);
    } catch (const NetworkFailure &failure) {
        auto *refused = new TransferRequest(address, this);
        finishSoon(refused, TransferRequest::Result::Failed, {},
                   QString::fromUtf8(failure.what()), false);
        return refused;
    }
    // Pictures gain nothing from compression, and a compressed body that ends early cannot be
    // told from a whole one.
    request.setRawHeader("Accept-Encoding", "identity");
    QNetworkReply *reply = m_manager.get(request);
    auto download = std::make_shared<Download>();
    download->address = address;
    m_downloads.insert(address, download);
    TransferRequest *handle = subscribe(download);

    // What has arrived, and why the transfer was stopped before its end.
    struct Progress
    {
        QByteArray body;
        QString failure;
        TransferRequest::Result failedAs = TransferRequest::Result::Failed;
    };
    auto progress = std::make_shared<Progress>();
    const auto stop = [reply, progress](const QString &reason, TransferRequest::Result as) {
        if (progress->failure.isEmpty()) {
            progress->failure = reason;
            progress->failedAs = as;
        }
        reply->abort();
    };
    download->stop = stop;
    // Refuse an oversized body as soon as its size is announced or passed, before Qt holds it.
    connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply, stop] {
        const auto length = announcedLength(*reply);
        if (length && *length > m_maxBodySize)
            stop(QString::fromStdString(said("transfer", "图像过大：") + std::to_string(*length) + said("transfer", " 字节，上限 ") +
                                        sizeInMiB(m_maxBodySize)),
                 TransferRequest::Result::Failed);
    });
    connect(reply, &QNetworkReply::readyRead, this, [this, reply, progress, stop] {
        progress->body += reply->readAll();
        if (progress->body.size() > m_maxBodySize)
            stop(QString::fromStdString(said("transfer", "图像超过 ") + sizeInMiB(m_maxBodySize)),
                 TransferRequest::Result::Failed);
    });
    connect(reply, &QNetworkReply::downloadProgress, this,
            [weak = std::weak_ptr<Download>(download)](qint64 received, qint64 total) {
                if (const auto held = weak.lock())
                    for (const QPointer<TransferRequest> &holder : std::as_const(held->holders))
                        if (holder)
                            emit holder->progressed(received, total);
            });
    auto *deadline = new QTimer(reply);
    deadline->setSingleShot(true);
    connect(deadline, &QTimer::timeout, this, [this, reply, stop] {
        // No answer at all in that time is a network that cannot be reached; an answer that
        // began and did not end is the server's.
        const bool answered = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
        stop(QCoreApplication::translate("transfer", "下载超时（%1 秒）").arg(m_deadline.count() / 1000.0),
             answered ? TransferRequest::Result::Failed : TransferRequest::Result::Unreachable);
    });
    deadline->start(m_deadline);
    connect(reply, &QNetworkReply::finished, this,
            [this, download, reply, progress, deadline, route] {
                deadline->stop();
                complete(download, reply, std::move(progress->body), progress->failure,
                         progress->failedAs, route);
            });
    return handle;
}

void Transfer::complete(const std::shared_ptr<Download> &download, QNetworkReply *reply,
                        QByteArray body, QString failure, TransferRequest::Result failedAs,
                        const Route &route)
{
    reply->deleteLater();
    if (m_downloads.value(download->address) == download)
        m_downloads.remove(download->address);
    const QUrl url = reply->request().url();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    download->httpStatus = status;
    if (failure.isEmpty() && status == 304 && reply->error() == QNetworkReply::NoError) {
        // Confirmed: the body is the one kept.
        if (QByteArray kept = keptCopy(url); !kept.isEmpty()) {
            finishAll(download, TransferRequest::Result::Whole, kept, {}, true);
            return;
        }
        failure = QCoreApplication::translate("transfer", "服务器说图像没有变化（HTTP 304），却没有保存的副本");
    }
    if (failure.isEmpty())
        failure = failureOf(*reply, body, route, &failedAs);
    if (!failure.isEmpty()) {
        finishAll(download, failedAs, {}, failure, false);
        // An interim answer taken for the whole, or one that could not be read, leaves the
        // rest of the server's bytes on the connection, where the next request would read them
        // as its own answer: no request may use that connection again.
        if ((status >= 100 && status < 200) || reply->error() == QNetworkReply::ProtocolFailure)
            dropConnections();
        return;
    }
    // What the disk will not keep is held in memory a while, so that nothing fetched is asked
    // for again at once.
    if (!keepOnDisk(url, *reply, body))
        holdInMemory(download->address, body);
    finishAll(download, TransferRequest::Result::Whole, body, {}, false);
}

} // namespace veltaro
