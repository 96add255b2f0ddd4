#include "ConnectionDialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QShowEvent>

#include "ConnectionFields.h"
#include "ErrorReport.h"

namespace tesso
{

ConnectionDialog::ConnectionDialog(DeviceDriver* driver, QWidget* parent) : QDialog(parent), m_driver(driver)
{
    ShowWarning = [this](const QString& text) { tesso::connection::showWarningBox(this, text); };
}

ConnectionDialog::~ConnectionDialog() = default;

QHBoxLayout* ConnectionDialog::buildButtons(const QString& cancelText)
{
    using tesso::connection::named;
    BOk = named(new QPushButton(QStringLiteral("Apply"), this), "BOk");
    BCancel = named(new QPushButton(cancelText, this), "BCancel");
    BOk->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BOk);
    buttons->addWidget(BCancel);

    // Qt calls these; nothing may escape into its event loop.
    connect(BOk, &QPushButton::clicked, this, [this] { tesso::guarded([this] { applyChoice(); }); });
    connect(BCancel, &QPushButton::clicked, this, [this] { tesso::guarded([this] { discardChoice(); }); });
    return buttons;
}

void ConnectionDialog::discardChoice()
{
    m_applied = false;
    QDialog::reject();
}

void ConnectionDialog::reject()
{
    discardChoice();
}

void ConnectionDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        tesso::guarded([this] { prepareToShow(); });
}

bool ConnectionDialog::Execute()
{
    bool written = false;
    tesso::guarded([this] { LoadFromDriver(); });
    exec();
    if (m_applied)
        written = tesso::guarded([this] { ApplyToDriver(); });
    return m_applied && written;
}

} // namespace tesso
