#include "PageSwitchMode.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "BindingTable.h"
#include "CompactCombo.h"
#include "ErrorReport.h"
#include "ListPositions.h"
#include "PageNotice.h"
#include "RadioGroup.h"
#include "Texts.h"

namespace tesso
{

namespace
{
// The computer inputs a seamless switch may take its reference from, by list position.
const std::vector<std::uint32_t> ReferenceInputTable{5, 6, 7};
constexpr int LastComputer = 3;
} // namespace

PageSwitchMode::PageSwitchMode(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheet_SwitchMode"));
    RadioGroup_SWITCHMODE = new RadioGroup(QString(Texts::SwitchMode), this);
    RadioGroup_SWITCHMODE->setObjectName(QStringLiteral("RadioGroup_SWITCHMODE"));
    RadioGroup_SWITCHMODE->setItems({QString(Texts::Seamless), QString(Texts::Standard)});
    RadioGroup_SWITCHMODE->setColumns(2);
    RadioGroup_SWITCHMODE->hide(); // shown when a model is applied

    GroupBox_Seamless = new QGroupBox(QString(Texts::RefInputForSeamless), this);
    GroupBox_Seamless->setObjectName(QStringLiteral("GroupBox_Seamless"));
    GroupBox_Seamless->hide();
    PopupMenu_ICHREF = new QMenu(this);
    PopupMenu_ICHREF->setObjectName(QStringLiteral("PopupMenu_ICHREF"));
    for (const char* entry : Texts::ReferenceInputs)
        PopupMenu_ICHREF->addAction(QString::fromLatin1(entry));
    SmallCombo_ICHREF = new CompactCombo(GroupBox_Seamless);
    SmallCombo_ICHREF->setObjectName(QStringLiteral("SmallCombo_ICHREF"));
    SmallCombo_ICHREF->setAccessibleName(QStringLiteral("Reference input for seamless switching"));
    auto* seamless = new QHBoxLayout(GroupBox_Seamless);
    seamless->addWidget(SmallCombo_ICHREF);
    seamless->addStretch(1);
    SmallCombo_ICHREF->setPopUpMenu(PopupMenu_ICHREF);
    connect(SmallCombo_ICHREF, &CompactCombo::choiceMade, this,
            [this] { tesso::guarded([this] { sendReferenceInput(SmallCombo_ICHREF->ItemIndex()); }); });

    RefreqM_Label_no_signal_Main_refreq = new QLabel(this);
    RefreqM_Label_no_signal_Main_refreq->setObjectName(QStringLiteral("RefreqM_Label_no_signal_Main_refreq"));
    PaintWarningRed(RefreqM_Label_no_signal_Main_refreq);
    RefreqM_Label_no_signal_Main_refreq->hide();

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(4, 4, 4, 4);
    page->addWidget(RadioGroup_SWITCHMODE);
    page->addWidget(GroupBox_Seamless);
    page->addWidget(RefreqM_Label_no_signal_Main_refreq);
    page->addStretch(1);
}

PageSwitchMode::~PageSwitchMode() = default;

void PageSwitchMode::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        PaintWarningRed(RefreqM_Label_no_signal_Main_refreq);
    }
}

void PageSwitchMode::BindTo(EventRouter& router)
{
    m_router = &router;
    m_bindings = std::make_unique<BindingTable>(router);
    // "Seamless" stands for 0, "Standard" for 1.
    m_bindings->Bind({_SWITCHMODE, RadioGroup_SWITCHMODE, ControlKind::RadioGroup, ValueMap{{0, 1}}});
    for (tVAR v : {_ICHREF, _REFLAST})
        m_subscriptions.push_back(router.subscribe(v, [this] { showReferenceInput(); }));
}

void PageSwitchMode::sendReferenceInput(int position)
{
    DeviceDriver* driver = m_router ? m_router->driver() : nullptr;
    if (!driver)
        return;
    if (position == LastComputer) {
        driver->setREFLAST(1);
    } else if (const std::optional<std::uint32_t> input = ValueAtIndex(position, ReferenceInputTable)) {
        driver->setREFLAST(0);
        driver->setICHREF(*input);
    }
}

void PageSwitchMode::showReferenceInput()
{
    const DeviceDriver* driver = m_router ? m_router->driver() : nullptr;
    if (!driver)
        return;
    const QSignalBlocker blocker(SmallCombo_ICHREF);
    if (driver->REFLAST() == 0)
        SmallCombo_ICHREF->setItemIndex(IndexOfValue(driver->ICHREF(), ReferenceInputTable));
    else if (driver->REFLAST() == 1)
        SmallCombo_ICHREF->setItemIndex(LastComputer);
}

} // namespace tesso
