#pragma once

#include "query/moment.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QDateTimeEdit;
class QRadioButton;

namespace veltaro {

// "比较时刻…": B as a number of hours from A, following it, or a moment of its own (Beijing
// time) that stays put. Opened beside the window; its answer comes through accepted().
class CompareMomentDialog : public QDialog
{
    Q_OBJECT

public:
    // The steps B may follow A at, in hours.
    static constexpr int kSteps[] = {-1, -3, -6, -12, -24, -48};

    CompareMomentDialog(int followingHours, const std::optional<Moment> &held,
                        const std::optional<Moment> &a, QWidget *parent);

    // What was chosen: a moment held, or nothing and followingHours().
    std::optional<Moment> held() const;
    int followingHours() const;

private:
    QRadioButton *m_follow;
    QRadioButton *m_hold;
    QComboBox *m_steps;
    QDateTimeEdit *m_moment;
};

} // namespace veltaro
