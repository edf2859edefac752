#include "samplearchive.h"

#include "cloudpicture.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include <sys/socket.h>
#include <zlib.h>

#include <algorithm>

namespace veltaro::sample {

namespace {

constexpr qint64 kStreamChunk = 1024 * 1024;
constexpr qint64 kOversized = 100 * 1024 * 1024;

QByteArray head(int status, const char *reason, const QList<QByteArray> &headers)
{
    QByteArray bytes = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason + "\r\n";
    for (const QByteArray &header : headers)
        bytes += header + "\r\n";
    return bytes + "\r\n";
}

QByteArray contentLength(qint64 length)
{
    return "Content-Length: " + QByteArray::number(length);
}

// Closes a moment after the data went out, as a server that dies mid-transfer does: the client
// has read what came before it learns of the close.
void closeSoon(QTcpSocket *socket)
{
    QTimer::singleShot(50, socket, [socket] { socket->disconnectFromHost(); });
}

// A reset instead of an orderly close.
void reset(QTcpSocket *socket)
{
    const linger hard{1, 0};
    setsockopt(static_cast<int>(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &hard,
               sizeof hard);
    socket->abort();
}

} // namespace

QByteArray withDeclaredSize(QByteArray jpeg, int width, int height)
{
    for (qsizetype i = 2; i + 9 < jpeg.size();) {
        if (static_cast<uchar>(jpeg[i]) != 0xFF)
            break;
        const uchar code = static_cast<uchar>(jpeg[i + 1]);
        const int length = (static_cast<uchar>(jpeg[i + 2]) << 8) | static_cast<uchar>(jpeg[i + 3]);
        if (code >= 0xC0 && code <= 0xC2) {
            jpeg[i + 5] = static_cast<char>(height >> 8);
            jpeg[i + 6] = static_cast<char>(height & 0xFF);
            jpeg[i + 7] = static_cast<char>(width >> 8);
            jpeg[i + 8] = static_cast<char>(width & 0xFF);
            break;
        }
        i += 2 + length;
    }
    return jpeg;
}

QByteArray withRepeatedScan(const QByteArray &progressiveJpeg, int count)
{
    const qsizetype first = progressiveJpeg.indexOf("\xFF\xDA");
    if (first < 0)
        return progressiveJpeg;
    // The scan's data runs to the next marker: a table, another scan or the end.
    qsizetype scanEnd = progressiveJpeg.size();
    for (const char *marker : {"\xFF\xC4", "\xFF\xDA", "\xFF\xD9"}) {
        const qsizetype at = progressiveJpeg.indexOf(marker, first + 2);
        if (at > 0)
            scanEnd = std::min(scanEnd, at);
    }
    return progressiveJpeg.left(first) +
           progressiveJpeg.mid(first, scanEnd - first).repeated(count) + "\xFF\xD9";
}

QByteArray gzippedZeros(qint64 size)
{
    z_stream stream{};
    // 15 window bits plus 16: a gzip header and trailer around the deflate data.
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 15 + 16, 9, Z_DEFAULT_STRATEGY) !=
        Z_OK)
        qFatal("zlib refused to start");
    const QByteArray zeros(kStreamChunk, '\0');
    QByteArray out;
    char buffer[64 * 1024];
    for (qint64 left = size; left >= 0; left -= zeros.size()) {
        const bool last = left <= zeros.size();
        stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(zeros.data()));
        stream.avail_in = static_cast<uInt>(last ? left : zeros.size());
        do {
            stream.next_out = reinterpret_cast<Bytef *>(buffer);
            stream.avail_out = sizeof buffer;
            deflate(&stream, last ? Z_FINISH : Z_NO_FLUSH);
            out.append(buffer, static_cast<qsizetype>(sizeof buffer - stream.avail_out));
        } while (stream.avail_out == 0);
        if (last)
            break;
    }
    deflateEnd(&stream);
    return out;
}

QByteArray gzipped(const QByteArray &bytes)
{
    z_stream stream{};
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 15 + 16, 9, Z_DEFAULT_STRATEGY) !=
        Z_OK)
        qFatal("zlib refused to start");
    QByteArray out(qsizetype(deflateBound(&stream, uLong(bytes.size())) + 32), '\0');
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(bytes.data()));
    stream.avail_in = uInt(bytes.size());
    stream.next_out = reinterpret_cast<Bytef *>(out.data());
    stream.avail_out = uInt(out.size());
    if (deflate(&stream, Z_FINISH) != Z_STREAM_END)
        qFatal("zlib did not finish");
    out.truncate(qsizetype(stream.total_out));
    deflateEnd(&stream);
    return out;
}

