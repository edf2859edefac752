#pragma once

#include <QNetworkReply>

#include <string>

namespace veltaro {

// Why a transfer failed, in the words the status line's tooltip uses: one reason for each group
// of Qt's network errors, naming the host (or the proxy) where that helps.
std::string networkErrorText(QNetworkReply::NetworkError error, const QString &host);

// What an HTTP error status means.
std::string httpStatusText(int status);

} // namespace veltaro
