#pragma once

#include <QList>

#include "platform/Dialogs.h"

// Records every message box and answers from a queue the test filled (Yes when the queue is empty).
class FakeDialogs final : public Dialogs
{
public:
    struct Shown
    {
        QString text;
        QString title;
        Icon icon;
        Buttons buttons;
    };

    Answer ask(const QString& text, const QString& title, Icon icon, Buttons buttons, QWidget* parent) override;

    void setNextAnswer(Answer answer) { m_answers.append(answer); }
    const QList<Shown>& shown() const { return m_shown; }
    void clear() { m_shown.clear(); }

private:
    QList<Answer> m_answers;
    QList<Shown> m_shown;
};