const QByteArray &SampleArchive::gzipBomb()
{
    static const QByteArray bomb = gzippedZeros(qint64(1) << 30);
    return bomb;
}

SampleArchive::SampleArchive(QObject *parent) : QObject(parent), m_pictureSize(kPictureSize)
{
    connect(&m_server, &QTcpServer::newConnection, this, &SampleArchive::accept);
}

SampleArchive::~SampleArchive() = default;

bool SampleArchive::listen(quint16 port)
{
    return m_server.listen(QHostAddress::LocalHost, port);
}

quint16 SampleArchive::port() const
{
    return m_server.serverPort();
}

QString SampleArchive::proxyAddress() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(port());
}

QString SampleArchive::imageAddress(const QString &name) const
{
    return proxyAddress() + QLatin1String(kImagePath) + name + QLatin1String("00.jpg");
}

void SampleArchive::dropConnections()
{
    // Connections the system has made but the archive not yet taken count as well.
    QCoreApplication::processEvents();
    accept();
    for (QTcpSocket *socket : findChildren<QTcpSocket *>())
        socket->abort();
    m_pending.clear();
}

void SampleArchive::setMissing(const QStringList &names)
{
    m_missing = QSet<QString>(names.begin(), names.end());
}

QByteArray SampleArchive::pictureBytes(const QString &name, bool progressive)
{
    const QString key = QStringLiteral("%1/%2x%3/%4")
                            .arg(name)
                            .arg(m_pictureSize.width())
                            .arg(m_pictureSize.height())
                            .arg(progressive);
    auto cached = m_cache.constFind(key);
    if (cached == m_cache.cend())
        cached = m_cache.insert(key, cloudJpeg(name, m_pictureSize, progressive));
    return *cached;
}

void SampleArchive::accept()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        socket->setParent(this);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readRequests(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            m_pending.remove(socket);
            socket->deleteLater();
        });
    }
}

void SampleArchive::readRequests(QTcpSocket *socket)
{
    QByteArray &pending = m_pending[socket];
    pending += socket->readAll();
    // Requests carry no body here; each ends with an empty line.
    qsizetype end;
    while ((end = pending.indexOf("\r\n\r\n")) >= 0) {
        const QByteArray request = pending.left(end);
        pending.remove(0, end + 4);
        const QList<QByteArray> requestLine = request.left(request.indexOf("\r\n")).split(' ');
        if (requestLine.size() < 2)
            continue;
        const QString target = QString::fromLatin1(requestLine.at(1));
        m_requests << target;
        emit requestReceived(target);
        if (m_script.delayMs > 0) {
            QTimer::singleShot(m_script.delayMs, socket, [this, socket, target, request] {
                answer(socket, target, request);
            });
            continue;
        }
        answer(socket, target, request);
        if (socket->state() != QAbstractSocket::ConnectedState || !m_pending.contains(socket))
            return;
    }
}

