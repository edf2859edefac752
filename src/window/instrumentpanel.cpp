#include "window/instrumentpanel.h"

#include "query/looplimits.h"

#include "widgets/framestrip.h"
#include "widgets/legendbar.h"
#include "window/actiontable.h"

#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace veltaro {

namespace {

QToolButton *buttonFor(QAction *action, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setDefaultAction(action);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setFocusPolicy(Qt::StrongFocus);
    // Heard by what it does; its keys are in its tooltip.
    button->setAccessibleName(action->text());
    return button;
}

QLabel *caption(const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

InstrumentPanel::InstrumentPanel(QWidget *window, const ActionTable &actions)
    : QObject(window), m_infoRow(new QWidget(window)), m_transportRow(new QWidget(window)),
      m_moment(new QLabel(m_infoRow)), m_zoom(new QLabel(m_transportRow)),
      m_speed(new QLabel(m_transportRow)), m_span(new QComboBox(m_transportRow)),
      m_rest(new QDoubleSpinBox(m_transportRow)), m_strip(new FrameStrip(m_transportRow)),
      m_enhancements(new QComboBox(m_transportRow)), m_readout(new QLabel(m_transportRow)),
      m_legend(new LegendBar(m_transportRow))
{
    m_infoRow->setObjectName(QStringLiteral("InfoRow"));
    m_transportRow->setObjectName(QStringLiteral("TransportRow"));

    // The moment, readable at a glance.
    QFont heading = m_moment->font();
    heading.setPointSizeF(heading.pointSizeF() * 1.25);
    heading.setBold(true);
    m_moment->setFont(heading);
    m_moment->setObjectName(QStringLiteral("MomentLabel"));
    m_moment->setAccessibleName(QStringLiteral("所显示的时刻"));
    auto *info = new QHBoxLayout(m_infoRow);
    info->setContentsMargins(0, 0, 0, 0);
    info->addWidget(m_moment, 1);


    const auto button = [&](Command command) {
        QToolButton *made = buttonFor(actions.action(command), m_transportRow);
        m_focusChain << made;
        return made;
    };
    const auto line = [] {
        auto *made = new QHBoxLayout;
        made->setContentsMargins(0, 0, 0, 0);
        made->setSpacing(4);
        return made;
    };
    // The first line: watching the clouds move.
    QHBoxLayout *playing = line();
    playing->addWidget(button(Command::Play));
    playing->addWidget(button(Command::Loop));
    for (const int hours : loop::kSpans)
        m_span->addItem(QStringLiteral("%1 小时").arg(hours), hours);
    m_span->setAccessibleName(QStringLiteral("循环的时长"));
    m_span->setToolTip(QStringLiteral("循环播放到所选时刻为止的几小时"));
    playing->addWidget(m_span);
    m_focusChain << m_span;
    playing->addWidget(button(Command::BackAndForth));
    playing->addSpacing(8);
    playing->addWidget(button(Command::Slower));
    m_speed->setAccessibleName(QStringLiteral("播放速度"));
    m_speed->setMinimumWidth(m_speed->fontMetrics().horizontalAdvance(QStringLiteral("10 幅/秒 ")));
    m_speed->setAlignment(Qt::AlignCenter);
    playing->addWidget(m_speed);
    playing->addWidget(button(Command::Faster));
    playing->addSpacing(8);
    m_rest->setRange(0, loop::kLongestRestMs / 1000.0);
    m_rest->setSingleStep(loop::kRestStepMs / 1000.0);
    m_rest->setDecimals(1);
    m_rest->setSuffix(QStringLiteral(" 秒"));
    m_rest->setAccessibleName(QStringLiteral("末帧停留"));
    m_rest->setToolTip(QStringLiteral("循环播放时最后一幅停留的时间"));
    playing->addWidget(caption(QStringLiteral("末帧停留"), m_rest, m_transportRow));
    playing->addWidget(m_rest);
    m_focusChain << m_rest;
    playing->addStretch(1);
    playing->addWidget(button(Command::Export));
    playing->addWidget(button(Command::Help));

    // The second line: how the picture is seen.
    QHBoxLayout *seeing = line();
    m_enhancements->setAccessibleName(QStringLiteral("增强"));
    seeing->addWidget(caption(QStringLiteral("增强"), m_enhancements, m_transportRow));
    seeing->addWidget(m_enhancements);
    m_focusChain << m_enhancements;
    seeing->addWidget(button(Command::Adjust));
    seeing->addSpacing(8);
    seeing->addWidget(button(Command::ZoomOut));
    seeing->addWidget(button(Command::Fit));
    seeing->addWidget(button(Command::ActualSize));
    seeing->addWidget(button(Command::ZoomIn));
    m_zoom->setAccessibleName(QStringLiteral("缩放"));
    m_zoom->setMinimumWidth(m_zoom->fontMetrics().horizontalAdvance(QStringLiteral("适应窗口 100 % ")));
    seeing->addWidget(m_zoom);
    seeing->addSpacing(8);
    m_readout->setAccessibleName(QStringLiteral("指针处的像素"));
    m_readout->setMinimumWidth(
        m_readout->fontMetrics().horizontalAdvance(QStringLiteral("像素 (8888, 8888) · 灰度 888")));
    seeing->addWidget(m_readout);
    seeing->addStretch(1);
    // At the end of the line: the enhancement in use as a colour bar.
    m_legend->setObjectName(QStringLiteral("Legend"));
    seeing->addWidget(m_legend);

    auto *rows = new QVBoxLayout(m_transportRow);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(3);
    rows->addLayout(playing);
    rows->addLayout(seeing);
    rows->addWidget(m_strip);
    m_focusChain << m_strip;

    connect(m_span, &QComboBox::activated, this,
            [this](int index) { emit spanChosen(m_span->itemData(index).toInt()); });
    connect(m_enhancements, &QComboBox::activated, this, &InstrumentPanel::enhancementChosen);
    connect(m_rest, &QDoubleSpinBox::valueChanged, this,
            [this](double seconds) { emit restChosen(int(std::lround(seconds * 1000))); });
    showMoment({});
    showZoom(1, false);
}

void InstrumentPanel::showMoment(const QString &moment, const QString &missing)
{
    const QString text = missing.isEmpty() || moment.isEmpty()
                             ? moment
                             : moment + QStringLiteral(" · ") + missing;
    m_moment->setText(text);
    m_moment->setAccessibleDescription(text.isEmpty() ? QStringLiteral("尚未显示图像") : text);
}

void InstrumentPanel::showZoom(double zoom, bool fitting)
{
    const int percent = int(std::lround(zoom * 100));
    m_zoom->setText(fitting ? QStringLiteral("适应窗口 %1 %").arg(percent)
                            : QStringLiteral("%1 %").arg(percent));
    // The label is named for what it shows; its value is heard as its description.
    m_zoom->setAccessibleDescription(m_zoom->text());
}

void InstrumentPanel::showSpeed(int picturesPerSecond)
{
    m_speed->setText(QStringLiteral("%1 幅/秒").arg(picturesPerSecond));
    m_speed->setAccessibleDescription(m_speed->text());
}

} // namespace veltaro
