// The clock settings window's second view: the daylight-saving information text over the whole window.
#include "SetTimeFrm.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>

#include "core/Module1.h"
#include "zones/DstText.h"

using namespace Qt::StringLiterals;

void SetTimeFrm::ItemLabel_DblClick()
{
    const QString read = DstText::readFile(m_module.programFile(QStringLiteral("dst.txt")));
    setWindowTitle(QStringLiteral("DST Information"));
    // A text too short to be the real file leaves what the view held: the notice, or a file read earlier.
    if (read.size() >= DstText::MinimumLength) {
        m_dstText = read;
    }
    Text1->setPlainText(QString(m_dstText).replace(u"\r\n"_s, u"\n"_s));
    Text1->show();
    Text1->raise();
    // Ready for the keys: the arrows and page keys scroll the text, Escape closes it.
    Text1->setFocus();
    m_module.playClick("a.wav");
}

void SetTimeFrm::Command1_Click()
{
    ItemLabel_DblClick();
}

void SetTimeFrm::mouseDoubleClickEvent(QMouseEvent* event)
{
    Text1->hide();
    event->accept();
}

void SetTimeFrm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && Text1->isVisible()) {
        closeDstText();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool SetTimeFrm::Form_QueryUnload()
{
    if (!Text1->isVisible()) {
        return false;
    }
    closeDstText();
    return true;
}

void SetTimeFrm::closeDstText()
{
    Text1->hide();
    m_module.playClick("a.wav");
    showStoredSettings();
}
