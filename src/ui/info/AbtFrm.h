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

    QFrame* Picture1 = nullptr;
    QLabel* Animage = nullptr;
    PictureClip* GlobeClip = nullptr;
    QTimer* animtime = nullptr;
    QTimer* Timer1 = nullptr;
    QLabel* Image2 = nullptr;
    std::array<QLabel*, 2> Label2{};
    QLabel* Label5 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label4 = nullptr;

    qint16 GlobeCell = 0;

    void animtime_Timer();
    void Form_GotFocus();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel*
    makeText(const char* name, const QString& text, const QFont& font, const QColor& colour, const QRect& twips);
    void Form_Unload();

    Module1& m_module;
    Forms& m_forms;
    EventHooks* m_hooks = nullptr;
};
