#include "AlarmFrm.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

#include "core/AlarmDue.h"
#include "core/Module1.h"
#include "core/ProgramTitle.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Uptime.h"
#include "ui/BringUp.h"
#include "ui/Controls.h"
#include "ui/DesignFont.h"
#include "ui/Forms.h"
#include "ui/GlyphButton.h"
#include "ui/MainWindow.h"
#include "ui/alarms/AlarmFields.h"
#include "ui/alarms/AlarmMsgFrm.h"
#include "ui/system/SystTimeFrm.h"

namespace {
// Both kinds of alarm look once a second whether their moment has come, so that after a resume or a step of the
// clock they ring at once.
constexpr int SecondTicks = 1000;
constexpr qint64 MinuteMsecs = 60 * 1000;
constexpr int NumberFieldWidth = 36;

QLabel* makeLabel(QWidget* parent, const char* name, const char* caption)
{
    auto* label = makeControl<QLabel>(parent, name);
    label->setText(QString::fromLatin1(caption));
    return label;
}

QLineEdit* makeNumberField(QWidget* parent, const char* name, const char* text, const char* toolTip)
{
    auto* field = makeControl<QLineEdit>(parent, name);
    field->setText(QString::fromLatin1(text));
    field->setToolTip(QString::fromLatin1(toolTip));
    field->setFixedWidth(NumberFieldWidth);
    field->setAlignment(Qt::AlignCenter);
    return field;
}

QRadioButton* makeOption(QWidget* parent, const char* name, const char* caption, const char* toolTip)
{
    auto* option = makeControl<QRadioButton>(parent, name);
    option->setText(QString::fromLatin1(caption));
    option->setToolTip(QString::fromLatin1(toolTip));
    return option;
}
} // namespace

AlarmFrm::AlarmFrm(Module1& module, Forms& forms)
    : m_module(module)
    , m_forms(forms)
{
    setWindowTitle(QStringLiteral("HUXO - Alarm Settings"));
    setFont(dialogFont());
    auto* layout = new QVBoxLayout(this);
    buildAlarmTime();
    buildAlarmAction();
    layout->addWidget(Frame1);
    layout->addWidget(Frame2);

    Command1 = makeControl<QPushButton>(this, "Command1");
    Command1->setText(QStringLiteral("&Set"));
    Command1->setToolTip(QStringLiteral("completes alarm setting procedure"));
    Command1->setDefault(true);
    Command2 = makeControl<QPushButton>(this, "Command2");
    Command2->setText(QStringLiteral("&Cancel Alarm"));
    Command2->setToolTip(QStringLiteral("cancels a previously set alarm."));
    // As in a dialog: Return presses the button that has the focus, else "Set", the default.
    Command2->setAutoDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    Timer1 = makeControl<QTimer>(this, "Timer1");
    Timer1->setInterval(SecondTicks);

    connect(Command1, &QPushButton::clicked, this, &AlarmFrm::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &AlarmFrm::Command2_Click);
    connect(Timer1, &QTimer::timeout, this, &AlarmFrm::Timer1_Timer);
    // Also when the arrow keys move between the options, not only on a click.
    connect(Timed, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            Timed_Click();
        }
    });
    connect(Timeset, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            Timeset_Click();
        }
    });
    keepCorrected(HrTxt, AlarmFields::delayHours);
    keepCorrected(MinTxt, AlarmFields::delayMinutes);
    keepCorrected(TimHrTxt, AlarmFields::timeHour);
    keepCorrected(TimMinTxt, AlarmFields::timeMinute);
    TimHrTxt->installEventFilter(this);
    TimMinTxt->installEventFilter(this);

    // The system time window stays on top of everything; this window must be able to come in front of it.
    if (SystTimeFrm* systemTime = m_forms.loaded<SystTimeFrm>(); systemTime && systemTime->isVisible()) {
        m_module.OffTop(systemTime);
    }
}

