#pragma once

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "core/Module1.h"
#include "core/SettingsFile.h"
#include "support/Control.h"
#include "support/FakeServices.h"
#include "ui/Forms.h"
#include "ui/main/huxofrm.h"

// A started and shown main window in a program folder of its own, under a fake clock, with the window registry
// FormsType (the real one, or one whose answers the test scripts). When stored is given, the program starts from
// those settings. Its controls are private: a test finds them with control<T>(*rig.window, "Name").
template <class FormsType = Forms>
struct MainWindowRig
{
    explicit MainWindowRig(const Settings* stored = nullptr,
                           const QDateTime& now = QDateTime(QDate(2026, 12, 8), QTime(9, 15, 30)))
    {
        fakes.clock.setNow(now);
        if (stored) {
            QString error;
            QVERIFY2(SettingsFile::write(iniPath(), *stored, &error), qPrintable(error));
        }
        module = std::make_unique<Module1>(fakes.services(), dir.path());
        forms = std::make_unique<FormsType>(*module);
        window = std::make_unique<huxofrm>(*module, *forms);
        window->Form_Load();
        window->show();
    }
    ~MainWindowRig()
    {
        forms->unloadAll();
        // Windows that unloaded themselves are deleted once control is back in an event loop; give them one.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QString iniPath() const { return dir.filePath(QStringLiteral("huxo.ini")); }
    // What the program last wrote to its settings file.
    Settings saved() const
    {
        QFile file(iniPath());
        return file.open(QIODevice::ReadOnly) ? SettingsFile::decode(file.readAll()) : Settings{};
    }

    QTemporaryDir dir;
    FakeServices fakes;
    std::unique_ptr<Module1> module;
    std::unique_ptr<FormsType> forms;
    std::unique_ptr<huxofrm> window;
};
