#include "window/comparer.h"

#include "failure.h"
#include "network/transfer.h"
#include "network/transferrequest.h"
#include "picture/comparison.h"
#include "picture/picturedecoder.h"
#include "retrieval/displaycommand.h"
#include "widgets/legendbar.h"
#include "widgets/picturebox.h"
#include "window/actiontable.h"
#include "window/comparemomentdialog.h"
#include "window/instrumentpanel.h"
#include "window/player.h"
#include "window/shownpicture.h"
#include "window/timestepper.h"

#include <QCoreApplication>
#include <QAction>
#include <QComboBox>
#include <QMouseEvent>
#include <QPainter>
#include <QSlider>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <array>

namespace veltaro {

namespace {

constexpr std::array kModes{
    std::pair{Comparer::Mode::Blink, Command::Blink},
    std::pair{Comparer::Mode::Swipe, Command::Swipe},
    std::pair{Comparer::Mode::Fade, Command::Fade},
    std::pair{Comparer::Mode::Difference, Command::Difference},
    std::pair{Comparer::Mode::SideBySide, Command::SideBySide},
};

// Between A and B side by side.
constexpr int kSideBySideGap = 8;
// How far a key moves the divider (thousandths of the width) or the opacity (percent).
constexpr int kDividerStep = 50;
constexpr int kOpacityStep = 10;

QString beijingText(const Moment &moment)
{
    return QCoreApplication::translate("veltaro::Comparer", "北京时间 ") + QString::fromStdString(momentText(moment));
}

// What a composite is made of, handed to the thread that makes it.
struct Makings
{
    Comparer::Mode mode;
    QImage a, b;           // as seen
    QImage aRaw, bRaw;     // as downloaded, for the difference
    int divider, opacity;
    Qt::Orientation across;
};

QImage make(const Makings &m)
{
    switch (m.mode) {
    case Comparer::Mode::Swipe:
        return comparison::swipe(m.a, m.b, m.a.width() * m.divider / 1000);
    case Comparer::Mode::Fade:
        return comparison::fade(m.a, m.b, m.opacity);
    case Comparer::Mode::Difference:
        return comparison::difference(m.aRaw, m.bRaw);
    case Comparer::Mode::SideBySide:
        return comparison::sideBySide(m.a, m.b, m.across, kSideBySideGap);
    case Comparer::Mode::Blink:
        break;
    }
    return m.a;
}

} // namespace

Comparer::Comparer(Parts parts, QObject *parent) : QObject(parent), m_parts(parts)
{
    ActionTable &actions = m_parts.actions;
    QAction *compare = actions.action(Command::Compare);
    compare->setCheckable(true);
    connect(compare, &QAction::triggered, this, [this](bool on) { setOn(on); });
    for (const auto &[mode, command] : kModes) {
        QAction *action = actions.action(command);
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, mode = mode] {
            setMode(mode);
            setOn(true);
        });
    }
    connect(actions.action(Command::MoreOfB), &QAction::triggered, this, [this] { moreOf(1); });
    connect(actions.action(Command::MoreOfA), &QAction::triggered, this, [this] { moreOf(-1); });
    connect(actions.action(Command::SwapCompared), &QAction::triggered, this, &Comparer::swap);
    connect(actions.action(Command::CompareMoment), &QAction::triggered, this, [this] {
        auto *dialog = new CompareMomentDialog(m_offsetHours, m_fixed, m_a, m_parts.imageBox.window());
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        connect(dialog, &QDialog::accepted, this, [this, dialog] {
            if (const auto held = dialog->held())
                holdAt(*held);
            else
                followAt(dialog->followingHours());
            setOn(true);
        });
        dialog->open();
    });

    QComboBox *modes = m_parts.panel.compareModes();
    for (const auto &[mode, command] : kModes)
        modes->addItem(modeName(mode), int(mode));
    connect(modes, &QComboBox::activated, this,
            [this, modes](int index) { setMode(Mode(modes->itemData(index).toInt())); });
    connect(m_parts.panel.compareAmount(), &QSlider::valueChanged, this, [this](int value) {
        if (m_mode == Mode::Fade)
            setOpacity(value);
        else
            setDivider(value * 10);
    });

    // Blinking goes at the playing speed.
    m_blink.callOnTimeout(this, &Comparer::blink);
    connect(&m_parts.player, &Player::changed, this, [this] { m_blink.setInterval(1000 / m_parts.player.speed()); });
    m_blink.setInterval(1000 / m_parts.player.speed());
    // Queued: by then the window has said which moment the new picture is, so that a new A is
    // never made into one with the B of the A before.
    connect(&m_parts.shown, &ShownPicture::seenChanged, this, &Comparer::compose, Qt::QueuedConnection);
    // In swipe, dragging on the picture moves the divider.
    m_area = m_parts.imageBox.innerArea();
    m_area->installEventFilter(this);
    describe();
}

