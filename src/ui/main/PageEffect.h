#pragma once
// The "Effect" page of the main window's page control. The effect list (a compact combo on the
// pop-up menu PopupMenu_Effect, kept hidden in the group "Type") offers the effects the model has.

#include <QWidget>

class QAction;
class QGroupBox;
class QMenu;
class TSmallCombo;

class TPageEffect : public QWidget
{
    Q_OBJECT

  public:
    explicit TPageEffect(QWidget* parent = nullptr);

    QGroupBox* GrpEffectType = nullptr;
    QMenu* PopupMenu_Effect = nullptr;
    QAction* MenuItem_Fadetoblack = nullptr; // effect 0, never offered: hidden and disabled
    QAction* MenuItem_CleanCut = nullptr;    // 1
    QAction* MenuItem_CrossFade = nullptr;   // 2
    QAction* MenuItem_Shadowtitle = nullptr; // 3
    TSmallCombo* SmallCombo_EFFECTTYPE_EFFECTSTATUS = nullptr;
};
