#include "AccessibleControls.h"

#include <QAccessibleWidget>

#include "ui/GlyphButton.h"
#include "ui/settings/PressLabel.h"

namespace {

constexpr const char* HiddenFromScreenReaders = "huxoHiddenFromScreenReaders";

class HiddenAccessible final : public QAccessibleWidget
{
public:
    using QAccessibleWidget::QAccessibleWidget;

    QAccessible::State state() const override
    {
        QAccessible::State hidden = QAccessibleWidget::state();
        hidden.invisible = true;
        hidden.focusable = false;
        return hidden;
    }
};

// A picture button whose press, and the toggle of one that stays down, is what Space and Enter do.
class GlyphAccessible final : public QAccessibleWidget
{
public:
    explicit GlyphAccessible(GlyphButton* button)
        : QAccessibleWidget(button, QAccessible::Button)
    {
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        const auto* button = static_cast<const GlyphButton*>(widget());
        state.checkable = button->isCheckable();
        state.checked = button->isChecked();
        state.pressed = button->isDown();
        return state;
    }
    QStringList actionNames() const override
    {
        QStringList names{pressAction()};
        if (static_cast<const GlyphButton*>(widget())->isCheckable()) {
            names << toggleAction();
        }
        return names + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override
    {
        if (action != pressAction() && action != toggleAction()) {
            QAccessibleWidget::doAction(action);
        } else if (widget()->isEnabled()) {
            static_cast<GlyphButton*>(widget())->activate();
        }
    }
};

// A label the mouse presses: a spin button that steps its value up and down, or a button to press.
class PressLabelAccessible final : public QAccessibleWidget
{
public:
    explicit PressLabelAccessible(PressLabel* label)
        : QAccessibleWidget(label, label->isStepping() ? QAccessible::SpinBox : QAccessible::Button)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value) {
            return label()->text();
        }
        return QAccessibleWidget::text(kind);
    }
    QStringList actionNames() const override
    {
        const QStringList own =
            label()->isStepping() ? QStringList{increaseAction(), decreaseAction()} : QStringList{pressAction()};
        return own + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override
    {
        if (action == increaseAction() || action == decreaseAction()) {
            emit label()->stepped(action == increaseAction() ? +1 : -1);
        } else if (action == pressAction()) {
            label()->click();
        } else {
            QAccessibleWidget::doAction(action);
        }
    }

private:
    PressLabel* label() const { return static_cast<PressLabel*>(widget()); }
};

QAccessibleInterface* accessibleControl(const QString& className, QObject* object)
{
    // Asked for each class of the object's ancestry in turn; answered once, for the object's own class.
    if (!object || !object->isWidgetType() || className != QLatin1String(object->metaObject()->className())) {
        return nullptr;
    }
    auto* widget = static_cast<QWidget*>(object);
    if (widget->property(HiddenFromScreenReaders).toBool()) {
        return new HiddenAccessible(widget);
    }
    if (auto* glyph = qobject_cast<GlyphButton*>(widget)) {
        return new GlyphAccessible(glyph);
    }
    if (auto* label = qobject_cast<PressLabel*>(widget)) {
        return new PressLabelAccessible(label);
    }
    return nullptr;
}

} // namespace

namespace AccessibleControls {

void install()
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleControl);
        return true;
    }();
    Q_UNUSED(installed)
}

void hideFromScreenReaders(QWidget* widget)
{
    widget->setProperty(HiddenFromScreenReaders, true);
}

} // namespace AccessibleControls
