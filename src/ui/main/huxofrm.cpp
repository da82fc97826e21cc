#include "huxofrm.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "core/DateFormat.h"
#include "core/Module1.h"
#include "core/ProgramTitle.h"
#include "core/Twips.h"
#include "platform/Clock.h"
#include "ui/AccessibleControls.h"
#include "ui/Colouring.h"
#include "ui/Contrast.h"
#include "ui/Controls.h"
#include "ui/DesignFont.h"
#include "ui/EventHooks.h"
#include "ui/Forms.h"
#include "ui/GlyphButton.h"
#include "ui/main/CaptionLabel.h"
#include "ui/main/ClockFace.h"
#include "ui/main/FacePicture.h"
#include "ui/main/MainColours.h"
#include "ui/main/MainLayout.h"

using namespace MainColours;
using namespace MainLayout;

namespace {

struct Column
{
    const char* face;
    ClockFace* huxofrm::*faceMember;
    const char* caption;
    QLabel* huxofrm::*captionMember;
    const char* time;
    QLabel* huxofrm::*timeMember;
    const char* day;
    QLabel* huxofrm::*dayMember;
    int faceLeft;
    int captionLeft;
    int labelLeft;
    const char* faceToolTip;
};

QFont readoutFont()
{
    return designFont(QStringLiteral("MS Sans Serif"), 14, true);
}

QFont captionFont()
{
    return designFont(QStringLiteral("Small Fonts"), 10, false);
}

GlyphButton* makeGlyph(QWidget* parent,
                       const char* name,
                       GlyphButton::Glyph glyph,
                       const QColor& colour,
                       const QRect& twips,
                       const char* toolTip = nullptr)
{
    auto* button = new GlyphButton(glyph, colour, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(Twips::toPixels(twips.x(), twips.y(), twips.width(), twips.height()));
    if (toolTip) {
        button->setToolTip(QLatin1String(toolTip));
    }
    return button;
}

} // namespace

huxofrm::huxofrm(Module1& module, Forms& forms, QWidget* parent)
    : QWidget(parent)
    , m_module(module)
    , m_forms(forms)
    , m_clockModel(module, *this)
    , m_hooks(new EventHooks(this))
{
    setObjectName(QStringLiteral("huxofrm"));
    setWindowTitle(ProgramTitle());
    m_forms.setMainWindow(this);
    Cpanel = makeControl<QWidget>(this, "Cpanel");
    Cpanel->setGeometry(Twips::toPixels(0, PanelTop, PanelWidth, PanelHeight));
    Cpanel->setAutoFillBackground(true);
    buildClockColumns();
    buildCalendar();
    buildControlPanel();
    buildArrows();
    hookEvents();
    describeForScreenReaders();
    buildZoneHints();

    Timer1 = makeControl<QTimer>(this, "Timer1");
    Timer1->setSingleShot(true);
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, &huxofrm::Timer1_Timer);
    ACTTimer = makeControl<QTimer>(this, "ACTTimer");
    ACTTimer->setInterval(60000);
    connect(ACTTimer, &QTimer::timeout, this, &huxofrm::ACTTimer_Timer);

    setWindowWidth(SevenClockWidth);
    setWindowHeight(FirstRunHeight);
    m_module.setMainWindow(this);
    qApp->installEventFilter(this);
}

huxofrm::~huxofrm()
{
    m_module.forgetMainWindow(this);
    m_forms.forgetMainWindow(this);
}

