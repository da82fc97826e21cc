// The main window's small controls: mouse-over tips, the on-top state, the alarm button, the calendar and the
// preferences hot spot.
#include "huxofrm.h"

#include <QLabel>
#include <QPushButton>

#include "core/DateFormat.h"
#include "core/Module1.h"
#include "platform/Clock.h"
#include "ui/BringUp.h"
#include "ui/EventHooks.h"
#include "ui/Forms.h"
#include "ui/GlyphButton.h"
#include "ui/alarms/AlarmFrm.h"
#include "ui/info/AbtFrm.h"
#include "ui/info/HUXOhlp.h"
#include "ui/main/ClockFace.h"
#include "ui/main/MainColours.h"
#include "ui/settings/SetTimeFrm.h"
#include "ui/system/PrefsFrm.h"
#include "ui/system/SystTimeFrm.h"

namespace {
const QString ReleaseTip = QStringLiteral("double-click to release");

// The command of the desktop's own window menu that keeps a window above the others.
QString desktopOnTopTip()
{
    if (qEnvironmentVariable("XDG_CURRENT_DESKTOP").contains(u"KDE", Qt::CaseInsensitive)) {
        return QStringLiteral("To keep HUXO on top, right-click its title bar and choose More Actions, Keep Above "
                              "Others");
    }
    return QStringLiteral("To keep HUXO on top, right-click its title bar and choose Always on Top");
}
} // namespace

void huxofrm::hookEvents()
{
    const auto today = [this] { return m_module.services().clock.now(); };
    const auto tipOnMouseOver = [this, today](QWidget* control, const char* pattern) {
        m_hooks->onMouseOver(control, [control, pattern, today] {
            control->setToolTip(formatDate(today(), QString::fromLatin1(pattern)));
        });
    };
    m_hooks->onMouseOver(LC, [this, today] { LC->setToolTip(u"local time " + systemShortDate(today().date())); });
    m_hooks->onMouseOver(LocDay, [this, today] { LocDay->setToolTip(systemShortDate(today().date())); });
    tipOnMouseOver(Image3, "dddd mmmm dd yyyy");
    tipOnMouseOver(DateLbl, "MMMM YYYY");
    tipOnMouseOver(DayLbl, "MMMM YYYY");
    tipOnMouseOver(MonthLbl, "dddd dd yyyy");
    tipOnMouseOver(YrLbl, "dddd mmmm dd");

    m_hooks->onMouseOver(DispChgBox, [this] { markPreferencesHotSpot(true); });
    for (QWidget* around : {static_cast<QWidget*>(this),
                            Cpanel,
                            CtrlPanel1,
                            static_cast<QWidget*>(EC),
                            static_cast<QWidget*>(GC),
                            static_cast<QWidget*>(Command1)}) {
        m_hooks->onMouseOver(around, [this] { markPreferencesHotSpot(false); });
    }
    m_hooks->onDoubleClick(LocCap, [this] { LocCap_DblClick(); });

    // Pressed by the mouse, Space or a screen reader alike.
    connect(AlmBtn, &GlyphButton::pressed, this, &huxofrm::AlmBtn_MouseDown);
    m_hooks->onMouseOver(AlmBtn, [this] {
        if (m_forms.alarmSettingsShown()) {
            showAlarmSettings();
        }
    });
    // The rightmost caption of either layout.
    m_hooks->onDoubleClick(ECap, [this] { showAlarmSettings(); });
    m_hooks->onDoubleClick(GCap, [this] { showAlarmSettings(); });

    m_hooks->onDoubleClick(LC, [this] { bringUp(m_forms.get<SystTimeFrm>()); });
    const auto openPreferences = [this] { bringUp(m_forms.get<PrefsFrm>()); };
    connect(DispChgBox, &GlyphButton::pressed, this, openPreferences);
    connect(DispChgBox, &GlyphButton::doubleClicked, this, openPreferences);

    connect(Image1, &GlyphButton::doubleClicked, this, [this] { bringUp(m_forms.get<AbtFrm>()); });
    for (GlyphButton* help : {Image2, Image3}) {
        connect(help, &GlyphButton::doubleClicked, this, [this] { bringUp(m_forms.get<HUXOhlp>()); });
    }

    m_hooks->onDoubleClick(GMTc, [this] {
        m_module.SetupDone = Flag::On;
        SetTimeFrm::showFor(m_forms, QStringLiteral("B"), QStringLiteral("GMT / UTC"));
    });
    const std::array<std::pair<ClockFace*, QLabel*>, 5> setClocks = {
        {{CC, CCap}, {DC, DCap}, {EC, ECap}, {FC, FCap}, {GC, GCap}}};
    for (size_t i = 0; i < setClocks.size(); ++i) {
        const auto [face, caption] = setClocks[i];
        const QString letter(QChar(u'C' + int(i)));
        m_hooks->onDoubleClick(
            face, [this, letter, caption = caption] { SetTimeFrm::showFor(m_forms, letter, caption->text()); });
    }
}

void huxofrm::AlmBtn_MouseDown()
{
    parkFocusAfter(AlmBtn);
    showAlarmSettings();
}

void huxofrm::parkFocusAfter(GlyphButton* pressed)
{
    // A user who came by the keyboard stays on the button, to go on from there.
    if (!pressed->hasFocus()) {
        Keepfcs->setFocus();
    }
}

void huxofrm::showAlarmSettings()
{
    bringUp(m_forms.get<AlarmFrm>());
}

void huxofrm::Option1_Click()
{
    if (m_forms.reminderShown()) {
        return;
    }
    if (!m_forms.alarmSettingsShown()) {
        m_module.playClick();
    }
    Option1->setChecked(true);
    m_module.OnTop(this);
    Option1->setToolTip(ReleaseTip);
    LocCap->setToolTip(ReleaseTip);
}

void huxofrm::Option1_DblClick()
{
    releaseOnTop();
}

void huxofrm::releaseOnTop()
{
    if (!m_forms.alarmSettingsShown()) {
        m_module.playClick();
    }
    if (Option1->isChecked()) {
        Option1->setToolTip(QStringLiteral("click to keep HUXO on top"));
        LocCap->setToolTip(QStringLiteral("double-click to keep HUXO on top"));
        Option1->setChecked(false);
    }
    m_module.OffTop(this);
}

void huxofrm::leaveOnTopToTheDesktop()
{
    Option1->setEnabled(false);
    Option1->setToolTip(desktopOnTopTip());
    LocCap->setToolTip(desktopOnTopTip());
}

bool huxofrm::keptOnTop() const
{
    return Option1->isChecked();
}

QString huxofrm::localCaption() const
{
    return LocCap->text();
}

void huxofrm::showLocalCaption(const QString& caption)
{
    LocCap->setText(caption);
}

void huxofrm::LocCap_DblClick()
{
    if (!Option1->isEnabled()) {
        return;
    }
    if (Option1->isChecked()) {
        releaseOnTop();
    } else {
        Option1_Click();
    }
}

void huxofrm::showCalendar(bool shown)
{
    DateFrame->setVisible(shown);
    m_module.CalShown = shown ? Flag::On : Flag::Off;
}

void huxofrm::markPreferencesHotSpot(bool bright)
{
    DispChgBox->setColour(bright ? MainColours::HotSpotBright : MainColours::HotSpotDark);
}