void AlarmFrm::buildAlarmTime()
{
    Frame1 = makeControl<QGroupBox>(this, "Frame1");
    Frame1->setTitle(QStringLiteral("Alarm Time"));
    Timed = makeOption(Frame1, "Timed", "", "choose timed alarm");
    Label1[0] = makeLabel(Frame1, "Label1_0", "Set the alarm for");
    HrTxt = makeNumberField(Frame1, "HrTxt", "0", "enter hours from now (max. 99)");
    Label1[1] = makeLabel(Frame1, "Label1_1", "hour(s) and");
    MinTxt = makeNumberField(Frame1, "MinTxt", "30", "enter minutes");
    Label2 = makeLabel(Frame1, "Label2", "minutes from now.");
    Label6 = makeLabel(Frame1, "Label6", "or..");
    Timeset = makeOption(Frame1, "Timeset", "", "choose actual time");
    Label3 = makeLabel(Frame1, "Label3", "Set the alarm for");
    TimHrTxt = makeNumberField(Frame1, "TimHrTxt", "12", "enter time hours (24 hour clock)");
    Label7 = makeLabel(Frame1, "Label7", ":");
    TimMinTxt = makeNumberField(Frame1, "TimMinTxt", "00", "enter time minutes");
    Label4 = makeLabel(Frame1, "Label4", "local time");
    Timed->setChecked(true);
    TimHrTxt->setEnabled(false);
    TimMinTxt->setEnabled(false);

    auto* rows = new QVBoxLayout(Frame1);
    const auto addRow = [rows](std::initializer_list<QWidget*> controls) {
        auto* row = new QHBoxLayout;
        for (QWidget* control : controls) {
            row->addWidget(control);
        }
        row->addStretch();
        rows->addLayout(row);
    };
    addRow({Timed, Label1[0], HrTxt, Label1[1], MinTxt, Label2});
    addRow({Label6});
    addRow({Timeset, Label3, TimHrTxt, Label7, TimMinTxt, Label4});
    // "or.." stands under the text of the rows, not under their options.
    Label6->setIndent(Timed->sizeHint().width());
}

void AlarmFrm::buildAlarmAction()
{
    Frame2 = makeControl<QGroupBox>(this, "Frame2");
    Frame2->setTitle(QStringLiteral("Alarm Action"));
    soundOff = makeOption(Frame2, "soundOff", "No Sound", "no audible alarm");
    soundOn = makeOption(Frame2, "soundOn", "Audible Alarm", "audible alarm");
    soundOn->setChecked(true);
    Label5 = makeLabel(Frame2, "Label5", "Message");
    Text1 = makeControl<QLineEdit>(Frame2, "Text1");
    Text1->setText(QStringLiteral("This is your alarm message."));
    Text1->setToolTip(QStringLiteral("you can enter a message here"));

    auto* grid = new QGridLayout(Frame2);
    grid->addWidget(soundOff, 0, 0);
    grid->addWidget(soundOn, 0, 1);
    grid->addWidget(Label5, 1, 0, 1, 2);
    grid->addWidget(Text1, 2, 0, 1, 2);
}

void AlarmFrm::keepCorrected(QLineEdit* field, QString (*rule)(const QString&))
{
    connect(field, &QLineEdit::textChanged, this, [field, rule](const QString& text) {
        const QString fixed = rule(text);
        if (fixed != text) {
            field->setText(fixed);
        }
    });
}

void AlarmFrm::Timed_Click()
{
    useDelayFields();
}

void AlarmFrm::Timeset_Click()
{
    useTimeOfDayFields();
}

void AlarmFrm::useDelayFields()
{
    HrTxt->setEnabled(true);
    MinTxt->setEnabled(true);
    TimHrTxt->setEnabled(false);
    TimMinTxt->setEnabled(false);
}

void AlarmFrm::useTimeOfDayFields()
{
    TimHrTxt->setEnabled(true);
    TimMinTxt->setEnabled(true);
    HrTxt->setEnabled(false);
    MinTxt->setEnabled(false);
}

void AlarmFrm::Command1_Click()
{
    setAlarm();
}

void AlarmFrm::setAlarm()
{
    const Services& services = m_module.services();
    if (Timed->isChecked()) {
        AlmDelay = qint16(AlarmFields::wholeValue(HrTxt->text()) * 60 + AlarmFields::wholeValue(MinTxt->text()));
        m_setOnUptime = services.uptime.msecsSinceBoot();
        m_setAt = services.clock.now();
    } else {
        // Set straight from the keyboard the fields may still read "7": the local time label always has two digits.
        TimHrTxt->setText(AlarmFields::twoDigits(TimHrTxt->text()));
        TimMinTxt->setText(AlarmFields::twoDigits(TimMinTxt->text()));
        AlmTime = TimHrTxt->text() + u':' + TimMinTxt->text();
        m_dueAt = AlarmDue::timeOfDay(services.clock.now(),
                                      AlarmFields::wholeValue(TimHrTxt->text()),
                                      AlarmFields::wholeValue(TimMinTxt->text()));
    }
    AlmCount = 0;
    Timer1->start();
    setMainCaption(ProgramTitle() + u" (alarm set)");
    hide();
    m_module.playClick();
}

