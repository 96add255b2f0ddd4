#include "PageEffect.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "BindingTable.h"
#include "CompactCombo.h"
#include "EffectRow.h"
#include "ListPositions.h"
#include "RadioGroup.h"
#include "Texts.h"

namespace tesso
{

namespace
{

QAction* entry(QMenu* menu, const char* name, QLatin1String caption)
{
    QAction* action = menu->addAction(QString(caption));
    action->setObjectName(QLatin1String(name));
    return action;
}

// Effect codes by list position: fade to black, cut, fade, title.
const std::vector<std::uint32_t> EffectTable{0, 1, 2, 3};

int barLimit(std::uint32_t room)
{
    return static_cast<int>(std::min<std::uint32_t>(room, INT32_MAX));
}

} // namespace

PageEffect::PageEffect(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheet_Effect"));
    Edit_EFFECTSTATUS = new QLineEdit(this);
    Edit_EFFECTSTATUS->setObjectName(QStringLiteral("Edit_EFFECTSTATUS"));
    Edit_EFFECTSTATUS->setReadOnly(true);
    Edit_EFFECTSTATUS->setFrame(false);
    Edit_EFFECTSTATUS->setAccessibleName(QStringLiteral("Effect status"));

    Panel_ZoneEffect = new QGroupBox(QString(Texts::Effects), this);
    Panel_ZoneEffect->setObjectName(QStringLiteral("Panel_ZoneEffect"));
    auto* grid = new QGridLayout(Panel_ZoneEffect);
    grid->setColumnStretch(1, 1);
    int rowCount = 0;
    auto row = [this, grid, &rowCount](EffectRow::Settings settings) {
        return new EffectRow(settings, grid, rowCount++, Panel_ZoneEffect);
    };
    RowFadeDuration = row({_FADEDURATION, QString(Texts::FadeDurationLabel), 10, false, false});
    RowTitleStart = row({_TITLESTART, QString(Texts::ShadowPositionLabel), 300, true, true});
    RowTitleHeight = row({_TITLEHEIGHT, QString(Texts::ShadowSizeLabel), 220, true, true});
    RowTitleAlpha = row({_TITLEALPHA, QString(Texts::ShadowIntensityLabel), 78, true, true});
    RowTitleDuration = row({_TITLEDURATION, QString(Texts::TitleDurationLabel), 10, true, false});
    // The hold button shares the duration's column, right of its bar, and comes between bar and
    // field in the tab order.
    Btn_TitleHold = new QToolButton(Panel_ZoneEffect);
    Btn_TitleHold->setObjectName(QStringLiteral("Btn_TitleHold"));
    Btn_TitleHold->setText(QString(Texts::Holding));
    Btn_TitleHold->setCheckable(true);
    grid->removeWidget(RowTitleDuration->ScrollBar);
    auto* duration = new QHBoxLayout;
    duration->addWidget(RowTitleDuration->ScrollBar, 1);
    duration->addWidget(Btn_TitleHold);
    grid->addLayout(duration, rowCount - 1, 1);
    QWidget::setTabOrder(RowTitleDuration->ScrollBar, Btn_TitleHold);
    QWidget::setTabOrder(Btn_TitleHold, RowTitleDuration->Edt);

    RadioGroup_TITLEAUDIO = new RadioGroup(QString(Texts::TitleAudio), this);
    RadioGroup_TITLEAUDIO->setObjectName(QStringLiteral("RadioGroup_TITLEAUDIO"));
    RadioGroup_TITLEAUDIO->setItems({QString(Texts::Video), QString(Texts::Computer)});
    RadioGroup_TITLEAUDIO->setColumns(2);

    PopupMenu_Effect = new QMenu(this);
    PopupMenu_Effect->setObjectName(QStringLiteral("PopupMenu_Effect"));
    MenuItem_Fadetoblack = entry(PopupMenu_Effect, "MenuItem_Fadetoblack", Texts::FadeToBlack);
    MenuItem_Fadetoblack->setVisible(false);
    MenuItem_Fadetoblack->setEnabled(false);
    MenuItem_CleanCut = entry(PopupMenu_Effect, "MenuItem_CleanCut", Texts::Cut);
    MenuItem_CrossFade = entry(PopupMenu_Effect, "MenuItem_CrossFade", Texts::Fade);
    MenuItem_Shadowtitle = entry(PopupMenu_Effect, "MenuItem_Shadowtitle", Texts::Title);

    GrpEffectType = new QGroupBox(QString(Texts::EffectType), this);
    GrpEffectType->setObjectName(QStringLiteral("GrpEffectType"));
    auto* status = new QLabel(QString(Texts::EffectStatusLabel), GrpEffectType);
    SmallCombo_EFFECTTYPE_EFFECTSTATUS = new CompactCombo(GrpEffectType);
    SmallCombo_EFFECTTYPE_EFFECTSTATUS->setObjectName(QStringLiteral("SmallCombo_EFFECTTYPE_EFFECTSTATUS"));
    SmallCombo_EFFECTTYPE_EFFECTSTATUS->setAccessibleName(QStringLiteral("Effect type"));
    SmallCombo_EFFECTTYPE_EFFECTSTATUS->setPopUpMenu(PopupMenu_Effect);
    SmallCombo_EFFECTTYPE_EFFECTSTATUS->hide();
    auto* type = new QHBoxLayout(GrpEffectType);
    type->addWidget(status);
    type->addWidget(SmallCombo_EFFECTTYPE_EFFECTSTATUS);
    type->addStretch(1);
    GrpEffectType->hide();

    auto* audio = new QHBoxLayout;
    audio->addWidget(RadioGroup_TITLEAUDIO);
    audio->addStretch(1);
    auto* effectType = new QHBoxLayout;
    effectType->addWidget(GrpEffectType);
    effectType->addStretch(1);
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(4, 4, 4, 4);
    page->addWidget(Edit_EFFECTSTATUS);
    page->addWidget(Panel_ZoneEffect);
    page->addLayout(audio);
    page->addLayout(effectType);
    page->addStretch(1);
}

PageEffect::~PageEffect() = default;

std::vector<EffectRow*> PageEffect::rows() const
{
    return {RowFadeDuration, RowTitleStart, RowTitleHeight, RowTitleAlpha, RowTitleDuration};
}

void PageEffect::BindTo(EventRouter& router)
{
    m_router = &router;
    for (EffectRow* row : rows())
        row->BindTo(router);
    connect(RowTitleStart, &EffectRow::shown, this, &PageEffect::LimitShadowSize);
    connect(RowTitleHeight, &EffectRow::shown, this, &PageEffect::LimitShadowPosition);

    m_bindings = std::make_unique<BindingTable>(router);
    auto holdShown = [this] { RowTitleDuration->ScrollBar->setEnabled(!Btn_TitleHold->isChecked()); };
    m_bindings->Bind(
        {{_EFFECTTYPE, SmallCombo_EFFECTTYPE_EFFECTSTATUS, ControlKind::SmallCombo, ValueMap{EffectTable}},
         {_TITLEHOLD, Btn_TitleHold, ControlKind::ToggleButton, {}, 0, holdShown},
         {_TITLEAUDIO, RadioGroup_TITLEAUDIO, ControlKind::RadioGroup}});
    m_subscriptions.push_back(router.subscribe(_EFFECTSTATUS, [this] { showEffectStatus(); }));
    m_subscriptions.push_back(router.subscribe(_TITLEMAXY, [this] {
        LimitShadowSize();
        LimitShadowPosition();
    }));
    // The keep-alive's answer repeats the code every 2 s: only a lost device (code 0) or another
    // one makes the values still waiting meaningless.
    m_subscriptions.push_back(router.subscribe(_DEV, [this] {
        const DeviceDriver* driver = m_router->driver();
        const std::uint32_t code = driver ? driver->DEV() : 0;
        if (code != m_deviceCode)
            EmptyQueues();
        m_deviceCode = code;
    }));
}

void PageEffect::showEffectStatus()
{
    const DeviceDriver* driver = m_router ? m_router->driver() : nullptr;
    if (!driver)
        return;
    const std::uint32_t status = driver->EFFECTSTATUS();
    const QList<QAction*> entries = PopupMenu_Effect->actions();
    const int position = IndexOfValue(status, EffectTable);
    if (position >= 0 && position < entries.size())
        Edit_EFFECTSTATUS->setText(entries.at(position)->text());
    if (status > 3)
        return;
    RowFadeDuration->setVisible(status == 2);
    const bool title = status == 3;
    for (EffectRow* row : {RowTitleStart, RowTitleHeight, RowTitleAlpha, RowTitleDuration})
        row->setVisible(title);
    Btn_TitleHold->setVisible(title);
    RadioGroup_TITLEAUDIO->setVisible(title);
    bool any = Btn_TitleHold->isVisibleTo(Panel_ZoneEffect);
    for (EffectRow* row : rows())
        any = any || !row->isHidden();
    Panel_ZoneEffect->setVisible(any);
}

void PageEffect::LimitShadowSize()
{
    const DeviceDriver* driver = m_router ? m_router->driver() : nullptr;
    if (driver && driver->TITLESTART() <= driver->TITLEMAXY())
        RowTitleHeight->ScrollBar->setMaximum(barLimit(driver->TITLEMAXY() - driver->TITLESTART()));
}

void PageEffect::LimitShadowPosition()
{
    const DeviceDriver* driver = m_router ? m_router->driver() : nullptr;
    if (driver && driver->TITLEHEIGHT() <= driver->TITLEMAXY())
        RowTitleStart->ScrollBar->setMaximum(barLimit(driver->TITLEMAXY() - driver->TITLEHEIGHT()));
}

void PageEffect::EmptyQueues()
{
    for (EffectRow* row : rows())
        row->EmptyQueue();
}

} // namespace tesso