void huxofrm::buildClockColumns()
{
    // Twips inside the clock panel, local clock first.
    // clang-format off
    static constexpr std::array<Column, ClockModel::SlotCount> Columns = {{
        {"LC", &huxofrm::LC, "LocCap", &huxofrm::LocCap, "LocTime", &huxofrm::LocTime, "LocDay", &huxofrm::LocDay,
         75, 150, 180, "local (system) time - double click for options"},
        {"GMTc", &huxofrm::GMTc, "BCap", &huxofrm::BCap, "GMTtime", &huxofrm::GMTtime, "GMTDay", &huxofrm::GMTDay,
         1140, 1140, 1245, "GMT / UTC Clock  (double-click to set local offset)"},
        {"CC", &huxofrm::CC, "CCap", &huxofrm::CCap, "CTime", &huxofrm::CTime, "CDay", &huxofrm::CDay,
         2250, 2235, 2340, "clock 3 - double-click to set."},
        {"DC", &huxofrm::DC, "DCap", &huxofrm::DCap, "DTime", &huxofrm::DTime, "DDay", &huxofrm::DDay,
         3315, 3330, 3435, "clock 4 - double-click to set."},
        {"EC", &huxofrm::EC, "ECap", &huxofrm::ECap, "ETime", &huxofrm::ETime, "EDay", &huxofrm::EDay,
         4400, 4415, 4530, "clock 5 - double-click to set."},
        {"FC", &huxofrm::FC, "FCap", &huxofrm::FCap, "FTime", &huxofrm::FTime, "FDay", &huxofrm::FDay,
         5460, 5460, 5580, "clock 6 - double-click to set."},
        {"GC", &huxofrm::GC, "GCap", &huxofrm::GCap, "GTime", &huxofrm::GTime, "GDay", &huxofrm::GDay,
         6530, 6540, 6660, "clock 7 - double-click to set."},
    }};
    // clang-format on
    for (size_t i = 0; i < Columns.size(); ++i) {
        const Column& column = Columns[i];
        auto* face = makeControl<ClockFace>(Cpanel, column.face);
        face->setGeometry(Twips::toPixels(column.faceLeft, FaceTop, FaceWidth, FaceHeight));
        face->setToolTip(QLatin1String(column.faceToolTip));

        auto* caption = makeControl<CaptionLabel>(Cpanel, column.caption);
        caption->setGeometry(
            Twips::toPixels(column.captionLeft, CaptionTop, i == 0 ? LocalCaptionWidth : CaptionWidth, CaptionHeight));
        caption->setAlignment(Qt::AlignCenter);
        caption->setFont(captionFont());

        auto* time = makeControl<QLabel>(Cpanel, column.time);
        time->setGeometry(Twips::toPixels(column.labelLeft, TimeTop, ReadoutWidth, ReadoutHeight));
        auto* day = makeControl<QLabel>(Cpanel, column.day);
        day->setGeometry(Twips::toPixels(column.labelLeft, DayTop, ReadoutWidth, ReadoutHeight));
        for (QLabel* readout : {time, day}) {
            readout->setAlignment(Qt::AlignCenter);
            readout->setFont(readoutFont());
        }
        colourLabel(time, TimeColour, ReadoutBackground);
        colourLabel(day, DayColour, ReadoutBackground);

        this->*column.faceMember = m_faces[i] = face;
        this->*column.captionMember = m_captions[i] = caption;
        this->*column.timeMember = m_timeLabels[i] = time;
        this->*column.dayMember = m_dayLabels[i] = day;
    }
    LocCap->setToolTip(QStringLiteral("double-click to keep HUXO on top"));
    for (QLabel* alarmCaption : {ECap, GCap}) {
        alarmCaption->setToolTip(QStringLiteral("double-click for alarm settings"));
    }
}

