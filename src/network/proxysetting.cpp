#include "network/proxysetting.h"

#include "failure.h"

#include <QCoreApplication>
#include <QProcessEnvironment>
#include <QUrl>

namespace veltaro {

namespace {

constexpr quint16 kDefaultProxyPort = 1080;

// The lower-case name first; the upper-case one only where the lower-case one is unset or empty.
QString firstSet(const QProcessEnvironment &environment, const char *lower, const char *upper)
{
    const QString value = environment.value(QString::fromLatin1(lower));
    return value.isEmpty() ? environment.value(QString::fromLatin1(upper)) : value;
}

} // namespace

ProxySetting ProxySetting::fromEnvironment()
{
    return fromEnvironment(QProcessEnvironment::systemEnvironment());
}

ProxySetting ProxySetting::fromEnvironment(const QProcessEnvironment &environment)
{
    ProxySetting setting;
    for (const QString &entry :
         firstSet(environment, "no_proxy", "NO_PROXY").split(QLatin1Char(','), Qt::SkipEmptyParts))
        if (const QString trimmed = entry.trimmed().toLower(); !trimmed.isEmpty())
            setting.m_noProxy << trimmed;

    const QString value = firstSet(environment, "http_proxy", "HTTP_PROXY").trimmed();
    if (value.isEmpty())
        return setting;
    const QString named = QCoreApplication::translate("proxysetting", "代理设置有误：http_proxy=“%1”").arg(value);
    const QUrl url(value.contains(QLatin1String("://")) ? value : QLatin1String("http://") + value,
                   QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    QNetworkProxy::ProxyType type = QNetworkProxy::HttpProxy;
    if (scheme == QLatin1String("socks5") || scheme == QLatin1String("socks5h"))
        type = QNetworkProxy::Socks5Proxy;
    else if (scheme != QLatin1String("http"))
        setting.m_malformed = named + QCoreApplication::translate("proxysetting", "（不支持的代理类型 %1）").arg(scheme);
    if (setting.m_malformed.isEmpty() && (!url.isValid() || url.host().isEmpty()))
        setting.m_malformed = named;
    if (!setting.m_malformed.isEmpty())
        return setting;

    setting.m_proxy = QNetworkProxy(type, url.host(), quint16(url.port(kDefaultProxyPort)),
                                    url.userName(), url.password());
    return setting;
}

bool ProxySetting::bypasses(const QString &host) const
{
    const QString name = host.toLower();
    for (const QString &entry : m_noProxy) {
        if (entry == QLatin1String("*"))
            return true;
        // ".example.com" and "example.com" both stand for the domain and its hosts.
        const QString domain = entry.startsWith(QLatin1Char('.')) ? entry.mid(1) : entry;
        if (name == domain || name.endsWith(QLatin1Char('.') + domain))
            return true;
    }
    return false;
}

QNetworkProxy ProxySetting::proxyFor(const QString &host) const
{
    if (!m_malformed.isEmpty())
        throw NetworkFailure(m_malformed.toStdString());
    if (m_proxy.type() == QNetworkProxy::NoProxy || bypasses(host))
        return QNetworkProxy(QNetworkProxy::NoProxy);
    return m_proxy;
}

} // namespace veltaro
