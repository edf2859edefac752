#pragma once

#include "network/transfer.h"
#include "picture/picturedecoder.h"

#include <QTimer>

namespace veltaro {

class DisplayView;
class PicturesAhead;
class StagingFile;

// What "显示" does. One command at a time: a press while a command waits for its download is
// ignored. Every failure on the way ends in one place, which shows "无法找到" and undoes
// nothing.
class DisplayCommand
{
public:
    DisplayCommand(DisplayView &view, Transfer &transfer, const StagingFile &staging);

    // How long the memory of the picture shown before is kept for the next one.
    static constexpr int kKeepSpareMs = 5000;

    // A press asks the network; a step through time may take a kept copy. Returns whether the
    // picture was shown. A quiet run (a frame of playback) leaves the status line empty on a
    // failure and hands the reason to `whyNot` instead.
    bool run(Transfer::Freshness freshness = Transfer::Freshness::AskNetwork,
             QString *whyNot = nullptr);
    bool isRunning() const { return m_running; }
    // Pictures decoded ahead, which a step shows without decoding.
    void setPicturesAhead(PicturesAhead *ahead) { m_ahead = ahead; }

private:
    bool display(Transfer::Freshness freshness);
    QImage stageAndDecode(const QByteArray &body);

    DisplayView &m_view;
    Transfer &m_transfer;
    const StagingFile &m_staging;
    PictureDecoder m_decoder;
    QTimer m_releaseSpare;
    PicturesAhead *m_ahead = nullptr;
    bool m_running = false;
};

} // namespace veltaro
