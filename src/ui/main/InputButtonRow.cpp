#include "InputButtonRow.h"

#include <QButtonGroup>
#include <QFrame>
#include <QToolButton>

#include "BindingTable.h"
#include "Constante.h"
#include "TextFormat.h"

namespace
{

QToolButton* makeButton(const QString& name, const QString& caption, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(caption);
    button->setCheckable(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    return button;
}

} // namespace

TInputButtonRow::TInputButtonRow(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PnlBtnInputs"));
    auto* group = new QButtonGroup(this);
    for (int k = 1; k <= 8; ++k) {
        QToolButton* button = makeButton(QStringLiteral("BtnInput%1").arg(k),
                                         TextFormat::Format(Constante::InputLabelFormat, k), this);
        button->setProperty("Tag", k);
        group->addButton(button, k);
        BtnInput[static_cast<std::size_t>(k - 1)] = button;
    }
    BvlSeparator = new QFrame(this);
    BvlSeparator->setObjectName(QStringLiteral("BvlSeparator"));
    BvlSeparator->setFrameShape(QFrame::VLine);
    BvlSeparator->setFrameShadow(QFrame::Sunken);
    BvlSeparator->setGeometry(SeparatorLeft, 0, 4, 30);

    BtnBlack = makeButton(QStringLiteral("BtnBlack"), QString(Constante::Black), this);
    BtnBlack->setGeometry(SeparatorLeft + 6, 2, 70, 26);
    BtnFreeze = makeButton(QStringLiteral("BtnFreeze"), QString(Constante::Freeze), this);
    BtnFreeze->setGeometry(SeparatorLeft + 78, 2, 70, 26);
    LayOutInputs(8);
}

void TInputButtonRow::LayOutInputs(int inputCount)
{
    if (inputCount < 1)
        inputCount = 8;
    const int w = BvlSeparator->x() / inputCount;
    for (int i = 0; i < 8; ++i)
        BtnInput[static_cast<std::size_t>(i)]->setGeometry(w * i, 2, w - 4, 26);
}

TInputButtonRow::~TInputButtonRow() = default;

void TInputButtonRow::BindTo(TEventRouter& router)
{
    m_bindings = std::make_unique<TBindingTable>(router);
    // Down, and captioned in bold, exactly while the device reports the output black or frozen.
    auto boldWhileDown = [](QToolButton* button) {
        return [button] {
            QFont font = button->font();
            font.setBold(button->isChecked());
            button->setFont(font);
        };
    };
    m_bindings->Bind({{_OBLACK, BtnBlack, ControlKind::ToggleButton, {}, 0, boldWhileDown(BtnBlack)},
                      {_IFRZM, BtnFreeze, ControlKind::ToggleButton, {}, 0, boldWhileDown(BtnFreeze)}});
}
