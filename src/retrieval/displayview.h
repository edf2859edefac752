#pragma once

// The display command reads the four picked texts, downloads the image (Transfer), stages it
// (StagingFile), decodes it (picturedecoder) and hands the picture to the window, reporting on
// the status line. DisplayView is all it needs of the window; the window implements it.

#include "query/imagerequest.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

class QImage;

namespace veltaro {

// The status line's texts while the command works and when it failed, in the user's language;
// it is empty when done.
inline QString statusWorking()
{
    return QCoreApplication::translate("Status", "稍侯〉〉〉");
}
inline QString statusNotFound()
{
    return QCoreApplication::translate("Status", "无法找到");
}

// Where a shown picture came from: the bytes that were downloaded, the moment picked and the
// request made for it.
struct PictureSource
{
    QByteArray bytes;
    QueryTime beijing;
    ImageRequest request;
};

class DisplayView
{
public:
    virtual ~DisplayView() = default;

    // The four lists' current texts (empty while nothing is picked).
    virtual QueryTime queryTime() const = 0;
    // Picks in the four lists the items with these texts.
    virtual void pickInLists(const QueryTime &texts) = 0;
    // The status line's text, and the reason behind it for its tooltip (empty for none).
    virtual void setStatus(const QString &text, const QString &reason) = 0;
    // How much of the picture has arrived, while the status line says "稍侯〉〉〉".
    virtual void showProgress(const QString &text) = 0;
    // Gives the image box its picture, as `seen` when that is not null (the picture enhanced),
    // and returns the picture it held before (null for none); the scroll ranges follow with
    // updateScrollRanges().
    virtual QImage showPicture(QImage picture, QImage seen, const PictureSource &source) = 0;
    virtual void updateScrollRanges() = 0;
};

} // namespace veltaro
