#pragma once

#include <QWidget>

class EventHooks;
class Forms;
class Module1;
class QLabel;
class QTimer;

// The sticky note that tells what the daily clock correction did. It stays until the user drags it onto the
// waste bin that a drag brings up, or double-clicks the bin.
class ACTdoneFrm final : public QWidget
{
    Q_OBJECT

public:
    ACTdoneFrm(Module1& module, Forms& forms);

    // Brings up the note with what the daily correction did.
    void showNote(const QString& text);

    static const QString NoteFormat; // the drag's data type: only the note itself is taken

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The drag of the note, as the window sees it.
    void Form_DragOver();
    void Form_DragDrop();
    void Trash_DragDrop();
    void Trash_DblClick();
    void Timer1_Timer();
    void Label1_MouseDown();
    void minimiseAndUnload();

    QLabel* Label1 = nullptr; // the note's text, which the user drags away
    QLabel* Trash = nullptr;  // the waste bin a drag brings up
    QLabel* Trash2 = nullptr; // the full bin's picture, never shown itself
    QTimer* Timer1 = nullptr; // closes the window a moment after the drop

    Module1& m_module;
    Forms& m_forms;
    EventHooks* m_hooks = nullptr;
    qint16 m_ticks = 0;
};
