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

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QPlainTextEdit* makeTopic(const char* name, const QString& text);
    void addTopic(QAction*& item, const char* name, const QString& caption, QPlainTextEdit* topic);
    void showTopic(const QPlainTextEdit* topic);

    QPlainTextEdit* Text1 = nullptr; // the topic on view
    QPlainTextEdit* Text0 = nullptr; // the hidden text of "General Information"
    QPlainTextEdit* Text2 = nullptr; // of "Licensing Agreement"
    QPlainTextEdit* Text3 = nullptr; // of "Setting the Clocks"
    QPlainTextEdit* Text4 = nullptr; // of "Setting Preferences"
    QPushButton* B1 = nullptr;       // out of sight: closes the window on Enter
    QMenuBar* menuBar = nullptr;     // the window's menu bar
    QMenu* TopicMnu = nullptr;       // "Topics"
    QAction* OverVwMnu = nullptr;    // shows "General Information"
    QAction* LicMnu = nullptr;       // shows "Licensing Agreement"
    QAction* SetClksMnu = nullptr;   // shows "Setting the Clocks"
    QAction* PrefMnu = nullptr;      // shows "Setting Preferences"

    Forms& m_forms;
};
