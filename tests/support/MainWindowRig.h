#pragma once

#include <QDateTime>
#include <QTemporaryDir>

#include <memory>

#include "core/Module1.h"
#include "support/FakeServices.h"
#include "ui/Forms.h"
#include "ui/main/huxofrm.h"

// A started main window in a program folder of its own, under a fake clock that stands at the given time.
struct MainWindowRig
{
    explicit MainWindowRig(const QDateTime& now)
    {
        fakes.clock.setNow(now);
        module = std::make_unique<Module1>(fakes.services(), dir.path());
        forms = std::make_unique<Forms>(*module);
        window = std::make_unique<huxofrm>(*module, *forms);
        window->Form_Load();
    }

    QTemporaryDir dir;
    FakeServices fakes;
    std::unique_ptr<Module1> module;
    std::unique_ptr<Forms> forms;
    std::unique_ptr<huxofrm> window;
};
