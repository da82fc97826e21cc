#include "ACTdoneFrm.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QTimer>

#include "core/Module1.h"
#include "core/PictureFile.h"
#include "ui/Colouring.h"
#include "ui/Controls.h"
#include "ui/DesignFont.h"
#include "ui/EventHooks.h"
#include "ui/Forms.h"

namespace {
constexpr int TicksBeforeClosing = 3;
const QColor NotePaper(255, 240, 140);
} // namespace

const QString ACTdoneFrm::NoteFormat = QStringLiteral("application/x-huxo-note");

ACTdoneFrm::ACTdoneFrm(Module1& module, Forms& forms)
    : m_module(module)
    , m_forms(forms)
    , m_hooks(new EventHooks(this))
{
    setObjectName(QStringLiteral("ACTdoneFrm"));
    setWindowTitle(QStringLiteral("note"));
    placeInTwips(this, 0, 0, 2880, 1500);
    setFixedSize(size());
    setBackground(this, NotePaper);
    setAcceptDrops(true);

    Label1 = makeControl<QLabel>(this, "Label1");
    placeInTwips(Label1, 120, 120, 2640, 1260);
    Label1->setFont(designFont(QStringLiteral("Arial"), 13));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setCursor(Qt::OpenHandCursor);
    Label1->setToolTip(QStringLiteral("drag this note to the bin to remove it"));

    Trash = makeControl<QLabel>(this, "Trash");
    placeInTwips(Trash, 1080, 390, 720, 720);
    Trash->setAlignment(Qt::AlignCenter);
    Trash->setPixmap(QPixmap::fromImage(readPictureFile(m_module.assetFile(QStringLiteral("bin.png")))));
    Trash->setToolTip(QStringLiteral("drop the note here, or double-click the bin"));
    Trash->setAcceptDrops(true);
    Trash->installEventFilter(this);
    Trash->hide();

    Trash2 = makeControl<QLabel>(this, "Trash2");
    Trash2->setPixmap(QPixmap::fromImage(readPictureFile(m_module.assetFile(QStringLiteral("bin2.png")))));
    Trash2->hide();

    Timer1 = makeControl<QTimer>(this, "Timer1");
    Timer1->setInterval(150);
    connect(Timer1, &QTimer::timeout, this, &ACTdoneFrm::Timer1_Timer);

    m_hooks->onMouseDown(Label1, [this] { Label1_MouseDown(); });
    m_hooks->onDoubleClick(Trash, [this] { Trash_DblClick(); });

    // A reminder that is on screen keeps its place in front.
    if (!m_forms.reminderShown()) {
        m_module.OnTop(this);
    }
}

void ACTdoneFrm::showNote(const QString& text)
{
    show();
    Label1->setText(text);
}

void ACTdoneFrm::Label1_MouseDown()
{
    auto* data = new QMimeData;
    data->setData(NoteFormat, QByteArray());
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    const QPixmap icon(m_module.assetFile(QStringLiteral("note_drag.png")));
    if (!icon.isNull()) {
        drag->setPixmap(icon);
        drag->setHotSpot(QPoint(icon.width() / 2, icon.height() / 2));
    }
    // Runs until the note is dropped; a drop outside the window leaves the bin on view.
    drag->exec(Qt::MoveAction);
}

void ACTdoneFrm::Form_DragOver()
{
    Label1->hide();
    Trash->show();
}

void ACTdoneFrm::Form_DragDrop()
{
    Trash->hide();
    Label1->show();
}

void ACTdoneFrm::Trash_DragDrop()
{
    Trash->setPixmap(Trash2->pixmap());
    m_ticks = 0;
    Timer1->start();
}

void ACTdoneFrm::Timer1_Timer()
{
    m_ticks = qint16(m_ticks + 1);
    if (m_ticks == TicksBeforeClosing) {
        Timer1->stop();
        minimiseAndUnload();
    }
}

void ACTdoneFrm::Trash_DblClick()
{
    setWindowTitle(QStringLiteral("whooosh!"));
    minimiseAndUnload();
}

void ACTdoneFrm::minimiseAndUnload()
{
    showMinimized();
    m_forms.unload(this);
}

void ACTdoneFrm::dragEnterEvent(QDragEnterEvent* event)
{
    if (!event->mimeData()->hasFormat(NoteFormat)) {
        return;
    }
    event->acceptProposedAction();
    Form_DragOver();
}

void ACTdoneFrm::dropEvent(QDropEvent* event)
{
    if (!event->mimeData()->hasFormat(NoteFormat)) {
        return;
    }
    event->acceptProposedAction();
    Form_DragDrop();
}

bool ACTdoneFrm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != Trash || (event->type() != QEvent::DragEnter && event->type() != QEvent::Drop)) {
        return QWidget::eventFilter(watched, event);
    }
    auto* drop = static_cast<QDropEvent*>(event);
    if (!drop->mimeData()->hasFormat(NoteFormat)) {
        return false;
    }
    drop->acceptProposedAction();
    if (event->type() == QEvent::Drop) {
        Trash_DragDrop();
    }
    return true;
}