Comparer::~Comparer()
{
    if (m_bRequest)
        m_bRequest->abort();
    if (m_area)
        m_area->removeEventFilter(this);
}

QString Comparer::modeName(Mode mode)
{
    for (const auto &[each, command] : kModes)
        if (each == mode)
            return nameOf(designOf(command));
    return {};
}

std::optional<Moment> Comparer::momentB() const
{
    if (m_fixed)
        return m_fixed;
    return m_a ? steppedBy(*m_a, m_offsetHours) : std::nullopt;
}

void Comparer::setOn(bool on)
{
    if (on == m_on)
        return describe();
    m_on = on;
    if (!on) {
        if (m_bRequest)
            m_bRequest->abort();
        ++m_bGeneration;
        ++m_composeGeneration;
        m_blink.stop();
        m_parts.shown.endComposite();
        m_bLoaded.reset();
        m_bPicture = m_bSeen = QImage();
        m_bMissing.clear();
    } else {
        fetchB();
    }
    describe();
}

void Comparer::setMode(Mode mode)
{
    m_mode = mode;
    m_blink.stop();
    compose();
    describe();
}

void Comparer::followAt(int hours)
{
    m_fixed.reset();
    m_offsetHours = hours;
    if (m_on)
        fetchB();
    describe();
}

void Comparer::holdAt(const Moment &moment)
{
    m_fixed = moment;
    if (m_on)
        fetchB();
    describe();
}

void Comparer::setDivider(int thousandths)
{
    m_divider = std::clamp(thousandths, 0, 1000);
    if (m_mode == Mode::Swipe)
        compose();
    describe();
}

void Comparer::setOpacity(int percent)
{
    m_opacity = std::clamp(percent, 0, 100);
    if (m_mode == Mode::Fade)
        compose();
    describe();
}

void Comparer::moreOf(int towardB)
{
    if (m_mode == Mode::Fade)
        setOpacity(m_opacity + kOpacityStep * towardB);
    else if (m_mode == Mode::Swipe)
        setDivider(m_divider - kDividerStep * towardB); // more of B: the divider goes left
}

void Comparer::swap()
{
    const auto b = momentB();
    if (!m_on || !m_a || !b)
        return;
    // B becomes the picture shown; A, at the same distance the other way, or held in its place.
    const Moment a = *m_a;
    if (m_fixed)
        m_fixed = a;
    else
        m_offsetHours = -m_offsetHours;
    m_parts.player.stop();
    m_parts.stepper.showInLists(*b);
    m_parts.display.run(DisplayCommand::Kind::Step);
}

void Comparer::pictureShown(const std::optional<Moment> &moment)
{
    m_a = moment;
    if (!m_on)
        return;
    if (momentB() != m_bLoaded)
        fetchB();
    describe();
}

void Comparer::setEnhancement(const Enhancement &enhancement)
{
    m_enhancement = enhancement;
    m_enhancementTip = m_parts.panel.legend()->toolTip();
    describe();
    if (!m_bPicture.isNull()) {
        m_bLoaded.reset(); // seen anew
        fetchB();
    }
}

