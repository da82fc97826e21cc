#pragma once

#include <QPointer>
#include <QWidget>

#include <map>
#include <typeindex>

class MainWindow;
class Module1;

// The secondary windows, one instance of each, created on first use. Unloading a window destroys it, and the
// next use creates a fresh one with its design-time values.
//
// A window class W is built as W(Module1&, Forms&) and is a top-level QWidget. The questions at the end answer
// "not shown" for a window that is not loaded; tests may script them.
class Forms
{
public:
    explicit Forms(Module1& module)
        : m_module(module)
    {
    }
    virtual ~Forms() { unloadAll(); }
    Forms(const Forms&) = delete;
    Forms& operator=(const Forms&) = delete;

    Module1& module() const { return m_module; }

    // The main window registers itself when it is built and leaves when it is destroyed.
    MainWindow* mainWindow() const { return m_mainWindow; }
    void setMainWindow(MainWindow* window) { m_mainWindow = window; }
    void forgetMainWindow(const MainWindow* leaving)
    {
        if (m_mainWindow == leaving) {
            m_mainWindow = nullptr;
        }
    }

    // The window of class W, loaded now if it is not.
    template <class W>
    W& get()
    {
        QPointer<QWidget>& slot = m_windows[std::type_index(typeid(W))];
        if (!slot) {
            slot = new W(m_module, *this);
            placeNewWindow(*slot);
        }
        return static_cast<W&>(*slot);
    }

    // The window of class W while it is loaded, else nullptr.
    template <class W>
    W* loaded() const
    {
        const auto found = m_windows.find(std::type_index(typeid(W)));
        return found == m_windows.end() ? nullptr : static_cast<W*>(found->second.data());
    }

    // Hides the window and forgets it at once, so that the next use loads a fresh one; the object itself is
    // deleted when control returns to the event loop, which lets a window unload itself from its own handler.
    void unload(QWidget* window)
    {
        for (auto it = m_windows.begin(); it != m_windows.end(); ++it) {
            if (it->second == window) {
                m_windows.erase(it);
                window->hide();
                window->deleteLater();
                return;
            }
        }
    }

    // Every secondary window, when the program ends.
    void unloadAll()
    {
        for (auto& [type, window] : m_windows) {
            delete window.data();
        }
        m_windows.clear();
    }

    // An alarm is pending exactly while the alarm settings window's timer runs.
    virtual bool alarmSet() const;
    virtual bool alarmSettingsShown() const;
    virtual bool reminderShown() const;
    virtual bool newsletterShown() const;

private:
    // A window opens beside the main window, whole on its screen, rather than where the window system puts it.
    void placeNewWindow(QWidget& window) const;

    Module1& m_module;
    MainWindow* m_mainWindow = nullptr;
    std::map<std::type_index, QPointer<QWidget>> m_windows;
};
