#include "MessageBoxDialogs.h"

#include <QMessageBox>

namespace {

QMessageBox::Icon toMessageBoxIcon(Dialogs::Icon icon)
{
    switch (icon) {
    case Dialogs::Icon::Critical:
        return QMessageBox::Critical;
    case Dialogs::Icon::Exclamation:
        return QMessageBox::Warning;
    case Dialogs::Icon::Information:
        return QMessageBox::Information;
    case Dialogs::Icon::Question:
        return QMessageBox::Question;
    case Dialogs::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

Dialogs::Answer
MessageBoxDialogs::ask(const QString& text, const QString& title, Icon icon, Buttons buttons, QWidget* parent)
{
    const auto standardButtons = buttons == Buttons::Ok ? QMessageBox::Ok : QMessageBox::Yes | QMessageBox::No;
    QMessageBox box(toMessageBoxIcon(icon), title, text, standardButtons, parent);
    if (buttons == Buttons::YesNoDefaultNo) {
        box.setDefaultButton(QMessageBox::No);
    }
    // Messages may quote what a server or the system said, which is never to be read as markup.
    box.setTextFormat(Qt::PlainText);
    const int result = box.exec();
    if (buttons == Buttons::Ok) {
        return Answer::Ok;
    }
    return result == QMessageBox::Yes ? Answer::Yes : Answer::No;
}
