#pragma once

#include "ui/toolkit/controls.h"
#include "ui/toolkit/designs.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QObject>
#include <QPointer>
#include <QPushButton>

#include <functional>
#include <set>
#include <utility>
#include <vector>

class QKeyEvent;
class QMdiArea;

namespace marvesto {

class KeyFilter;

// A child window of the main window. The object lives for the whole run; its
// controls are built from the design when it loads and discarded when it
// unloads. A window shows the state of a part of the game: it loads when the
// part opens and unloads when it closes.
class ChildWindow : public QObject {
    Q_OBJECT
public:
    ChildWindow(const design::Window &design, QMdiArea &area, QObject *parent = nullptr);
    ~ChildWindow() override;

    bool isLoaded() const { return m_body != nullptr; }
    // Builds the controls, runs the Load handler and shows the window; nothing
    // when it is loaded already.
    void load();
    // Discards the controls and hides the window; nothing when it is
    // not loaded.
    void unload();

    // A window is locked while anything holds a lock on it: it takes no input,
    // and the game's timers go on ticking.
    void lock(const QObject *holder);
    void unlock(const QObject *holder);
    bool isEnabled() const { return m_locks.empty(); }
    // The window's main control, its first in focus order, takes the focus
    // (nothing while the window is locked or not loaded).
    void focusMainControl();
    // One of the window's controls has the keyboard focus.
    bool hasFocus() const;

    void setCaption(const QString &caption);
    QString caption() const;

    // Edges and sizes in twips, outer frame included, as the logic places windows.
    double top() const;
    double left() const;
    double width() const;
    double height() const;
    void setTop(double twips);
    void setLeft(double twips);

    // The inner-area widget while loaded, else null.
    QWidget *body() const { return m_body; }
    QMdiSubWindow *subWindow() const { return m_sub; }
    // Runs at each load once the window's own onLoad has run, before it is
    // shown: where the coordinator places it and locks other windows.
    void setLoadHook(std::function<void()> hook) { m_loadHook = std::move(hook); }
    const design::Window &design() const { return m_design; }

signals:
    void loaded();
    void unloaded();
    // Esc in a window that does nothing else with it.
    void escapePressed();

protected:
    // While the window is loaded, `member` holds the control with this role
    // in the window's design; null otherwise. A role the design lacks stops
    // the program at once.
    template <typename T>
    void bind(T *&member, const char *role)
    {
        m_bindings.push_back(
            {designRow(role), [&member](QWidget *w) { member = qobject_cast<T *>(w); }});
    }
    // This list shows the part's lines, row for row, whenever the window is loaded.
    template <typename Part>
    void showLines(ListBox *const &list, const Part &part)
    {
        onEachLoad([&list, &part] { list->addItems(part.lines()); });
        connect(&part, &Part::lineAdded, this, [this, &list, &part](int position) {
            if (isLoaded())
                list->insertItem(position, part.line(position));
        });
        connect(&part, &Part::lineRemoved, this, [this, &list](int position) {
            if (isLoaded())
                removeRow(list, position);
        });
        whileLoaded(&part, &Part::linesCleared, [&list] { list->clear(); });
    }
    // This view shows the part's log whenever the window is loaded: all of it
    // as the window loads, then each text appended or the whole log replaced.
    template <typename Part>
    void showLog(LogView *const &view, const Part &part)
    {
        onEachLoad([&view, &part] { view->setText(part.log()); });
        connect(&part, &Part::logAppended, this, [this, &view](const QString &text) {
            if (isLoaded())
                view->appendText(text);
        });
        connect(&part, &Part::logReplaced, this, [this, &view](const QString &text) {
            if (isLoaded())
                view->setText(text);
        });
        whileLoaded(&part, &Part::logFollowed, [&view] { view->moveCaretToEnd(); });
    }
    // Moves a default button out of view: Enter (and its access key) still
    // press it, but neither the keyboard nor a click gives it the focus.
    static void putOutOfView(QPushButton *button);

    // Handlers; the defaults do nothing.
    virtual void onLoad() {}
    // Called when the controls have just been built and show the game's
    // state, before onLoad: connect their signals here.
    virtual void wireControls() {}
    // Key preview: return true to swallow the key before the focused control sees it.
    virtual bool onKeyDown(QKeyEvent *) { return false; }
    // Esc: by default the window says so (escapePressed) and swallows it.
    virtual bool onEscape();

    // While the window is loaded, runs `update` after each `changed` of `sender`.
    template <typename Sender, typename Signal>
    void whileLoaded(const Sender *sender, Signal changed, std::function<void()> update)
    {
        connect(sender, changed, this, [this, update = std::move(update)] {
            if (isLoaded())
                update();
        });
    }
    // A control shows part of the game's state: `show` runs as the window
    // loads, before its controls are wired, then after each `changed`.
    template <typename Sender, typename Signal>
    void mirror(const Sender *sender, Signal changed, std::function<void()> show)
    {
        onEachLoad(show);
        whileLoaded(sender, changed, std::move(show));
    }
    // Runs `show` as the window loads, before its controls are wired.
    void onEachLoad(std::function<void()> show) { m_mirrors.push_back(std::move(show)); }
    // The design table's row of a control of this window.
    const design::Control *designRow(const char *role) const;

private:
    struct Binding {
        const design::Control *row;
        std::function<void(QWidget *)> assign;
    };

    void applyLocks();

    const design::Window &m_design;
    QMdiArea &m_area;
    QPointer<QMdiSubWindow> m_sub;
    QWidget *m_body = nullptr;
    KeyFilter *m_keys;
    std::vector<std::pair<const design::Control *, QWidget *>> m_controls;
    std::vector<Binding> m_bindings;
    std::set<const QObject *> m_locks;
    QString m_caption;
    std::function<void()> m_loadHook;
    // What the window shows of the game's state, shown afresh at each load.
    std::vector<std::function<void()>> m_mirrors;
};

} // namespace marvesto
