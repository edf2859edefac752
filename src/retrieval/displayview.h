#pragma once

// The display command reads the four picked texts, downloads the image (Transfer), stages it
// (StagingFile), decodes it (picturedecoder) and hands the picture to the window, reporting on
// the status line. DisplayView is all it needs of the window; the window implements it.

#include "query/imagerequest.h"

#include <QString>

class QImage;

namespace veltaro {

// The status line's three texts.
inline constexpr char16_t kStatusWorking[] = u"稍侯〉〉〉";
inline constexpr char16_t kStatusNotFound[] = u"无法找到";

class DisplayView
{
public:
    virtual ~DisplayView() = default;

    // The four lists' current texts (empty while nothing is picked).
    virtual QueryTime queryTime() const = 0;
    // The status line's text, and the reason behind it for its tooltip (empty for none).
    virtual void setStatus(const QString &text, const QString &reason) = 0;
    // Gives the image box its picture, then recomputes the scroll ranges.
    virtual void showPicture(QImage picture) = 0;
    virtual void updateScrollRanges() = 0;
};

} // namespace veltaro