void huxofrm::buildArrows()
{
    using Glyph = GlyphButton::Glyph;
    // Each arrow sits in the band it acts on, at the left edge, so it moves out of sight with its band.
    upgrey = makeGlyph(Cpanel, "upgrey", Glyph::ArrowUp, GreyArrow, QRect(0, 45, 120, 90), "hide analogues");
    upgrey->setAutoFillBackground(true);
    dngreen = makeGlyph(Cpanel, "dngreen", Glyph::ArrowDown, GreenArrow, QRect(0, 1075, 120, 90), "show digitals");
    upgreen = makeGlyph(Cpanel, "upgreen", Glyph::ArrowUp, GreenArrow, QRect(0, 1075, 120, 90), "hide digitals");
    dnred = makeGlyph(Cpanel, "dnred", Glyph::ArrowDown, RedArrow, QRect(15, 1370, 120, 90), "show days");
    upred = makeGlyph(Cpanel, "upred", Glyph::ArrowUp, RedArrow, QRect(15, 1715, 120, 90), "hide days");
    dngreen->hide();
    dnred->hide();
    for (GlyphButton* arrow : {upgrey, dngreen, upgreen, dnred, upred}) {
        arrow->raise();
    }
    connect(upgrey, &GlyphButton::clicked, this, &huxofrm::upgrey_Click);
    connect(dngreen, &GlyphButton::clicked, this, &huxofrm::dngreen_Click);
    connect(upgreen, &GlyphButton::clicked, this, &huxofrm::upgreen_Click);
    connect(dnred, &GlyphButton::clicked, this, &huxofrm::dnred_Click);
    connect(upred, &GlyphButton::clicked, this, &huxofrm::upred_Click);
}

void huxofrm::buildControlPanel()
{
    using Glyph = GlyphButton::Glyph;
    CtrlPanel1 = makeControl<QWidget>(Cpanel, "CtrlPanel1");
    CtrlPanel1->setGeometry(
        Twips::toPixels(FiveClockPanelLeft, ControlPanelTop, ControlPanelWidth, ControlPanelHeight));
    CtrlPanel1->setAutoFillBackground(true);

    // Top to bottom; what is needed with the analogues hidden sits lowest, where it stays in sight.
    DispChgBox = makeGlyph(
        CtrlPanel1, "DispChgBox", Glyph::Bar, HotSpotDark, QRect(15, 15, 135, 60), "click to set preferences");
    Image1 = makeGlyph(CtrlPanel1, "Image1", Glyph::Globe, PanelAccent, QRect(15, 105, 135, 120), "About HUXO");
    Image2 = makeGlyph(
        CtrlPanel1, "Image2", Glyph::Question, PanelAccent, QRect(15, 240, 135, 120), "double-click for Help");
    Image3 = makeGlyph(CtrlPanel1, "Image3", Glyph::Today, RedArrow, QRect(15, 375, 135, 120));
    Image5 = makeGlyph(
        CtrlPanel1, "Image5", Glyph::Calendar, PanelAccent, QRect(15, 510, 135, 120), "double-click for calendar");
    Option1 =
        makeGlyph(CtrlPanel1, "Option1", Glyph::Pin, PanelInk, QRect(15, 645, 135, 120), "click to keep HUXO on top");
    Option1->setCheckable(true);
    AlmBtn = makeGlyph(CtrlPanel1, "AlmBtn", Glyph::Bell, PanelInk, QRect(15, 780, 135, 120), "alarm settings");
    OntopBtn = makeGlyph(CtrlPanel1, "OntopBtn", Glyph::Columns, PanelInk, QRect(15, 915, 135, 105), "more clocks");
    Command1 = makeGlyph(CtrlPanel1, "Command1", Glyph::One, PanelAccent, QRect(15, 1035, 60, 105), "accessory 1");
    Command2 = makeGlyph(CtrlPanel1, "Command2", Glyph::Two, PanelAccent, QRect(90, 1035, 60, 105), "accessory 2");
    Command1->hide();
    Command2->hide();
    for (GlyphButton* button : {Image1, Image2, Image3, Image5}) {
        button->setActsOnDoubleClick(true);
    }
    // Takes the keyboard focus away from the small buttons after the mouse used them; it has no size of its own,
    // is no Tab stop and is nothing a screen reader should present.
    Keepfcs = makeControl<QPushButton>(CtrlPanel1, "Keepfcs");
    Keepfcs->setGeometry(0, 0, 0, 0);
    Keepfcs->setFocusPolicy(Qt::NoFocus);
    AccessibleControls::hideFromScreenReaders(Keepfcs);

    connect(OntopBtn, &GlyphButton::clicked, this, &huxofrm::OntopBtn_Click);
    connect(Option1, &GlyphButton::clicked, this, &huxofrm::Option1_Click);
    connect(Option1, &GlyphButton::doubleClicked, this, &huxofrm::Option1_DblClick);
    connect(Command1, &GlyphButton::clicked, this, [this] {
        startAccessory(Command1, QStringLiteral("a1.exe"), QStringLiteral("File error A1"));
    });
    connect(Command2, &GlyphButton::clicked, this, [this] {
        startAccessory(Command2, QStringLiteral("a2.exe"), QStringLiteral("File error A2"));
    });
    connect(Image5, &GlyphButton::doubleClicked, this, [this] { showCalendar(true); });
    connect(DispChgBox, &GlyphButton::pressed, this, [this] { markPreferencesHotSpot(false); });
    connect(DispChgBox, &GlyphButton::doubleClicked, this, [this] { markPreferencesHotSpot(false); });
}

