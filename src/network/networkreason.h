#pragma once

#include <QNetworkReply>

#include <string>

namespace veltaro {

// Why a transfer failed, in the words the status line's tooltip uses: one reason for each group
// of Qt's network errors, naming the host (or the proxy) where that helps.
std::string networkErrorText(QNetworkReply::NetworkError error, const QString &host);

// Whether the error says the network or the proxy could not be reached at all (no connection, a
// host that does not resolve, a time-out), rather than that the server answered amiss.
bool meansUnreachable(QNetworkReply::NetworkError error);

// What an HTTP error status means.
std::string httpStatusText(int status);

} // namespace veltaro
