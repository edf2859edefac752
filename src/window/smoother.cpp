#include "window/smoother.h"

#include "export/loopframes.h"
#include "motion/inbetween.h"
#include "network/transfer.h"
#include "picture/picturedecoder.h"

#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <cstdlib>

namespace veltaro {

Smoother::Smoother(Transfer &transfer, QObject *parent) : QObject(parent), m_transfer(transfer) {}

void Smoother::setOn(bool on)
{
    if (on == m_on)
        return;
    m_on = on;
    forget();
    emit changed();
}

void Smoother::setSteps(int steps)
{
    steps = std::clamp(steps, kFewestSteps, kMostSteps);
    if (steps == m_steps)
        return;
    m_steps = steps;
    forget();
    emit changed();
}

void Smoother::setLongestGap(int hours)
{
    const auto nearest = std::upper_bound(loop::kSmoothGaps.begin(), loop::kSmoothGaps.end(), hours);
    hours = nearest == loop::kSmoothGaps.begin() ? loop::kSmoothGaps.front() : *std::prev(nearest);
    if (hours == m_longestGap)
        return;
    m_longestGap = hours; // the pairs made stay good: the next ones are chosen by it
    emit changed();
}

void Smoother::forget()
{
    ++m_generation;
    m_pairs.clear();
}

void Smoother::setEnhancement(const Enhancement &enhancement)
{
    // Another way of seeing: what was made is seen otherwise now.
    m_enhancement = enhancement;
    forget();
}

void Smoother::prepare(const Moment &shown, const QImage &picture, const std::optional<Moment> &next,
                       const std::optional<Moment> &aheadFrom, const std::optional<Moment> &aheadTo)
{
    m_from = shown;
    m_to = next;
    if (!m_on)
        return;
    // Only pictures already kept: smoothing never asks the network for anything.
    const auto keptBytes = [this](const Moment &moment) {
        return m_transfer.kept(QString::fromStdString(imageAddressOf(moment)));
    };
    if (next && !picture.isNull())
        make(shown, picture, {}, *next);
    if (aheadFrom && aheadTo)
        if (const QByteArray bytes = keptBytes(*aheadFrom); !bytes.isEmpty())
            make(*aheadFrom, {}, bytes, *aheadTo);
}

void Smoother::make(const Moment &from, const QImage &picture, const QByteArray &fromBytes, const Moment &to)
{
    const std::optional<int> hours = hoursAfter(from, to, m_longestGap);
    if (!hours || *hours == 0)
        return;
    if (std::any_of(m_pairs.begin(), m_pairs.end(),
                    [&](const Pair &pair) { return pair.from == from && pair.to == to; }))
        return; // made, or being made
    const QByteArray toBytes = m_transfer.kept(QString::fromStdString(imageAddressOf(to)));
    if (toBytes.isEmpty())
        return;
    m_pairs.push_back({from, to, *hours, {}});
    while (m_pairs.size() > size_t(kPairsHeld))
        m_pairs.erase(m_pairs.begin());
    const quint64 generation = m_generation;
    const int steps = m_steps * std::abs(*hours);
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
    }).then(this, [this, generation, from, to](std::vector<std::pair<QImage, QImage>> frames) {
        if (generation != m_generation)
            return; // turned off, another number of steps or another enhancement since
        for (Pair &pair : m_pairs)
            if (pair.from == from && pair.to == to)
                pair.frames = std::move(frames);
    });
}

bool Smoother::show(int step)
{
    const auto pair = std::find_if(m_pairs.begin(), m_pairs.end(), [this](const Pair &each) {
        return m_from && m_to && each.from == *m_from && each.to == *m_to;
    });
    if (!m_on || pair == m_pairs.end() || step < 1 || size_t(step) > pair->frames.size()) {
        ++m_missed;
        return false;
    }
    const auto &[picture, seen] = pair->frames[size_t(step - 1)];
    // Back in time, the frames stand before the hour shown.
    const int towards = pair->hours < 0 ? -step : step;
    ++m_shown;
    emit frameMade(picture, seen, madeMomentText(*m_from, towards, m_steps), double(towards) / m_steps);
    return true;
}

} // namespace veltaro
