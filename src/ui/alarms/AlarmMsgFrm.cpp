#include "AlarmMsgFrm.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "core/Module1.h"
#include "platform/Notifier.h"
#include "platform/Sound.h"
#include "ui/BringUp.h"
#include "ui/Controls.h"
#include "ui/DesignFont.h"
#include "ui/EventHooks.h"
#include "ui/Forms.h"
#include "ui/alarms/ExclamationPicture.h"
#include "ui/alarms/RingingAlarm.h"

namespace {
constexpr int BlinkInterval = 500;
constexpr int PictureSize = 48;
constexpr int RepeatMinutes = 5; // "5 Minutes More"
} // namespace

AlarmMsgFrm::AlarmMsgFrm(Module1& module, Forms& forms)
    : m_module(module)
    , m_forms(forms)
{
    setWindowTitle(QStringLiteral("HUXO Reminder"));
    setFont(dialogFont());

    AlmMessg[0] = makeControl<QLabel>(this, "AlmMessg_0");
    AlmMessg[0]->setText(QStringLiteral("message"));
    AlmMessg[0]->setFont(QFont(QStringLiteral("Arial"), 12, QFont::Bold));
    AlmMessg[0]->setWordWrap(true);
    AlmMessg[0]->setMinimumWidth(260);
    AlmMessg[0]->setToolTip(QStringLiteral("double-click to set a new alarm"));
    DueLbl = makeControl<QLabel>(this, "DueLbl");
    DueLbl->hide();
    ExclaimPic = makeControl<QLabel>(this, "ExclaimPic");
    ExclaimPic->setPixmap(exclamationPicture(PictureSize, devicePixelRatioF()));
    // The blink must not shift the message about.
    QSizePolicy keepPlace = ExclaimPic->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    ExclaimPic->setSizePolicy(keepPlace);
    Command1 = makeControl<QPushButton>(this, "Command1");
    Command1->setText(QStringLiteral("&Stop Alarm"));
    Command1->setDefault(true);
    TenMinBtn = makeControl<QPushButton>(this, "TenMinBtn");
    TenMinBtn->setText(QStringLiteral("&5 Minutes More"));
    Timer1 = makeControl<QTimer>(this, "Timer1");
    Timer1->setInterval(BlinkInterval);

    auto* grid = new QGridLayout(this);
    grid->addWidget(ExclaimPic, 0, 0, Qt::AlignTop);
    grid->addWidget(AlmMessg[0], 0, 1, 1, 2);
    grid->addWidget(DueLbl, 1, 1, 1, 2);
    grid->addWidget(Command1, 2, 1);
    grid->addWidget(TenMinBtn, 2, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(Timer1, &QTimer::timeout, this, &AlarmMsgFrm::Timer1_Timer);
    connect(Command1, &QPushButton::clicked, this, &AlarmMsgFrm::Command1_Click);
    connect(TenMinBtn, &QPushButton::clicked, this, &AlarmMsgFrm::TenMinBtn_Click);
    auto* hooks = new EventHooks(this);
    hooks->onDoubleClick(AlmMessg[0], [this] { AlmMessg_DblClick(); });

    m_module.OnTop(this);
}

AlarmMsgFrm::~AlarmMsgFrm()
{
    // However the reminder ends, what the desktop shows of it goes with it.
    if (m_notification != 0) {
        m_module.services().notifier.withdraw(m_notification);
    }
}

void AlarmMsgFrm::showMessage()
{
    // The message is read from the alarm each time, so an edit made while the alarm was pending shows.
    if (m_alarm && AlmMessg[0]->text() != m_alarm->message()) {
        AlmMessg[0]->setText(m_alarm->message());
    }
}

void AlarmMsgFrm::showLateNote(const QString& note)
{
    DueLbl->setText(note);
    DueLbl->setVisible(!note.isEmpty());
}

void AlarmMsgFrm::ring(RingingAlarm& alarm)
{
    m_alarm = &alarm;
    showMessage();
    Timer1->start();
    bringUp(*this);
    // The user may be on another workspace or have the program minimised: the desktop tells them as well, and a
    // click there brings the reminder forward.
    if (m_notification == 0) {
        // A late alarm says when it was due, as the window does.
        const QString late = DueLbl->text();
        const QString text = late.isEmpty() ? AlmMessg[0]->text() : AlmMessg[0]->text() + u'\n' + late;
        m_notification = m_module.services().notifier.notify(windowTitle(), text, [this] {
            if (isVisible()) { // not yet gone after a stop
                bringForward(*this);
            }
        });
    }
}

void AlarmMsgFrm::Timer1_Timer()
{
    ++FlashCount;
    const bool pictureOn = FlashCount % 2 == 0;
    ExclaimPic->setVisible(pictureOn);
    m_module.OnTop(this);
    if (pictureOn && m_alarm && m_alarm->audible()) {
        m_module.services().sound.beep();
        m_module.PlayWav(m_module.programFile(QStringLiteral("alarm.wav")));
    }
}

void AlarmMsgFrm::withdraw()
{
    m_alarm = nullptr;
    m_forms.unload(this);
}

void AlarmMsgFrm::Command1_Click()
{
    stopAlarm();
}

void AlarmMsgFrm::stopAlarm()
{
    endRinging([](RingingAlarm& alarm) { alarm.unloadWithoutQuestion(); });
}

void AlarmMsgFrm::TenMinBtn_Click()
{
    endRinging([](RingingAlarm& alarm) { alarm.setDelayAlarm(RepeatMinutes); });
}

void AlarmMsgFrm::AlmMessg_DblClick()
{
    endRinging([](RingingAlarm& alarm) { alarm.startAfresh(); });
}

void AlarmMsgFrm::endRinging(void (*answer)(RingingAlarm&))
{
    Timer1->stop();
    if (m_alarm) {
        answer(*m_alarm);
    }
    m_forms.unload(this);
}

void AlarmMsgFrm::closeEvent(QCloseEvent* event)
{
    // Closing a ringing reminder silences it for good, as Stop does, rather than leaving a window-less alarm.
    event->accept();
    stopAlarm();
}

void AlarmMsgFrm::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    showMessage();
}
