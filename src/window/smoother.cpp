#include "window/smoother.h"

#include "motion/inbetween.h"
#include "network/transfer.h"
#include "picture/picturedecoder.h"

#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

namespace veltaro {

Smoother::Smoother(Transfer &transfer, QObject *parent) : QObject(parent), m_transfer(transfer) {}

void Smoother::setOn(bool on)
{
    if (on == m_on)
        return;
    m_on = on;
    ++m_generation;
    m_frames.clear();
    emit changed();
}

void Smoother::setSteps(int steps)
{
    steps = std::clamp(steps, kFewestSteps, kMostSteps);
    if (steps == m_steps)
        return;
    m_steps = steps;
    ++m_generation;
    m_frames.clear();
    emit changed();
}

QString Smoother::madeText(const Moment &from, int step, int steps)
{
    return QStringLiteral("北京时间 %1 · 插值").arg(QString::fromStdString(betweenText(from, step, steps)));
}

void Smoother::prepare(const Moment &shown, const QImage &picture, const std::optional<Moment> &next,
                       const Enhancement &enhancement)
{
    const quint64 generation = ++m_generation;
    m_frames.clear();
    m_from = shown;
    if (!m_on || !next || picture.isNull())
        return;
    // Only a picture already kept: smoothing never asks the network for anything.
    const QByteArray bytes = m_transfer.kept(QString::fromStdString(imageAddressOf(*next)));
    if (bytes.isEmpty())
        return;
    const int steps = m_steps;
    QtConcurrent::run([picture, bytes, steps, enhancement]() {
        std::vector<std::pair<QImage, QImage>> frames;
        try {
            PictureDecoder decoder;
            const QImage after = decoder.decode(bytes);
            const motion::FramePair pair(picture, after);
            for (int step = 1; step < steps; ++step) {
                QImage made = pair.frameAt(double(step) / steps);
                QImage seen = enhancement.isNone() ? made : enhancement.apply(made);
                frames.emplace_back(std::move(made), std::move(seen));
            }
        } catch (const std::exception &) {
            frames.clear(); // the real frames stand where nothing could be made
        }
        return frames;
    }).then(this, [this, generation](std::vector<std::pair<QImage, QImage>> frames) {
        if (generation == m_generation)
            m_frames = std::move(frames);
    });
}

bool Smoother::show(int step)
{
    if (!m_on || !m_from || step < 1 || size_t(step) > m_frames.size()) {
        ++m_missed;
        return false;
    }
    const auto &[picture, seen] = m_frames[size_t(step - 1)];
    ++m_shown;
    emit frameMade(picture, seen, madeText(*m_from, step, m_steps), double(step) / m_steps);
    return true;
}

} // namespace veltaro
