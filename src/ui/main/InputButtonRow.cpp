#include "InputButtonRow.h"

#include <QButtonGroup>
#include <QCursor>
#include <QFrame>
#include <QHBoxLayout>
#include <QMenu>
#include <QMouseEvent>
#include <QToolButton>

#include "BindingTable.h"
#include "DeviceLists.h"
#include "ErrorReport.h"
#include "FloatingHint.h"
#include "ReadableColours.h"
#include "TextFormat.h"
#include "Texts.h"

namespace tesso
{

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

// Down, and captioned in bold, exactly while the device reports the output black or frozen.
std::function<void()> boldWhileDown(QToolButton* button)
{
    return [button] {
        QFont font = button->font();
        font.setBold(button->isChecked());
        button->setFont(font);
    };
}

} // namespace

InputButtonRow::InputButtonRow(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PnlBtnInputs"));
    InputGroup = new QButtonGroup(this);
    for (int k = 1; k <= 8; ++k) {
        QToolButton* button = makeButton(QStringLiteral("BtnInput%1").arg(k),
                                         TextFormat::Format(Texts::InputLabelFormat, k), this);
        button->setProperty("Tag", k);
        // The caption is the input's label, which the user may rename; the reader says which input.
        button->setAccessibleDescription(QStringLiteral("Input %1").arg(k));
        button->installEventFilter(this);
        InputGroup->addButton(button, k);
        BtnInput[static_cast<std::size_t>(k - 1)] = button;
    }
    BvlSeparator = new QFrame(this);
    BvlSeparator->setObjectName(QStringLiteral("BvlSeparator"));
    BvlSeparator->setFrameShape(QFrame::VLine);
    BvlSeparator->setFrameShadow(QFrame::Sunken);

    BtnBlack = makeButton(QStringLiteral("BtnBlack"), QString(Texts::Black), this);
    BtnFreeze = makeButton(QStringLiteral("BtnFreeze"), QString(Texts::Freeze), this);

    // The input buttons share the row's width; hidden ones (inputs the model lacks) give theirs up.
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(2, 2, 4, 2);
    row->setSpacing(4);
    for (QToolButton* button : BtnInput) {
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        row->addWidget(button, 1);
    }
    row->addWidget(BvlSeparator);
    row->addWidget(BtnBlack);
    row->addWidget(BtnFreeze);

    PopMenuRename = new QMenu(this);
    PopMenuRename->setObjectName(QStringLiteral("PopMenuRename"));
    QAction* rename = PopMenuRename->addAction(QString(Texts::Rename));
    connect(rename, &QAction::triggered, this, [this] {
        tesso::guarded([this] {
            if (m_released >= 1)
                emit renameRequested(m_released);
        });
    });
    Hint = new FloatingHint(this);
}

InputButtonRow::~InputButtonRow() = default;

void InputButtonRow::LayOutInputs(int inputCount)
{
    if (inputCount < 1)
        inputCount = 8;
    for (int i = 0; i < 8; ++i)
        BtnInput[static_cast<std::size_t>(i)]->setVisible(i < inputCount);
}

void InputButtonRow::BindTo(EventRouter& router, const MainRoutines& routines,
                            const std::vector<QPixmap>* images)
{
    m_router = &router;
    m_routines = routines;
    m_images = images;
    m_bindings = std::make_unique<BindingTable>(router);
    m_bindings->Bind({{_OBLACK, BtnBlack, ControlKind::ToggleButton, {}, 0, boldWhileDown(BtnBlack)},
                      {_IFRZM, BtnFreeze, ControlKind::ToggleButton, {}, 0, boldWhileDown(BtnFreeze)}});
    connect(InputGroup, &QButtonGroup::idClicked, this,
            [this](int input) { tesso::guarded([&] { selectInput(input, QCursor::pos()); }); });
    // The device takes the next input: the notice that asked the user to wait goes.
    m_subscriptions.push_back(router.subscribe(_TAKEEVA, [this] {
        if (m_router->driver()->TAKEEVA())
            Hint->hide();
    }));
}

void InputButtonRow::selectInput(int input, const QPoint& globalPointer)
{
    DeviceDriver* driver = m_router ? m_router->driver() : nullptr;
    if (!driver)
        return;
    if (!driver->TAKEEVA())
        Hint->ShowAt(QString(Texts::PleaseWait), globalPointer);
    else if (driver->PRGBIByInput(input) == tesso::DeviceLists::ComputerSignal && driver->OTYPEM() == 2)
        Hint->ShowAt(TextFormat::Format(Texts::NotAvailableFormat, {QString(Texts::DviOnlyOutput)}),
                     globalPointer);
    driver->setICHNM(static_cast<std::uint32_t>(input));
    // The buttons show the input on air again until the device reports the change.
    if (m_routines.InputOnAir)
        m_routines.InputOnAir();
}

void InputButtonRow::ShowOnAir(std::uint32_t onAir, int inputCount)
{
    const bool known = onAir >= 1 && onAir <= static_cast<std::uint32_t>(inputCount);
    if (known) {
        BtnInput[onAir - 1]->setChecked(true);
    } else {
        // An input the model does not have is on no button.
        InputGroup->setExclusive(false);
        for (QToolButton* button : BtnInput)
            button->setChecked(false);
        InputGroup->setExclusive(true);
    }
    for (int k = 1; k <= inputCount && k <= static_cast<int>(BtnInput.size()); ++k) {
        QToolButton* button = BtnInput[static_cast<std::size_t>(k - 1)];
        if (m_images && m_images->size() >= 2)
            button->setIcon((*m_images)[static_cast<std::uint32_t>(k) == onAir ? 1 : 0]);
        QFont font = button->font();
        font.setBold(button->isChecked());
        button->setFont(font);
        // The on-air caption in green; the others follow the palette, a dark one too.
        QPalette palette;
        if (button->isChecked())
            palette.setColor(QPalette::ButtonText, onAirGreen(this->palette().color(QPalette::Button)));
        button->setPalette(palette);
    }
}

bool InputButtonRow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        const int tag = watched->property("Tag").toInt();
        if (tag >= 1 && tag <= 8) {
            m_released = tag;
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::RightButton) {
                PopMenuRename->popup(mouse->globalPosition().toPoint());
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tesso
