#pragma once

#include "picture/picturedecoder.h"

#include <QTimer>

namespace veltaro {

class DisplayView;
class StagingFile;
class Transfer;

// What "显示" does. One command at a time: a press while a command waits for its download is
// ignored. Every failure on the way ends in one place, which shows "无法找到" and undoes
// nothing.
class DisplayCommand
{
public:
    DisplayCommand(DisplayView &view, Transfer &transfer, const StagingFile &staging);

    // How long the memory of the picture shown before is kept for the next one.
    static constexpr int kKeepSpareMs = 5000;

    void run();
    bool isRunning() const { return m_running; }

private:
    void display();

    DisplayView &m_view;
    Transfer &m_transfer;
    const StagingFile &m_staging;
    PictureDecoder m_decoder;
    QTimer m_releaseSpare;
    bool m_running = false;
};

} // namespace veltaro
