#pragma once

#include "failure.h"
#include "said.h"

#include <QHash>
#include <QString>
#include <QWidget>

namespace veltaro {

// The window's controls as the design table describes them: made inside their container, named,
// placed at their design positions in twips, raised in the order a screen reader follows (top
// to bottom, then the bottom row left to right), given their accessible names and the labels
// that name the lists, and chained in the design's tab order. The download control Inet1 is not
// a widget: the window makes it, and only learns here that the design has it.
class DesignedControls
{
public:
    explicit DesignedControls(QWidget *window);

    // A control by its design name ("Combo4", "Picture2"...); null for none.
    QWidget *control(const char *name) const { return m_controls.value(QString::fromLatin1(name)); }
    // The control, of its kind; throws ControlFailure where the design has none such.
    template <typename Control> Control *typed(const char *name) const
    {
        auto *control = qobject_cast<Control *>(this->control(name));
        if (!control)
            throw ControlFailure(said("DesignedControls", "控件缺失：") + name);
        return control;
    }
    // Whether the design has the download control.
    bool hasTransfer() const { return m_hasTransfer; }

private:
    void arrangeVisualOrder();
    void describeForAssistiveTools();
    void arrangeTabOrder();

    QHash<QString, QWidget *> m_controls;
    bool m_hasTransfer = false;
};

} // namespace veltaro
