#include "PageInput.h"

#include <QLabel>

#include "Constante.h"
#include "FrmInput.h"
#include "TextFormat.h"

namespace
{

QLabel* heading(const QString& text, int x, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont small = label->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    label->setFont(small);
    label->move(x, 0);
    return label;
}

} // namespace

TPageInput::TPageInput(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheet_Input"));
    PnlInputs = new QWidget(this);
    PnlInputs->setObjectName(QStringLiteral("PnlInputs"));
    PnlInputs->setGeometry(8, 8, 573, 20 + 8 * 24);

    heading(QString(Constante::Used), 32, PnlInputs);
    heading(QString(Constante::Vcr), 61, PnlInputs);
    heading(QString(Constante::SignalType), 88, PnlInputs);
    heading(QString(Constante::StandardHeading), 224, PnlInputs);
    StaticText_ReferenceAR = heading(QString(Constante::ReferenceAR), 400, PnlInputs);
    StaticText_ReferenceAR->setObjectName(QStringLiteral("StaticText_ReferenceAR"));

    for (int k = 1; k <= 8; ++k) {
        auto* frame = new TFrameInput(PnlInputs);
        frame->setObjectName(QStringLiteral("FrameInput%1").arg(k));
        frame->setTag(k);
        frame->Lbl->setText(TextFormat::Format(Constante::InputLabelFormat, k));
        frame->move(0, 20 + (k - 1) * 24);
        FrameInput[static_cast<std::size_t>(k - 1)] = frame;
    }
}
