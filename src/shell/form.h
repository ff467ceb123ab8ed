#pragma once

#include "shell/clock.h"
#include "shell/designs.h"

#include "shell/controls.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QObject>
#include <QPointer>
#include <QPushButton>

#include <set>
#include <vector>

class QKeyEvent;
class QMdiArea;

namespace marvesto {

// A child window of the main window. The object lives for the whole run; its
// controls are built from the design when it loads and discarded when it unloads,
// so plain member variables survive a reload while the controls start afresh.
class Form : public QObject {
    Q_OBJECT
public:
    Form(const design::Window &design, QMdiArea &area, Clock &clock, QObject *parent = nullptr);
    ~Form() override;

    bool isLoaded() const { return m_body != nullptr; }
    // Builds the controls, runs the Load handler and shows the window; nothing
    // when it is loaded already.
    void load();
    void show() { load(); }
    // Runs the Unload handler, stops the timers and discards the controls;
    // nothing when it is not loaded.
    void unload();
    // Switches every timer of the window off.
    void stopTimers();

    // A window is locked while anything holds a lock on it: it takes no input,
    // and its timers go on ticking.
    void lock(const QObject *holder);
    void unlock(const QObject *holder);
    bool isEnabled() const { return m_locks.empty(); }

    void setCaption(const QString &caption);
    QString caption() const;

    // Edges and sizes in twips, outer frame included, as the logic places windows.
    double top() const;
    double left() const;
    double width() const;
    double height() const;
    void setTop(double twips);
    void setLeft(double twips);

    // The inner-area widget while loaded (loading the window first).
    QWidget *body();
    QMdiSubWindow *subWindow() const { return m_sub; }
    const design::Window &design() const { return m_design; }

signals:
    void loaded();
    void unloaded();

protected:
    // A control of the window by its design name, loading the window first.
    template <typename T>
    T *control(const char *name)
    {
        return static_cast<T *>(controlWidget(name));
    }
    QWidget *controlWidget(const char *name);

    Timer &addTimer(const char *name);
    // A timer of the window; like a control, using it loads the window first.
    Timer &timer(Timer &t)
    {
        load();
        return t;
    }

    // Handlers; the defaults do nothing.
    virtual void onLoad() {}
    virtual void onUnload() {}
    // Called when the controls have just been built, before onLoad: connect their signals here.
    virtual void wireControls() {}
    // Key preview: return true to swallow the key before the focused control sees it.
    virtual bool onKeyDown(QKeyEvent *event);
    virtual bool onEscape() { return false; }

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applyLocks();
    void focusFirstControl();
    bool pressAccessKey(int key);
    QPushButton *accessKeyButton(int key) const;
    void watchKeys(QWidget *widget);

    const design::Window &m_design;
    QMdiArea &m_area;
    Clock &m_clock;
    QPointer<QMdiSubWindow> m_sub;
    QWidget *m_body = nullptr;
    QPushButton *m_defaultButton = nullptr;
    std::vector<Timer *> m_timers;
    std::set<const QObject *> m_locks;
    QString m_caption;
    bool m_unloading = false;
};

} // namespace marvesto
