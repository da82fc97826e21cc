#pragma once

#include <QObject>
#include <QString>

// A window's control by its design name, as the window names it (its objectName). Controls are private to their
// windows, so tests find them the way accessibility tools do; a name that is not there, or a control of another
// class, ends the test program at once with both named, rather than with a null pointer somewhere later.
template <class W>
W* control(const QObject& window, const char* name)
{
    W* found = window.findChild<W*>(QLatin1String(name));
    if (!found) {
        qFatal("%s has no %s named \"%s\"",
               qPrintable(window.objectName().isEmpty() ? QString::fromLatin1(window.metaObject()->className())
                                                        : window.objectName()),
               W::staticMetaObject.className(),
               name);
    }
    return found;
}

template <class W>
W* control(const QObject* window, const char* name)
{
    return control<W>(*window, name);
}
