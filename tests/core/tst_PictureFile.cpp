#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include "core/PictureFile.h"

using namespace Qt::StringLiterals;

// The pictures of the program folder, read as a user or a download may have left them.
class tst_PictureFile : public QObject
{
    Q_OBJECT

private slots:
    void aPictureIsReadWhole_data();
    void aPictureIsReadWhole();
    void whatIsNoPictureGivesNone_data();
    void whatIsNoPictureGivesNone();
};

void tst_PictureFile::aPictureIsReadWhole_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("a picture of the program") << QStringLiteral(HUXO_ASSET_DIR "/map.png");
    // The newsletter's picture comes from the update server, in a format of its own.
    QTest::newRow("the newsletter's picture") << QStringLiteral(HUXO_SOURCE_DIR "/server/x__c51/picc.gif");
}

void tst_PictureFile::aPictureIsReadWhole()
{
    QFETCH(QString, path);
    const QImage read = readPictureFile(path);
    QVERIFY(!read.isNull());
    QCOMPARE(read, QImage(path));
}

enum class Instead
{
    Nothing,
    NamedPipe,
    LinkToEndlessDevice,
    Text,
    OverlongFile
};

void tst_PictureFile::whatIsNoPictureGivesNone_data()
{
    QTest::addColumn<Instead>("instead");
    QTest::newRow("nothing") << Instead::Nothing;
    // Opened as a plain file, a pipe would wait for a writer for ever and the device would fill the memory.
    QTest::newRow("named pipe") << Instead::NamedPipe;
    QTest::newRow("link to /dev/zero") << Instead::LinkToEndlessDevice;
    QTest::newRow("an error page") << Instead::Text;
    QTest::newRow("a picture followed by 9 MB") << Instead::OverlongFile;
}

void tst_PictureFile::whatIsNoPictureGivesNone()
{
    QFETCH(Instead, instead);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"pic.gif"_s);
    switch (instead) {
    case Instead::Nothing:
        break;
    case Instead::NamedPipe:
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        break;
    case Instead::LinkToEndlessDevice:
        QVERIFY(QFile::link(u"/dev/zero"_s, path));
        break;
    case Instead::Text:
    case Instead::OverlongFile: {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        if (instead == Instead::Text) {
            file.write("<html><body>404 Not Found</body></html>\n");
        } else {
            QFile map(QStringLiteral(HUXO_ASSET_DIR "/map.png"));
            QVERIFY(map.open(QIODevice::ReadOnly));
            file.write(map.readAll());
            QVERIFY(file.resize(9 * 1024 * 1024));
        }
        break;
    }
    }
    QVERIFY(readPictureFile(path).isNull());
}

QTEST_GUILESS_MAIN(tst_PictureFile)
#include "tst_PictureFile.moc"
