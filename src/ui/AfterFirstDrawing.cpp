#include "AfterFirstDrawing.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace {

class FirstDrawingWatch final : public QObject
{
public:
    FirstDrawingWatch(QWidget& window, std::function<void()> task)
        : QObject(&window)
        , m_task(std::move(task))
    {
        if (window.isMinimized()) {
            runSoon();
        } else {
            window.installEventFilter(this);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // The drawing reaches the screen when the paint is over, before the event loop takes the next task.
            runSoon();
        }
        return false;
    }

private:
    void runSoon()
    {
        QTimer::singleShot(0, this, [this] {
            m_task();
            deleteLater();
        });
    }

    std::function<void()> m_task;
};

} // namespace

void afterFirstDrawing(QWidget& window, std::function<void()> task)
{
    new FirstDrawingWatch(window, std::move(task));
}
