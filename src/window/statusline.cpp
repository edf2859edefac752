#include "window/statusline.h"

#include <QLabel>
#include <QToolTip>

namespace veltaro {

namespace {

// The status line's description when there is nothing more to tell, and what Ctrl+I says then.
constexpr char16_t kStatusName[] = u"状态";
constexpr char16_t kNothingToExplain[] = u"没有可说明的原因";

} // namespace

StatusLine::StatusLine(QLabel *label, std::function<QString()> describeShown, QObject *parent)
    : QObject(parent), m_label(label), m_describeShown(std::move(describeShown))
{
    setDetail({});
}

void StatusLine::setStatus(const QString &text, const QString &reason)
{
    // Done: what is shown is told; otherwise the reason, if any.
    setDetail(text.isEmpty() && reason.isEmpty() ? m_describeShown() : reason);
    m_label->setToolTip(reason);
    // The text last: a screen reader that hears it change finds the detail already there.
    m_label->setText(text);
}

void StatusLine::showProgress(const QString &text)
{
    setDetail(text);
    m_label->setToolTip(text);
}

void StatusLine::setDetail(const QString &detail)
{
    m_detail = detail;
    m_label->setAccessibleDescription(detail.isEmpty() ? QString::fromUtf16(kStatusName) : detail);
}

void StatusLine::explain(const QString &more)
{
    QString said = m_detail.isEmpty() ? QString::fromUtf16(kNothingToExplain) : m_detail;
    if (!more.isEmpty())
        said += QStringLiteral("\n指针处：") + more;
    QToolTip::showText(m_label->mapToGlobal(QPoint(0, m_label->height())), said, m_label);
}

} // namespace veltaro
