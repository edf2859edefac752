#include "platform/transfer.h"

#include "failure.h"

#include <QEventLoop>
#include <QNetworkReply>
#include <QScopedPointer>
#include <QTimer>

namespace veltaro {

namespace {

std::string sizeInMiB(qint64 bytes)
{
    return std::to_string(bytes / (1024 * 1024)) + " MiB";
}

} // namespace

Transfer::Transfer(qint64 maxBodySize, QObject *parent)
    : QObject(parent), m_maxBodySize(maxBodySize)
{
}

QByteArray Transfer::OpenURL(const QString &address)
{
    const QUrl url(address);
    if (!url.isValid() ||
        (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")))
        throw NetworkFailure("地址无效：" + address.toStdString());

    QScopedPointer<QNetworkReply, QScopedPointerDeleteLater> reply(
        m_manager.get(QNetworkRequest(url)));
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
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > m_maxBodySize)
            fail("图像过大：" + std::to_string(length.toLongLong()) + " 字节，上限 " +
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
    connect(&deadline, &QTimer::timeout, &loop, [&] {
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
        failure = "服务器回答 HTTP " + std::to_string(status);
    if (failure.empty() && reply->error() != QNetworkReply::NoError)
        failure = "网络错误：" + reply->errorString().toStdString();
    if (failure.empty()) {
        body += reply->readAll();
        // Qt can report a body cut short as whole when the data and the close arrive together;
        // an uncompressed body must have the length its header announced.
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        const bool encoded = reply->hasRawHeader("Content-Encoding");
        if (body.isEmpty())
            failure = "服务器没有返回内容";
        else if (body.size() > m_maxBodySize)
            failure = "图像超过 " + sizeInMiB(m_maxBodySize);
        else if (!encoded && length.isValid() && body.size() != length.toLongLong())
            failure = "内容不完整：收到 " + std::to_string(body.size()) + " 字节，应为 " +
                      std::to_string(length.toLongLong()) + " 字节";
    }
    if (!failure.empty()) {
        // A stalled or broken connection must not be reused by the next transfer.
        m_manager.clearConnectionCache();
        throw NetworkFailure(failure);
    }
    return body;
}

} // namespace veltaro