void huxofrm::buildCalendar()
{
    DateFrame = makeControl<QWidget>(Cpanel, "DateFrame");
    DateFrame->setGeometry(Twips::toPixels(CalendarLeft, CalendarTop, CalendarWidth, CalendarHeight));
    DateFrame->setAutoFillBackground(true);
    Image4 = makeGlyph(DateFrame, "Image4", GlyphButton::Glyph::Page, PageInk, QRect(45, 75, 885, 1890));
    Image4->setActsOnDoubleClick(true);

    // The page's rows line up with the window's bands, so each band shows its part of the calendar.
    struct Row
    {
        QLabel* huxofrm::*member;
        const char* name;
        int top;
        int height;
        int pixelSize;
        bool bold;
        QColor colour;
    };
    const Row rows[] = {
        {&huxofrm::DayLbl, "DayLbl", 90, 240, 10, true, PageHeaderText},
        {&huxofrm::DateLbl, "DateLbl", 420, 540, 30, true, PageInk},
        {&huxofrm::MonthLbl, "MonthLbl", 1030, 240, 11, false, PageInk},
        {&huxofrm::YrLbl, "YrLbl", 1305, 285, 13, true, PageInk},
        {&huxofrm::Xlbl, "Xlbl", 1650, 240, 9, true, RedArrow},
    };
    for (const Row& row : rows) {
        auto* label = makeControl<QLabel>(DateFrame, row.name);
        label->setGeometry(Twips::toPixels(45, row.top, 885, row.height));
        label->setAlignment(Qt::AlignCenter);
        label->setFont(designFont(QStringLiteral("MS Sans Serif"), row.pixelSize, row.bold));
        colourLabel(label, row.colour, QColor());
        this->*row.member = label;
    }
    Xlbl->setText(QStringLiteral("HUXO"));
    for (QLabel* label : {DateLbl, DayLbl, MonthLbl, YrLbl}) {
        m_hooks->onDoubleClick(label, [this] { showCalendar(false); });
    }
    connect(Image4, &GlyphButton::doubleClicked, this, [this] { showCalendar(false); });
    DateFrame->raise();
}

void huxofrm::ColChg()
{
    const bool black = m_module.ColourScheme == Colours::Black;
    const QColor background = black ? QColor(0, 0, 0) : QApplication::palette().color(QPalette::Button);
    // Navy reads on the light grey of most desktops; on a dark one it turns to a light blue that still reads.
    const QColor captionText =
        black ? QColor(255, 255, 255) : Contrast::readableOn(NavyCaption, background, Contrast::SmallPrintRatio);
    for (QWidget* surface :
         {static_cast<QWidget*>(this), Cpanel, CtrlPanel1, DateFrame, static_cast<QWidget*>(upgrey)}) {
        setBackground(surface, background);
    }
    for (ClockFace* face : m_faces) {
        face->setBackColor(background);
    }
    paintFacePictures();
    for (QLabel* caption : m_captions) {
        colourLabel(caption, captionText, QColor());
    }
}

