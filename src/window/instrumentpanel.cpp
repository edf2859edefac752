#include "window/instrumentpanel.h"

#include "query/looplimits.h"

#include "widgets/fittedlabel.h"
#include "widgets/framestrip.h"
#include "widgets/legendbar.h"
#include "widgets/wrappinglayout.h"
#include "window/actiontable.h"

#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QSlider>
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
      m_moment(new FittedLabel(m_infoRow)), m_zoom(new QLabel(m_transportRow)),
      m_speed(new QLabel(m_transportRow)), m_span(new QComboBox(m_transportRow)),
      m_rest(new QDoubleSpinBox(m_transportRow)), m_strip(new FrameStrip(m_transportRow)),
      m_enhancements(new QComboBox(m_transportRow)), m_readout(new QLabel(m_transportRow)),
      m_legend(new LegendBar(m_transportRow)), m_playing(new QLabel(m_transportRow)),
      m_compareControls(nullptr), m_compareModes(new QComboBox(m_transportRow)),
      m_smoothSteps(new QComboBox(m_transportRow)), m_smoothGap(new QComboBox(m_transportRow)),
      m_compareAmount(new QSlider(Qt::Horizontal, m_transportRow)), m_comparing(new FittedLabel(m_transportRow))
{
    m_infoRow->setObjectName(QStringLiteral("InfoRow"));
    m_transportRow->setObjectName(QStringLiteral("TransportRow"));

    m_moment->setObjectName(QStringLiteral("MomentLabel"));
    m_moment->setAccessibleName(tr("所显示的时刻"));
    auto *info = new QHBoxLayout(m_infoRow);
    info->setContentsMargins(0, 0, 0, 0);
    info->addWidget(m_moment, 1);

    // The controls stand in groups that keep together; the groups fill lines as wide as the
    // window allows, the frame strip under them.
    auto *groups = new QWidget(m_transportRow);
    auto *wrapping = new WrappingLayout(groups, 10, 3);
    const auto group = [&](std::initializer_list<QWidget *> widgets) {
        auto *made = new QWidget(groups);
        auto *line = new QHBoxLayout(made);
        line->setContentsMargins(0, 0, 0, 0);
        line->setSpacing(4);
        for (QWidget *widget : widgets) {
            widget->setParent(made);
            line->addWidget(widget);
        }
        wrapping->addWidget(made);
    };
    const auto button = [&](Command command) {
        QToolButton *made = buttonFor(actions.action(command), m_transportRow);
        m_focusChain << made;
        return made;
    };
    const auto inChain = [&](QWidget *widget) {
        m_focusChain << widget;
        return widget;
    };

    // Watching the clouds move.
    for (const int hours : loop::kSpans)
        m_span->addItem(tr("%n 小时", nullptr, hours), hours);
    m_span->setAccessibleName(tr("循环的时长"));
    m_span->setToolTip(tr("循环播放到所选时刻为止的几小时"));
    QToolButton *play = button(Command::Play);
    QToolButton *loop = button(Command::Loop);
    QLabel *spanCaption = caption(tr("时长"), m_span, m_transportRow);
    group({play, loop, spanCaption, inChain(m_span), button(Command::BackAndForth)});
    m_speed->setAccessibleName(tr("播放速度"));
    m_speed->setMinimumWidth(m_speed->fontMetrics().horizontalAdvance(tr("10 幅/秒 ")));
    m_speed->setAlignment(Qt::AlignCenter);
    QToolButton *slower = button(Command::Slower);
    group({slower, m_speed, button(Command::Faster)});
    m_rest->setRange(0, loop::kLongestRestMs / 1000.0);
    m_rest->setSingleStep(loop::kRestStepMs / 1000.0);
    m_rest->setDecimals(1);
    m_rest->setSuffix(tr(" 秒"));
    m_rest->setAccessibleName(tr("末帧停留"));
    m_rest->setToolTip(tr("循环播放时最后一幅停留的时间"));
    group({caption(tr("末帧停留"), m_rest, m_transportRow), inChain(m_rest)});
    group({button(Command::Export), button(Command::Help)});

    // How the picture is seen.
    m_enhancements->setAccessibleName(tr("增强"));
    QLabel *enhancementCaption = caption(tr("增强"), m_enhancements, m_transportRow);
    group({enhancementCaption, inChain(m_enhancements), button(Command::Adjust)});
    m_zoom->setAccessibleName(tr("缩放"));
    m_zoom->setMinimumWidth(m_zoom->fontMetrics().horizontalAdvance(tr("适应窗口 100 % ")));
    QToolButton *zoomOut = button(Command::ZoomOut);
    QToolButton *fit = button(Command::Fit);
    QToolButton *actual = button(Command::ActualSize);
    group({zoomOut, fit, actual, button(Command::ZoomIn), m_zoom});
    m_readout->setAccessibleName(tr("指针处的像素"));
    m_readout->setMinimumWidth(
        m_readout->fontMetrics().horizontalAdvance(tr("像素 (8888, 8888) · 灰度 888")));
    group({m_readout});
    // The enhancement in use as a colour bar.
    m_legend->setObjectName(QStringLiteral("Legend"));
    group({m_legend});
    // Comparing two moments: its switch, and while it is on, the mode and the slider.
    group({button(Command::Compare)});
    m_compareModes->setAccessibleName(tr("比较方式"));
    m_compareAmount->setRange(0, 100);
    m_compareAmount->setAccessibleName(tr("分界线 / 不透明度"));
    m_compareAmount->setToolTip(tr("卷帘：分界线的位置；渐变：B 的不透明度"));
    m_compareAmount->setFixedWidth(m_compareAmount->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")));
    group({caption(tr("方式"), m_compareModes, m_transportRow), inChain(m_compareModes),
           inChain(m_compareAmount), button(Command::SwapCompared), button(Command::CompareMoment)});
    m_compareControls = m_compareModes->parentWidget();
    m_compareControls->hide();
    // Smooth playing, and while it is on, into how many steps an hour is cut.
    for (int steps = loop::kFewestSmoothSteps; steps <= loop::kMostSmoothSteps; ++steps)
        m_smoothSteps->addItem(tr("每小时 %1 步").arg(steps), steps);
    m_smoothSteps->setAccessibleName(tr("平滑播放的细分"));
    m_smoothSteps->setToolTip(tr("相邻两个整点之间插出几步：2 步插 1 幅，4 步插 3 幅"));
    // and across how long a gap (missing hours) frames are made by real time.
    for (const int hours : loop::kSmoothGaps)
        m_smoothGap->addItem(hours == 1 ? tr("不跨缺图")
                                        : tr("跨缺图至多 %n 小时", nullptr, hours),
                             hours);
    m_smoothGap->setAccessibleName(tr("平滑播放跨越的最长空缺"));
    m_smoothGap->setToolTip(tr("缺图时按实际时间在前后两幅之间插值，两幅至多相隔几小时；更长则跳过"));
    group({button(Command::Smooth), inChain(m_smoothSteps), inChain(m_smoothGap)});
    m_smoothSteps->hide();
    m_smoothGap->hide();

    // The frame strip, and at the end of its line what plays, seen and heard ("循环 07-17 11:00
    // – 07-18 10:00，24 小时"); its room is kept while nothing plays, so that nothing moves
    // when a loop starts or stops.
    m_playing->setObjectName(QStringLiteral("PlayingState"));
    m_playing->setAccessibleName(tr("播放状态"));
    m_playing->setMinimumWidth(m_playing->fontMetrics().horizontalAdvance(
        tr("循环 07-17 11:00 – 07-18 10:00，48 小时（已暂停）")));
    auto *rows = new QVBoxLayout(m_transportRow);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(3);
    rows->addWidget(groups);
    auto *last = new QHBoxLayout;
    last->setSpacing(10);
    last->addWidget(m_strip, 1);
    last->addWidget(m_playing);
    // While comparing, the two moments: "A 北京时间 2008-07-18 10:00 · B 北京时间 2008-07-17 10:00 · 卷帘".
    m_comparing->setObjectName(QStringLiteral("ComparingLabel"));
    m_comparing->setAccessibleName(tr("比较"));
    m_comparing->hide();
    last->addWidget(m_comparing);
    rows->addLayout(last);
    m_focusChain << m_strip;

    connect(m_span, &QComboBox::activated, this,
            [this](int index) { emit spanChosen(m_span->itemData(index).toInt()); });
    connect(m_enhancements, &QComboBox::activated, this, &InstrumentPanel::enhancementChosen);
    connect(m_rest, &QDoubleSpinBox::valueChanged, this,
            [this](double seconds) { emit restChosen(int(std::lround(seconds * 1000))); });
    showMoment({});
    showZoom(1, false);
    showPlaying({});
}

void InstrumentPanel::showMoment(const QStringList &forms)
{
    const QSize before = m_moment->minimumSizeHint();
    if (!forms.isEmpty() && !m_moment->font().bold()) {
        // The moment, readable at a glance: its larger, bold type is loaded with the first
        // picture, not while the window opens.
        QFont heading = m_moment->font();
        heading.setPointSizeF(heading.pointSizeF() * 1.25);
        heading.setBold(true);
        m_moment->setFont(heading);
    }
    m_moment->setForms(forms, tr("尚未显示图像"));
    if (m_moment->minimumSizeHint() != before)
        emit resized();
}

void InstrumentPanel::showComparing(bool on, const QString &moments, const QString &mode, int amount)
{
    const bool resizes = on != m_compareControls->isVisibleTo(m_transportRow);
    m_compareControls->setVisible(on);
    m_comparing->setVisible(on);
    // From the whole to the moments alone ("A 07-18 10:00 · B 07-17 10:00").
    QStringList forms{moments};
    static const QRegularExpression beijing(tr("北京时间 \\d{4}-"));
    QString shorter = moments;
    shorter.replace(beijing, QString());
    if (shorter != moments)
        forms << shorter;
    m_comparing->setForms(on && !moments.isEmpty() ? forms : QStringList{}, tr("未在比较"));
    m_compareModes->setCurrentIndex(m_compareModes->findText(mode));
    const QSignalBlocker quiet(m_compareAmount);
    m_compareAmount->setValue(amount);
    if (resizes)
        emit resized();
}

void InstrumentPanel::showSmoothing(bool on, int steps, int longestGap)
{
    const bool resizes = on != m_smoothSteps->isVisibleTo(m_transportRow);
    m_smoothSteps->setVisible(on);
    m_smoothSteps->setCurrentIndex(m_smoothSteps->findData(steps));
    m_smoothGap->setVisible(on);
    m_smoothGap->setCurrentIndex(m_smoothGap->findData(longestGap));
    if (resizes)
        emit resized();
}

void InstrumentPanel::showPlaying(const QString &state)
{
    const bool resizes = m_playing->sizeHint().width() < m_playing->fontMetrics().horizontalAdvance(state);
    m_playing->setText(state);
    if (resizes)
        emit resized();
    m_playing->setAccessibleDescription(state.isEmpty() ? tr("未在播放") : state);
}

void InstrumentPanel::showZoom(double zoom, bool fitting)
{
    const int percent = int(std::lround(zoom * 100));
    m_zoom->setText(fitting ? tr("适应窗口 %1 %").arg(percent)
                            : QStringLiteral("%1 %").arg(percent));
    // The label is named for what it shows; its value is heard as its description.
    m_zoom->setAccessibleDescription(m_zoom->text());
}

void InstrumentPanel::showSpeed(int picturesPerSecond)
{
    m_speed->setText(tr("%n 幅/秒", nullptr, picturesPerSecond));
    m_speed->setAccessibleDescription(m_speed->text());
}

} // namespace veltaro
