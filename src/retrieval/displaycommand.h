#pragma once

#include "files/stagingfile.h"
#include "network/transfer.h"
#include "picture/enhancement.h"
#include "picture/picturedecoder.h"
#include "query/imagerequest.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>

#include <optional>

namespace veltaro {

class DisplayView;
class PicturesAhead;

// What "显示" does, as an object with states: idle; fetching the picked moment's picture;
// preparing it (temp.jpg written and the picture decoded, both off the window's thread); then
// the picture shown or the failure said, and idle again. Each run has a generation: a newer
// press, step or frame replaces the running one, whose download is aborted and whose late
// results are dropped where they arrive; a run for the moment that is being downloaded joins
// that download. Every failure on the way ends in one place, which says "无法找到" (a frame of
// playback leaves that to the player) and undoes nothing.
class DisplayCommand : public QObject
{
    Q_OBJECT

public:
    enum class State { Idle, Fetching, Preparing };
    // Who asks, from the quietest: a frame of playback (a kept copy will do; its failures are
    // the player's to tell), a step through time (a kept copy will do), a press of "显示"
    // (always asks the network).
    enum class Kind { Frame, Step, Press };

    // How a run ended.
    struct Outcome
    {
        Kind kind = Kind::Press;
        bool shown = false;
        // No answer from the network at all, as against a server that has no such picture.
        bool unreachable = false;
        bool cancelled = false;
        // Why not, or what to know about the picture shown; empty when nothing.
        QString reason;
        QueryTime picked;
    };

    DisplayCommand(DisplayView &view, Transfer &transfer, const StagingFile &staging,
                   QObject *parent = nullptr);
    ~DisplayCommand() override;

    // How long the memory of the picture shown before is kept for the next one.
    static constexpr int kKeepSpareMs = 5000;
    // How often, at most, the status line's tooltip tells how much has arrived.
    static constexpr int kProgressIntervalMs = 250;

    // Runs the command for the moment the lists show now.
    void run(Kind kind = Kind::Press);
    // A run for `moment` whatever the lists show (a frame of playback): the lists are left to
    // whoever runs it, so that they never name a picture before it is shown.
    void run(Kind kind, const QueryTime &moment);
    // Ends the running command as a failure, "已取消"; nothing when idle.
    void cancel();

    State state() const { return m_state; }
    bool isRunning() const { return m_state != State::Idle; }
    bool isDownloading() const { return m_state == State::Fetching; }
    Kind kind() const { return m_kind; }

    // How pictures are shown, from the one being prepared on: enhanced off the window's thread.
    void setEnhancement(const Enhancement &enhancement)
    {
        m_enhancement = enhancement;
        ++m_enhancementVersion;
    }

    // Pictures decoded ahead, which a step or a frame shows without decoding.
    void setPicturesAhead(PicturesAhead *ahead) { m_ahead = ahead; }

signals:
    // The state changed: a run began fetching, began preparing its picture, or ended. Told once
    // control is back in the event loop, with the state then; one passed through within a
    // single turn of the loop is not told.
    void stateChanged(veltaro::DisplayCommand::State state);
    // A run ended: every run that was not replaced ends exactly once.
    void finished(const veltaro::DisplayCommand::Outcome &outcome);

private:
    void setState(State state);
    void begin(Kind kind, const QueryTime &picked);
    void fetch(Transfer::Freshness freshness);
    void fetched(TransferRequest *request);
    // temp.jpg and the picture, both off the window's thread. A kept copy is proved whole
    // before anything is written; a network body is staged while it is decoded.
    void prepare(const QByteArray &body, bool keptCopy);
    // `seenWith`: the enhancement's version `seen` was made with.
    void stageAndShow(QImage picture, QImage seen, const QByteArray &body, quint64 seenWith);
    void enhanceOffThread(const QImage &picture);
    void seeAnew();
    void partReady();
    void show(QImage picture, QImage seen, const QByteArray &body);
    void fail(const QString &reason, bool unreachable = false, bool cancelled = false);
    // How the run under way ends, so far: its kind and moment.
    Outcome outcome() const;
    void end(Outcome outcome);
    // The command's one trap: a failure inside `step` goes to the failure path.
    template <typename Step> void guarded(Step &&step);
    void showProgress(qint64 received, qint64 total);

    DisplayView &m_view;
    Transfer &m_transfer;
    const StagingFile &m_staging;
    PicturesAhead *m_ahead = nullptr;
    PictureDecoder m_decoder;
    Enhancement m_enhancement;
    quint64 m_enhancementVersion = 0;
    QTimer m_releaseSpare;
    QElapsedTimer m_sinceProgress;

    State m_state = State::Idle;
    State m_stateTold = State::Idle;
    bool m_stateToldSoon = false;
    Kind m_kind = Kind::Press;
    quint64 m_generation = 0;
    QueryTime m_picked;
    ImageRequest m_built;
    QString m_address;
    QPointer<TransferRequest> m_request;
    bool m_fromNetwork = false;
    bool m_retried = false;
    QString m_aboutShown; // said with the picture once shown
    // The parts of preparing a picture (staging, decoding, enhancing), as they come back.
    struct Parts
    {
        int waiting = 0;
        QImage picture;
        QImage seen;
        quint64 seenWith = 0; // the enhancement's version `seen` was made with
        QByteArray body;
        StagedBody staged;
        QString decodeFailure;
        QString stageFailure;
    } m_parts;
};

} // namespace veltaro
