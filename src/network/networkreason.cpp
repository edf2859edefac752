#include "network/networkreason.h"

#include "said.h"

namespace veltaro {

std::string networkErrorText(QNetworkReply::NetworkError error, const QString &host)
{
    const std::string name = host.toStdString();
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
        return filled(said("networkreason", "连接被拒绝：%1"), {name});
    // Qt reports a status line it cannot read as a closed connection too: the reason names both.
    case QNetworkReply::RemoteHostClosedError:
        return filled(said("networkreason", "服务器 %1 提前关闭了连接，或它的回答无法识别"), {name});
    case QNetworkReply::HostNotFoundError:
        return filled(said("networkreason", "找不到服务器 %1"), {name});
    case QNetworkReply::TimeoutError:
        return filled(said("networkreason", "连接 %1 超时"), {name});
    case QNetworkReply::OperationCanceledError:
        return said("networkreason", "下载被中止");
    case QNetworkReply::SslHandshakeFailedError:
        return filled(said("networkreason", "与 %1 建立安全连接失败"), {name});
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::BackgroundRequestNotAllowedError:
        return said("networkreason", "网络暂时不可用");
    case QNetworkReply::TooManyRedirectsError:
        return said("networkreason", "重定向次数过多");
    case QNetworkReply::InsecureRedirectError:
        return said("networkreason", "服务器要求转到不安全的地址");
    case QNetworkReply::ProxyConnectionRefusedError:
        return filled(said("networkreason", "代理服务器 %1 拒绝连接"), {name});
    case QNetworkReply::ProxyConnectionClosedError:
        return filled(said("networkreason", "代理服务器 %1 提前关闭了连接，或它的回答无法识别"), {name});
    case QNetworkReply::ProxyNotFoundError:
        return filled(said("networkreason", "找不到代理服务器 %1"), {name});
    case QNetworkReply::ProxyTimeoutError:
        return filled(said("networkreason", "代理服务器 %1 超时"), {name});
    case QNetworkReply::ProxyAuthenticationRequiredError:
        return said("networkreason", "代理服务器要求身份验证");
    case QNetworkReply::UnknownProxyError:
        return filled(said("networkreason", "代理服务器 %1 出错"), {name});
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
        return filled(said("networkreason", "网络错误（%1）"), {std::to_string(int(error))});
    }
}

std::string httpStatusText(int status)
{
    if (status == 407)
        return said("networkreason", "代理服务器要求身份验证（HTTP 407）");
    if (status == 404 || status == 410)
        return filled(said("networkreason", "服务器上没有这幅图像（HTTP %1）"), {std::to_string(status)});
    if (status >= 500)
        return filled(said("networkreason", "服务器出错（HTTP %1）"), {std::to_string(status)});
    return filled(said("networkreason", "服务器拒绝了请求（HTTP %1）"), {std::to_string(status)});
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
