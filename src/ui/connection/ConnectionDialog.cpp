#include "ConnectionDialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QShowEvent>

#include "ConnectionFields.h"
#include "ErrorReport.h"

TConnectionDialog::TConnectionDialog(TMirex_d* driver, QWidget* parent) : QDialog(parent), m_driver(driver)
{
    ShowWarning = [this](const QString& text) { tesso::connection::showWarningBox(this, text); };
}

TConnectionDialog::~TConnectionDialog() = default;

QHBoxLayout* TConnectionDialog::buildButtons(const QString& cancelText)
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
    connect(BOk, &QPushButton::clicked, this, [this] { tesso::guarded([this] { BOkClick(); }); });
    connect(BCancel, &QPushButton::clicked, this, [this] { tesso::guarded([this] { BCancelClick(); }); });
    return buttons;
}

void TConnectionDialog::BCancelClick()
{
    m_applied = false;
    QDialog::reject();
}

void TConnectionDialog::reject()
{
    BCancelClick();
}

void TConnectionDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        tesso::guarded([this] { FormShow(); });
}

bool TConnectionDialog::Execute()
{
    bool written = false;
    tesso::guarded([this] { LoadFromDriver(); });
    exec();
    if (m_applied)
        written = tesso::guarded([this] { ApplyToDriver(); });
    return m_applied && written;
}
