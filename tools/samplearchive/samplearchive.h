#pragma once

// A small HTTP/1.1 image archive on 127.0.0.1. It answers the image path, in the origin form a
// server receives and in the absolute form a proxy receives, with a generated cloud picture for
// the image's name. Tests script faults into it; scripts/run --offline and the end-to-end test
// run it as a separate program.

#include <QHash>
#include <QObject>
#include <QSet>
#include <QSize>
#include <QStringList>
#include <QTcpServer>

class QTcpSocket;

namespace veltaro::sample {

enum class Fault {
    None,
    NotFound,             // 404
    ServerError,          // 500
    TextPage,             // 200 with an HTML page
    Empty,                // 200 with no body
    ShortBody,            // the body stops short of its Content-Length, then the connection closes
    Reset,                // the connection is reset once the request arrives
    StallAfterHeaders,    // headers, then nothing
    RedirectLoop,         // 302 to the same address, forever
    RedirectToFile,       // 302 to a file: address
    Oversized,            // announces and streams a body far over any sane limit
    OversizedUnannounced, // streams it with no Content-Length
    HugeDimensions,       // a JPEG whose header declares an enormous picture
    TrailingBytes,        // a whole JPEG followed by unrelated bytes
    Truncated,            // a JPEG cut at `fraction`, sent as if it were whole
    Drip,                 // the body one byte at a time
    ChunkedCut,           // a chunked body that stops before its last chunk
    ManyScans,            // a progressive JPEG whose first scan is repeated 150 times
    GzipBomb,             // a gzip body of about 1 MiB that inflates to 1 GiB
    HeaderFlood,          // 100,000 header lines
    LongHeader,           // one header line of 1 MiB
    GzipCut,              // a gzip body cut at half its Content-Length, then the close
    Gzipped,              // a whole gzip body, sent although nobody asked for one
    BadLength,            // Content-Length: -1
    ProxyAuthentication,  // 407, as a proxy that wants a password answers
    MalformedStatus,      // "HTTP/1.1 abc Whatever"
    ChunkedWithLength,    // a whole chunked body with a Content-Length that disagrees
    RedirectNoTarget,     // 302 with no Location
    EarlyHints,           // 103 Early Hints, then the picture
};

struct Script
{
    Fault fault = Fault::None;
    double fraction = 0.5;     // Truncated: how much of the picture is sent
    bool progressive = false;  // the picture's JPEG encoding
    bool contentLength = true; // false: the body ends when the connection closes
    int dripIntervalMs = 1000; // Drip
    QByteArray body{};         // served instead of the generated picture, when not empty
    int delayMs = 0;           // every answer waits this long
    int bytesPerSecond = 0;    // a picture's body at this pace (0: at once)
    bool noStore = false;      // the picture comes with "Cache-Control: no-store"
};

class SampleArchive : public QObject
{
    Q_OBJECT

public:
    static constexpr const char *kImagePath = "/is_nsmc/product_app/imagesGMS5/NL/";

    explicit SampleArchive(QObject *parent = nullptr);
    ~SampleArchive() override;

    bool listen(quint16 port = 0);
    quint16 port() const;
    // For http_proxy: every request then reaches the archive, whatever its host.
    QString proxyAddress() const;
    // The archive's own address for an image name.
    QString imageAddress(const QString &name) const;

    void setScript(const Script &script) { m_script = script; }
    void setPictureSize(QSize size) { m_pictureSize = size; }
    QSize pictureSize() const { return m_pictureSize; }
    // Names answered with 404.
    void setMissing(const QStringList &names);
    // Names answered with their JPEG cut in half, sent as if it were whole.
    void setDamaged(const QStringList &names) { m_damaged = QSet<QString>(names.begin(), names.end()); }

    // Request targets in the order they arrived, and the last picture body sent.
    QStringList requests() const { return m_requests; }
    QByteArray lastBody() const { return m_lastBody; }
    void clearRequests() { m_requests.clear(); }
    // Closes every client's connection: what a client that is gone had sent no longer counts.
    void dropConnections();

    // The GzipBomb body: made once, on first use, which takes a second or two.
    static const QByteArray &gzipBomb();

    // The bytes served for a name under the current settings (cached).
    QByteArray pictureBytes(const QString &name, bool progressive = false);

signals:
    void requestReceived(const QString &target);

private:
    struct Connection;

    void accept();
    void readRequests(QTcpSocket *socket);
    void answer(QTcpSocket *socket, const QString &target, const QByteArray &request);
    void answerPicture(QTcpSocket *socket, const QString &name, const QByteArray &request);
    void trickle(QTcpSocket *socket, QByteArray body);
    void stream(QTcpSocket *socket, qint64 total);
    void drip(QTcpSocket *socket, QByteArray body);

    QTcpServer m_server;
    Script m_script;
    QSize m_pictureSize;
    QSet<QString> m_missing;
    QSet<QString> m_damaged;
    QStringList m_requests;
    QByteArray m_lastBody;
    QHash<QString, QByteArray> m_cache;
    QHash<QTcpSocket *, QByteArray> m_pending;
};

// The validators a picture is served with: pictures of the past never change, so its
// Last-Modified is fixed and its ETag follows from its bytes.
QByteArray lastModifiedOf(const QString &name);
QByteArray entityTagOf(const QByteArray &body);

// Replaces the size in a JPEG's frame header; the rest of the bytes stay as they are.
QByteArray withDeclaredSize(QByteArray jpeg, int width, int height);

// A progressive JPEG whose first scan stands `count` times: each repeat costs a decoder a pass
// over the whole picture and adds nothing.
QByteArray withRepeatedScan(const QByteArray &progressiveJpeg, int count);

// The bytes, gzip-compressed.
QByteArray gzipped(const QByteArray &bytes);

// `size` zero bytes, gzip-compressed.
QByteArray gzippedZeros(qint64 size);

} // namespace veltaro::sample
