#include "FakeDialogs.h"

Dialogs::Answer FakeDialogs::ask(const QString& text, const QString& title, Icon icon, Buttons buttons, QWidget*)
{
    m_shown.append({text, title, icon, buttons});
    if (buttons == Buttons::Ok) {
        return Answer::Ok;
    }
    return m_answers.isEmpty() ? Answer::Yes : m_answers.takeFirst();
}