void Comparer::fetchB()
{
    if (m_bRequest)
        m_bRequest->abort();
    const quint64 generation = ++m_bGeneration;
    const auto b = momentB();
    if (!m_on || !b)
        return;
    const QString address = QString::fromStdString(imageAddressOf(*b));
    if (address.isEmpty()) {
        m_bMissing = tr("B（%1）不在可选的时间范围内").arg(beijingText(*b));
        emit said(m_bMissing);
        m_parts.shown.endComposite();
        return describe();
    }
    // A kept copy serves without the network; else B is fetched, and its handle is ours alone.
    if (const QByteArray kept = m_parts.transfer.kept(address); !kept.isEmpty())
        return takeB(kept, generation);
    m_bRequest = m_parts.transfer.get(address, Transfer::Freshness::CacheFirst);
    connect(m_bRequest, &TransferRequest::finished, this, [this, generation, request = m_bRequest] {
        if (generation != m_bGeneration || request->result() == TransferRequest::Result::Cancelled)
            return;
        if (request->result() != TransferRequest::Result::Whole) {
            const auto b = momentB();
            m_bMissing = request->isMissing()
                             ? tr("B：服务器上没有%1的图像").arg(b ? beijingText(*b) : QString())
                             : tr("B：") + request->reason();
            emit said(m_bMissing);
            m_parts.shown.endComposite();
            return describe();
        }
        takeB(request->body(), generation);
    });
}

void Comparer::takeB(const QByteArray &bytes, quint64 generation)
{
    // Decoded and seen as A is, off the window's thread.
    const Enhancement enhancement = m_enhancement;
    const auto moment = momentB();
    QtConcurrent::run([bytes, enhancement]() -> std::pair<QImage, QImage> {
        try {
            PictureDecoder decoder;
            QImage picture = decoder.decode(bytes);
            QImage seen = enhancement.isNone() ? picture : enhancement.apply(picture);
            return {picture, seen};
        } catch (const std::exception &) {
            return {};
        }
    }).then(this, [this, generation, moment](std::pair<QImage, QImage> made) {
        if (generation != m_bGeneration)
            return; // another B was asked for since
        if (made.first.isNull()) {
            m_bMissing = tr("B：%1的图像无法解码").arg(moment ? beijingText(*moment) : QString());
            emit said(m_bMissing);
            m_parts.shown.endComposite();
            return describe();
        }
        m_bMissing.clear();
        m_bLoaded = moment;
        m_bPicture = std::move(made.first);
        m_bSeen = std::move(made.second);
        compose();
        describe();
    });
}

void Comparer::compose()
{
    // Only a B of the moment compared now is made into one with A.
    if (!m_on || m_bSeen.isNull() || m_bLoaded != momentB() || m_parts.shown.picture().isNull())
        return;
    const quint64 generation = ++m_composeGeneration;
    if (m_mode == Mode::Blink) {
        if (!m_blink.isActive())
            m_blink.start();
        showBlinkFrame();
        return;
    }
    m_blink.stop();
    // Side by side across a wide viewport, one above the other on a tall one.
    const QWidget *viewport = m_parts.imageBox.parentWidget();
    m_across = !viewport || viewport->width() >= viewport->height() ? Qt::Horizontal : Qt::Vertical;
    Makings makings{m_mode, m_parts.shown.seen(), m_bSeen, m_parts.shown.picture(), m_bPicture,
                    m_divider, m_opacity, m_across};
    QtConcurrent::run([makings]() -> std::pair<QImage, QString> {
        try {
            return {make(makings), {}};
        } catch (const std::exception &failure) {
            return {{}, QString::fromUtf8(failure.what())};
        }
    }).then(this, [this, generation](std::pair<QImage, QString> made) {
        if (generation != m_composeGeneration || !m_on)
            return; // another composite was asked for since
        if (made.first.isNull()) {
            emit said(made.second);
            return;
        }
        markSides(made.first);
        made.first.setText(QStringLiteral("Description"), description());
        m_parts.shown.showComposite(std::move(made.first), [this](QPoint pixel) { return readout(pixel); });
    });
}

void Comparer::markSides(QImage &composite) const
{
    // Swipe and side by side: "A" and "B" on their sides, drawn here on the window's thread.
    if (m_mode != Mode::Swipe && m_mode != Mode::SideBySide)
        return;
    const QImage a = m_parts.shown.seen();
    QPoint aAt(0, 0);
    QPoint bAt;
    if (m_mode == Mode::Swipe)
        bAt = {a.width() * m_divider / 1000, 0};
    else
        bAt = m_across == Qt::Horizontal ? QPoint(a.width() + kSideBySideGap, 0) : QPoint(0, a.height() + kSideBySideGap);
    QPainter painter(&composite);
    QFont font = painter.font();
    font.setPixelSize(std::max(12, a.height() / 30));
    font.setBold(true);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    const int pad = metrics.height() / 4;
    for (const auto &[text, at] : {std::pair{QStringLiteral("A"), aAt}, std::pair{QStringLiteral("B"), bAt}}) {
        const QRect box(at + QPoint(pad, pad), QSize(metrics.horizontalAdvance(text) + 2 * pad, metrics.height()));
        if (m_mode == Mode::Swipe && text == QLatin1String("B") && box.right() >= a.width())
            continue; // the divider at the right edge: no B to mark
        painter.fillRect(box, QColor(0, 0, 0, 160));
        painter.setPen(Qt::white);
        painter.drawText(box, Qt::AlignCenter, text);
    }
}

