#include "window/exportdialog.h"

#include "query/looplimits.h"

#include <QCoreApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include <cmath>

namespace veltaro {

ExportDialog::ExportDialog(const std::vector<Moment> &loop, const Moment &picked,
                           const Choices &start, const Enhancement &enhancement,
                           const QString &enhancementName, QWidget *parent)
    : QDialog(parent), m_loop(loop), m_picked(picked), m_enhancement(enhancement),
      m_span(new QComboBox(this)), m_every(new QComboBox(this)), m_smooth(new QComboBox(this)),
      m_smoothGapHours(start.plan.smoothGapHours), m_format(new QComboBox(this)),
      m_quality(new QSpinBox(this)), m_lossless(new QCheckBox(tr("无损"), this)),
      m_speed(new QSpinBox(this)), m_backAndForth(new QCheckBox(tr("往返"), this)),
      m_rest(new QDoubleSpinBox(this)), m_size(new QComboBox(this)),
      m_label(new QCheckBox(tr("在每帧左下角写上时刻"), this))
{
    setWindowTitle(tr("导出动画"));
    if (!m_loop.empty())
        m_span->addItem(tr("正在播放的循环（%n 小时）", nullptr, int(m_loop.size())), 0);
    for (const int hours : loop::kSpans)
        m_span->addItem(tr("到所选时刻为止的 %n 小时", nullptr, hours), hours);
    if (m_loop.empty())
        m_span->setCurrentIndex(std::max(0, m_span->findData(start.span)));
    for (const int every : loop::kEvery)
        m_every->addItem(every == 1 ? tr("每小时一幅") : tr("每 %n 小时一幅", nullptr, every), every);
    for (const AnimationFormatName &format : kAnimationFormats)
        m_format->addItem(QCoreApplication::translate("AnimationFormat", format.label), QString::fromLatin1(format.name));
    m_format->addItem(tr("JPEG 原图（文件夹，按时刻命名）"), QStringLiteral("jpg"));
    m_quality->setRange(0, 100);
    m_every->setCurrentIndex(std::max(0, m_every->findData(start.every)));
    m_smooth->addItem(tr("不插值"), 1);
    for (int steps = loop::kFewestSmoothSteps; steps <= loop::kMostSmoothSteps; ++steps)
        m_smooth->addItem(tr("每小时 %1 步（插 %n 帧，标为“插值”）", nullptr, steps - 1).arg(steps), steps);
    m_smooth->setCurrentIndex(std::max(0, m_smooth->findData(start.plan.smoothSteps)));
    m_format->setCurrentIndex(std::max(0, m_format->findData(start.format)));
    m_quality->setValue(start.animation.quality);
    m_lossless->setChecked(start.animation.lossless);
    m_speed->setRange(loop::kSlowest, loop::kFastest);
    m_speed->setValue(start.plan.picturesPerSecond);
    m_backAndForth->setChecked(start.plan.backAndForth);
    m_speed->setSuffix(tr(" 幅/秒"));
    m_rest->setRange(0, loop::kLongestRestMs / 1000.0);
    m_rest->setSingleStep(loop::kRestStepMs / 1000.0);
    m_rest->setSuffix(tr(" 秒"));
    m_rest->setValue(start.plan.restMs / 1000.0);
    m_size->addItem(tr("原始大小"), 0);
    m_size->addItem(tr("一半"), -2);
    m_size->addItem(tr("最长边 1024"), 1024);
    m_size->addItem(tr("最长边 720"), 720);
    m_size->setCurrentIndex(std::max(0, m_size->findData(start.plan.longestSide)));
    m_label->setChecked(start.plan.label);

    auto *form = new QFormLayout(this);
    form->addRow(tr("范围"), m_span);
    form->addRow(tr("间隔"), m_every);
    form->addRow(tr("格式"), m_format);
    auto *quality = new QHBoxLayout;
    quality->addWidget(m_quality);
    quality->addWidget(m_lossless);
    form->addRow(tr("质量"), quality);
    form->addRow(tr("速度"), m_speed);
    form->addRow(QString(), m_backAndForth);
    form->addRow(tr("平滑"), m_smooth);
    form->addRow(tr("末帧停留"), m_rest);
    form->addRow(tr("尺寸"), m_size);
    form->addRow(QString(), m_label);
    form->addRow(tr("增强"), new QLabel(enhancementName, this));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("导出…"));
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Only what the format uses can be set.
    const auto formatChosen = [this] {
        const QString format = m_format->currentData().toString();
        const bool frames = format != QStringLiteral("jpg");
        for (QWidget *field : std::initializer_list<QWidget *>{m_speed, m_backAndForth, m_smooth, m_rest, m_size, m_label})
            field->setEnabled(frames);
        m_quality->setEnabled(format == QStringLiteral("webp") && !m_lossless->isChecked());
        m_lossless->setEnabled(format == QStringLiteral("webp"));
    };
    connect(m_format, &QComboBox::currentIndexChanged, this, formatChosen);
    connect(m_lossless, &QCheckBox::toggled, this, formatChosen);
    formatChosen();
}

ExportDialog::Choices ExportDialog::choices() const
{
    const ExportRequest made = request({});
    Choices chosen;
    chosen.span = m_span->currentData().toInt() > 0 ? m_span->currentData().toInt() : loop::kDefaultSpan;
    chosen.every = m_every->currentData().toInt();
    chosen.format = m_format->currentData().toString();
    chosen.animation = made.animation;
    chosen.plan = made.plan;
    return chosen;
}

bool ExportDialog::toFolder() const
{
    return m_format->currentData().toString() == QStringLiteral("jpg");
}

std::vector<Moment> ExportDialog::hours() const
{
    const int span = m_span->currentData().toInt();
    const int every = m_every->currentData().toInt();
    if (span == 0) {
        std::vector<Moment> chosen;
        for (size_t i = 0; i < m_loop.size(); i += size_t(every))
            chosen.push_back(m_loop[i]);
        return chosen;
    }
    return hoursEndingAt(m_picked, span, every);
}

QString ExportDialog::proposedName() const
{
    const std::vector<Moment> chosen = hours();
    const Moment last = chosen.empty() ? m_picked : chosen.back();
    const QString stem = QString::fromStdString(fileStemOf(last)) +
                         tr("_%1小时").arg(chosen.size() * size_t(m_every->currentData().toInt()));
    return toFolder() ? stem : stem + QLatin1Char('.') + m_format->currentData().toString();
}

ExportRequest ExportDialog::request(const QString &path) const
{
    ExportRequest request;
    request.hours = hours();
    request.jpegFolder = toFolder();
    request.animation.format =
        animationFormatNamed(m_format->currentData().toString()).value_or(AnimationFormat::WebP);
    request.animation.lossless = m_lossless->isChecked();
    request.animation.quality = m_quality->value();
    request.plan.picturesPerSecond = m_speed->value();
    request.plan.smoothSteps = m_smooth->currentData().toInt();
    request.plan.smoothGapHours = m_smoothGapHours;
    request.plan.backAndForth = m_backAndForth->isChecked();
    request.plan.restMs = int(std::lround(m_rest->value() * 1000));
    request.plan.longestSide = m_size->currentData().toInt();
    request.plan.label = m_label->isChecked();
    request.enhancement = m_enhancement;
    request.path = path;
    return request;
}

} // namespace veltaro
