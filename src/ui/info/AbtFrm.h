#pragma once

#include <QWidget>

#include <array>

class EventHooks;
class Forms;
class Module1;
class PictureClip;
class QFrame;
class QLabel;
class QTimer;

// The About window: name, version and web address beside a turning globe. It closes itself after five seconds
// or at a click and leaves the main window in front.
class AbtFrm final : public QWidget
{
    Q_OBJECT

public:
    AbtFrm(Module1& module, Forms& forms);

    qint16 GlobeCell = 0;

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void animtime_Timer();
    void Form_GotFocus();
    QLabel*
    makeText(const char* name, const QString& text, const QFont& font, const QColor& colour, const QRect& twips);
    void Form_Unload();

    QFrame* Picture1 = nullptr;       // the black box the globe turns in
    QLabel* Animage = nullptr;        // the turning globe; a click closes the window
    PictureClip* GlobeClip = nullptr; // the globe's twelve pictures
    QTimer* animtime = nullptr;       // turns the globe on by one picture
    QTimer* Timer1 = nullptr;         // closes the window five seconds after it opened
    QLabel* Image2 = nullptr;         // the clock picture; a click closes the window
    std::array<QLabel*, 2> Label2{};  // the name "HUXO" and its shadow
    QLabel* Label5 = nullptr;         // the version
    QLabel* Label3 = nullptr;         // "WORLD TIME CLOCKS"
    QLabel* Label7 = nullptr;         // its shadow
    QLabel* Label6 = nullptr;         // the web address, from the server in use
    QLabel* Label8 = nullptr;         // what the program does, in a line
    QLabel* Label4 = nullptr;         // how to close the window

    Module1& m_module;
    Forms& m_forms;
    EventHooks* m_hooks = nullptr;
};
