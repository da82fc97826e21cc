#include "EventHooks.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

EventHooks::EventHooks(QObject* parent)
    : QObject(parent)
{
}

void EventHooks::onDoubleClick(QWidget* control, std::function<void()> handler)
{
    add(control, QEvent::MouseButtonDblClick, std::move(handler));
}

void EventHooks::onMouseDown(QWidget* control, std::function<void()> handler)
{
    add(control, QEvent::MouseButtonPress, std::move(handler));
}

void EventHooks::onMouseOver(QWidget* control, std::function<void()> handler)
{
    add(control, QEvent::Enter, std::move(handler));
}

void EventHooks::add(QWidget* control, QEvent::Type type, std::function<void()> handler)
{
    control->installEventFilter(this);
    m_hooks.push_back(Hook{control, type, std::move(handler)});
}

namespace {

// Enter or Space on a control that has the keyboard focus does what a double-click on it does.
bool activatesByKey(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !static_cast<QWidget*>(watched)->hasFocus()) {
        return false;
    }
    const auto* press = static_cast<QKeyEvent*>(event);
    const int key = press->key();
    return (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) && !press->isAutoRepeat();
}

} // namespace

bool EventHooks::eventFilter(QObject* watched, QEvent* event)
{
    if (activatesByKey(watched, event)) {
        bool handled = false;
        for (const Hook& hook : m_hooks) {
            if (hook.control == watched && hook.type == QEvent::MouseButtonDblClick) {
                hook.handler();
                handled = true;
            }
        }
        return handled;
    }
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonDblClick && type != QEvent::MouseButtonPress && type != QEvent::Enter) {
        return false;
    }
    if (type != QEvent::Enter && static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) {
        return false;
    }
    // A handler may close the control's window; the control may be gone when the handlers are done.
    const QPointer<QObject> control(watched);
    bool handled = false;
    for (const Hook& hook : m_hooks) {
        if (hook.control == watched && hook.type == type) {
            hook.handler();
            handled = true;
        }
    }
    if (!handled || type != QEvent::MouseButtonDblClick) {
        // The control still sees the event, so buttons keep their own behaviour.
        return false;
    }
    // A double-click with an action of its own ends at its control: a label passes on what it does not use, and
    // the window beneath must not act on it too (the clock settings window's surface closes the DST text).
    if (control) {
        control->event(event);
    }
    event->accept();
    return true;
}
