#include "network/transfer.h"

#include "failure.h"
#include "network/networkreason.h"

#include <QEventLoop>
#include <QNetworkReply>
#include <QScopedPointer>
#include <QTimer>

#include <algorithm>
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

QByteArray Transfer::OpenURL(const QString &address)
{
    const QUrl url(address);
    if (!url.isValid() ||
        (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")))
        throw NetworkFailure("地址无效：" + address.toStdString());

    const QNetworkProxy proxy = m_proxy.proxyFor(url.host());
    if (m_manager.proxy() != proxy)
        m_manager.setProxy(proxy);
    // Who failed to answer: the proxy, when there is one.
    const QString peer = proxy.type() == QNetworkProxy::NoProxy
                             ? url.host()
                             : QStringLiteral("%1:%2").arg(proxy.hostName()).arg(proxy.port());

    QNetworkRequest request(url);
    // Pictures gain nothing from compression, and a compressed body that ends early cannot be
    // told from a whole one.
    request.setRawHeader("Accept-Encoding", "identity");
    QScopedPointer<QNetworkReply, QScopedPointerDeleteLater> reply(m_manager.get(request));
    QByteArray body;
    std::string failure;
    QEventLoop loop;

    const auto fail = [&](std::string reason) {
        if (failure.empty())
            failure = std::move(reason);
        reply->abort();
    };
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
    if (failure.empty() && status >= 400)
        failure = httpStatusText(status);
    // Qt follows a redirect with a target itself; one without a target ends here.
    if (failure.empty() && status >= 300 && status < 400 && !reply->hasRawHeader("Location"))
        failure = "服务器要求转到别处（HTTP " + std::to_string(status) + "），却没有给出目标地址";
    // An interim answer (103 Early Hints) that Qt took for the whole answer.
    if (failure.empty() && status >= 100 && status < 200)
        failure = "服务器只发来了临时回答（HTTP " + std::to_string(status) + "），没有图像";
    if (failure.empty() && reply->error() != QNetworkReply::NoError)
        failure = networkErrorText(
            proxy.type() == QNetworkProxy::NoProxy ? reply->error() : asProxyError(reply->error()),
            peer);
    if (failure.empty()) {
        body += reply->readAll();
        // Qt can report a body cut short as whole when the data and the close arrive together:
        // the body must have the length its header announced. A chunked body carries its own
        // length, whatever Content-Length says beside it.
        const bool chunked = reply->rawHeader("Transfer-Encoding").toLower().contains("chunked");
        const auto length = chunked ? std::nullopt : announcedLength(*reply);
        if (length && *length < 0)
            failure = "服务器的回答有误：Content-Length 为“" +
                      reply->rawHeader("Content-Length").toStdString() + "”";
        else if (body.isEmpty())
            failure = "服务器没有返回内容";
        else if (body.size() > m_maxBodySize)
            failure = "图像超过 " + sizeInMiB(m_maxBodySize);
        else if (length && body.size() != *length)
            failure = "内容不完整：收到 " + std::to_string(body.size()) + " 字节，应为 " +
                      std::to_string(*length) + " 字节";
    }
    if (!failure.empty()) {
        // A stalled or broken connection must not be reused by the next transfer.
        m_manager.clearConnectionCache();
        throw NetworkFailure(failure);
    }
    return body;
}

} // namespace veltaro
