#include "PageEffect.h"

TPageEffect::TPageEffect(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheet_Effect"));
}
