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
    m_pairs.clear();
    emit changed();
}

void Smoother::setSteps(int steps)
{
    steps = std::clamp(steps, kFewestSteps, kMostSteps);
    if (steps == m_steps)
        return;
    m_steps = steps;
    ++m_generation;
    m_pairs.clear();
    emit changed();
}

QString Smoother::madeText(const Moment &from, int step, int steps)
{
    return QStringLiteral("北京时间 %1 · 插值").arg(QString::fromStdString(betweenText(from, step, steps)));
}

void Smoother::setEnhancement(const Enhancement &enhancement)
{
    // Another way of seeing: what was made is seen otherwise now.
    m_enhancement = enhancement;
    ++m_generation;
    m_pairs.clear();
}

void Smoother::prepare(const Moment &shown, const QImage &picture, const std::optional<Moment> &next, int hours,
                       const std::optional<Moment> &aheadFrom, const std::optional<Moment> &aheadTo)
{
    m_from = shown;
    if (!m_on)
        return;
    // Only pictures already kept: smoothing never asks the network for anything.
    const auto keptBytes = [this](const Moment &moment) {
        return m_transfer.kept(QString::fromStdString(imageAddressOf(moment)));
    };
    if (next && !picture.isNull())
        make(shown, picture, {}, *next, hours);
    if (aheadFrom && aheadTo)
        if (const QByteArray bytes = keptBytes(*aheadFrom); !bytes.isEmpty())
            make(*aheadFrom, {}, bytes, *aheadTo, 1);
}

void Smoother::make(const Moment &from, const QImage &picture, const QByteArray &fromBytes, const Moment &to,
                    int hours)
{
    if (std::any_of(m_pairs.begin(), m_pairs.end(), [&](const auto &pair) { return pair.first == from; }))
        return; // made, or being made
    const QByteArray toBytes = m_transfer.kept(QString::fromStdString(imageAddressOf(to)));
    if (toBytes.isEmpty())
        return;
    m_pairs.emplace_back(from, std::vector<std::pair<QImage, QImage>>());
    while (m_pairs.size() > size_t(kPairsHeld))
        m_pairs.erase(m_pairs.begin());
    const quint64 generation = m_generation;
    const int steps = m_steps * hours;
    QtConcurrent::run([picture, fromBytes, toBytes, steps, enhancement = m_enhancement]() {
        std::vector<std::pair<QImage, QImage>> frames;
        try {
            PictureDecoder decoder;
            const QImage before = picture.isNull() ? decoder.decode(fromBytes) : picture;
            const QImage after = decoder.decode(toBytes);
            const motion::FramePair pair(before, after);
            for (int step = 1; step < steps; ++step) {
                QImage made = pair.frameAt(double(step) / steps);
                QImage seen = enhancement.isNone() ? made : enhancement.apply(made);
                frames.emplace_back(std::move(made), std::move(seen));
            }
        } catch (const std::exception &) {
            frames.clear(); // the real frames stand where nothing could be made
        }
        return frames;
    }).then(this, [this, generation, from](std::vector<std::pair<QImage, QImage>> frames) {
        if (generation != m_generation)
            return; // turned off, another number of steps or another enhancement since
        for (auto &pair : m_pairs)
            if (pair.first == from)
                pair.second = std::move(frames);
    });
}

bool Smoother::show(int step)
{
    const auto pair = std::find_if(m_pairs.begin(), m_pairs.end(),
                                   [this](const auto &each) { return m_from && each.first == *m_from; });
    if (!m_on || pair == m_pairs.end() || step < 1 || size_t(step) > pair->second.size()) {
        ++m_missed;
        return false;
    }
    const auto &[picture, seen] = pair->second[size_t(step - 1)];
    ++m_shown;
    emit frameMade(picture, seen, madeText(*m_from, step, m_steps), double(step) / m_steps);
    return true;
}

} // namespace veltaro
