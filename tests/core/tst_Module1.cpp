#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include "core/Module1.h"
#include "support/FakeServices.h"

using namespace Qt::StringLiterals;

class tst_Module1 : public QObject
{
    Q_OBJECT

private slots:
    void appDirEndsWithOneSeparator();
    void settingsSurviveASaveAndALoad();
    void unusableSettingsFileIsReportedAndNothingIsLost();
    void soundsAndWindowOrderGoThroughTheServices();
};

void tst_Module1::appDirEndsWithOneSeparator()
{
    FakeServices fakes;
    QCOMPARE(Module1(fakes.services(), u"/opt/huxo"_s).AppDir(), u"/opt/huxo/"_s);
    QCOMPARE(Module1(fakes.services(), u"/opt/huxo/"_s).AppDir(), u"/opt/huxo/"_s);
    QCOMPARE(Module1(fakes.services(), u"/opt/huxo"_s).AppPath, u"/opt/huxo/"_s);
}

void tst_Module1::settingsSurviveASaveAndALoad()
{
    QTemporaryDir dir;
    FakeServices fakes;
    Module1 first(fakes.services(), dir.path());
    first.LoadSettings();
    QVERIFY(QFile::exists(dir.filePath(u"huxo.ini"_s)));
    first.CCaption = u"LONDON"_s;
    first.ProxyName = u"cache.example.net:3128"_s;
    QVERIFY(first.SaveSettings());

    Module1 second(fakes.services(), dir.path());
    second.LoadSettings();
    QCOMPARE(second.CCaption, u"LONDON"_s);
    QCOMPARE(second.ProxyName, u"cache.example.net:3128"_s);
    QVERIFY(fakes.dialogs.shown().isEmpty());
}

void tst_Module1::unusableSettingsFileIsReportedAndNothingIsLost()
{
    QTemporaryDir dir;
    // A folder where the file should be can be neither read nor replaced, even by root.
    QVERIFY(QDir(dir.path()).mkdir(u"huxo.ini"_s));
    FakeServices fakes;
    Module1 module(fakes.services(), dir.path());
    module.LoadSettings();
    QCOMPARE(fakes.dialogs.shown().size(), 1);
    QVERIFY(fakes.dialogs.shown().first().text.contains(u"could not read"_s));

    module.CCaption = u"TOKYO"_s;
    QVERIFY(!module.SaveSettings());
    QCOMPARE(fakes.dialogs.shown().size(), 2);
    const auto& saveMessage = fakes.dialogs.shown().last();
    QVERIFY(saveMessage.text.contains(u"could not save"_s));
    QCOMPARE(saveMessage.title, u"HUXO 5.1"_s);
    QCOMPARE(module.CCaption, u"TOKYO"_s);
    QVERIFY(QFileInfo(dir.filePath(u"huxo.ini"_s)).isDir());
}

void tst_Module1::soundsAndWindowOrderGoThroughTheServices()
{
    FakeServices fakes;
    Module1 module(fakes.services(), u"/opt/huxo"_s);
    module.PlayWav(QString());
    module.PlayWav(module.programFile(u"b.wav"_s));
    QCOMPARE(fakes.sound.played(), QStringList{u"/opt/huxo/b.wav"_s});

    QWidget window;
    module.OnTop(&window);
    QVERIFY(fakes.windowOrder.isTopmost(&window));
    module.OffTop(&window);
    QVERIFY(!fakes.windowOrder.isTopmost(&window));
}

QTEST_MAIN(tst_Module1)
#include "tst_Module1.moc"
