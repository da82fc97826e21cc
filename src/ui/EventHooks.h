#pragma once

#include <QEvent>
#include <QObject>

#include <functional>
#include <vector>

class QWidget;

// Calls a handler when a control is double-clicked, pressed or entered by the mouse. Labels and faces have no
// signals for these, and every window reacts to them. A control that takes the keyboard focus runs its double-click
// on Enter or Space as well.
class EventHooks final : public QObject
{
public:
    explicit EventHooks(QObject* parent);

    void onDoubleClick(QWidget* control, std::function<void()> handler);
    void onMouseDown(QWidget* control, std::function<void()> handler);
    void onMouseOver(QWidget* control, std::function<void()> handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Hook
    {
        QObject* control;
        QEvent::Type type;
        std::function<void()> handler;
    };

    void add(QWidget* control, QEvent::Type type, std::function<void()> handler);

    std::vector<Hook> m_hooks;
};
