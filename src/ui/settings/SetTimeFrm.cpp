// The clock settings window: its controls, the map with its hot spots, and how it is opened and closed.
#include "SetTimeFrm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

#include "core/Module1.h"
#include "core/PictureFile.h"
#include "core/Twips.h"
#include "ui/AccessibleControls.h"
#include "ui/Controls.h"
#include "ui/DesignFont.h"
#include "ui/EventHooks.h"
#include "ui/Forms.h"
#include "ui/MainWindow.h"
#include "ui/StorableText.h"
#include "ui/settings/MapViewport.h"
#include "ui/settings/PressLabel.h"
#include "zones/DstText.h"
#include "zones/HotSpots.h"
#include "zones/ZoneGrid.h"
#include "zones/ZoneHint.h"
#include "zones/ZoneTable.h"

namespace {

QFont fontOfSize(int pixelSize, bool bold = false)
{
    return designFont(QStringLiteral("MS Sans Serif"), pixelSize, bold);
}

// What a screen reader calls a map area: its offset and the first place listed for it, "GMT+5:30, BOMBAY".
QString areaName(float offset)
{
    const QString zone = gmtOffsetName(int(std::lround(offset * 60)));
    const QStringList places = placeListFor(offset);
    return places.isEmpty() ? zone : zone + u", " + places.constFirst();
}

} // namespace

SetTimeFrm::SetTimeFrm(Module1& module, Forms& forms)
    : QWidget(nullptr, Qt::Window)
    , m_module(module)
    , m_forms(forms)
    , m_hooks(new EventHooks(this))
    , m_dstText(DstText::builtInNotice())
{
    setObjectName(QStringLiteral("SetTimeFrm"));
    setFixedSize(Twips::toPixels(5205), Twips::toPixels(4680));
    setFont(fontOfSize(11));
    buildMap();
    buildEditor();
    buildGmtPanel();
    buildDstView();
    Form_Load();
}

SetTimeFrm& SetTimeFrm::showFor(Forms& forms, const QString& clock, const QString& caption)
{
    forms.module().SetClock = clock;
    SetTimeFrm& window = forms.get<SetTimeFrm>();
    window.LTxt->setText(caption);
    window.show();
    window.raise();
    window.activateWindow();
    // The main window was active until now, so this is an activation even where the window system is slow to say so.
    window.showStoredSettings();
    return window;
}

void SetTimeFrm::buildMap()
{
    MapWindow = makeControl<MapViewport>(this, "MapWindow");
    placeInTwips(MapWindow, 240, 240, 1455, 2760);
    MapWindow->setToolTip(QStringLiteral("Time Zone Map"));
    // The keyboard goes round the map zone by zone (the arrow keys) and picks one with Enter or Space.
    MapWindow->setFocusPolicy(Qt::TabFocus);
    MapWindow->installEventFilter(this);
    MapWindow->setPalette(QPalette(QColor(58, 116, 186)));

    Map = makeControl<QWidget>(MapWindow, "Map");
    placeInTwips(Map, -30, -30, 6255, 2790);
    Image1 = makeControl<QLabel>(Map, "Image1");
    const QPixmap picture = QPixmap::fromImage(readPictureFile(m_module.assetFile(QStringLiteral("map.png"))));
    Image1->setPixmap(picture);
    Image1->setGeometry(0, 0, Map->width(), Map->height());
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The areas over it say what it shows.
    AccessibleControls::hideFromScreenReaders(Image1);
    MapWindow->setMap(Map, picture, Twips::toPixels(MapPictureWidth));

    // Where two areas overlap, the smaller one lies on top and takes the click. Each area takes the shape of its
    // zone: a press on land painted with another offset falls through to the areas beneath.
    const ZoneGrid zones(m_module.assetFile(QStringLiteral("map_zones.png")));
    std::vector<const HotSpot*> bySize;
    for (const HotSpot& spot : hotSpots()) {
        bySize.push_back(&spot);
    }
    std::stable_sort(bySize.begin(), bySize.end(), [](const HotSpot* a, const HotSpot* b) {
        return a->width * a->height > b->width * b->height;
    });
    for (const HotSpot* spot : bySize) {
        const QByteArray name = "Image" + QByteArray::number(spot->number);
        auto* area = makeControl<PressLabel>(Map, name.constData());
        placeInTwips(area, spot->left, spot->top, spot->width, spot->height);
        area->setAccessibleName(areaName(spot->offset));
        if (!zones.isNull()) {
            const QRegion shape = zones.shapeOf(area->geometry(), spot->offset);
            area->setMask(shape.translated(-area->pos()));
            // An empty mask would mean none at all: an area with nothing of its own to take stays out of reach.
            area->setVisible(!shape.isEmpty());
        }
        const float offset = spot->offset;
        // Image87 alone answers a completed left click rather than the press of any button.
        if (spot->number == 87) {
            connect(area, &PressLabel::clicked, this, [this, offset] { MapClik(offset); });
        } else {
            connect(area, &PressLabel::pressed, this, [this, offset] { MapClik(offset); });
        }
        addMapStop(area, offset);
    }

    HScroll1 = makeControl<QScrollBar>(this, "HScroll1");
    HScroll1->setOrientation(Qt::Horizontal);
    placeInTwips(HScroll1, 240, 3000, 1465, 255);
    HScroll1->setRange(-6000, 1515);
    HScroll1->setSingleStep(100);
    HScroll1->setPageStep(500);
    HScroll1->setValue(-6000);
    // The map moves right as the value grows: laid out right to left, the thumb, the arrows and the keys all
    // move the same way as the view.
    HScroll1->setLayoutDirection(Qt::RightToLeft);
    connect(HScroll1, &QScrollBar::valueChanged, this, &SetTimeFrm::HScroll1_Change);
    HScroll1->installEventFilter(this);
    HScroll1->setAccessibleName(QStringLiteral("scroll the map"));

    InfoDisply = makeControl<QLabel>(this, "InfoDisply");
    placeInTwips(InfoDisply, 240, 3330, 1700, 960);
    InfoDisply->setWordWrap(true);
    InfoDisply->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    InfoDisply->setFont(fontOfSize(9));
}

