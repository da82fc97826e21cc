#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QTest>

#include "support/MainWindowRig.h"
#include "ui/AccessibleNames.h"
#include "ui/GlyphButton.h"
#include "ui/main/ClockFace.h"

using namespace Qt::StringLiterals;

namespace {
QString accessibleText(QWidget* widget, QAccessible::Text text)
{
    QAccessibleInterface* interface = QAccessible::queryAccessibleInterface(widget);
    return interface ? interface->text(text) : QString();
}
QString nameOf(QWidget* widget)
{
    return accessibleText(widget, QAccessible::Name);
}
QString descriptionOf(QWidget* widget)
{
    return accessibleText(widget, QAccessible::Description);
}
} // namespace

class tst_AccessibleNames : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qApp->installEventFilter(&m_names); }
    void picturesAreNamedByTheirToolTipsAsTheyChange();
    void everyControlOfTheMainWindowCanBeRead();

private:
    AccessibleNames m_names;
};

void tst_AccessibleNames::picturesAreNamedByTheirToolTipsAsTheyChange()
{
    QWidget window;
    auto* picture = new QWidget(&window);
    picture->setToolTip(u"double-click to set"_s);
    auto* untipped = new GlyphButton(GlyphButton::Glyph::Bell, Qt::black, &window);
    untipped->setObjectName(u"AlmBtn"_s);
    auto* label = new QLabel(u"LONDON"_s, &window);
    label->setToolTip(u"double-click for alarm settings"_s);
    auto* named = new QWidget(&window);
    named->setAccessibleName(u"calendar page"_s);
    window.show();

    QCOMPARE(nameOf(picture), u"double-click to set"_s);
    QVERIFY(nameOf(untipped).isEmpty()); // rather than a code name
    QCOMPARE(nameOf(label), u"LONDON"_s);
    QCOMPARE(descriptionOf(label), u"double-click for alarm settings"_s);

    picture->setToolTip(u"local time 08/12/2026"_s);
    named->setToolTip(u"a tip"_s);
    QCOMPARE(nameOf(picture), u"local time 08/12/2026"_s);
    QCOMPARE(nameOf(named), u"calendar page"_s);
    // A widget made after the window was shown is named when it is first polished.
    auto* late = new GlyphButton(GlyphButton::Glyph::Pin, Qt::black, &window);
    late->setToolTip(u"keep on top"_s);
    late->show();
    QCOMPARE(nameOf(late), u"keep on top"_s);
}

void tst_AccessibleNames::everyControlOfTheMainWindowCanBeRead()
{
    MainWindowRig rig;
    huxofrm& window = *rig.window;
    window.show();

    // Labels, picture buttons and faces are what a user reads or clicks; the panels only hold them.
    const auto readableControls = [&window] {
        int readable = 0;
        for (QWidget* control : window.findChildren<QWidget*>()) {
            const bool readOrClicked = qobject_cast<QLabel*>(control) || qobject_cast<GlyphButton*>(control)
                                       || qobject_cast<ClockFace*>(control);
            if (!readOrClicked || !control->isVisibleTo(&window)) {
                continue;
            }
            if (nameOf(control).isEmpty() || descriptionOf(control).isEmpty()) {
                qWarning() << "unreadable:" << control->objectName();
                return -1;
            }
            ++readable;
        }
        return readable;
    };
    // Seven columns of four, three band arrows, eight panel buttons; then the calendar's page and five rows.
    QCOMPARE(readableControls(), 7 * 4 + 3 + 8);
    control<QWidget>(window, "DateFrame")->show();
    QCOMPARE(readableControls(), 7 * 4 + 3 + 8 + 6);

    QCOMPARE(nameOf(window.face(3)), u"clock 3 - double-click to set."_s);
    QCOMPARE(nameOf(control<QLabel>(window, "CTime")), control<QLabel>(window, "CTime")->text());
    QCOMPARE(descriptionOf(control<GlyphButton>(window, "Image3")), u"Tuesday December 08 2026"_s);

    rig.module->AnaloguesHidden = Flag::On;
    window.ApplyArrows();
    QCOMPARE(nameOf(control<GlyphButton>(window, "dngreen")), u"show analogues"_s);
}

QTEST_MAIN(tst_AccessibleNames)
#include "tst_AccessibleNames.moc"
