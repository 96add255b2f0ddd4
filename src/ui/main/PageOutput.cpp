#include "PageOutput.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>

#include "BindingTable.h"
#include "Constante.h"
#include "RadioGroup.h"

namespace
{

TRadioGroup* radioGroup(const char* name, QLatin1String title, const QStringList& items, QWidget* parent)
{
    auto* group = new TRadioGroup(QString(title), parent);
    group->setObjectName(QLatin1String(name));
    group->setItems(items);
    return group;
}

QLabel* notice(const char* name, QLatin1String text, QWidget* parent)
{
    auto* label = new QLabel(QString(text), parent);
    label->setObjectName(QLatin1String(name));
    label->adjustSize();
    label->hide();
    return label;
}

} // namespace

TPageOutput::TPageOutput(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheet_Output"));
    GrpOutput = new QGroupBox(this);
    GrpOutput->setObjectName(QStringLiteral("GrpOutput"));
    GrpOutput->setGeometry(4, 4, 577, 400);
    GrpOutput->setFlat(true);

    GrpOutputFormat = new QGroupBox(QString(Constante::OutputFormat), GrpOutput);
    GrpOutputFormat->setGeometry(4, 4, 300, 56);
    CboOutputFormat = new QComboBox(GrpOutputFormat);
    CboOutputFormat->setObjectName(QStringLiteral("CboOutputFormat"));
    CboOutputFormat->setGeometry(8, 22, 284, 24);
    GrpOutputRate = new QGroupBox(QString(Constante::OutputRate), GrpOutput);
    GrpOutputRate->setGeometry(4, 64, 300, 56);
    CboOutputRate = new QComboBox(GrpOutputRate);
    CboOutputRate->setObjectName(QStringLiteral("CboOutputRate"));
    CboOutputRate->setGeometry(8, 22, 284, 24);

    RdoOutputSync = radioGroup("RdoOutputSync", Constante::OutputSync, {}, GrpOutput);
    RdoOutputSync->setGeometry(4, 124, 180, 90);
    RdoOutputType = radioGroup("RdoOutputType", Constante::OutputType,
                               {QString(Constante::OutputTypeComputer), QString(Constante::OutputTypeDvi),
                                QString(Constante::OutputTypeBoth)},
                               GrpOutput);
    RdoOutputType->setGeometry(192, 124, 180, 90);
    RdoTestPattern = radioGroup("RdoTestPattern", Constante::TestPattern,
                                {QString(Constante::None), QString(Constante::Grid)}, GrpOutput);
    RdoTestPattern->setGeometry(380, 124, 180, 70);

    LblOutputNotAvailableComputerInput =
        notice("LblOutputNotAvailableComputerInput", Constante::OutputNotAvailableComputerInput, this);
    StaticText_NotOnOutSeamlessMode =
        notice("StaticText_NotOnOutSeamlessMode", Constante::NotOnOutSeamlessMode, this);
    StaticText_NotOnOutSeamlessMode->move(8, 380);
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
