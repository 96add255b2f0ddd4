#include "PageSwitchMode.h"

#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QSignalBlocker>

#include "BindingTable.h"
#include "Constante.h"
#include "ErrorReport.h"
#include "RadioGroup.h"
#include "SmallCombo.h"
#include "UnitRR_UTILS.h"

namespace
{
// The computer inputs a seamless switch may take its reference from, by list position.
const std::vector<std::uint32_t> ReferenceInputTable{5, 6, 7};
constexpr int LastComputer = 3;
} // namespace

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
    PopupMenu_ICHREF = new QMenu(this);
    PopupMenu_ICHREF->setObjectName(QStringLiteral("PopupMenu_ICHREF"));
    for (const char* entry : Constante::ReferenceInputs)
        PopupMenu_ICHREF->addAction(QString::fromLatin1(entry));
    SmallCombo_ICHREF = new TSmallCombo(GroupBox_Seamless);
    SmallCombo_ICHREF->setObjectName(QStringLiteral("SmallCombo_ICHREF"));
    SmallCombo_ICHREF->setGeometry(8, 22, 145, 21);
    SmallCombo_ICHREF->setPopUpMenu(PopupMenu_ICHREF);
    connect(SmallCombo_ICHREF, &TSmallCombo::choiceMade, this,
            [this] { tesso::guarded([this] { SmallComboICHREFChange(SmallCombo_ICHREF->ItemIndex()); }); });

    RefreqM_Label_no_signal_Main_refreq = new QLabel(this);
    RefreqM_Label_no_signal_Main_refreq->setObjectName(QStringLiteral("RefreqM_Label_no_signal_Main_refreq"));
    RefreqM_Label_no_signal_Main_refreq->setStyleSheet(QStringLiteral("color: red;"));
    RefreqM_Label_no_signal_Main_refreq->move(8, 124);
    RefreqM_Label_no_signal_Main_refreq->hide();
}

TPageSwitchMode::~TPageSwitchMode() = default;

void TPageSwitchMode::BindTo(TEventRouter& router)
{
    m_router = &router;
    m_bindings = std::make_unique<TBindingTable>(router);
    // "Seamless" stands for 0, "Standard" for 1.
    m_bindings->Bind({_SWITCHMODE, RadioGroup_SWITCHMODE, ControlKind::RadioGroup, TValueMap{{0, 1}}});
    for (tVAR v : {_ICHREF, _REFLAST})
        m_subscriptions.push_back(router.subscribe(v, [this] { DriverICHREFChange(); }));
}

void TPageSwitchMode::SmallComboICHREFChange(int position)
{
    TMirex_d* driver = m_router ? m_router->driver() : nullptr;
    if (!driver)
        return;
    if (position == LastComputer) {
        driver->setREFLAST(1);
    } else if (const std::optional<std::uint32_t> input = ValueAtIndex(position, ReferenceInputTable)) {
        driver->setREFLAST(0);
        driver->setICHREF(*input);
    }
}

void TPageSwitchMode::DriverICHREFChange()
{
    const TMirex_d* driver = m_router ? m_router->driver() : nullptr;
    if (!driver)
        return;
    const QSignalBlocker blocker(SmallCombo_ICHREF);
    if (driver->REFLAST() == 0)
        SmallCombo_ICHREF->setItemIndex(IndexOfValue(driver->ICHREF(), ReferenceInputTable));
    else if (driver->REFLAST() == 1)
        SmallCombo_ICHREF->setItemIndex(LastComputer);
}
