#include "network/networkreason.h"

namespace veltaro {

std::string networkErrorText(QNetworkReply::NetworkError error, const QString &host)
{
    const std::string name = host.toStdString();
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
        return "连接被拒绝：" + name;
    // Qt reports a status line it cannot read as a closed connection too: the reason names both.
    case QNetworkReply::RemoteHostClosedError:
        return "服务器 " + name + " 提前关闭了连接，或它的回答无法识别";
    case QNetworkReply::HostNotFoundError:
        return "找不到服务器 " + name;
    case QNetworkReply::TimeoutError:
        return "连接 " + name + " 超时";
    case QNetworkReply::OperationCanceledError:
        return "下载被中止";
    case QNetworkReply::SslHandshakeFailedError:
        return "与 " + name + " 建立安全连接失败";
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::BackgroundRequestNotAllowedError:
        return "网络暂时不可用";
    case QNetworkReply::TooManyRedirectsError:
        return "重定向次数过多";
    case QNetworkReply::InsecureRedirectError:
        return "服务器要求转到不安全的地址";
    case QNetworkReply::ProxyConnectionRefusedError:
        return "代理服务器 " + name + " 拒绝连接";
    case QNetworkReply::ProxyConnectionClosedError:
        return "代理服务器 " + name + " 提前关闭了连接，或它的回答无法识别";
    case QNetworkReply::ProxyNotFoundError:
        return "找不到代理服务器 " + name;
    case QNetworkReply::ProxyTimeoutError:
        return "代理服务器 " + name + " 超时";
    case QNetworkReply::ProxyAuthenticationRequiredError:
        return "代理服务器要求身份验证";
    case QNetworkReply::UnknownProxyError:
        return "代理服务器 " + name + " 出错";
    case QNetworkReply::ContentAccessDenied:
    case QNetworkReply::ContentOperationNotPermittedError:
    case QNetworkReply::AuthenticationRequiredError:
        return "服务器拒绝提供图像";
    case QNetworkReply::ContentNotFoundError:
    case QNetworkReply::ContentGoneError:
        return "服务器上没有这幅图像";
    case QNetworkReply::ProtocolUnknownError:
        return "不支持的地址类型";
    case QNetworkReply::ProtocolInvalidOperationError:
    case QNetworkReply::ProtocolFailure:
        return "服务器的回答有误";
    default:
        return "网络错误（" + std::to_string(int(error)) + "）";
    }
}

std::string httpStatusText(int status)
{
    if (status == 407)
        return "代理服务器要求身份验证（HTTP 407）";
    if (status == 404 || status == 410)
        return "服务器上没有这幅图像（HTTP " + std::to_string(status) + "）";
    if (status >= 500)
        return "服务器出错（HTTP " + std::to_string(status) + "）";
    return "服务器拒绝了请求（HTTP " + std::to_string(status) + "）";
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
