#include "network/transferrequest.h"

#include <QCoreApplication>
#include <utility>

namespace veltaro {

TransferRequest::TransferRequest(const QString &address, QObject *parent)
    : QObject(parent), m_address(address)
{
}

void TransferRequest::abort()
{
    if (isFinished())
        return;
    // Let go first: the download, stopped when this was its last holder, tells no one else.
    if (const auto detach = std::exchange(m_detach, nullptr))
        detach();
    finish(Result::Cancelled, {}, QCoreApplication::translate("transferrequest", "已取消"));
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
    m_detach = nullptr;
    emit finished();
    deleteLater();
}

} // namespace veltaro
