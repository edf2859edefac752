#pragma once

#include <QLabel>
#include <QStringList>

namespace veltaro {

// A label that says as much as its width holds: given the same text in forms from the longest
// to the shortest, it shows the longest that fits whole, never a cut one. What it says in full
// is always its accessible description and its tooltip.
class FittedLabel : public QLabel
{
    Q_OBJECT

public:
    explicit FittedLabel(QWidget *parent = nullptr);

    // Empty forms: nothing shown, `silent` heard.
    void setForms(const QStringList &forms, const QString &silent = {});
    QStringList forms() const { return m_forms; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void choose();

    QStringList m_forms;
};

} // namespace veltaro
