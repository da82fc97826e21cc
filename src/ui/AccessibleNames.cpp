#include "AccessibleNames.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include "ui/AccessibleControls.h"

namespace {
// Marks a name this class gave, so that it may be replaced when the tool-tip changes.
constexpr const char* DerivedName = "huxoDerivedAccessibleName";
// Widgets that Qt names by their own text, or that are named by the label beside them.
bool namedByOwnText(const QWidget* widget)
{
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        return !button->text().isEmpty();
    }
    return qobject_cast<const QLabel*>(widget) || qobject_cast<const QLineEdit*>(widget)
           || qobject_cast<const QTextEdit*>(widget) || qobject_cast<const QPlainTextEdit*>(widget)
           || qobject_cast<const QAbstractSpinBox*>(widget) || qobject_cast<const QComboBox*>(widget);
}
} // namespace

AccessibleNames::AccessibleNames(QObject* parent)
    : QObject(parent)
{
    AccessibleControls::install();
}

void AccessibleNames::describe(QWidget* widget)
{
    const QString current = widget->accessibleName();
    if (!current.isEmpty() && current != widget->property(DerivedName).toString()) {
        return;
    }
    QString name;
    if (!widget->isWindow() && !namedByOwnText(widget)) {
        name = widget->toolTip();
    }
    if (name != current) {
        widget->setProperty(DerivedName, name);
        widget->setAccessibleName(name);
    }
}

bool AccessibleNames::eventFilter(QObject* watched, QEvent* event)
{
    if ((event->type() == QEvent::Polish || event->type() == QEvent::ToolTipChange) && watched->isWidgetType()) {
        describe(static_cast<QWidget*>(watched));
    }
    return false;
}