void huxofrm::UpdateCaptions()
{
    if (m_module.CCaption.isEmpty()) {
        m_module.CCaption = QStringLiteral("WELCOME");
    }
    if (LocCap->text().isEmpty()) {
        LocCap->setText(QStringLiteral("LOCAL"));
    }
    BCap->setText(QStringLiteral("GMT / UTC"));
    m_module.ShowCaptions();
}

void huxofrm::Timer1_Timer()
{
    const qint16 minuteShown = m_clockModel.LastMin;
    m_clockModel.DoTick();
    if (m_clockModel.LastMin != minuteShown) {
        refreshZoneHints();
    }
    if (isMinimized()) {
        setWindowTitle(minimisedCaption());
    }
    armTimer1();
}

QString huxofrm::minimisedCaption() const
{
    if (m_module.TaskbarClock3 == Flag::On) {
        return CTime->text() + u' ' + CCap->text() + u"  (" + CDay->text() + u".) HUXO ";
    }
    return formatDate(m_module.services().clock.now(), u"hh:mm:ss dddd, mmmm dd yyyy") + u" (local) ";
}

void huxofrm::armTimer1()
{
    // Fire just after each change of second, so that the clocks turn over with the system clock; the one
    // millisecond spare covers the part of a millisecond that msec() leaves out.
    const int millisecond = m_module.services().clock.now().time().msec();
    Timer1->start(1000 - millisecond + 1);
}

bool huxofrm::ScaleFaces()
{
    bool afresh = paintFacePictures();
    for (ClockFace* face : m_faces) {
        afresh = face->scaleFace() || afresh;
    }
    return afresh;
}

bool huxofrm::paintFacePictures()
{
    // Drawn for the screen the window is on, so that a screen of another resolution gets a sharp picture rather
    // than a scaled one; all faces share one size.
    const QSize deviceSize = LC->size() * devicePixelRatioF();
    const bool onDarkWindow = Contrast::isDark(LC->backColor());
    if (LC->picture().size() == deviceSize && onDarkWindow == m_facesOnDark) {
        return false;
    }
    m_facesOnDark = onDarkWindow;
    const QImage picture = renderFacePicture(deviceSize, onDarkWindow);
    for (ClockFace* face : m_faces) {
        face->setPicture(picture);
    }
    return true;
}

void huxofrm::setTimeText(int slot, const QString& text)
{
    m_timeLabels[size_t(slot - 1)]->setText(text);
}

void huxofrm::setDayText(int slot, const QString& text)
{
    m_dayLabels[size_t(slot - 1)]->setText(text);
}

void huxofrm::setCaptionText(int slot, const QString& text)
{
    m_captions[size_t(slot - 1)]->setText(text);
}

void huxofrm::ClearFaces()
{
    for (ClockFace* face : m_faces) {
        face->clear();
    }
}

void huxofrm::clearFace(int slot)
{
    face(slot)->clear();
}

void huxofrm::DrawHand(int slot, int x, int y)
{
    face(slot)->drawHand(x, y);
}

void huxofrm::DrawSecHand(int x, int y)
{
    for (ClockFace* face : m_faces) {
        face->drawSecHand(x, y);
    }
}

void huxofrm::drawSecHandOn(int slot, int x, int y)
{
    face(slot)->drawSecHand(x, y);
}

bool huxofrm::cornerPixelIsWhite() const
{
    // The window paints its top-left corner with its background colour and nothing else.
    return palette().color(QPalette::Window) == QColor(255, 255, 255);
}

QString huxofrm::calendarDayText() const
{
    return DateLbl->text();
}

void huxofrm::DoCalDate()
{
    const QDateTime today = m_module.services().clock.now();
    DateLbl->setText(formatDate(today, u"d"));
    DayLbl->setText(formatDate(today, u"dddd"));
    MonthLbl->setText(formatDate(today, u"mmmm"));
    YrLbl->setText(formatDate(today, u"yyyy"));
}
