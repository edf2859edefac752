#include "window/comparemomentdialog.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QRadioButton>

#include <cstdlib>

namespace veltaro {

namespace {

QDateTime dateTimeOf(const Moment &moment)
{
    return QDateTime(QDate(moment.year, moment.month, moment.day), QTime(moment.hour, 0));
}

} // namespace

CompareMomentDialog::CompareMomentDialog(int followingHours, const std::optional<Moment> &held,
                                         const std::optional<Moment> &a, QWidget *parent)
    : QDialog(parent), m_follow(new QRadioButton(tr("跟随 A，相差"), this)),
      m_hold(new QRadioButton(tr("固定于（北京时间）"), this)),
      m_steps(new QComboBox(this)), m_moment(new QDateTimeEdit(this))
{
    setWindowTitle(tr("比较时刻"));
    for (const int hours : kSteps)
        m_steps->addItem((hours < 0 ? QStringLiteral("-") : QString()) + tr("%n 小时", nullptr, std::abs(hours)), hours);
    m_steps->setCurrentIndex(std::max(0, m_steps->findData(followingHours)));
    m_steps->setAccessibleName(tr("B 与 A 相差的小时数"));
    // The lists' range, by the hour.
    m_moment->setDateTimeRange(dateTimeOf({2006, 1, 1, 0}), dateTimeOf({2009, 12, 31, 23}));
    m_moment->setDisplayFormat(QStringLiteral("yyyy-MM-dd HH:00"));
    m_moment->setAccessibleName(tr("B 的时刻（北京时间）"));
    const std::optional<Moment> start = held ? held : a ? steppedBy(*a, followingHours) : std::nullopt;
    if (start)
        m_moment->setDateTime(dateTimeOf(*start));
    (held ? m_hold : m_follow)->setChecked(true);

    auto *form = new QFormLayout(this);
    form->addRow(m_follow, m_steps);
    form->addRow(m_hold, m_moment);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

std::optional<Moment> CompareMomentDialog::held() const
{
    if (!m_hold->isChecked())
        return std::nullopt;
    const QDateTime chosen = m_moment->dateTime();
    return Moment{chosen.date().year(), chosen.date().month(), chosen.date().day(), chosen.time().hour()};
}

int CompareMomentDialog::followingHours() const
{
    return m_steps->currentData().toInt();
}

} // namespace veltaro
