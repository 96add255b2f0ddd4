#include "PageOutput.h"

#include <QLabel>

#include "BindingTable.h"
#include "Constante.h"
#include "RadioGroup.h"

TPageOutput::TPageOutput(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheet_Output"));
    RdoOutputSync = new TRadioGroup(QString(Constante::OutputSync), this);
    RdoOutputSync->setObjectName(QStringLiteral("RdoOutputSync"));
    RdoOutputSync->setGeometry(8, 120, 180, 90);

    LblOutputNotAvailableComputerInput =
        new QLabel(QString(Constante::OutputNotAvailableComputerInput), this);
    LblOutputNotAvailableComputerInput->setObjectName(QStringLiteral("LblOutputNotAvailableComputerInput"));
    LblOutputNotAvailableComputerInput->adjustSize();
    LblOutputNotAvailableComputerInput->hide();
}

TPageOutput::~TPageOutput() = default;

void TPageOutput::BindTo(TEventRouter& router)
{
    m_bindings = std::make_unique<TBindingTable>(router);
    m_bindings->Bind({_OSYNCM, RdoOutputSync, ControlKind::RadioGroup});
}

void TPageOutput::SetSyncItems(const QStringList& items)
{
    RdoOutputSync->setItems(items);
    if (m_bindings)
        m_bindings->ShowAll();
}
