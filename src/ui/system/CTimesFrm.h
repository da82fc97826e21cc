#pragma once

#include <QWidget>

class EventHooks;
class Forms;
class Module1;
class QFrame;
class QLabel;
class QPushButton;

// The newsletter: headline, text and picture from the update server under a fixed masthead with today's date.
// It prints itself and offers the download of a file the newsletter announces.
class CTimesFrm final : public QWidget
{
    Q_OBJECT

public:
    CTimesFrm(Module1& module, Forms& forms);

    // Shows a newsletter the update server sent, with the picture that came with it.
    void showNewsletter(const QString& headline, const QString& text, bool offersDownload);

    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* DateLbl = nullptr;
    QLabel* HeadLbl = nullptr;
    QLabel* ParagLbl = nullptr;
    QLabel* Image1 = nullptr;
    QFrame* Line1 = nullptr;
    QLabel* Label4 = nullptr;
    QPushButton* DLDBtn = nullptr;
    QLabel* WaitLbl = nullptr;

    void Label4_DblClick();
    void DLDBtn_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();

    Module1& m_module;
    Forms& m_forms;
    EventHooks* m_hooks = nullptr;
    bool m_downloading = false; // while the file offered by the newsletter is on its way
};
