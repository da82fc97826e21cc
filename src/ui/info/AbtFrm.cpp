#include "AbtFrm.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QTimer>

#include "core/Endpoints.h"
#include "core/Module1.h"
#include "core/PictureFile.h"
#include "core/ProgramTitle.h"
#include "platform/Dialogs.h"
#include "ui/BringUp.h"
#include "ui/Colouring.h"
#include "ui/Controls.h"
#include "ui/DesignFont.h"
#include "ui/DialogPreamble.h"
#include "ui/EventHooks.h"
#include "ui/Forms.h"
#include "ui/MainWindow.h"
#include "ui/PictureClip.h"

namespace {

constexpr int GlobeCells = 12;
constexpr qint16 FirstCell = 10;
// Addresses this short cannot be a real base address; the design one stays.
constexpr int ShortestBase = 10;

const QColor DarkBlue(0, 0, 128);
const QColor Silver(192, 192, 192);
const QColor LinkBlue(0, 64, 160);

} // namespace

AbtFrm::AbtFrm(Module1& module, Forms& forms)
    : m_module(module)
    , m_forms(forms)
    , m_hooks(new EventHooks(this))
{
    beginDialog(*this, "AbtFrm", QStringLiteral("About HUXO"));
    placeInTwips(this, 0, 0, 5400, 2700);
    setFixedSize(size());
    setBackground(this, Qt::white);

    Picture1 = makeControl<QFrame>(this, "Picture1");
    placeInTwips(Picture1, 240, 240, 1260, 1260);
    Picture1->setFrameShape(QFrame::Box);
    Picture1->setStyleSheet(QStringLiteral("QFrame#Picture1 { background: black; border: 2px solid silver; }"));
    Animage = makeControl<QLabel>(Picture1, "Animage");
    Animage->setGeometry(Picture1->rect());
    Animage->setAlignment(Qt::AlignCenter);
    Animage->setToolTip(QStringLiteral("click to close"));

    GlobeClip = new PictureClip(this);
    GlobeClip->setObjectName(QStringLiteral("GlobeClip"));
    GlobeClip->load(m_module.assetFile(QStringLiteral("globe.png")));
    GlobeClip->setCols(GlobeCells);

    const QFont name = designFont(QStringLiteral("Arial"), 37, true);
    const QFont words = designFont(QStringLiteral("Arial"), 18, true);
    // Each shadow is made first, so that the words themselves lie over it.
    Label2[1] = makeText("Label2_1", QStringLiteral("HUXO"), name, Silver, QRect(1770, 210, 2400, 660));
    Label2[0] = makeText("Label2_0", QStringLiteral("HUXO"), name, DarkBlue, QRect(1740, 180, 2400, 660));
    Label7 = makeText("Label7", QStringLiteral("WORLD TIME CLOCKS"), words, Silver, QRect(1760, 920, 3480, 360));
    Label3 = makeText("Label3", QStringLiteral("WORLD TIME CLOCKS"), words, Qt::black, QRect(1740, 900, 3480, 360));

    Label5 = makeControl<QLabel>(this, "Label5");
    placeInTwips(Label5, 4260, 420, 900, 285);
    Label5->setText(QStringLiteral("5.1.1"));
    Label5->setToolTip(QStringLiteral("version"));

    Label8 = makeControl<QLabel>(this, "Label8");
    placeInTwips(Label8, 1740, 1320, 3480, 255);
    Label8->setText(QStringLiteral("The time of day around the world."));

    Label6 = makeControl<QLabel>(this, "Label6");
    placeInTwips(Label6, 240, 1740, 4920, 315);
    Label6->setAlignment(Qt::AlignCenter);
    colourLabel(Label6, Qt::white, LinkBlue);
    Label6->setText(shippedEndpoints().primaryBase + QStringLiteral("huxo.htm"));

    Label4 = makeControl<QLabel>(this, "Label4");
    placeInTwips(Label4, 240, 2160, 4200, 255);
    Label4->setText(QStringLiteral("Click the globe or the clock to close this window."));

    Image2 = makeControl<QLabel>(this, "Image2");
    placeInTwips(Image2, 4560, 2040, 600, 600);
    Image2->setScaledContents(true);
    Image2->setPixmap(QPixmap::fromImage(readPictureFile(m_module.assetFile(QStringLiteral("huxo.png")))));
    Image2->setToolTip(QStringLiteral("click to close"));

    animtime = makeControl<QTimer>(this, "animtime");
    animtime->setInterval(100);
    connect(animtime, &QTimer::timeout, this, &AbtFrm::animtime_Timer);
    Timer1 = makeControl<QTimer>(this, "Timer1");
    Timer1->setInterval(5000);
    connect(Timer1, &QTimer::timeout, this, &QWidget::close);

    // Both close the window, which brings the main window forward.
    m_hooks->onMouseDown(Image2, [this] { close(); });
    m_hooks->onMouseDown(Animage, [this] { close(); });

    // Load
    MainWindow* main = m_forms.mainWindow();
    if (main && main->widget().isVisible()) {
        // The main window may keep itself on top; then it would hide this one.
        main->releaseOnTop();
    }
    GlobeCell = FirstCell;
    Animage->setPixmap(GlobeClip->GraphicCell(GlobeCell));
    animtime->start();
    Timer1->start();
}

QLabel*
AbtFrm::makeText(const char* name, const QString& text, const QFont& font, const QColor& colour, const QRect& twips)
{
    auto* label = makeControl<QLabel>(this, name);
    label->setText(text);
    label->setFont(font);
    colourLabel(label, colour);
    placeInTwips(label, twips.x(), twips.y(), twips.width(), twips.height());
    return label;
}

void AbtFrm::animtime_Timer()
{
    GlobeCell = qint16(GlobeCell + 1);
    if (GlobeCell == GlobeCells) {
        GlobeCell = 0;
    }
    Animage->setPixmap(GlobeClip->GraphicCell(GlobeCell));
}

void AbtFrm::Form_GotFocus()
{
    if (m_module.MServerBase.length() > ShortestBase) {
        Label6->setText(m_module.MServerBase + QStringLiteral("huxo.htm"));
    }
}

void AbtFrm::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        Form_GotFocus();
    }
}

void AbtFrm::closeEvent(QCloseEvent* event)
{
    event->accept();
    Form_Unload();
}

void AbtFrm::Form_Unload()
{
    animtime->stop();
    Timer1->stop();
    hide();
    if (!m_forms.reminderShown() && m_module.SetupDone == Flag::Off) {
        m_module.services().dialogs.tell(
            QStringLiteral("As you are using HUXO for the first time, you should set your local GMT/UTC offset by "
                           "double-clicking the second clock from the left. Click the 'OK' button below first..."),
            ProgramTitle());
    }
    if (MainWindow* main = m_forms.mainWindow()) {
        bringUp(main->widget());
    }
    m_forms.unload(this);
}
