#pragma once

#include "export/loopexport.h"
#include "query/looplimits.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;

namespace veltaro {

// "导出动画…": the span (the loop playing, or 6 to 48 hours ending at the picked moment, every
// one to three hours), the format (animated WebP, GIF, or a folder of the downloaded JPEG
// files), the frames (speed, back and forth, a rest on the last, the size, the moment written
// on each), with the enhancement in use.
class ExportDialog : public QDialog
{
    Q_OBJECT

public:
    // What the fields start from: the last export's choices, or for a loop on screen its own.
    struct Choices
    {
        int span = loop::kDefaultSpan;
        int every = 1;
        QString format = QStringLiteral("webp");
        AnimationOptions animation;
        FramePlan plan;
    };

    // `loop`: the hours of the loop on screen (playing or paused), empty when there is none;
    // `picked` the moment the lists show.
    ExportDialog(const std::vector<Moment> &loop, const Moment &picked, const Choices &start,
                 const Enhancement &enhancement, const QString &enhancementName, QWidget *parent);

    // What the fields say now, to start the next dialog from.
    Choices choices() const;

    // The export the dialog's fields describe, to `path`.
    ExportRequest request(const QString &path) const;
    // A file name for it: "2008-07-18_1000_24小时.webp" (a folder's for JPEG files).
    QString proposedName() const;
    bool toFolder() const;

    QComboBox *spanList() const { return m_span; }
    QComboBox *formatList() const { return m_format; }
    QComboBox *sizeList() const { return m_size; }

private:
    std::vector<Moment> hours() const;

    std::vector<Moment> m_loop;
    Moment m_picked;
    Enhancement m_enhancement;
    QComboBox *m_span;
    QComboBox *m_every;
    QComboBox *m_smooth;
    int m_smoothGapHours; // the panel's, as the dialog opened
    QComboBox *m_format;
    QSpinBox *m_quality;
    QCheckBox *m_lossless;
    QSpinBox *m_speed;
    QCheckBox *m_backAndForth;
    QDoubleSpinBox *m_rest;
    QComboBox *m_size;
    QCheckBox *m_label;
};

} // namespace veltaro
