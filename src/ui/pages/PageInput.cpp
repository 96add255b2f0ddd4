#include "PageInput.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QVBoxLayout>

#include "BindingTable.h"
#include "CompactCombo.h"
#include "DeviceLists.h"
#include "DeviceModels.h"
#include "ErrorReport.h"
#include "InputSettingsRow.h"
#include "ListPositions.h"
#include "TextFormat.h"
#include "Texts.h"

namespace tesso
{

using tesso::DeviceLists;
using tesso::SignalTypeList;

namespace
{

QLabel* heading(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont small = label->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    label->setFont(small);
    return label;
}

// A list as wide as the entry given needs, whatever the model puts in it later; a longer entry
// shows whole in the open list.
void sizeForEntry(QComboBox* list, const char* entry)
{
    QStyleOptionComboBox option;
    option.initFrom(list);
    const QSize text(list->fontMetrics().horizontalAdvance(QLatin1String(entry)),
                     list->fontMetrics().height());
    list->setMinimumWidth(list->style()->sizeFromContents(QStyle::CT_ComboBox, &option, text, list).width());
}

void select(QComboBox* list, int position)
{
    const QSignalBlocker blocker(list);
    list->setCurrentIndex(position < list->count() ? position : -1);
}

} // namespace

PageInput::PageInput(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheet_Input"));
    PnlInputs = new QWidget(this);
    PnlInputs->setObjectName(QStringLiteral("PnlInputs"));

    // The first column, the rows' labels, has no heading.
    const std::array<QLabel*, InputSettingsRow::ColumnCount> headings{
        nullptr,
        heading(QString(Texts::Used), PnlInputs),
        heading(QString(Texts::Vcr), PnlInputs),
        heading(QString(Texts::SignalType), PnlInputs),
        heading(QString(Texts::StandardHeading), PnlInputs),
        heading(QString(Texts::ReferenceAR), PnlInputs)};
    StaticText_ReferenceAR = headings[5];
    StaticText_ReferenceAR->setObjectName(QStringLiteral("StaticText_ReferenceAR"));

    PopupMenu_REFASP = new QMenu(this);
    PopupMenu_REFASP->setObjectName(QStringLiteral("PopupMenu_REFASP"));
    PopupMenu_REFASP->addAction(QString(Texts::Normal));
    PopupMenu_REFASP->addAction(QString(Texts::Wide));

    for (int k = 1; k <= 8; ++k) {
        auto* frame = new InputSettingsRow(PnlInputs);
        frame->setObjectName(QStringLiteral("FrameInput%1").arg(k));
        frame->setTag(k);
        frame->Lbl->setText(TextFormat::Format(Texts::InputLabelFormat, k));
        sizeForEntry(frame->CboSignalType, DeviceLists::Composite[0]);
        sizeForEntry(frame->CboStandard, DeviceLists::Standard[0]);
        FrameInput[static_cast<std::size_t>(k - 1)] = frame;
    }

    // Each column as wide as its widest heading or control, the same in every row. The labels'
    // column follows the input names, which change with the model and the user's names.
    auto* headingRow = new QHBoxLayout;
    headingRow->setSpacing(InputSettingsRow::ColumnSpacing);
    m_labelColumn = new QSpacerItem(0, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
    headingRow->addSpacerItem(m_labelColumn);
    for (std::size_t c = 1; c < headings.size(); ++c) {
        int width = headings[c]->sizeHint().width();
        for (const InputSettingsRow* frame : FrameInput)
            width = std::max(
                {width, frame->columns()[c]->sizeHint().width(), frame->columns()[c]->minimumWidth()});
        for (const InputSettingsRow* frame : FrameInput)
            frame->columns()[c]->setFixedWidth(width);
        headings[c]->setFixedWidth(width);
        QSizePolicy policy = headings[c]->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        headings[c]->setSizePolicy(policy);
        headingRow->addWidget(headings[c], 0, Qt::AlignBottom);
    }
    headingRow->addStretch(1);
    for (InputSettingsRow* frame : FrameInput)
        frame->installEventFilter(this);
    fitLabelColumn();

    auto* rows = new QVBoxLayout(PnlInputs);
    rows->setContentsMargins(0, 0, 0, 7);
    rows->setSpacing(3);
    rows->addLayout(headingRow);
    for (InputSettingsRow* frame : FrameInput)
        rows->addWidget(frame);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(8, 8, 8, 8);
    page->addWidget(PnlInputs);
    page->addStretch(1);
}

PageInput::~PageInput() = default;

bool PageInput::eventFilter(QObject* watched, QEvent* event)
{
    // A row asks to be laid out again when its label's text changed.
    if (event->type() == QEvent::LayoutRequest)
        fitLabelColumn();
    return QWidget::eventFilter(watched, event);
}

void PageInput::showEvent(QShowEvent* event)
{
    // A label renamed while the page was never shown asked for no layout.
    fitLabelColumn();
    QWidget::showEvent(event);
}

void PageInput::fitLabelColumn()
{
    // At least the models' own names, which the labels take before the page is first shown.
    const QFontMetrics metrics = FrameInput[0]->Lbl->fontMetrics();
    int width = 0;
    for (const char* name : ModelTable::DefaultLabels)
        width = std::max(width, metrics.horizontalAdvance(QLatin1String(name)));
    for (const InputSettingsRow* frame : FrameInput)
        width = std::max(width, frame->Lbl->sizeHint().width());
    if (width == m_labelColumn->sizeHint().width())
        return;
    for (InputSettingsRow* frame : FrameInput)
        frame->Lbl->setFixedWidth(width);
    m_labelColumn->changeSize(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
    // Qt passes a change of size up from a hidden page (one the user is not looking at) only once
    // it shows, and the page would then show squeezed; the window makes room for it now.
    for (QWidget* w = PnlInputs; w && !w->isWindow(); w = w->parentWidget()) {
        if (QLayout* layout = w->layout())
            layout->invalidate();
        w->updateGeometry();
    }
}

void PageInput::BindTo(EventRouter& router, const MainRoutines& routines)
{
    m_router = &router;
    m_routines = routines;
    m_bindings = std::make_unique<BindingTable>(router);
    for (int k = 1; k <= 8; ++k) {
        InputSettingsRow* frame = FrameInput[static_cast<std::size_t>(k - 1)];
        // The row greys with its box; the input's button takes selections only while it is in use.
        auto used = [this, frame, k] {
            frame->applyUsedState();
            if (m_routines.InputUsed && m_routines.InputCount && k <= m_routines.InputCount())
                m_routines.InputUsed(k, frame->ChkUsed->isChecked());
        };
        m_bindings->Bind({{_PENA, frame->ChkUsed, ControlKind::CheckBox, {}, k, used},
                          {_PPROC, frame->ChkVCR, ControlKind::CheckBox, {}, k},
                          {_PISTD, frame->CboStandard, ControlKind::Combo, {}, k},
                          {_REFASP, frame->SmallCombo_REFASP, ControlKind::SmallCombo, {}, k}});
        connect(frame->CboSignalType, &QComboBox::activated, this,
                [this, k](int position) { tesso::guarded([&] { sendSignalType(k, position); }); });
    }
    for (tVAR v : {_PENA, _PISTD, _PPROC})
        m_subscriptions.push_back(router.subscribe(v, [this] { afterChange(); }));
    for (tVAR v : {_PRGBI, _IPSIGM, _IOORM})
        m_subscriptions.push_back(router.subscribe(v, [this] { SignalTypeDisplay(); }));
}

void PageInput::afterChange()
{
    if (m_routines.UpdateStatusGrid)
        m_routines.UpdateStatusGrid();
    if (m_routines.UpdatePagesForInput)
        m_routines.UpdatePagesForInput();
}

// ---- The model's layout ---------------------------------------------------------------------------

void PageInput::ApplyRowLayout()
{
    for (int k = 1; k <= static_cast<int>(tesso::InputRows.size()); ++k) {
        InputSettingsRow* frame = FrameInput[static_cast<std::size_t>(k - 1)];
        const tesso::InputRowLayout layout = tesso::inputRowLayout(k);
        switch (layout.signalType) {
        case SignalTypeList::Component:
            FillList(frame->CboSignalType, DeviceLists::Component);
            break;
        case SignalTypeList::Composite:
            FillList(frame->CboSignalType, DeviceLists::Composite);
            break;
        case SignalTypeList::None:
            frame->CboSignalType->clear();
            break;
        }
        frame->CboSignalType->setVisible(layout.signalType != SignalTypeList::None);
        if (layout.standard)
            FillList(frame->CboStandard, DeviceLists::Standard);
        else
            frame->CboStandard->clear();
        frame->CboStandard->setVisible(layout.standard);
        frame->ChkVCR->setVisible(layout.vcr);
        frame->SmallCombo_REFASP->setVisible(layout.referenceAspect);
    }
}

void PageInput::GiveReferenceAspectMenu(int inputCount)
{
    for (int k = 1; k <= inputCount && k <= static_cast<int>(FrameInput.size()); ++k)
        FrameInput[static_cast<std::size_t>(k - 1)]->SmallCombo_REFASP->setPopUpMenu(PopupMenu_REFASP);
}

void PageInput::FitPanel(int inputCount)
{
    if (inputCount < 1 || inputCount > static_cast<int>(FrameInput.size()))
        return;
    // The panel's layout ends it below the last row shown.
    for (std::size_t k = 0; k < FrameInput.size(); ++k)
        FrameInput[k]->setVisible(static_cast<int>(k) < inputCount);
}

// ---- Signal types -----------------------------------------------------------------------------------

void PageInput::sendSignalType(int input, int position)
{
    DeviceDriver* driver = m_router ? m_router->driver() : nullptr;
    // A list just emptied reports no position: nobody chose anything.
    if (!driver || position < 0)
        return;
    driver->setPCHAN(static_cast<std::uint32_t>(input));
    if (!IsSupportedModel(driver->DEV()))
        return;
    const auto p = static_cast<std::size_t>(position);
    switch (tesso::inputRowLayout(input).signalType) {
    case SignalTypeList::Component:
        if (p < DeviceLists::ComponentCodes.size())
            driver->setPRGBI(DeviceLists::ComponentCodes[p]);
        break;
    case SignalTypeList::Composite:
        if (p < DeviceLists::CompositeCodes.size())
            driver->setPRGBI(DeviceLists::CompositeCodes[p]);
        break;
    case SignalTypeList::None:
        break;
    }
}

// The standard list is only for composite and Y/C signals (PRGBI 0 and 1). A row the model does not
// give a standard list, or one not in use, is never enabled or shown by a report.
void PageInput::SignalTypeDisplay()
{
    DeviceDriver* driver = m_router ? m_router->driver() : nullptr;
    if (!driver)
        return;
    const std::uint32_t addressed = driver->PCHAN();
    if (addressed == 0) {
        // Every input was set back to its defaults.
        select(FrameInput[1]->CboSignalType, 0);
        select(FrameInput[2]->CboSignalType, 0);
        select(FrameInput[3]->CboSignalType, 1);
        const std::uint32_t defaults[] = {0,
                                          0,
                                          2,
                                          1,
                                          DeviceLists::ComputerSignal,
                                          DeviceLists::ComputerSignal,
                                          DeviceLists::ComputerSignal};
        for (int k = 1; k <= 7; ++k)
            driver->setPRGBIByInput(k, defaults[k - 1]);
        const int n = m_routines.InputCount ? m_routines.InputCount() : 0;
        for (int k = 1; k <= n && k <= static_cast<int>(FrameInput.size()); ++k) {
            InputSettingsRow* frame = FrameInput[static_cast<std::size_t>(k - 1)];
            frame->CboStandard->setEnabled(driver->PRGBIByInput(k) < 2 && tesso::inputRowLayout(k).standard &&
                                           frame->ChkUsed->isChecked());
        }
    } else if (addressed <= FrameInput.size()) {
        const int k = static_cast<int>(addressed);
        InputSettingsRow* frame = FrameInput[addressed - 1];
        const int position = tesso::signalTypePosition(k, driver->PRGBIByInput(k));
        if (position < frame->CboSignalType->count())
            select(frame->CboSignalType, position);
        frame->CboStandard->setVisible(driver->PRGBIByInput(k) < 2 && tesso::inputRowLayout(k).standard);
    }
    afterChange();
}

} // namespace tesso
