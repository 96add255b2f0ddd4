#include "PageEffect.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>

#include "Constante.h"
#include "SmallCombo.h"

namespace
{

QAction* entry(QMenu* menu, const char* name, QLatin1String caption)
{
    QAction* action = menu->addAction(QString(caption));
    action->setObjectName(QLatin1String(name));
    return action;
}

} // namespace

TPageEffect::TPageEffect(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheet_Effect"));
    PopupMenu_Effect = new QMenu(this);
    PopupMenu_Effect->setObjectName(QStringLiteral("PopupMenu_Effect"));
    MenuItem_Fadetoblack = entry(PopupMenu_Effect, "MenuItem_Fadetoblack", Constante::FadeToBlack);
    MenuItem_Fadetoblack->setVisible(false);
    MenuItem_Fadetoblack->setEnabled(false);
    MenuItem_CleanCut = entry(PopupMenu_Effect, "MenuItem_CleanCut", Constante::Cut);
    MenuItem_CrossFade = entry(PopupMenu_Effect, "MenuItem_CrossFade", Constante::Fade);
    MenuItem_Shadowtitle = entry(PopupMenu_Effect, "MenuItem_Shadowtitle", Constante::Title);

    GrpEffectType = new QGroupBox(QString(Constante::EffectType), this);
    GrpEffectType->setObjectName(QStringLiteral("GrpEffectType"));
    GrpEffectType->setGeometry(8, 300, 240, 56);
    auto* status = new QLabel(QString(Constante::EffectStatusLabel), GrpEffectType);
    status->setGeometry(8, 24, 50, 20);
    SmallCombo_EFFECTTYPE_EFFECTSTATUS = new TSmallCombo(GrpEffectType);
    SmallCombo_EFFECTTYPE_EFFECTSTATUS->setObjectName(QStringLiteral("SmallCombo_EFFECTTYPE_EFFECTSTATUS"));
    SmallCombo_EFFECTTYPE_EFFECTSTATUS->move(60, 22);
    SmallCombo_EFFECTTYPE_EFFECTSTATUS->setPopUpMenu(PopupMenu_Effect);
    SmallCombo_EFFECTTYPE_EFFECTSTATUS->hide();
    GrpEffectType->hide();
}
