#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>

namespace veltaro {

// One caller's handle on a GET, as Transfer::get hands it out: it reports progress, then
// finishes once, with the whole body or a failure and its reason. Several callers that ask for
// the same address hold a handle each on one download; each handle is its caller's alone.
// Whoever asked reads the result in a slot connected to finished(); the handle deletes itself
// when control returns to the event loop after that. abort() ends this handle at once as
// cancelled and leaves the download to its other holders; the download itself stops (its
// connection closed, never reused) when its last holder leaves.
class TransferRequest : public QObject
{
    Q_OBJECT

public:
    enum class Result {
        Pending,
        Whole,       // the body arrived whole (or the kept copy was taken)
        Failed,      // the server answered, but not with a whole body: an HTTP error, a cut body
        Unreachable, // no answer at all: no connection, no such host, a time-out
        Cancelled,   // abort()
    };

    QString address() const { return m_address; }
    Result result() const { return m_result; }
    bool isFinished() const { return m_result != Result::Pending; }
    QByteArray body() const { return m_body; }
    // Why it failed, in the status line's words; empty when whole.
    QString reason() const { return m_reason; }
    // Whether the body is (or, before the end, will be) the copy kept from before rather than
    // one that arrives now.
    bool cameFromCache() const { return m_fromCache; }
    // The HTTP status the answer had; 0 when none came (or the kept copy was taken).
    int httpStatus() const { return m_httpStatus; }
    // Whether the archive answered that it has no such picture.
    bool isMissing() const { return m_httpStatus == 404 || m_httpStatus == 410; }

    // Ends this handle as cancelled ("已取消"); nothing when it has finished.
    void abort();

signals:
    // How much of the body has arrived; `total` is -1 when not announced.
    void progressed(qint64 received, qint64 total);
    void finished();

private:
    friend class Transfer;
    TransferRequest(const QString &address, QObject *parent);
    // What lets go of the download underneath: set by Transfer.
    void setDetacher(std::function<void()> detach) { m_detach = std::move(detach); }
    // Ends the request and tells whoever asked.
    void finish(Result result, QByteArray body, const QString &reason, bool fromCache = false);

    QString m_address;
    Result m_result = Result::Pending;
    QByteArray m_body;
    QString m_reason;
    bool m_fromCache = false;
    int m_httpStatus = 0;
    std::function<void()> m_detach;
};

} // namespace veltaro