void SampleArchive::answer(QTcpSocket *socket, const QString &target, const QByteArray &request)
{
    // Absolute form from a proxy client, origin form from anyone else.
    const QString path = target.startsWith(QLatin1Char('/')) ? target : QUrl(target).path();
    const QString prefix = QLatin1String(kImagePath);
    const QString suffix = QStringLiteral("00.jpg");
    const bool isImage = path.startsWith(prefix) && path.endsWith(suffix) &&
                         path.size() > prefix.size() + suffix.size();
    const QString name = path.mid(prefix.size(), path.size() - prefix.size() - suffix.size());

    const auto send = [socket](const QByteArray &bytes, bool close) {
        socket->write(bytes);
        if (close)
            socket->disconnectFromHost();
    };
    const auto page = [&](int status, const char *reason, const char *type,
                          const QByteArray &body) {
        m_lastBody = body;
        send(head(status, reason,
                  {"Content-Type: " + QByteArray(type), contentLength(body.size())}) +
                 body,
             false);
    };

    if (!isImage || m_missing.contains(name) || m_script.fault == Fault::NotFound) {
        page(404, "Not Found", "text/html", "<html><body>404 Not Found</body></html>");
        return;
    }
    switch (m_script.fault) {
    case Fault::ServerError:
        page(500, "Internal Server Error", "text/html", "<html><body>500</body></html>");
        return;
    case Fault::ProxyAuthentication:
        send(head(407, "Proxy Authentication Required",
                  {"Proxy-Authenticate: Basic realm=\"archive\"", contentLength(0)}),
             false);
        return;
    case Fault::TextPage:
        page(200, "OK", "text/html", "<html><body>No such image today.</body></html>");
        return;
    case Fault::Empty:
        send(head(200, "OK", {"Content-Type: image/jpeg", contentLength(0)}), false);
        return;
    case Fault::Reset:
        reset(socket);
        return;
    case Fault::RedirectLoop:
        send(head(302, "Found", {"Location: " + imageAddress(name).toLatin1(), contentLength(0)}),
             false);
        return;
    case Fault::MalformedStatus:
        send("HTTP/1.1 abc Whatever\r\n" + contentLength(0) + "\r\n\r\n", false);
        return;
    case Fault::RedirectNoTarget:
        send(head(302, "Found", {contentLength(0)}), false);
        return;
    case Fault::RedirectToFile:
        send(head(302, "Found", {"Location: file:///etc/hostname", contentLength(0)}), false);
        return;
    case Fault::Oversized:
        socket->write(head(200, "OK", {"Content-Type: image/jpeg", contentLength(kOversized)}));
        stream(socket, kOversized);
        return;
    case Fault::OversizedUnannounced:
        socket->write(head(200, "OK", {"Content-Type: image/jpeg", "Connection: close"}));
        stream(socket, kOversized);
        return;
    case Fault::GzipBomb: {
        const QByteArray &bomb = gzipBomb();
        m_lastBody = bomb;
        send(head(200, "OK",
                  {"Content-Type: image/jpeg", "Content-Encoding: gzip",
                   contentLength(bomb.size())}) +
                 bomb,
             false);
        return;
    }
    case Fault::HeaderFlood: {
        QByteArray flood = "HTTP/1.1 200 OK\r\n";
        for (int i = 0; i < 100000; ++i)
            flood += "X-Flood-" + QByteArray::number(i) + ": x\r\n";
        send(flood + "\r\n", true);
        return;
    }
    case Fault::LongHeader:
        send("HTTP/1.1 200 OK\r\nX-Long: " + QByteArray(1024 * 1024, 'x') + "\r\n\r\n", true);
        return;
    default:
        answerPicture(socket, name, request);
        return;
    }
}

