#include "retrieval/picturesahead.h"

#include "failure.h"
#include "network/transfer.h"
#include "picture/picturedecoder.h"
#include "query/imagerequest.h"

#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>

namespace veltaro {

PicturesAhead::PicturesAhead(Transfer &transfer, QObject *parent)
    : QObject(parent), m_transfer(transfer)
{
    // New work starts once the picture just shown has been painted: on two cores a decode
    // beside the paint and the display server's copy would slow the very step it prepares for.
    m_advanceSoon.setSingleShot(true);
    m_advanceSoon.setInterval(kPauseAfterShowingMs);
    m_advanceSoon.callOnTimeout(this, &PicturesAhead::advance);
    connect(&m_transfer, &Transfer::fetchedAhead, this,
            [this](const QString &address, const QByteArray &body) {
                if (!body.isEmpty())
                    emit arrived(address);
                else
                    emit notArrived(address);
                // Decoded from the bytes that came, whether or not the disk kept them.
                if (body.isEmpty())
                    m_unavailable.insert(address); // not asked again while it is wanted
                else if (m_wanted.contains(address) && !m_decoded.contains(address) &&
                         !m_decoding.contains(address) &&
                         m_decoded.size() + m_decoding.size() < kDecodedAtMost)
                    decode(address, body);
                advance();
            });
}

bool PicturesAhead::isKept(const Moment &moment) const
{
    return m_transfer.isKept(QString::fromStdString(imageAddressOf(moment)));
}

void PicturesAhead::want(const std::vector<Moment> &moments)
{
    m_wanted.clear();
    for (const Moment &moment : moments)
        if (const QString address = QString::fromStdString(imageAddressOf(moment)); !address.isEmpty())
            m_wanted << address;
    m_transfer.cancelAhead(m_wanted);
    for (auto it = m_decoded.begin(); it != m_decoded.end();)
        it = m_wanted.contains(it.key()) ? std::next(it) : m_decoded.erase(it);
    m_unavailable.intersect(QSet<QString>(m_wanted.begin(), m_wanted.end()));
    m_advanceSoon.start();
}

std::optional<PictureReady> PicturesAhead::take(const QString &address)
{
    const auto found = m_decoded.find(address);
    if (found == m_decoded.end())
        return std::nullopt;
    PictureReady picture = found.value();
    m_decoded.erase(found);
    m_advanceSoon.start();
    return picture;
}

void PicturesAhead::advance()
{
    for (const QString &address : std::as_const(m_wanted)) {
        if (m_decoded.contains(address) || m_decoding.contains(address) ||
            m_unavailable.contains(address) || m_transfer.isFetching(address))
            continue;
        if (m_decoded.size() + m_decoding.size() >= kDecodedAtMost)
            return;
        if (const QByteArray bytes = m_transfer.kept(address); !bytes.isEmpty())
            decode(address, bytes);
        else if (m_transfer.fetchingAhead() < kFetchesAtOnce) {
            if (m_transfer.fetchAhead(address))
                emit fetching(address);
            else
                m_unavailable.insert(address); // asked for a short while ago: not again so soon
        }
    }
}

void PicturesAhead::decode(const QString &address, const QByteArray &bytes)
{
    m_decoding.insert(address);
    // Off the window's thread, with a decoder of its own; a picture that is not whole comes
    // back null and is left to a step to fetch anew.
    auto *watcher = new QFutureWatcher<QImage>(this);
    connect(watcher, &QFutureWatcher<QImage>::finished, this, [this, watcher, address, bytes] {
        const QImage picture = watcher->future().takeResult(); // not shared with the future
        watcher->deleteLater();
        m_decoding.remove(address);
        if (picture.isNull())
            m_unavailable.insert(address);
        else if (m_wanted.contains(address))
            m_decoded.insert(address, {picture, bytes});
        advance();
    });
    watcher->setFuture(QtConcurrent::run([bytes] {
        try {
            return PictureDecoder().decode(bytes);
        } catch (const Failure &) {
            return QImage();
        }
    }));
}

} // namespace veltaro
