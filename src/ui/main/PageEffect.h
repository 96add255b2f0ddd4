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
class TBindingTable;
class TEffectRow;
class TRadioGroup;
class TSmallCombo;

class TPageEffect : public QWidget
{
    Q_OBJECT

  public:
    explicit TPageEffect(QWidget* parent = nullptr);
    ~TPageEffect() override;

    void BindTo(TEventRouter& router);

    QLineEdit* Edit_EFFECTSTATUS = nullptr;
    QGroupBox* Panel_ZoneEffect = nullptr;
    TEffectRow* RowFadeDuration = nullptr;
    // The title rows, each pacing its values through a queue of its own.
    TEffectRow* RowTitleStart = nullptr;  // shadow position
    TEffectRow* RowTitleHeight = nullptr; // shadow size
    TEffectRow* RowTitleAlpha = nullptr;  // shadow intensity
    TEffectRow* RowTitleDuration = nullptr;
    QToolButton* Btn_TitleHold = nullptr;
    TRadioGroup* RadioGroup_TITLEAUDIO = nullptr;

    QGroupBox* GrpEffectType = nullptr;
    QMenu* PopupMenu_Effect = nullptr;
    QAction* MenuItem_Fadetoblack = nullptr; // effect 0, never offered: hidden and disabled
    QAction* MenuItem_CleanCut = nullptr;    // 1
    QAction* MenuItem_CrossFade = nullptr;   // 2
    QAction* MenuItem_Shadowtitle = nullptr; // 3
    TSmallCombo* SmallCombo_EFFECTTYPE_EFFECTSTATUS = nullptr;

    // The status line and the rows the effect running needs.
    void DriverEFFECTSTATUSChange();
    // The shadow band stays under TITLEMAXY: each bar's maximum leaves room for the other.
    void LimitShadowSize();
    void LimitShadowPosition();
    // Values still waiting for the device are forgotten when it is lost or found again.
    void EmptyQueues();

  private:
    std::vector<TEffectRow*> rows() const;

    TEventRouter* m_router = nullptr;
    std::uint32_t m_deviceCode = 0; // the device the waiting values were meant for
    std::unique_ptr<TBindingTable> m_bindings;
    std::vector<TSubscription> m_subscriptions;
};
