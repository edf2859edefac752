#include "network/networkreason.h"

#include "said.h"

namespace veltaro {

std::string networkErrorText(QNetworkReply::NetworkError error, const QString &host)
{
    const std::string name = host.toStdString();
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
        return said("networkreason", "连接被拒绝：") + name;
    // Qt reports a status line it cannot read as a closed connection too: the reason names both.
    case QNetworkReply::RemoteHostClosedError:
        return said("networkreason", "服务器 ") + name + said("networkreason", " 提前关闭了连接，或它的回答无法识别");
    case QNetworkReply::HostNotFoundError:
        return said("networkreason", "找不到服务器 ") + name;
    case QNetworkReply::TimeoutError:
        return said("networkreason", "连接 ") + name + said("networkreason", " 超时");
    case QNetworkReply::OperationCanceledError:
        return said("networkreason", "下载被中止");
    case QNetworkReply::SslHandshakeFailedError:
        return said("networkreason", "与 ") + name + said("networkreason", " 建立安全连接失败");
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::BackgroundRequestNotAllowedError:
        return said("networkreason", "网络暂时不可用");
    case QNetworkReply::TooManyRedirectsError:
        return said("networkreason", "重定向次数过多");
    case QNetworkReply::InsecureRedirectError:
        return said("networkreason", "服务器要求转到不安全的地址");
    case QNetworkReply::ProxyConnectionRefusedError:
        return said("networkreason", "代理服务器 ") + name + said("networkreason", " 拒绝连接");
    case QNetworkReply::ProxyConnectionClosedError:
        return said("networkreason", "代理服务器 ") + name + said("networkreason", " 提前关闭了连接，或它的回答无法识别");
    case QNetworkReply::ProxyNotFoundError:
        return said("networkreason", "找不到代理服务器 ") + name;
    case QNetworkReply::ProxyTimeoutError:
        return said("networkreason", "代理服务器 ") + name + said("networkreason", " 超时");
    case QNetworkReply::ProxyAuthenticationRequiredError:
        return said("networkreason", "代理服务器要求身份验证");
    case QNetworkReply::UnknownProxyError:
        return said("networkreason", "代理服务器 ") + name + said("networkreason", " 出错");
    case QNetworkReply::ContentAccessDenied:
    case QNetworkReply::ContentOperationNotPermittedError:
    case QNetworkReply::AuthenticationRequiredError:
        return said("networkreason", "服务器拒绝提供图像");
    case QNetworkReply::ContentNotFoundError:
    case QNetworkReply::ContentGoneError:
        return said("networkreason", "服务器上没有这幅图像");
    case QNetworkReply::ProtocolUnknownError:
        return said("networkreason", "不支持的地址类型");
    case QNetworkReply::ProtocolInvalidOperationError:
    case QNetworkReply::ProtocolFailure:
        return said("networkreason", "服务器的回答有误");
    default:
        return said("networkreason", "网络错误（") + std::to_string(int(error)) + said("networkreason", "）");
    }
}

std::string httpStatusText(int status)
{
    if (status == 407)
        return said("networkreason", "代理服务器要求身份验证（HTTP 407）");
    if (status == 404 || status == 410)
        return said("networkreason", "服务器上没有这幅图像（HTTP ") + std::to_string(status) + said("networkreason", "）");
    if (status >= 500)
        return said("networkreason", "服务器出错（HTTP ") + std::to_string(status) + said("networkreason", "）");
    return said("networkreason", "服务器拒绝了请求（HTTP ") + std::to_string(status) + said("networkreason", "）");
}

bool meansUnreachable(QNetworkReply::NetworkError error)
{
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::TimeoutError:
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::UnknownNetworkError:
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyNotFoundError:
    case QNetworkReply::ProxyTimeoutError:
        return true;
    default:
        return false;
    }
}

} // namespace veltaro
