#include "window/statusline.h"

#include <QLabel>
#include <QToolTip>

namespace veltaro {

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
    // With nothing more to tell, the line's own name.
    m_label->setAccessibleDescription(detail.isEmpty() ? tr("状态") : detail);
}

void StatusLine::explain(const QString &more)
{
    QString said = m_detail.isEmpty() ? tr("没有可说明的原因") : m_detail;
    if (!more.isEmpty())
        said += tr("\n指针处：") + more;
    QToolTip::showText(m_label->mapToGlobal(QPoint(0, m_label->height())), said, m_label);
}

} // namespace veltaro
