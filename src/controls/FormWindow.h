#pragma once
// Base of every window of the component: a top-level window without owner that keeps itself on
// top, is registered in the component context under its name while loaded, knows whether it is
// being closed by the user or unloaded by code, and runs every handler through one guard.

#include <QWidget>
#include <functional>

class QEventLoop;

namespace vornel {

class FormWindow : public QWidget {
    Q_OBJECT
public:
    explicit FormWindow(const QString& name, QWidget* parent = nullptr);
    ~FormWindow() override;

    // Unloads the window by code: its closing handlers see byCode = true; the window is destroyed
    // and forgotten by the context, so the next use builds it afresh.
    void unload();
    // True once the window has been closed for good (it only waits for its destruction).
    bool unloaded() const { return m_unloaded; }

    // Shows the window modally: returns when it is hidden or unloaded. Other windows are blocked.
    void showModal();

    // Centres the window on the screen (with an optional vertical offset in twips).
    void centre(int topOffsetTwips = 0);

protected:
    // Runs one handler of the window (a button, a key, a grid event, loading, closing, a timer). A
    // database error or any other exception it throws is shown through the message window (icon
    // 16, one OK button, the window's caption as title) and the window stays open and usable.
    // Returns false when the handler failed.
    bool guard(const std::function<void()>& handler);
    // The handler as a slot that runs through guard(); Args are the signal's arguments it takes.
    template <class... Args, class F> auto guarded(F handler) {
        return [this, handler = std::move(handler)](Args... args) { guard([&] { handler(args...); }); };
    }
    // Loading runs through guard() as well; a window that failed before it could show itself has
    // nothing to offer and is unloaded again.
    void load(const std::function<void()>& loading);

    // Called before the window closes. byCode is false for the close box or the system; returning
    // false keeps the window open.
    virtual bool queryUnload(bool byCode);
    // Called once when the window unloads, whatever the reason.
    virtual void onUnload() {}
    // The window's event filter on its own controls, run through guard(); true consumes the event.
    virtual bool filterEvent(QObject* watched, QEvent* event);
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    bool eventFilter(QObject* watched, QEvent* event) final;

    bool m_unloadingByCode = false;
    bool m_unloaded = false;
    QEventLoop* m_modalLoop = nullptr; // the loop of showModal while it runs
};

} // namespace vornel
