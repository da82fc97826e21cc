#pragma once

#include <QAbstractButton>
#include <QEnterEvent>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "core/Module1.h"
#include "core/SettingsFile.h"
#include "support/FakeServices.h"
#include "support/ScriptedForms.h"
#include "ui/main/huxofrm.h"

// A running main window in a program folder of its own, started from the settings the test stored there.
struct SystemRig
{
    explicit SystemRig(Settings stored = {})
    {
        fakes.clock.setNow(QDateTime(QDate(2026, 12, 8), QTime(9, 15, 30)));
        stored.SetupDone = -1;
        QString error;
        QVERIFY2(SettingsFile::write(iniPath(), stored, &error), qPrintable(error));
        module = std::make_unique<Module1>(fakes.services(), dir.path());
        forms = std::make_unique<ScriptedForms>(*module);
        window = std::make_unique<huxofrm>(*module, *forms);
        window->Form_Load();
        window->show();
        fakes.sound.clear();
        fakes.dialogs.clear();
    }
    ~SystemRig()
    {
        forms->unloadAll();
        // Windows that unloaded themselves are deleted once control is back in an event loop; give them one.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QString iniPath() const { return dir.filePath(QStringLiteral("huxo.ini")); }
    Settings saved() const
    {
        QFile file(iniPath());
        return file.open(QIODevice::ReadOnly) ? SettingsFile::decode(file.readAll()) : Settings{};
    }
    int clicksPlayed() const { return int(fakes.sound.played().count(module->programFile(QStringLiteral("b.wav")))); }

    QTemporaryDir dir;
    FakeServices fakes;
    std::unique_ptr<Module1> module;
    std::unique_ptr<ScriptedForms> forms;
    std::unique_ptr<huxofrm> window;
};

// The mouse arriving over a control, as the window system reports it.
inline void mouseOver(QWidget* control)
{
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(control, &enter);
}

// Clicks an option or check box on its mark: the blank part of the control to the right of its caption does not
// take clicks.
inline void choose(QAbstractButton* option)
{
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
}

// Replaces a QLineEdit's text as the user would, by keyboard.
inline void retype(QWidget* box, const QString& text)
{
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}