void SetTimeFrm::buildEditor()
{
    const auto heading = [this](int index, const char* text, int top) {
        const QByteArray name = "ItemLabel_" + QByteArray::number(index);
        QLabel* label = makeControl<QLabel>(this, name.constData());
        label->setText(QString::fromLatin1(text));
        placeInTwips(label, 2100, top, 3000, 255);
        m_hooks->onDoubleClick(label, [this] { ItemLabel_DblClick(); });
        ItemLabel[size_t(index)] = label;
        return label;
    };
    QLabel* captionHeading = heading(0, "Clock Caption", 240);
    LTxt = makeControl<QLineEdit>(this, "LTxt");
    captionHeading->setBuddy(LTxt);
    placeInTwips(LTxt, 2100, 510, 2925, 345);
    LTxt->setMaxLength(15);
    LTxt->setText(QStringLiteral("GMT"));
    LTxt->setToolTip(QStringLiteral("enter caption, max 15 characters. "));
    acceptOnlyStorableText(LTxt);
    connect(LTxt, &QLineEdit::textChanged, this, &SetTimeFrm::LTxt_Change);

    heading(1, "Hours and Minutes Difference from GMT", 1110);
    // The displays the user clicks look pressed in, like the boxes they stand for.
    // They take the keyboard focus and step with the arrow keys or + and -.
    const auto clickable = [this](const char* name, const char* text, const char* tip, const char* spokenName) {
        PressLabel* control = makeControl<PressLabel>(this, name);
        control->setText(QString::fromLatin1(text));
        control->setToolTip(QString::fromLatin1(tip));
        control->setStepping(true);
        control->setAccessibleName(QString::fromLatin1(spokenName));
        control->setAlignment(Qt::AlignCenter);
        control->setFrameShape(QFrame::Panel);
        control->setFrameShadow(QFrame::Sunken);
        return control;
    };
    const QFont displayFont = fontOfSize(18, true);
    HourLbl = clickable("HourLbl", "00", "click left/right mouse buttons to alter hours", "hours difference from GMT");
    HourLbl->setFont(displayFont);
    placeInTwips(HourLbl, 2400, 1380, 615, 420);
    connect(HourLbl, &PressLabel::pressed, this, &SetTimeFrm::HourLbl_MouseDown);
    connect(HourLbl, &PressLabel::stepped, this, &SetTimeFrm::stepHours);
    Label1 = makeControl<QLabel>(this, "Label1");
    Label1->setText(QStringLiteral(":"));
    Label1->setFont(displayFont);
    Label1->setAlignment(Qt::AlignCenter);
    placeInTwips(Label1, 3015, 1380, 180, 420);
    AccessibleControls::hideFromScreenReaders(Label1);
    MinLbl = clickable("MinLbl", "00", "click to alter minutes", "minutes difference from GMT");
    MinLbl->setFont(displayFont);
    placeInTwips(MinLbl, 3195, 1380, 615, 420);
    connect(MinLbl, &PressLabel::clicked, this, &SetTimeFrm::MinLbl_Click);
    connect(MinLbl, &PressLabel::stepped, this, &SetTimeFrm::stepMinutes);

    QLabel* seasonal = heading(5, "Summer DST Hour Offset ", 1950);
    seasonal->setToolTip(QStringLiteral("double-click this label for DST Info."));
    placeInTwips(seasonal, 2100, 1950, 2100, 255);
    HourOnLbl =
        clickable("HourOnLbl", "0", "click for seasonal adjustments for this location. ", "summer DST hour offset");
    placeInTwips(HourOnLbl, 4260, 1905, 495, 330);
    connect(HourOnLbl, &PressLabel::clicked, this, &SetTimeFrm::HourOnLbl_Click);
    connect(HourOnLbl, &PressLabel::stepped, this, &SetTimeFrm::HourOnLbl_Click);

    // What the time-zone database says of the place in the caption, or of the computer's zone.
    ZoneHintLbl = makeControl<QLabel>(this, "ZoneHintLbl");
    placeInTwips(ZoneHintLbl, 2100, 2265, 2925, 720);
    ZoneHintLbl->setFont(fontOfSize(10, false));
    ZoneHintLbl->setWordWrap(true);
    ZoneHintLbl->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    QLabel* placesHeading = heading(4, "Some Places in This Zone", 3000);
    CityList = makeControl<QListWidget>(this, "CityList");
    placesHeading->setBuddy(CityList);
    placeInTwips(CityList, 2100, 3255, 2925, 690);
    CityList->setToolTip(QStringLiteral("you can select a place from here for the clock caption."));
    CityList->setEnabled(false);
    connect(CityList, &QListWidget::itemClicked, this, &SetTimeFrm::CityList_Click);
    // The arrow keys choose a place as well; a choice by mouse waits for its click, which may come back to the place
    // already chosen after the caption was edited.
    connect(CityList, &QListWidget::itemSelectionChanged, this, [this] {
        if (!m_placePressed && !CityList->selectedItems().isEmpty()) {
            CityList_Click();
        }
    });
    CityList->viewport()->installEventFilter(this);
    CityList->installEventFilter(this);

    Command1 = makeControl<QPushButton>(this, "Command1");
    Command1->setText(QStringLiteral("&DST Info"));
    Command1->setToolTip(QStringLiteral("show DST info file"));
    placeInTwips(Command1, 2100, 4080, 1380, 435);
    // Enter presses the button that has the focus, as it does in a dialog.
    Command1->setAutoDefault(true);
    connect(Command1, &QPushButton::clicked, this, &SetTimeFrm::Command1_Click);
    ApplyBtn = makeControl<QPushButton>(this, "ApplyBtn");
    ApplyBtn->setText(QStringLiteral("&Apply"));
    ApplyBtn->setToolTip(QStringLiteral("save changes to clock"));
    placeInTwips(ApplyBtn, 3645, 4080, 1380, 435);
    ApplyBtn->setAutoDefault(true);
    // The caption box keeps the focus the window opens with; the map comes after Apply in the round of Tab.
    setTabOrder(ApplyBtn, MapWindow);
    connect(ApplyBtn, &QPushButton::clicked, this, &SetTimeFrm::ApplyBtn_Click);
}