void AlarmFrm::Command2_Click()
{
    unloadWithoutQuestion();
    MainWindow* main = m_forms.mainWindow();
    m_module.services().dialogs.tell(QStringLiteral("You have cancelled the alarm. No alarm will occur."),
                                     ProgramTitle(),
                                     Dialogs::Icon::None,
                                     main ? &main->widget() : nullptr);
}

void AlarmFrm::Timer1_Timer()
{
    const Services& services = m_module.services();
    // At or past rather than equal: a minute the clock jumped over, or slept through, has come all the same. The
    // time of day is due at an instant, so a step back after it rang finds the alarm gone rather than due again.
    if (!Timed->isChecked()) {
        const QDateTime now = services.clock.now();
        if (m_dueAt.isValid() && now >= m_dueAt) {
            fire(AlarmDue::lateNote(m_dueAt, m_dueAt.msecsTo(now), now.date()));
        }
        return;
    }
    // The delay is real time gone by, the time asleep included, whatever the clock did meanwhile.
    const qint64 elapsed = services.uptime.msecsSinceBoot() - m_setOnUptime;
    AlmCount = qint16(std::clamp<qint64>(elapsed / MinuteMsecs, 0, std::numeric_limits<qint16>::max()));
    const qint64 late = elapsed - AlmDelay * MinuteMsecs;
    if (late >= 0) {
        const QDateTime due = m_setAt.addMSecs(AlmDelay * MinuteMsecs);
        fire(AlarmDue::lateNote(due, late, services.clock.now().date()));
    }
}

void AlarmFrm::fire(const QString& lateNote)
{
    Timer1->stop();
    // Ringing, the alarm is set no longer.
    setMainCaption(ProgramTitle());
    AlarmMsgFrm& reminder = m_forms.get<AlarmMsgFrm>();
    reminder.showLateNote(lateNote);
    reminder.ring(*this);
}

void AlarmFrm::setMainCaption(const QString& caption)
{
    if (MainWindow* main = m_forms.mainWindow()) {
        main->widget().setWindowTitle(caption);
    }
}

void AlarmFrm::unloadWithoutQuestion()
{
    Timer1->stop();
    Form_Unload();
}

bool AlarmFrm::pending() const
{
    return Timer1->isActive();
}

void AlarmFrm::cancelPending()
{
    Timer1->stop();
    setMainCaption(ProgramTitle());
}

void AlarmFrm::setDelayAlarm(int minutes)
{
    Timed->setChecked(true);
    useDelayFields();
    HrTxt->setText(QString::number(minutes / 60));
    MinTxt->setText(QString::number(minutes % 60));
    setAlarm();
}

void AlarmFrm::startAfresh()
{
    unloadWithoutQuestion();
    bringUp(m_forms.get<AlarmFrm>());
}

QString AlarmFrm::message() const
{
    return Text1->text();
}

bool AlarmFrm::audible() const
{
    return soundOn->isChecked();
}

void AlarmFrm::Form_Unload()
{
    setMainCaption(ProgramTitle());
    if (AlarmMsgFrm* reminder = m_forms.loaded<AlarmMsgFrm>()) {
        reminder->withdraw();
    }
    m_forms.unload(this);
}

void AlarmFrm::closeEvent(QCloseEvent* event)
{
    if (Timer1->isActive()
        && m_module.services().dialogs.ask(
               QStringLiteral("A reminder alarm has been set.  Do you want to cancel the alarm?  If you click ' Yes ' "
                              "the alarm will NOT occur."),
               QStringLiteral("Warning"),
               Dialogs::Icon::Critical,
               Dialogs::Buttons::YesNo,
               this)
               == Dialogs::Answer::No) {
        event->ignore();
        hide();
        return;
    }
    event->accept();
    unloadWithoutQuestion();
}

void AlarmFrm::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    // A main window kept on top would cover this one; released, it is shown anew, so come back in front of it.
    MainWindow* main = m_forms.mainWindow();
    if (main && main->keptOnTop()) {
        main->releaseOnTop();
        raise();
    }
}

void AlarmFrm::keyPressEvent(QKeyEvent* event)
{
    // A window that is not a dialog has no default button of its own: the fields and options pass Return on to here.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Command1->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool AlarmFrm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && (watched == TimHrTxt || watched == TimMinTxt)) {
        auto* field = static_cast<QLineEdit*>(watched);
        field->setText(AlarmFields::twoDigits(field->text()));
    }
    return QWidget::eventFilter(watched, event);
}
