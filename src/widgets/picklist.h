#pragma once

#include <QComboBox>

namespace veltaro {

// A drop-down list the user only picks from. Assistive technology hears it by its accessible
// name whatever is picked, with the picked item as its value, prefix included: the year list
// shows "8" after a label "200" and is heard as "2008".
class PickList : public QComboBox
{
    Q_OBJECT

public:
    explicit PickList(QWidget *parent = nullptr) : QComboBox(parent) {}

    // What the labels before the list add to its items ("200" for the year digit).
    void setValuePrefix(const QString &prefix) { m_valuePrefix = prefix; }
    // The picked item as it is heard; empty while nothing is picked.
    QString spokenValue() const
    {
        return currentIndex() < 0 ? QString() : m_valuePrefix + currentText();
    }
    // An item as it is heard, as a number.
    int spokenNumber(int index) const { return (m_valuePrefix + itemText(index)).toInt(); }

private:
    QString m_valuePrefix;
};

} // namespace veltaro
