#include "window/designedcontrols.h"

#include "widgets/picklist.h"
#include "widgets/picturebox.h"
#include "widgets/scrollbar.h"
#include "widgets/twips.h"
#include "window/designtable.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <vector>

namespace veltaro {

namespace {

QWidget *createControl(const ControlDesign &design, QWidget *container)
{
    const QString caption = QCoreApplication::translate("Design", design.caption);
    switch (design.kind) {
    case ControlKind::PushButton:
        return new QPushButton(caption, container);
    case ControlKind::DropDownList:
        return new PickList(container);
    case ControlKind::VerticalScrollBar:
        return new ScrollBar(Qt::Vertical, kArrowStep, kVerticalPageStep, container);
    case ControlKind::HorizontalScrollBar:
        return new ScrollBar(Qt::Horizontal, kArrowStep, kHorizontalPageStep, container);
    case ControlKind::PictureBox:
        return new PictureBox(container);
    case ControlKind::AutoSizePictureBox:
        return new PictureBox(container, true);
    case ControlKind::Label:
        return new QLabel(caption, container);
    case ControlKind::Transfer:
        return nullptr; // not a widget: the window creates its Transfer itself
    }
    return nullptr;
}

} // namespace

DesignedControls::DesignedControls(QWidget *window)
{
    for (const ControlDesign &design : designTable()) {
        QWidget *container = window;
        if (design.container)
            container = typed<PictureBox>(design.container)->innerArea();
        QWidget *widget = createControl(design, container);
        if (!widget) {
            m_hasTransfer = true;
            continue;
        }
        widget->setObjectName(QString::fromLatin1(design.name));
        m_controls.insert(widget->objectName(), widget);

        if (auto *box = qobject_cast<PictureBox *>(widget)) {
            box->setLeftTwips(design.left);
            box->setTopTwips(design.top);
            box->setWidthTwips(design.width);
            box->setHeightTwips(design.height);
        } else {
            twips::setLeft(widget, design.left);
            twips::setTop(widget, design.top);
            twips::setWidth(widget, design.width);
            // A list keeps the toolkit's own height.
            if (design.kind != ControlKind::DropDownList)
                twips::setHeight(widget, design.height);
        }
    }

    arrangeVisualOrder();
    arrangeTabOrder();
    describeForAssistiveTools();
}

void DesignedControls::arrangeVisualOrder()
{
    // Screen readers follow the order of the window's children: top to bottom, then the bottom
    // row left to right. Raising them in that order also keeps the note beneath the viewport
    // that overlaps it.
    for (const char *name :
         {"Label9", "Picture1", "HScroll1", "VScroll1", "Label6", "Combo1", "Label1", "Combo2",
          "Label2", "Combo3", "Label3", "Combo4", "Label4", "Command1", "Label5", "Command2"})
        control(name)->raise();
}

void DesignedControls::describeForAssistiveTools()
{
    const auto describe = [this](const char *name, const char *text) {
        control(name)->setAccessibleName(QCoreApplication::translate("DesignedControls", text));
    };
    describe("Combo1", QT_TRANSLATE_NOOP("DesignedControls", "年份"));
    describe("Combo2", QT_TRANSLATE_NOOP("DesignedControls", "月份"));
    describe("Combo3", QT_TRANSLATE_NOOP("DesignedControls", "日"));
    describe("Combo4", QT_TRANSLATE_NOOP("DesignedControls", "小时（北京时间）"));
    describe("HScroll1", QT_TRANSLATE_NOOP("DesignedControls", "水平滚动"));
    describe("VScroll1", QT_TRANSLATE_NOOP("DesignedControls", "垂直滚动"));
    describe("Picture1", QT_TRANSLATE_NOOP("DesignedControls", "卫星云图"));
    describe("Picture2", QT_TRANSLATE_NOOP("DesignedControls", "图像"));
    // The status line is heard by its text ("稍侯〉〉〉", "无法找到" or nothing), the reason or the
    // picture shown as its description (StatusLine).
    // The labels around each list name what it holds; the year list is heard with its "200".
    for (const auto &[label, list] : {std::pair{"Label6", "Combo1"}, {"Label1", "Combo1"},
                                      {"Label2", "Combo2"}, {"Label3", "Combo3"},
                                      {"Label4", "Combo4"}})
        typed<QLabel>(label)->setBuddy(control(list));
    typed<PickList>("Combo1")
        ->setValuePrefix(typed<QLabel>("Label6")->text());
}

void DesignedControls::arrangeTabOrder()
{
    std::vector<const ControlDesign *> focusable;
    for (const ControlDesign &design : designTable()) {
        QWidget *widget = m_controls.value(QString::fromLatin1(design.name));
        if (widget && widget->focusPolicy() != Qt::NoFocus)
            focusable.push_back(&design);
    }
    std::sort(focusable.begin(), focusable.end(),
              [](auto *a, auto *b) { return a->tabIndex < b->tabIndex; });
    for (size_t i = 1; i < focusable.size(); ++i)
        QWidget::setTabOrder(m_controls.value(QString::fromLatin1(focusable[i - 1]->name)),
                             m_controls.value(QString::fromLatin1(focusable[i]->name)));
}

} // namespace veltaro
