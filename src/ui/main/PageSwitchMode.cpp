#include "PageSwitchMode.h"

#include <QGroupBox>
#include <QLabel>

#include "BindingTable.h"
#include "Constante.h"
#include "RadioGroup.h"

TPageSwitchMode::TPageSwitchMode(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheet_SwitchMode"));
    RadioGroup_SWITCHMODE = new TRadioGroup(QString(Constante::SwitchMode), this);
    RadioGroup_SWITCHMODE->setObjectName(QStringLiteral("RadioGroup_SWITCHMODE"));
    RadioGroup_SWITCHMODE->setItems({QString(Constante::Seamless), QString(Constante::Standard)});
    RadioGroup_SWITCHMODE->setColumns(2);
    RadioGroup_SWITCHMODE->setGeometry(4, 4, 585, 48);
    RadioGroup_SWITCHMODE->hide(); // shown when a model is applied

    GroupBox_Seamless = new QGroupBox(QString(Constante::RefInputForSeamless), this);
    GroupBox_Seamless->setObjectName(QStringLiteral("GroupBox_Seamless"));
    GroupBox_Seamless->setGeometry(4, 60, 400, 56);
    GroupBox_Seamless->hide();

    RefreqM_Label_no_signal_Main_refreq = new QLabel(this);
    RefreqM_Label_no_signal_Main_refreq->setObjectName(QStringLiteral("RefreqM_Label_no_signal_Main_refreq"));
    RefreqM_Label_no_signal_Main_refreq->setStyleSheet(QStringLiteral("color: red;"));
    RefreqM_Label_no_signal_Main_refreq->move(8, 124);
    RefreqM_Label_no_signal_Main_refreq->hide();
}

TPageSwitchMode::~TPageSwitchMode() = default;

void TPageSwitchMode::BindTo(TEventRouter& router)
{
    m_bindings = std::make_unique<TBindingTable>(router);
    // "Seamless" stands for 0, "Standard" for 1.
    m_bindings->Bind({_SWITCHMODE, RadioGroup_SWITCHMODE, ControlKind::RadioGroup, TValueMap{{0, 1}}});
}