void SetTimeFrm::buildGmtPanel()
{
    GMTpanel1 = makeControl<QWidget>(this, "GMTpanel1");
    placeInTwips(GMTpanel1, 2100, 60, 2925, 975);
    GMTpanel1->setAutoFillBackground(true);
    Label3 = makeControl<QLabel>(GMTpanel1, "Label3");
    Label3->setText(QStringLiteral("YOUR LOCAL TIME ZONE"));
    Label3->setFont(fontOfSize(11, true));
    placeInTwips(Label3, 0, 60, 2925, 285);
    Label4 = makeControl<QLabel>(GMTpanel1, "Label4");
    Label4->setText(QStringLiteral("ENTER YOUR LOCAL TIME DIFFERENCE SO THAT HUXO CAN SET THE GMT CLOCK FOR YOU."));
    Label4->setWordWrap(true);
    Label4->setFont(fontOfSize(9));
    Label4->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    placeInTwips(Label4, 0, 375, 2925, 600);
    GMTpanel1->hide();
}

void SetTimeFrm::buildDstView()
{
    Text1 = makeControl<QPlainTextEdit>(this, "Text1");
    placeInTwips(Text1, 60, 60, 5085, 4575);
    Text1->setReadOnly(true);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The colours of an active window's title.
    QPalette titleColours = Text1->palette();
    titleColours.setColor(QPalette::Base, titleColours.color(QPalette::Active, QPalette::Highlight));
    titleColours.setColor(QPalette::Text, titleColours.color(QPalette::Active, QPalette::HighlightedText));
    Text1->setPalette(titleColours);
    Text1->hide();
}

void SetTimeFrm::Form_Load()
{
    if (MainWindow* main = m_forms.mainWindow()) {
        setWindowIcon(main->widget().windowIcon());
    }
    m_module.playClick();
    if (!m_forms.reminderShown()) {
        m_module.OnTop(this);
    }
}

void SetTimeFrm::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange) {
        return;
    }
    if (!isActiveWindow()) {
        m_ownWindowWasActive = QApplication::activeWindow() != nullptr;
    } else if (m_ownWindowWasActive) {
        Form_Activate();
    }
}

void SetTimeFrm::closeEvent(QCloseEvent* event)
{
    if (Form_QueryUnload()) {
        event->ignore();
        return;
    }
    event->accept();
    m_forms.unload(this);
}

bool SetTimeFrm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == HScroll1 && event->type() == QEvent::KeyPress) {
        // A user who steers the map with the keys keeps it where they put it.
        m_module.NoAutoScroll = Flag::On;
    }
    if (watched == MapWindow) {
        return mapKeyboardEvent(event);
    }
    if (watched == CityList && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            CityList_Click();
            return true;
        }
    }
    if (watched == CityList->viewport()) {
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
            m_placePressed = true;
        } else if (event->type() == QEvent::MouseButtonRelease) {
            m_placePressed = false;
        }
    }
    return QWidget::eventFilter(watched, event);
}