void Comparer::blink()
{
    if (!m_on || m_mode != Mode::Blink || m_bSeen.isNull()) {
        m_blink.stop();
        return;
    }
    m_blinkShowsB = !m_blinkShowsB;
    showBlinkFrame();
}

void Comparer::showBlinkFrame()
{
    QImage shown = m_blinkShowsB ? m_bSeen : m_parts.shown.seen();
    shown.setText(QStringLiteral("Description"), description());
    m_parts.shown.showComposite(std::move(shown), [this](QPoint pixel) { return readout(pixel); });
    describe();
}

QString Comparer::readout(QPoint pixel) const
{
    // Side by side, either half reads the same place of both.
    const QImage a = m_parts.shown.picture();
    if (m_mode == Mode::SideBySide && !a.isNull()) {
        if (m_across == Qt::Horizontal && pixel.x() >= a.width() + kSideBySideGap)
            pixel.rx() -= a.width() + kSideBySideGap;
        else if (m_across == Qt::Vertical && pixel.y() >= a.height() + kSideBySideGap)
            pixel.ry() -= a.height() + kSideBySideGap;
    }
    if (!a.rect().contains(pixel) || !m_bPicture.rect().contains(pixel))
        return {};
    return tr("像素 (%1, %2) · A 灰度 %3 · B 灰度 %4")
        .arg(pixel.x())
        .arg(pixel.y())
        .arg(greyLevel(a.pixel(pixel)))
        .arg(greyLevel(m_bPicture.pixel(pixel)));
}

QString Comparer::description() const
{
    const auto b = momentB();
    if (!m_on || !m_a || !b)
        return {};
    QString text = QStringLiteral("A %1 · B %2 · %3").arg(beijingText(*m_a), beijingText(*b), modeName(m_mode));
    if (m_mode == Mode::Blink && !m_bSeen.isNull())
        text += m_blinkShowsB ? tr("（显示 B）") : tr("（显示 A）");
    else if (m_mode == Mode::Fade)
        text += QStringLiteral(" %1 %").arg(m_opacity);
    if (!m_bMissing.isEmpty())
        text += QStringLiteral(" · ") + m_bMissing;
    return text;
}

void Comparer::describe()
{
    ActionTable &actions = m_parts.actions;
    actions.action(Command::Compare)->setChecked(m_on);
    for (const auto &[mode, command] : kModes)
        actions.action(command)->setChecked(m_on && mode == m_mode);
    for (const Command command : {Command::SwapCompared, Command::MoreOfA, Command::MoreOfB})
        actions.action(command)->setEnabled(m_on);
    m_parts.panel.showComparing(m_on, description(), modeName(m_mode),
                                m_mode == Mode::Fade ? m_opacity : m_divider / 10);
    // The colour bar tells how the difference reads while it is shown.
    LegendBar *legend = m_parts.panel.legend();
    const bool difference = m_on && m_mode == Mode::Difference;
    legend->setColours(difference ? comparison::differenceTable() : m_enhancement.lookupFor());
    if (difference)
        legend->setToolTip(tr("差值 B − A（灰度）：128 为不变，向蓝 B 较亮，向红 B 较暗"));
    else if (std::exchange(m_legendTold, false))
        legend->setToolTip(m_enhancementTip);
    m_legendTold = m_legendTold || difference;
    emit changed();
}

bool Comparer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_area || !m_on || m_mode != Mode::Swipe || m_bSeen.isNull())
        return false;
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseMove)
        return false;
    const auto *mouse = static_cast<QMouseEvent *>(event);
    if (!(mouse->buttons() & Qt::LeftButton) || m_area->width() <= 0)
        return false;
    // The divider follows the pointer across the picture; the drag does not move the picture.
    setDivider(int(mouse->position().x() * 1000 / m_area->width()));
    return true;
}

} // namespace veltaro
