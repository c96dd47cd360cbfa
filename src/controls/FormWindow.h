#pragma once
// Base of every window of the component: a top-level window without owner that keeps itself on
// top, is registered in the component context under its name while loaded, and knows whether it
// is being closed by the user or unloaded by code.

#include <QWidget>

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
    bool unloading() const { return m_unloadingByCode; }

    // Shows the window modally: returns when it is hidden or unloaded. Other windows are blocked.
    void showModal();

    // Centres the window on the screen (with an optional vertical offset in twips).
    void centre(int topOffsetTwips = 0);

protected:
    // Called before the window closes. byCode is false for the close box or the system; returning
    // false keeps the window open.
    virtual bool queryUnload(bool byCode);
    // Called once when the window unloads, whatever the reason.
    virtual void onUnload() {}
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void applyDarkLook();

    bool m_unloadingByCode = false;
    bool m_unloaded = false;
    QEventLoop* m_modalLoop = nullptr; // the loop of showModal while it runs
};

} // namespace vornel
