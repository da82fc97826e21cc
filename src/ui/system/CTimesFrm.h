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

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void Label4_DblClick();
    void DLDBtn_Click();

    QLabel* Label1 = nullptr;      // the masthead "HUXO TIMES"
    QLabel* Label3 = nullptr;      // "The one and only..." under the masthead
    QLabel* Label2 = nullptr;      // the editors' line at the foot
    QLabel* DateLbl = nullptr;     // today's date under the masthead
    QLabel* HeadLbl = nullptr;     // the headline
    QLabel* ParagLbl = nullptr;    // the newsletter's text
    QLabel* Image1 = nullptr;      // the picture that came with the newsletter
    QFrame* Line1 = nullptr;       // the rule under the masthead
    QLabel* Label4 = nullptr;      // "PRINT": a double-click prints the newsletter
    QPushButton* DLDBtn = nullptr; // "&Download": fetches the file the newsletter offers
    QLabel* WaitLbl = nullptr;     // asks the user to wait while that file is on its way

    Module1& m_module;
    Forms& m_forms;
    EventHooks* m_hooks = nullptr;
    bool m_downloading = false; // while the file offered by the newsletter is on its way
};
