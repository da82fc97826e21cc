#include <QTemporaryDir>
#include <QTest>

#include "core/Module1.h"
#include "support/FakeServices.h"
#include "ui/Forms.h"

namespace {

class SomeFrm final : public QWidget
{
public:
    SomeFrm(Module1& module, Forms& forms)
        : module(module)
        , forms(forms)
    {
        ++built;
    }
    ~SomeFrm() override { ++destroyed; }

    Module1& module;
    Forms& forms;
    inline static int built = 0;
    inline static int destroyed = 0;
};

} // namespace

class tst_Forms : public QObject
{
    Q_OBJECT

private slots:
    void oneInstanceUntilUnloaded();
};

void tst_Forms::oneInstanceUntilUnloaded()
{
    QTemporaryDir dir;
    FakeServices fakes;
    Module1 module(fakes.services(), dir.path());
    {
        Forms forms(module);
        QVERIFY(!forms.loaded<SomeFrm>());
        SomeFrm& first = forms.get<SomeFrm>();
        QCOMPARE(&first.module, &module);
        QCOMPARE(&first.forms, &forms);
        QCOMPARE(&forms.get<SomeFrm>(), &first);
        QCOMPARE(SomeFrm::built, 1);

        // Unloading from the window's own handler: it is forgotten at once and deleted later.
        first.show();
        forms.unload(&first);
        QVERIFY(!first.isVisible());
        QVERIFY(!forms.loaded<SomeFrm>());
        QCOMPARE(SomeFrm::destroyed, 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(SomeFrm::destroyed, 1);

        forms.get<SomeFrm>();
        QCOMPARE(SomeFrm::built, 2);
    }
    // The program's end takes every window with it.
    QCOMPARE(SomeFrm::destroyed, 2);
}

QTEST_MAIN(tst_Forms)
#include "tst_Forms.moc"
