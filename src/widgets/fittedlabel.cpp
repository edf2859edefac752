#include "widgets/fittedlabel.h"

#include <algorithm>

namespace veltaro {

FittedLabel::FittedLabel(QWidget *parent) : QLabel(parent)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void FittedLabel::setForms(const QStringList &forms, const QString &silent)
{
    m_forms = forms;
    const QString whole = forms.isEmpty() ? silent : forms.first();
    setAccessibleDescription(whole);
    setToolTip(forms.isEmpty() ? QString() : whole);
    updateGeometry();
    choose();
}

QSize FittedLabel::sizeHint() const
{
    const QString longest = m_forms.isEmpty() ? QString() : m_forms.first();
    return {fontMetrics().horizontalAdvance(longest) + 2 * margin() + 4, QLabel::sizeHint().height()};
}

QSize FittedLabel::minimumSizeHint() const
{
    const QString shortest = m_forms.isEmpty() ? QString() : m_forms.last();
    return {fontMetrics().horizontalAdvance(shortest) + 2 * margin() + 4, QLabel::minimumSizeHint().height()};
}

void FittedLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    choose();
}

void FittedLabel::choose()
{
    const int room = contentsRect().width() - 2 * margin();
    const auto fits = std::find_if(m_forms.begin(), m_forms.end(), [&](const QString &form) {
        return fontMetrics().horizontalAdvance(form) <= room;
    });
    // Narrower than the shortest form: the shortest still, which the layout is asked to hold.
    setText(fits != m_forms.end() ? *fits : m_forms.isEmpty() ? QString() : m_forms.last());
}

} // namespace veltaro
