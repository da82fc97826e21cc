#include <QAction>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "support/Control.h"
#include "support/MainWindowRig.h"
#include "support/ScriptedForms.h"
#include "ui/GlyphButton.h"
#include "ui/info/ACTdoneFrm.h"
#include "ui/info/AbtFrm.h"
#include "ui/info/HUXOhlp.h"

using namespace Qt::StringLiterals;

namespace {

using Rig = MainWindowRig<ScriptedForms>;

const QString FirstUse = u"As you are using HUXO for the first time, you should set your local GMT/UTC offset by "
                         u"double-clicking the second clock from the left. Click the 'OK' button below first..."_s;

// Settings of a program that has run before.
const Settings SetUp = [] {
    Settings stored;
    stored.SetupDone = Flag::On;
    return stored;
}();

// The note being dragged, as the window system delivers it to a widget.
void sendDrag(QWidget* target, QEvent::Type type, const QString& format = ACTdoneFrm::NoteFormat)
{
    QMimeData data;
    data.setData(format, QByteArray());
    const QPointF at(target->width() / 2.0, target->height() / 2.0);
    if (type == QEvent::DragEnter) {
        QDragEnterEvent enter(at.toPoint(), Qt::MoveAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(target, &enter);
    } else {
        QDropEvent drop(at, Qt::MoveAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(target, &drop);
    }
}

// A note on screen, with the bin pictures in the program folder.
ACTdoneFrm& showNote(Rig& rig)
{
    for (const QString& picture : {u"bin.png"_s, u"bin2.png"_s}) {
        QFile::copy(QStringLiteral(HUXO_ASSET_DIR "/") + picture, rig.module->programFile(picture));
    }
    auto& note = rig.forms->get<ACTdoneFrm>();
    note.showNote(u"Please note: HUXO didn't get to check the system time."_s);
    return note;
}

void deleteUnloaded()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class tst_InfoWindows : public QObject
{
    Q_OBJECT

private slots:
    void noteDroppedOnTheBinClosesAtTheThirdTick();
    void noteDroppedOnItselfComesBack();
    void aBinLeftOnViewClosesWithAWhoosh();
    void noteStaysBehindAReminder();

    void helpShowsEachTopicFromItsStart();
    void enterClosesHelpAfterATopic();
    void firstRunOpensHelpOnTheLicence();
    void helpOpensFromTheMainWindow();

    void aboutTurnsTheGlobeAndClosesAfterFiveSeconds();
    void aboutFirstUseMessage_data();
    void aboutFirstUseMessage();
    void aboutAddressFollowsTheServerInUse_data();
    void aboutAddressFollowsTheServerInUse();
};

void tst_InfoWindows::noteDroppedOnTheBinClosesAtTheThirdTick()
{
    Rig rig(&SetUp);
    ACTdoneFrm& note = showNote(rig);
    auto* bin = control<QLabel>(note, "Trash");
    auto* closingTimer = control<QTimer>(note, "Timer1");
    QCOMPARE(note.windowTitle(), u"note"_s);
    QVERIFY(rig.fakes.windowOrder.isTopmost(&note));

    sendDrag(&note, QEvent::DragEnter);
    QVERIFY(!control<QLabel>(note, "Label1")->isVisible());
    QVERIFY(bin->isVisible());
    // Only the note itself is taken: other data dragged in is refused.
    sendDrag(bin, QEvent::DragEnter, u"text/plain"_s);
    sendDrag(bin, QEvent::Drop, u"text/plain"_s);
    QVERIFY(!closingTimer->isActive());

    const QImage emptyBin = bin->pixmap().toImage();
    sendDrag(bin, QEvent::DragEnter);
    sendDrag(bin, QEvent::Drop);
    QVERIFY(!emptyBin.isNull());
    QCOMPARE(bin->pixmap().toImage(), control<QLabel>(note, "Trash2")->pixmap().toImage());
    QVERIFY(bin->pixmap().toImage() != emptyBin);
    QCOMPARE(closingTimer->interval(), 150);
    QVERIFY(closingTimer->isActive());

    QPointer<ACTdoneFrm> closing(&note);
    QMetaObject::invokeMethod(closingTimer, "timeout");
    QMetaObject::invokeMethod(closingTimer, "timeout");
    QVERIFY(rig.forms->loaded<ACTdoneFrm>());
    QMetaObject::invokeMethod(closingTimer, "timeout");
    QVERIFY(!rig.forms->loaded<ACTdoneFrm>());
    QVERIFY(closing->isMinimized());
    deleteUnloaded();
    QVERIFY(!closing);
}

void tst_InfoWindows::noteDroppedOnItselfComesBack()
{
    Rig rig(&SetUp);
    ACTdoneFrm& note = showNote(rig);
    sendDrag(&note, QEvent::DragEnter);
    sendDrag(&note, QEvent::Drop);
    QVERIFY(control<QLabel>(note, "Label1")->isVisible());
    QVERIFY(!control<QLabel>(note, "Trash")->isVisible());
    QVERIFY(!control<QTimer>(note, "Timer1")->isActive());
}

void tst_InfoWindows::aBinLeftOnViewClosesWithAWhoosh()
{
    Rig rig(&SetUp);
    ACTdoneFrm& note = showNote(rig);
    // Dropped outside, the window hears only of the drag passing over it.
    sendDrag(&note, QEvent::DragEnter);
    auto* bin = control<QLabel>(note, "Trash");
    QVERIFY(bin->isVisible() && !control<QLabel>(note, "Label1")->isVisible());

    QPointer<ACTdoneFrm> closing(&note);
    QTest::mouseDClick(bin, Qt::LeftButton);
    QCOMPARE(closing->windowTitle(), u"whooosh!"_s);
    QVERIFY(closing->isMinimized());
    QVERIFY(!rig.forms->loaded<ACTdoneFrm>());
}

void tst_InfoWindows::noteStaysBehindAReminder()
{
    Rig rig(&SetUp);
    rig.forms->reminder = true;
    ACTdoneFrm& note = showNote(rig);
    QVERIFY(!rig.fakes.windowOrder.isTopmost(&note));
}

void tst_InfoWindows::helpShowsEachTopicFromItsStart()
{
    Rig rig(&SetUp);
    rig.fakes.sound.clear();
    auto& help = rig.forms->get<HUXOhlp>();
    help.resize(help.width(), 200);
    help.show();
    auto* shown = control<QPlainTextEdit>(help, "Text1");
    QCOMPARE(help.windowTitle(), u"HUXO Help"_s);
    QCOMPARE(shown->toPlainText(), u"Please select a topic from the menu."_s);
    QCOMPARE(rig.fakes.sound.played(), QStringList{rig.module->programFile(u"b.wav"_s)});

    const auto* topics = control<QMenu>(help, "TopicMnu");
    QCOMPARE(topics->title(), u"&Topics"_s);
    QStringList captions;
    for (const QAction* item : topics->actions()) {
        captions << item->text();
    }
    QCOMPARE(captions,
             (QStringList{u"&General Information"_s,
                          u"&Licensing Agreement"_s,
                          u"&Setting the Clocks"_s,
                          u"Setting &Preferences"_s}));

    const QList<std::pair<const char*, QString>> firstLines = {{"OverVwMnu", u"HUXO WORLD TIME ZONE CLOCKS 5.1"_s},
                                                               {"LicMnu", u"LICENSING AGREEMENT "_s},
                                                               {"SetClksMnu", u"SETTING THE CLOCKS"_s},
                                                               {"PrefMnu", u"SETTING YOUR PREFERENCES"_s}};
    for (const auto& [name, firstLine] : firstLines) {
        auto* item = control<QAction>(help, name);
        item->trigger();
        QCOMPARE(shown->toPlainText().section(u'\n', 0, 0), firstLine);
        // Chosen again after reading further down, the topic starts from its top again.
        shown->verticalScrollBar()->setValue(shown->verticalScrollBar()->maximum());
        QVERIFY2(shown->verticalScrollBar()->value() > 0, qPrintable(firstLine));
        item->trigger();
        QCOMPARE(shown->verticalScrollBar()->value(), 0);
    }
}

void tst_InfoWindows::enterClosesHelpAfterATopic()
{
    Rig rig(&SetUp);
    auto& help = rig.forms->get<HUXOhlp>();
    help.show();
    control<QAction>(help, "SetClksMnu")->trigger();
    QCOMPARE(help.focusWidget(), control<QPushButton>(help, "B1"));
    QTest::keyClick(help.focusWidget(), Qt::Key_Return);
    QVERIFY(!rig.forms->loaded<HUXOhlp>());
    deleteUnloaded();

    // Opened again, it starts afresh.
    QCOMPARE(control<QPlainTextEdit>(rig.forms->get<HUXOhlp>(), "Text1")->toPlainText(),
             u"Please select a topic from the menu."_s);
}

void tst_InfoWindows::firstRunOpensHelpOnTheLicence()
{
    {
        Rig firstRun;
        const HUXOhlp* help = firstRun.forms->loaded<HUXOhlp>();
        QVERIFY(help && help->isVisible());
        const QString shown = control<QPlainTextEdit>(help, "Text1")->toPlainText();
        QVERIFY(shown.startsWith(u"LICENSING AGREEMENT \n"_s));
        QVERIFY2(shown.contains(u"Permission is hereby granted"_s), "the program's own licence is shown");
        QVERIFY2(shown.contains(u"OpenStreetMap contributors"_s), "the map's data is credited");
        // Beside the main window, which would otherwise cover the licence's heading, and whole on the screen.
        QVERIFY(!help->frameGeometry().intersects(firstRun.window->frameGeometry()));
        QVERIFY(help->screen()->availableGeometry().contains(help->frameGeometry()));
    }
    Rig later(&SetUp);
    QVERIFY(!later.forms->loaded<HUXOhlp>());
}

void tst_InfoWindows::helpOpensFromTheMainWindow()
{
    Rig rig(&SetUp);
    for (GlyphButton* picture :
         {control<GlyphButton>(*rig.window, "Image2"), control<GlyphButton>(*rig.window, "Image3")}) {
        QTest::mouseDClick(picture, Qt::LeftButton);
        QVERIFY(rig.forms->loaded<HUXOhlp>());
        rig.forms->unloadAll();
    }
    QTest::mouseDClick(control<GlyphButton>(*rig.window, "Image1"), Qt::LeftButton);
    QVERIFY(rig.forms->loaded<AbtFrm>());
}

void tst_InfoWindows::aboutTurnsTheGlobeAndClosesAfterFiveSeconds()
{
    Rig rig(&SetUp);
    const QString globePath = rig.module->programFile(u"globe.png"_s);
    QVERIFY(QFile::copy(QStringLiteral(HUXO_ASSET_DIR "/globe.png"), globePath));
    control<GlyphButton>(*rig.window, "Option1")->click();
    QVERIFY(rig.fakes.windowOrder.isTopmost(rig.window.get()));

    auto& about = rig.forms->get<AbtFrm>();
    about.show();
    // The main window lets go of the top layer, so that the About window can be seen.
    QVERIFY(!rig.fakes.windowOrder.isTopmost(rig.window.get()));
    QVERIFY(!control<GlyphButton>(*rig.window, "Option1")->isChecked());

    // The globe shows the next of the picture's twelve cells at each tick, starting from the eleventh and wrapping
    // round. A pixmap keeps its pixels premultiplied, so both sides are compared in that form.
    const auto* globe = control<QLabel>(about, "Animage");
    auto* turning = control<QTimer>(about, "animtime");
    QCOMPARE(turning->interval(), 100);
    QVERIFY(turning->isActive());
    const QImage picture(globePath);
    QVERIFY(!picture.isNull());
    const auto cell = [&picture](int index) {
        const int width = picture.width() / 12;
        return picture.copy(index * width, 0, width, picture.height())
            .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    };
    const auto shown = [globe] {
        return globe->pixmap().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    };
    QCOMPARE(shown(), cell(10));
    for (const int next : {11, 0, 1}) {
        QMetaObject::invokeMethod(turning, "timeout");
        QCOMPARE(shown(), cell(next));
    }

    // Five seconds after it opened the window closes by itself and brings the main window back.
    auto* closing = control<QTimer>(about, "Timer1");
    QCOMPARE(closing->interval(), 5000);
    QVERIFY(closing->isActive());
    rig.window->hide();
    QMetaObject::invokeMethod(closing, "timeout");
    QVERIFY(!rig.forms->loaded<AbtFrm>());
    QVERIFY(!turning->isActive());
    QVERIFY(rig.window->isVisible());
    QVERIFY(rig.fakes.dialogs.shown().isEmpty());
}

void tst_InfoWindows::aboutFirstUseMessage_data()
{
    QTest::addColumn<Flag>("setupDone");
    QTest::addColumn<bool>("reminderShown");
    QTest::addColumn<bool>("told");
    QTest::newRow("fresh settings") << Flag::Off << false << true;
    QTest::newRow("set up before") << Flag::On << false << false;
    QTest::newRow("fresh, but a reminder is on screen") << Flag::Off << true << false;
}

void tst_InfoWindows::aboutFirstUseMessage()
{
    QFETCH(Flag, setupDone);
    QFETCH(bool, reminderShown);
    QFETCH(bool, told);
    Rig rig(&SetUp);
    rig.module->SetupDone = setupDone;
    rig.forms->reminder = reminderShown;
    rig.fakes.dialogs.clear();

    auto& about = rig.forms->get<AbtFrm>();
    about.show();
    QTest::mouseClick(control<QLabel>(about, "Image2"), Qt::LeftButton);
    QVERIFY(!rig.forms->loaded<AbtFrm>());
    QCOMPARE(rig.fakes.dialogs.shown().size(), told ? 1 : 0);
    if (told) {
        QCOMPARE(rig.fakes.dialogs.shown().first().text, FirstUse);
        QCOMPARE(rig.fakes.dialogs.shown().first().title, u"HUXO 5.1"_s);
    }
}

void tst_InfoWindows::aboutAddressFollowsTheServerInUse_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("shown");
    QTest::newRow("mirror") << u"mirror.huxo-clock.net/huxo/"_s << u"mirror.huxo-clock.net/huxo/huxo.htm"_s;
    QTest::newRow("ten characters") << u"abcdefghi/"_s << u"www.huxo-clock.net/huxo.htm"_s;
    QTest::newRow("none") << QString() << u"www.huxo-clock.net/huxo.htm"_s;
}

void tst_InfoWindows::aboutAddressFollowsTheServerInUse()
{
    QFETCH(QString, base);
    QFETCH(QString, shown);
    Rig rig(&SetUp);
    rig.module->MServerBase = base;
    auto& about = rig.forms->get<AbtFrm>();
    about.show();
    about.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&about));
    QCOMPARE(control<QLabel>(about, "Label6")->text(), shown);
}

QTEST_MAIN(tst_InfoWindows)
#include "tst_InfoWindows.moc"
