#include "huxofrm.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>

#include "core/DateFormat.h"
#include "core/Module1.h"
#include "core/ProgramTitle.h"
#include "core/Twips.h"
#include "platform/Clock.h"
#include "ui/Controls.h"
#include "ui/main/ClockFace.h"
#include "ui/main/FacePicture.h"

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
};

// Twips inside the clock panel, local clock first.
// clang-format off
constexpr std::array<Column, ClockModel::SlotCount> Columns = {{
    {"LC", &huxofrm::LC, "LocCap", &huxofrm::LocCap, "LocTime", &huxofrm::LocTime, "LocDay", &huxofrm::LocDay,
     75, 150, 180},
    {"GMTc", &huxofrm::GMTc, "BCap", &huxofrm::BCap, "GMTtime", &huxofrm::GMTtime, "GMTDay", &huxofrm::GMTDay,
     1140, 1140, 1245},
    {"CC", &huxofrm::CC, "CCap", &huxofrm::CCap, "CTime", &huxofrm::CTime, "CDay", &huxofrm::CDay, 2250, 2235, 2340},
    {"DC", &huxofrm::DC, "DCap", &huxofrm::DCap, "DTime", &huxofrm::DTime, "DDay", &huxofrm::DDay, 3315, 3330, 3435},
    {"EC", &huxofrm::EC, "ECap", &huxofrm::ECap, "ETime", &huxofrm::ETime, "EDay", &huxofrm::EDay, 4400, 4415, 4530},
    {"FC", &huxofrm::FC, "FCap", &huxofrm::FCap, "FTime", &huxofrm::FTime, "FDay", &huxofrm::FDay, 5460, 5460, 5580},
    {"GC", &huxofrm::GC, "GCap", &huxofrm::GCap, "GTime", &huxofrm::GTime, "GDay", &huxofrm::GDay, 6530, 6540, 6660},
}};
// clang-format on

constexpr int FaceTop = 30;
constexpr int FaceWidth = 915;
constexpr int FaceHeight = 885;
constexpr int CaptionTop = 1000;
constexpr int CaptionWidth = 915;
constexpr int LocalCaptionWidth = 735;
constexpr int CaptionHeight = 240;
constexpr int TimeTop = 1275;
constexpr int DayTop = 1620;
constexpr int ReadoutWidth = 720;
constexpr int ReadoutHeight = 285;
constexpr int PanelWidth = 7605;
constexpr int PanelHeight = 2445;
constexpr int PanelTop = 20;
constexpr int FirstRunWidth = 7625;
constexpr int FirstRunHeight = 2350;

const QColor ReadoutBackground(0, 0, 0);
const QColor TimeColour(0, 255, 0);
const QColor DayColour(255, 0, 0);
const QColor NavyCaption(0, 0, 128);

QFont readoutFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setPixelSize(14);
    font.setBold(true);
    return font;
}

QFont captionFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Small Fonts"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setPixelSize(10);
    return font;
}

void colourLabel(QLabel* label, const QColor& text, const QColor& background)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Window, background);
    label->setPalette(palette);
    label->setAutoFillBackground(background.isValid());
}

} // namespace

huxofrm::huxofrm(Module1& module, QWidget* parent)
    : QWidget(parent)
    , m_module(module)
    , m_clockModel(module, *this)
{
    setObjectName(QStringLiteral("huxofrm"));
    setWindowTitle(ProgramTitle());
    Cpanel = makeControl<QWidget>(this, "Cpanel");
    Cpanel->setGeometry(Twips::toPixels(0, PanelTop, PanelWidth, PanelHeight));
    Cpanel->setAutoFillBackground(true);
    buildClockColumns();
    buildCalendar();
    Timer1 = makeControl<QTimer>(this, "Timer1");
    Timer1->setSingleShot(true);
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, &huxofrm::Timer1_Timer);
    setFixedSize(Twips::toPixels(FirstRunWidth), Twips::toPixels(FirstRunHeight));
}

huxofrm::~huxofrm() = default;

