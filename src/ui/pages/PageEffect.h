#pragma once
// The "Effect" page of the main window's page control: the status line naming the effect the
// device applies, the fade and title parameter rows (the title rows paced one value per reply),
// the title hold and the title's audio, shown by the effect running. The effect list (a compact
// combo on the pop-up menu PopupMenu_Effect, kept hidden in the group "Type") offers the effects
// the model has.

#include <memory>
#include <vector>

#include <QWidget>

#include "EventRouter.h"
#include "MainRoutines.h"

class QAction;
class QGroupBox;
class QLineEdit;
class QMenu;
class QToolButton;

namespace tesso
{

class BindingTable;
class EffectRow;
class RadioGroup;
class CompactCombo;

class PageEffect : public QWidget
{
    Q_OBJECT

  public:
    explicit PageEffect(QWidget* parent = nullptr);
    ~PageEffect() override;

    void BindTo(EventRouter& router);

    QLineEdit* Edit_EFFECTSTATUS = nullptr;
    QGroupBox* Panel_ZoneEffect = nullptr;
    EffectRow* RowFadeDuration = nullptr;
    // The title rows, each pacing its values through a queue of its own.
    EffectRow* RowTitleStart = nullptr;  // shadow position
    EffectRow* RowTitleHeight = nullptr; // shadow size
    EffectRow* RowTitleAlpha = nullptr;  // shadow intensity
    EffectRow* RowTitleDuration = nullptr;
    QToolButton* Btn_TitleHold = nullptr;
    RadioGroup* RadioGroup_TITLEAUDIO = nullptr;

    QGroupBox* GrpEffectType = nullptr;
    QMenu* PopupMenu_Effect = nullptr;
    QAction* MenuItem_Fadetoblack = nullptr; // effect 0, never offered: hidden and disabled
    QAction* MenuItem_CleanCut = nullptr;    // 1
    QAction* MenuItem_CrossFade = nullptr;   // 2
    QAction* MenuItem_Shadowtitle = nullptr; // 3
    CompactCombo* SmallCombo_EFFECTTYPE_EFFECTSTATUS = nullptr;

    // The status line and the rows the effect running needs.
    void showEffectStatus();
    // The shadow band stays under TITLEMAXY: each bar's maximum leaves room for the other.
    void LimitShadowSize();
    void LimitShadowPosition();
    // Values still waiting for the device are forgotten when it is lost or found again.
    void EmptyQueues();

  private:
    std::vector<EffectRow*> rows() const;

    EventRouter* m_router = nullptr;
    std::uint32_t m_deviceCode = 0; // the device the waiting values were meant for
    std::unique_ptr<BindingTable> m_bindings;
    std::vector<Subscription> m_subscriptions;
};

} // namespace tesso
