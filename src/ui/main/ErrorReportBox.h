#pragma once
// The application error report of the GUI: each reported error is shown in a message box that does
// not block the code that reported it (no nested event loop inside a driver handler). While a box
// is open, further reports wait in a queue and are shown one after the other; a report equal to
// the one on screen or to one already waiting is dropped, so an error repeated by a timer or by
// every received line cannot pile up boxes.

#include <functional>

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include "ErrorReport.h"

class QWidget;

namespace tesso
{

class ErrorReportBox : public QObject
{
    Q_OBJECT

  public:
    // Shows one message and calls closed() once the user has dismissed it.
    using Presenter = std::function<void(const QString& message, std::function<void()> closed)>;

    static constexpr int MaxWaiting = 20;

    // Without a presenter, a non-modal QMessageBox over `window` is used.
    explicit ErrorReportBox(QWidget* window, Presenter presenter = {}, QObject* parent = nullptr);
    ~ErrorReportBox() override;

    // The window the boxes are shown over (may change once the main window exists).
    void setWindow(QWidget* window) { m_window = window; }

    // Makes this the process's error report (tesso::reportError); the previous one comes back when
    // this object is destroyed.
    void Install();

    // May be called from any thread; the box is always shown on the GUI thread.
    void Report(const QString& message);

    bool IsShowing() const { return m_showing; }
    QString Showing() const { return m_current; }
    int Waiting() const { return static_cast<int>(m_waiting.size()); }
    int Dropped() const { return m_dropped; }

  private:
    void enqueue(const QString& message);
    void showNext();
    void presentWithMessageBox(const QString& message, std::function<void()> closed);

    QPointer<QWidget> m_window;
    Presenter m_presenter;
    bool m_installed = false;
    tesso::ErrorReporter m_previous;
    bool m_showing = false;
    QString m_current;
    QStringList m_waiting;
    int m_dropped = 0;
};

} // namespace tesso
