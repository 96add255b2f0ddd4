#include "ErrorReportBox.h"

#include "BoxCaption.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>

namespace tesso
{

ErrorReportBox::ErrorReportBox(QWidget* window, Presenter presenter, QObject* parent)
    : QObject(parent), m_window(window), m_presenter(std::move(presenter))
{
}

ErrorReportBox::~ErrorReportBox()
{
    if (m_installed)
        tesso::setErrorReporter(std::move(m_previous));
}

void ErrorReportBox::Install()
{
    m_previous = tesso::setErrorReporter([this](const QString& message) { Report(message); });
    m_installed = true;
}

void ErrorReportBox::Report(const QString& message)
{
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(
            this, [this, message] { enqueue(message); }, Qt::QueuedConnection);
        return;
    }
    enqueue(message);
}

void ErrorReportBox::enqueue(const QString& message)
{
    if ((m_showing && message == m_current) || m_waiting.contains(message)) {
        ++m_dropped;
        return;
    }
    if (m_waiting.size() >= MaxWaiting) {
        ++m_dropped;
        return;
    }
    m_waiting << message;
    if (!m_showing)
        showNext();
}

void ErrorReportBox::showNext()
{
    if (m_waiting.isEmpty()) {
        m_showing = false;
        m_current.clear();
        return;
    }
    m_showing = true;
    m_current = m_waiting.takeFirst();
    QPointer<ErrorReportBox> self(this);
    auto closed = [self] {
        if (self)
            QMetaObject::invokeMethod(
                self,
                [self] {
                    if (self)
                        self->showNext();
                },
                Qt::QueuedConnection);
    };
    if (m_presenter)
        m_presenter(m_current, closed);
    else
        presentWithMessageBox(m_current, closed);
}

void ErrorReportBox::presentWithMessageBox(const QString& message, std::function<void()> closed)
{
    auto* box =
        new QMessageBox(QMessageBox::Critical, BoxCaption(), message, QMessageBox::Ok, m_window.data());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setObjectName(QStringLiteral("ErrorReportBox"));
    connect(box, &QDialog::finished, this, [closed = std::move(closed)](int) { closed(); });
    box->open(); // window-modal but not blocking: the reporting code returns at once
}

} // namespace tesso
