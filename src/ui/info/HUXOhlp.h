#pragma once

#include <QWidget>

class Forms;
class Module1;
class QAction;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;

// The help texts, one topic at a time, chosen from the Topics menu. Enter closes the window: the button that
// closes it sits out of sight and keeps the keyboard focus.
class HUXOhlp final : public QWidget
{
    Q_OBJECT

public:
    HUXOhlp(Module1& module, Forms& forms);

    // Comes up at the licence, as on first use.
    void showLicence();

    QPlainTextEdit* Text1 = nullptr;
    QPlainTextEdit* Text0 = nullptr;
    QPlainTextEdit* Text2 = nullptr;
    QPlainTextEdit* Text3 = nullptr;
    QPlainTextEdit* Text4 = nullptr;
    QPushButton* B1 = nullptr;
    QMenuBar* menuBar = nullptr;
    QMenu* TopicMnu = nullptr;
    QAction* OverVwMnu = nullptr;
    QAction* LicMnu = nullptr;
    QAction* SetClksMnu = nullptr;
    QAction* PrefMnu = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QPlainTextEdit* makeTopic(const char* name, const QString& text);
    void addTopic(QAction*& item, const char* name, const QString& caption, QPlainTextEdit* topic);
    void showTopic(const QPlainTextEdit* topic);

    Forms& m_forms;
};
