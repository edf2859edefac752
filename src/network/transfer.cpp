#include "network/transfer.h"

#include "failure.h"
#include "network/networkreason.h"

#include <QEventLoop>
#include <QNetworkDiskCache>
#include <QNetworkReply>
#include <QScopedPointer>
#include <QScopedValueRollback>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <optional>

namespace veltaro {

namespace {

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
    // Background fetches end with the transfer and tell no one: the manager, destroyed after
    // the table and the cache they report to, would otherwise finish them into both.
    for (QNetworkReply *reply : std::as_const(m_ahead)) {
        disconnect(reply, nullptr, this, nullptr);
        reply->abort();
    }
}

void Transfer::useDiskCache(const QString &folder, qint64 maxBytes)
{
    // Qt's disk cache as a store the transfer fills and reads itself: set on the network
    // manager, Qt's own use of it leaves some error answers unfinished.
    m_cache = std::make_unique<QNetworkDiskCache>();
    m_cache->setCacheDirectory(folder);
    m_cache->setMaximumCacheSize(maxBytes);
}

void Transfer::forget(const QString &address)
{
    if (m_cache)
        m_cache->remove(QUrl(address));
}

QByteArray Transfer::keptCopy(const QUrl &url) const
{
    if (!m_cache)
        return {};
    const std::unique_ptr<QIODevice> kept{m_cache->data(url)};
    return kept && kept->size() <= m_maxBodySize ? kept->readAll() : QByteArray();
}

void Transfer::keep(const QUrl &url, const QNetworkReply &reply, const QByteArray &body)
{
    if (!m_cache)
        return;
    QNetworkCacheMetaData metaData;
    metaData.setUrl(url);
    metaData.setRawHeaders(reply.rawHeaderPairs());
    metaData.setSaveToDisk(true);
    if (QIODevice *device = m_cache->prepare(metaData)) {
        if (device->write(body) == body.size())
            m_cache->insert(device);
        else
            m_cache->remove(url);
    }
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

QNetworkRequest Transfer::requestFor(const QUrl &url)
{
    QNetworkRequest request(url);
    // Pictures gain nothing from compression, and a compressed body that ends early cannot be
    // told from a whole one.
    request.setRawHeader("Accept-Encoding", "identity");
    return request;
}

std::string Transfer::failureOf(QNetworkReply &reply, QByteArray &body, const Route &route) const
{
    const QNetworkProxy &proxy = route.proxy;
    const QString &peer = route.peer;
    const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 400)
        return httpStatusText(status);
    // Qt follows a redirect with a target itself; one without a target ends here.
    if (status >= 300 && status < 400 && !reply.hasRawHeader("Location"))
        return "服务器要求转到别处（HTTP " + std::to_string(status) + "），却没有给出目标地址";
    // An interim answer (103 Early Hints) that Qt took for the whole answer.
    if (status >= 100 && status < 200)
        return "服务器只发来了临时回答（HTTP " + std::to_string(status) + "），没有图像";
    if (reply.error() != QNetworkReply::NoError)
        return networkErrorText(
            proxy.type() == QNetworkProxy::NoProxy ? reply.error() : asProxyError(reply.error()),
            peer);
    body += reply.readAll();
    // Qt can report a body cut short as whole when the data and the close arrive together: the
    // body must have the length its header announced. A chunked body carries its own length,
    // whatever Content-Length says beside it.
    const bool chunked = reply.rawHeader("Transfer-Encoding").toLower().contains("chunked");
    const auto length = chunked ? std::nullopt : announcedLength(reply);
    if (length && *length < 0)
        return "服务器的回答有误：Content-Length 为“" +
               reply.rawHeader("Content-Length").toStdString() + "”";
    if (body.isEmpty())
        return "服务器没有返回内容";
    if (body.size() > m_maxBodySize)
        return "图像超过 " + sizeInMiB(m_maxBodySize);
    if (length && body.size() != *length)
        return "内容不完整：收到 " + std::to_string(body.size()) + " 字节，应为 " +
               std::to_string(*length) + " 字节";
    return {};
}

void Transfer::fetchAhead(const QString &address)
{
    const QUrl url(address);
    if (!m_cache || m_ahead.contains(address) || !url.isValid())
        return;
    Route route;
    try {
        route = routeTo(url);
    } catch (const NetworkFailure &) {
        emit fetchedAhead(address, false); // a press will say why
        return;
    }
    QNetworkReply *reply = m_manager.get(requestFor(url));
    m_ahead.insert(address, reply);
    auto body = std::make_shared<QByteArray>();
    // The same limits as a press: the size, and the deadline for the whole transfer.
    connect(reply, &QNetworkReply::readyRead, this, [this, reply, body] {
        *body += reply->readAll();
        if (body->size() > m_maxBodySize)
            reply->abort();
    });
    QTimer::singleShot(m_deadline, reply, [reply] { reply->abort(); });
    connect(reply, &QNetworkReply::finished, this, [this, reply, body, url, address, route] {
        m_ahead.remove(address);
        const bool whole = failureOf(*reply, *body, route).empty();
        if (whole)
            keep(url, *reply, *body);
        reply->deleteLater();
        emit fetchedAhead(address, whole);
    });
}

void Transfer::cancelAhead(const QStringList &stillWanted)
{
    const auto fetching = m_ahead; // aborting finishes a reply, which leaves the table
    for (auto it = fetching.cbegin(); it != fetching.cend(); ++it)
        if (!stillWanted.contains(it.key()))
            it.value()->abort();
}

QByteArray Transfer::kept(const QString &address) const
{
    return keptCopy(QUrl(address));
}

QByteArray Transfer::OpenURL(const QString &address, Freshness freshness)
{
    const QUrl url(address);
    if (!url.isValid() ||
        (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")))
        throw NetworkFailure("地址无效：" + address.toStdString());

    const Route route = routeTo(url);
    QNetworkRequest request = requestFor(url);
    m_lastFromCache = false;
    if (freshness == Freshness::CacheFirst) {
        // The archive's pictures never change: a kept copy is used as it is, however old, and
        // without asking anyone. Whether it is whole is for the picture's checks to say.
        if (QByteArray kept = keptCopy(url); !kept.isEmpty()) {
            m_lastFromCache = true;
            return kept;
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
    QScopedPointer<QNetworkReply, QScopedPointerDeleteLater> reply(m_manager.get(request));
    QByteArray body;
    std::string failure;
    QEventLoop loop;

    std::function<void(std::string)> fail = [&](std::string reason) {
        if (failure.empty())
            failure = std::move(reason);
        reply->abort();
    };
    const QScopedValueRollback waiting(m_cancelWaiting, &fail);
    // Refuse an oversized body as soon as its size is announced or passed, before Qt holds it.
    connect(reply.data(), &QNetworkReply::metaDataChanged, &loop, [&] {
        const auto length = announcedLength(*reply);
        if (length && *length > m_maxBodySize)
            fail("图像过大：" + std::to_string(*length) + " 字节，上限 " +
                 sizeInMiB(m_maxBodySize));
    });
    connect(reply.data(), &QNetworkReply::readyRead, &loop, [&] {
        body += reply->readAll();
        if (body.size() > m_maxBodySize)
            fail("图像超过 " + sizeInMiB(m_maxBodySize));
    });
    connect(reply.data(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    connect(reply.data(), &QNetworkReply::downloadProgress, this, &Transfer::progressed);

    QTimer deadline;
    deadline.setSingleShot(true);
    connect(reply.data(), &QNetworkReply::finished, &deadline, &QTimer::stop);
    connect(&deadline, &QTimer::timeout, &loop, [&] {
        // A dialog's own event loop can keep this one from returning long after the reply
        // finished: the deadline is the transfer's, not the dialog's.
        if (reply->isFinished())
            return;
        fail("下载超时（" + QString::number(m_deadline.count() / 1000.0).toStdString() + " 秒）");
    });
    deadline.start(m_deadline);

    if (!reply->isFinished())
        loop.exec();
    deadline.stop();

    if (!reply->isFinished()) {
        // Only the application's exit leaves the loop early.
        reply->abort();
        m_manager.clearConnectionCache();
        throw TransferCancelled();
    }

    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (failure.empty() && status == 304 && reply->error() == QNetworkReply::NoError) {
        // Confirmed: the body is the one kept.
        body = keptCopy(url);
        if (!body.isEmpty()) {
            m_lastFromCache = true;
            return body;
        }
        failure = "服务器说图像没有变化（HTTP 304），却没有保存的副本";
    }
    if (failure.empty())
        failure = failureOf(*reply, body, route);
    if (!failure.empty()) {
        // A stalled or broken connection must not be reused by the next transfer.
        m_manager.clearConnectionCache();
        throw NetworkFailure(failure);
    }
    keep(url, *reply, body);
    return body;
}

void Transfer::cancel()
{
    if (m_cancelWaiting)
        (*m_cancelWaiting)("已取消");
}

} // namespace veltaro
