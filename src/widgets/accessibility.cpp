#include "widgets/accessibility.h"

#include "widgets/picklist.h"
#include "widgets/picturebox.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>

#include <algorithm>

namespace veltaro {

namespace {

class PictureBoxAccessible : public QAccessibleWidget, public QAccessibleImageInterface
{
public:
    explicit PictureBoxAccessible(PictureBox *box) : QAccessibleWidget(box, QAccessible::Graphic)
    {
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ImageInterface)
            return static_cast<QAccessibleImageInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString imageDescription() const override { return widget()->accessibleDescription(); }
    QSize imageSize() const override { return box()->pictureSize(); }
    QPoint imagePosition() const override
    {
        return box()->innerArea()->mapToGlobal(QPoint(0, 0));
    }

private:
    PictureBox *box() const { return static_cast<PictureBox *>(widget()); }
};

// Qt names a drop-down list on Linux by its picked item. This one keeps the name it was given;
// the picked item is its value. Its one child is the list that drops down, as in Qt's own.
class PickListAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit PickListAccessible(PickList *list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text which) const override
    {
        if (which == QAccessible::Value)
            return list()->spokenValue();
        return QAccessibleWidget::text(which);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = list()->view()->isVisible();
        return state;
    }

    int childCount() const override { return 1; }
    QAccessibleInterface *child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(list()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && child->object() == list()->view() ? 0 : -1;
    }

    // The value: the picked item as a number ("2008"), nothing while none is picked.
    QVariant currentValue() const override
    {
        if (list()->currentIndex() < 0)
            return QVariant();
        return list()->spokenNumber(list()->currentIndex());
    }
    void setCurrentValue(const QVariant &value) override
    {
        for (int i = 0; i < list()->count(); ++i)
            if (list()->spokenNumber(i) == value.toInt())
                list()->setCurrentIndex(i);
    }
    QVariant maximumValue() const override { return bound(true); }
    QVariant minimumValue() const override { return bound(false); }
    QVariant minimumStepSize() const override { return 1; }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString &name) override
    {
        if (name != showMenuAction() && name != pressAction())
            return;
        if (list()->view()->isVisible())
            list()->hidePopup();
        else
            list()->showPopup();
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    PickList *list() const { return static_cast<PickList *>(widget()); }
    QVariant bound(bool largest) const
    {
        if (list()->count() == 0)
            return QVariant();
        int found = list()->spokenNumber(0);
        for (int i = 1; i < list()->count(); ++i)
            found = largest ? std::max(found, list()->spokenNumber(i))
                            : std::min(found, list()->spokenNumber(i));
        return found;
    }
};

QAccessibleInterface *accessibleFor(const QString &className, QObject *object)
{
    if (className == QLatin1String(PictureBox::staticMetaObject.className()))
        return new PictureBoxAccessible(static_cast<PictureBox *>(object));
    if (className == QLatin1String(PickList::staticMetaObject.className()))
        return new PickListAccessible(static_cast<PickList *>(object));
    return nullptr;
}

} // namespace

void installAccessibility()
{
    static bool installed = false;
    if (!std::exchange(installed, true))
        QAccessible::installFactory(accessibleFor);
}

} // namespace veltaro