void SampleArchive::answerPicture(QTcpSocket *socket, const QString &name,
                                  const QByteArray &request)
{
    QByteArray body =
        m_script.body.isEmpty() ? pictureBytes(name, m_script.progressive) : m_script.body;
    switch (m_script.fault) {
    case Fault::HugeDimensions:
        body = withDeclaredSize(body, 60000, 60000);
        break;
    case Fault::ManyScans:
        body = withRepeatedScan(pictureBytes(name, true), 150);
        break;
    case Fault::TrailingBytes:
        body += QByteArray(4096, 'x');
        break;
    case Fault::Truncated:
        body.truncate(static_cast<qsizetype>(body.size() * m_script.fraction));
        break;
    default:
        break;
    }
    if (m_damaged.contains(name))
        body.truncate(body.size() / 2);
    m_lastBody = body;

    // A client that holds this picture already is told so, without the bytes.
    const QByteArray tag = entityTagOf(body);
    const QByteArray modified = lastModifiedOf(name);
    QList<QByteArray> headers{"Content-Type: image/jpeg", "Last-Modified: " + modified,
                              "ETag: " + tag};
    if (m_script.noStore)
        headers << "Cache-Control: no-store";
    const auto requestHeader = [&request](const QByteArray &name) {
        for (const QByteArray &line : request.split('\n'))
            if (line.toLower().startsWith(name.toLower() + ':'))
                return line.mid(name.size() + 1).trimmed();
        return QByteArray();
    };
    // An entity tag, when the client sends one, decides; the date only without one.
    const QByteArray askedTag = requestHeader("If-None-Match");
    if (m_script.fault == Fault::None &&
        (askedTag.isEmpty() ? requestHeader("If-Modified-Since") == modified : askedTag == tag)) {
        m_lastBody.clear();
        socket->write(head(304, "Not Modified", {"ETag: " + tag, "Last-Modified: " + modified}));
        return;
    }
    const bool closeDelimited = !m_script.contentLength;
    if (m_script.fault == Fault::ChunkedWithLength) {
        headers << "Transfer-Encoding: chunked" << contentLength(body.size() / 3);
        socket->write(head(200, "OK", headers) + QByteArray::number(body.size(), 16) + "\r\n" +
                      body + "\r\n0\r\n\r\n");
        return;
    }
    if (m_script.fault == Fault::EarlyHints)
        socket->write(head(103, "Early Hints", {"Link: </style.css>; rel=preload"}));
    if (m_script.fault == Fault::ChunkedCut) {
        headers << "Transfer-Encoding: chunked";
        const QByteArray half = body.left(body.size() / 2);
        socket->write(head(200, "OK", headers) + QByteArray::number(half.size(), 16) + "\r\n" +
                      half + "\r\n");
        closeSoon(socket);
        return;
    }
    if (closeDelimited)
        headers << "Connection: close";
    else
        headers << contentLength(body.size());

    switch (m_script.fault) {
    case Fault::ShortBody:
        socket->write(head(200, "OK", headers) + body.left(body.size() / 2));
        closeSoon(socket);
        return;
    case Fault::GzipCut: {
        const QByteArray packed = gzipped(body);
        m_lastBody = packed.left(packed.size() / 2);
        headers.last() = contentLength(packed.size());
        headers << "Content-Encoding: gzip";
        socket->write(head(200, "OK", headers) + m_lastBody);
        closeSoon(socket);
        return;
    }
    case Fault::Gzipped: {
        const QByteArray packed = gzipped(body);
        m_lastBody = packed;
        headers.last() = contentLength(packed.size());
        headers << "Content-Encoding: gzip";
        socket->write(head(200, "OK", headers) + packed);
        return;
    }
    case Fault::BadLength:
        headers.last() = "Content-Length: -1";
        socket->write(head(200, "OK", headers) + body);
        closeSoon(socket);
        return;
    case Fault::StallAfterHeaders:
        socket->write(head(200, "OK", headers));
        return;
    case Fault::Drip:
        socket->write(head(200, "OK", headers));
        drip(socket, body);
        return;
    default:
        if (m_script.bytesPerSecond > 0) {
            socket->write(head(200, "OK", headers));
            trickle(socket, body);
            return;
        }
        socket->write(head(200, "OK", headers) + body);
        if (closeDelimited)
            socket->disconnectFromHost();
        return;
    }
}

void SampleArchive::trickle(QTcpSocket *socket, QByteArray body)
{
    // A twentieth of a second's worth of bytes every 50 ms.
    constexpr int kTickMs = 50;
    const qsizetype share = std::max<qsizetype>(1, m_script.bytesPerSecond * kTickMs / 1000);
    auto *timer = new QTimer(socket);
    auto sent = std::make_shared<qsizetype>(0);
    connect(timer, &QTimer::timeout, socket, [socket, timer, sent, body, share] {
        socket->write(body.mid(*sent, share));
        *sent += share;
        if (*sent >= body.size())
            timer->deleteLater();
    });
    timer->start(kTickMs);
}

QByteArray lastModifiedOf(const QString &name)
{
    Q_UNUSED(name);
    // Long before anyone asks: the archive's pictures are all of 2006 to 2009.
    return "Thu, 31 Dec 2009 16:00:00 GMT";
}

QByteArray entityTagOf(const QByteArray &body)
{
    return '"' + QCryptographicHash::hash(body, QCryptographicHash::Sha1).toHex().left(16) + '"';
}

void SampleArchive::stream(QTcpSocket *socket, qint64 total)
{
    // Feeds the body a chunk at a time as the client takes it, until it is sent or refused.
    auto sent = std::make_shared<qint64>(0);
    const QByteArray chunk(kStreamChunk, '\0');
    const auto feed = [socket, sent, total, chunk] {
        while (*sent < total && socket->bytesToWrite() < 4 * kStreamChunk) {
            socket->write(chunk);
            *sent += chunk.size();
        }
        if (*sent >= total)
            socket->disconnectFromHost();
    };
    connect(socket, &QTcpSocket::bytesWritten, socket, feed);
    feed();
}

void SampleArchive::drip(QTcpSocket *socket, QByteArray body)
{
    auto *timer = new QTimer(socket);
    auto next = std::make_shared<qsizetype>(0);
    connect(timer, &QTimer::timeout, socket, [socket, timer, next, body] {
        if (*next >= body.size()) {
            timer->stop();
            return;
        }
        socket->write(body.mid((*next)++, 1));
    });
    timer->start(m_script.dripIntervalMs);
}

} // namespace veltaro::sample
