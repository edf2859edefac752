#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QLabel;

namespace veltaro {

// The status line Label5 and what stands behind its text: the reason behind "无法找到", the
// download's progress, or the picture shown, in its tooltip and its accessible description,
// and said on request (Ctrl+I) beside it.
class StatusLine : public QObject
{
    Q_OBJECT

public:
    // `describeShown` tells the picture shown, said when there is nothing else to tell.
    StatusLine(QLabel *label, std::function<QString()> describeShown, QObject *parent);

    // The text, and the reason behind it (empty for none).
    void setStatus(const QString &text, const QString &reason);
    // How much of the picture has arrived, while the text says "稍侯〉〉〉".
    void showProgress(const QString &text);
    // What Ctrl+I says: the reason, the progress or the picture shown; empty for nothing.
    QString detail() const { return m_detail; }
    // Says the detail at the status line, with `more` (the value under the pointer) after it.
    void explain(const QString &more);

private:
    void setDetail(const QString &detail);

    QLabel *m_label;
    std::function<QString()> m_describeShown;
    QString m_detail;
};

} // namespace veltaro
