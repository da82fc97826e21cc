#pragma once

#include <QString>

class QWidget;

// Message boxes with a fixed text, a title and OK or Yes/No buttons.
class Dialogs
{
public:
    enum class Icon
    {
        None,
        Critical,
        Exclamation,
        Information,
        Question
    };
    enum class Buttons
    {
        Ok,
        YesNo,
        // For a question whose Yes is hard to undo: Enter and Escape both answer No.
        YesNoDefaultNo
    };
    enum class Answer
    {
        Ok,
        Yes,
        No
    };

    virtual ~Dialogs() = default;

    virtual Answer ask(const QString& text, const QString& title, Icon icon, Buttons buttons, QWidget* parent) = 0;

    void tell(const QString& text, const QString& title, Icon icon = Icon::None, QWidget* parent = nullptr)
    {
        ask(text, title, icon, Buttons::Ok, parent);
    }
};