void huxofrm::buildClockColumns()
{
    for (size_t i = 0; i < Columns.size(); ++i) {
        const Column& column = Columns[i];
        auto* face = makeControl<ClockFace>(Cpanel, column.face);
        face->setGeometry(Twips::toPixels(column.faceLeft, FaceTop, FaceWidth, FaceHeight));

        auto* caption = makeControl<QLabel>(Cpanel, column.caption);
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
}

void huxofrm::buildCalendar()
{
    DateFrame = makeControl<QWidget>(Cpanel, "DateFrame");
    DateFrame->setGeometry(Twips::toPixels(1140, -30, 975, 2025));
    DateFrame->setAutoFillBackground(true);
    DateLbl = makeControl<QLabel>(DateFrame, "DateLbl");
    DayLbl = makeControl<QLabel>(DateFrame, "DayLbl");
    MonthLbl = makeControl<QLabel>(DateFrame, "MonthLbl");
    YrLbl = makeControl<QLabel>(DateFrame, "YrLbl");
    int top = 150;
    for (QLabel* label : {DayLbl, DateLbl, MonthLbl, YrLbl}) {
        label->setGeometry(Twips::toPixels(0, top, 975, label == DateLbl ? 600 : 300));
        label->setAlignment(Qt::AlignCenter);
        top += label == DateLbl ? 650 : 350;
    }
    DateFrame->hide();
}

void huxofrm::Form_Load()
{
    for (QLabel* day : {GMTDay, CDay, DDay, EDay, FDay, GDay}) {
        day->clear();
    }
    DoCalDate();
    m_module.LoadSettings();
    ColChg();
    LC->setPicture(renderFacePicture(LC->size() * devicePixelRatioF()));
    for (ClockFace* face : {GMTc, CC, DC, EC, FC, GC}) {
        face->setPicture(LC->picture());
    }
    m_clockModel.LastMin = -1;
    UpdateCaptions();
    Timer1_Timer();
}

void huxofrm::ColChg()
{
    const bool black = m_module.ColourScheme == 1;
    const QColor background = black ? QColor(0, 0, 0) : QApplication::palette().color(QPalette::Button);
    const QColor captionText = black ? QColor(255, 255, 255) : NavyCaption;
    for (QWidget* surface : {static_cast<QWidget*>(this), Cpanel, DateFrame}) {
        QPalette palette = surface->palette();
        palette.setColor(QPalette::Window, background);
        surface->setPalette(palette);
    }
    setAutoFillBackground(true);
    for (ClockFace* face : m_faces) {
        face->setBackColor(background);
    }
    for (QLabel* caption : m_captions) {
        colourLabel(caption, captionText, QColor());
    }
}

void huxofrm::UpdateCaptions()
{
    if (m_module.CCaption.isEmpty()) {
        m_module.CCaption = QStringLiteral("WELCOME");
    }
    LocCap->setText(m_module.LocCaption.isEmpty() ? QStringLiteral("LOCAL") : m_module.LocCaption);
    BCap->setText(QStringLiteral("GMT / UTC"));
    CCap->setText(m_module.CCaption);
    DCap->setText(m_module.DCaption);
    ECap->setText(m_module.ECaption);
    FCap->setText(m_module.FCaption);
    GCap->setText(m_module.GCaption);
}

void huxofrm::Timer1_Timer()
{
    m_clockModel.DoTick();
    armTimer1();
}

void huxofrm::armTimer1()
{
    // Fire just after each change of second, so that the clocks turn over with the system clock; the one
    // millisecond spare covers the part of a millisecond that msec() leaves out.
    const int millisecond = m_module.services().clock.now().time().msec();
    Timer1->start(1000 - millisecond + 1);
}

void huxofrm::ScaleFaces()
{
    for (ClockFace* face : m_faces) {
        face->scaleFace();
    }
}

void huxofrm::setTimeText(int slot, const QString& text)
{
    m_timeLabels[size_t(slot - 1)]->setText(text);
}

void huxofrm::setDayText(int slot, const QString& text)
{
    m_dayLabels[size_t(slot - 1)]->setText(text);
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
