#include "network/transferrequest.h"

namespace veltaro {

TransferRequest::TransferRequest(const QString &address, QObject *parent)
    : QObject(parent), m_address(address)
{
}

void TransferRequest::abort()
{
    if (isFinished())
        return;
    if (m_stop)
        m_stop(QStringLiteral("已取消"), Result::Cancelled);
    else
        finish(Result::Cancelled, {}, QStringLiteral("已取消"));
}

void TransferRequest::finish(Result result, QByteArray body, const QString &reason,
                             bool fromCache)
{
    if (isFinished())
        return;
    m_result = result;
    m_body = std::move(body);
    m_reason = reason;
    m_fromCache = fromCache;
    m_stop = nullptr;
    emit finished();
    deleteLater();
}

} // namespace veltaro
