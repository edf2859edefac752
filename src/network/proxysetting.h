#pragma once

#include <QNetworkProxy>
#include <QString>
#include <QStringList>

class QProcessEnvironment;

namespace veltaro {

// The proxy the environment names: http_proxy, or HTTP_PROXY where it is unset, holds
// "[scheme://][user:password@]host[:port]", where a missing scheme means http and a missing port
// 1080; no_proxy (or NO_PROXY) holds host names and domain suffixes, separated by commas, that
// are reached directly, or "*" for every host.
class ProxySetting
{
public:
    ProxySetting() = default; // no proxy at all
    static ProxySetting fromEnvironment(const QProcessEnvironment &environment);
    static ProxySetting fromEnvironment(); // the process's

    // The proxy for a request to `host`: NoProxy when it is reached directly. Throws
    // NetworkFailure when the setting is not a proxy address.
    QNetworkProxy proxyFor(const QString &host) const;

private:
    bool bypasses(const QString &host) const;

    QNetworkProxy m_proxy{QNetworkProxy::NoProxy};
    QStringList m_noProxy;
    QString m_malformed; // the reason, when the setting cannot be used
};

} // namespace veltaro
