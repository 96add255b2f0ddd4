#include "Transitions.h"

#include <utility>

#include <QActionGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

#include "BindingTable.h"
#include "DeviceModels.h"
#include "ErrorReport.h"
#include "InputButtonRow.h"
#include "MainMenus.h"
#include "PageEffect.h"
#include "PageOutput.h"
#include "PageSwitchMode.h"
#include "RadioGroup.h"
#include "ReadableColours.h"
#include "StatusGridArea.h"

namespace tesso
{

namespace
{

void setLook(QAbstractButton* button, bool bold, bool italic, const QColor& colour)
{
    QFont font = button->font();
    font.setBold(bold);
    font.setItalic(italic);
    button->setFont(font);
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, colour);
    button->setPalette(palette);
}

} // namespace

Transitions::Transitions(Parts parts, const MainRoutines& routines, EventRouter& router)
    : m_parts(std::move(parts)), m_routines(routines), m_router(router)
{
    StatusGridArea* area = m_parts.StatusArea;
    m_bindings = std::make_unique<BindingTable>(router);
    m_bindings->Bind({{_TAKE, area->Button_Take, ControlKind::PushButton},
                      {_AUTOTAKE, m_parts.Menus->AutoTakeGroup, ControlKind::MenuGroup}});
    auto on = [this](tVAR variable, auto handler) {
        m_subscriptions.push_back(m_router.subscribe(variable, handler));
    };
    on(_EFFECTTYPE, [this] { showEffectType(); });
    on(_EFFECTSTATUS, [this] { showEffectStatus(); });
    on(_TAKE, [this] { showTake(); });
    on(_SWITCHMODE, [this] { showSwitchMode(); });
    for (QToolButton* button : effectButtons()) {
        const int effect = button->property("Tag").toInt();
        QObject::connect(button, &QToolButton::clicked, button, [this, button, effect](bool checked) {
            tesso::guarded([&] {
                // The button went down by itself; it shows the device's effect until it answers.
                const QSignalBlocker blocker(button);
                button->setChecked(!checked);
                sendEffect(effect);
            });
        });
    }
}

Transitions::~Transitions() = default;

std::vector<QToolButton*> Transitions::effectButtons() const
{
    const StatusGridArea* area = m_parts.StatusArea;
    return {area->SpeedButton_Cut, area->SpeedButton_Fade, area->SpeedButton_Title};
}

void Transitions::sendEffect(int effect)
{
    DeviceDriver* d = m_router.driver();
    if (!d)
        return;
    d->setEFFECTTYPE(static_cast<std::uint32_t>(effect));
    // As when the user picks the tab (the change of page runs its handlers).
    m_parts.PageControl->setCurrentWidget(m_parts.EffectPage);
}

void Transitions::showEffectType()
{
    const DeviceDriver* d = driver();
    if (!d)
        return;
    const std::uint32_t effect = d->EFFECTTYPE();
    const std::vector<QToolButton*> buttons = effectButtons();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (effect >= 1 && effect <= 3) {
            const QSignalBlocker blocker(buttons[i]);
            buttons[i]->setChecked(i + 1 == effect);
        }
        buttons[i]->setIcon((*m_parts.Glyphs)[0]);
    }
}

void Transitions::showEffectStatus()
{
    const DeviceDriver* d = driver();
    if (!d || d->EFFECTSTATUS() > 3)
        return;
    // While the device fades to black no other effect can be chosen.
    for (QToolButton* button : effectButtons())
        button->setEnabled(d->EFFECTSTATUS() != 0);
}

void Transitions::showTake()
{
    const DeviceDriver* d = driver();
    if (d)
        m_parts.Inputs->setCursor(d->TAKE() ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void Transitions::showSwitchMode()
{
    const DeviceDriver* d = driver();
    if (!d)
        return;
    const bool seamlessModel = tesso::ModelTable::OfCode(d->DEV()).capabilities.seamless;
    const std::uint32_t mode = d->SWITCHMODE();
    PageOutput* output = m_parts.OutputPage;
    const int effectTab = m_parts.PageControl->indexOf(m_parts.EffectPage);
    // In seamless switching the output follows the reference, so it is not the Output page's to set.
    if ((mode == 0 && seamlessModel) || mode == 1) {
        const bool seamless = mode == 0;
        output->RdoOutputSync->setVisible(!seamless);
        output->GrpOutputFormat->setVisible(!seamless);
        output->GrpOutputRate->setVisible(!seamless);
        m_parts.SwitchModePage->GroupBox_Seamless->setVisible(seamless);
        m_parts.PageControl->setTabVisible(effectTab, seamless);
    }
    m_routines.UpdateStatusGrid();
    m_parts.EffectButtonVisibility();
    m_routines.UpdatePagesForInput();
}

void Transitions::PreselectedInputBlink()
{
    const DeviceDriver* d = driver();
    if (!d)
        return;
    const int position = tesso::ModelTable::ModelIndex(d->DEV());
    const int n = tesso::ModelTable::InputCount(position);
    const std::uint32_t next = d->ICHNM();
    // The input on air is steady: only a TAKE still pending blinks.
    const bool blinks = tesso::ModelTable::At(position).capabilities.preselectBlink && next >= 1 &&
                        next <= static_cast<std::uint32_t>(n) && next != d->ICHM() &&
                        d->mirrorValueOfInput(_PENA, static_cast<int>(next)) != 0;
    const int input = blinks ? static_cast<int>(next) : 0;
    // A button that stops blinking (input no longer used, another preselected) gets its look back.
    if (m_blinkingInput != 0 && m_blinkingInput != input)
        m_parts.Inputs->ShowOnAir(d->ICHM(), n);
    m_blinkingInput = input;
    if (!blinks)
        return;
    QToolButton* button = m_parts.Inputs->BtnInput[static_cast<std::size_t>(input - 1)];
    const bool on = !m_inputToggle;
    button->setIcon((*m_parts.Glyphs)[on ? 1 : 0]);
    setLook(button, on, false,
            on ? onAirGreen(button->palette().color(QPalette::Button))
               : m_parts.Client->palette().color(QPalette::WindowText));
    m_inputToggle = on;
}

void Transitions::TakeButtonBlink()
{
    const DeviceDriver* d = driver();
    if (!d)
        return;
    QPushButton* take = m_parts.StatusArea->Button_Take;
    const QColor plain = m_parts.Client->palette().color(QPalette::WindowText);
    const bool emphasised = take->font().bold() && take->font().italic();
    if (!d->TAKE() && d->TAKEEVA()) {
        if (emphasised || take->cursor().shape() == Qt::PointingHandCursor) {
            setLook(take, false, false, plain);
            take->setCursor(Qt::ArrowCursor);
        }
        return;
    }
    take->setCursor(Qt::PointingHandCursor);
    setLook(take, !emphasised, !emphasised,
            emphasised ? plain : warningRed(take->palette().color(QPalette::Button)));
}

void Transitions::SelectedEffectBlink()
{
    const DeviceDriver* d = driver();
    if (!d)
        return;
    m_effectToggle = !m_effectToggle;
    const std::uint32_t effect = d->EFFECTTYPE();
    if (effect >= 1 && effect <= 3)
        effectButtons()[effect - 1]->setIcon((*m_parts.Glyphs)[m_effectToggle ? 1 : 0]);
}

} // namespace tesso
