#pragma once

#include <QObject>

class QWidget;

// Gives screen readers a name for every control that has no text of its own to be read by (picture buttons,
// clock faces, drawn areas): its tool-tip, kept in step as tool-tips change on mouse-over; never its object name,
// which means nothing to a listener. Labels and text buttons are read by their text, and Qt reads any tool-tip as the
// description. Installed once on the application, it covers every window, including those built later; a
// name the code sets itself is left alone. Made once, it also installs what tells screen readers how the
// program's own controls work (AccessibleControls).
class AccessibleNames final : public QObject
{
public:
    explicit AccessibleNames(QObject* parent = nullptr);

    // Names one widget now; the filter does this as each widget is polished and as its tool-tip changes.
    static void describe(QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
