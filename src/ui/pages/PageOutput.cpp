#include "PageOutput.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "BindingTable.h"
#include "DeviceLists.h"
#include "DeviceModels.h"
#include "ErrorReport.h"
#include "ListPositions.h"
#include "PageNotice.h"
#include "RadioGroup.h"
#include "Texts.h"

namespace tesso
{

using tesso::DeviceLists;

namespace
{

RadioGroup* radioGroup(const char* name, QLatin1String title, const QStringList& items, QWidget* parent)
{
    auto* group = new RadioGroup(QString(title), parent);
    group->setObjectName(QLatin1String(name));
    group->setItems(items);
    return group;
}

} // namespace

PageOutput::PageOutput(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheet_Output"));
    GrpOutput = new QGroupBox(this);
    GrpOutput->setObjectName(QStringLiteral("GrpOutput"));
    GrpOutput->setFlat(true);

    GrpOutputFormat = new QGroupBox(QString(Texts::OutputFormat), GrpOutput);
    CboOutputFormat = new QComboBox(GrpOutputFormat);
    CboOutputFormat->setObjectName(QStringLiteral("CboOutputFormat"));
    CboOutputFormat->setAccessibleName(QStringLiteral("Output format"));
    GrpOutputRate = new QGroupBox(QString(Texts::OutputRate), GrpOutput);
    CboOutputRate = new QComboBox(GrpOutputRate);
    CboOutputRate->setObjectName(QStringLiteral("CboOutputRate"));
    CboOutputRate->setAccessibleName(QStringLiteral("Output rate"));
    // Both lists as wide as the longest format, whatever the model fills in later.
    int longest = 0;
    for (const char* format : DeviceLists::OutputFormat)
        longest = std::max(longest, static_cast<int>(qstrlen(format)));
    for (auto [group, list] :
         {std::pair{GrpOutputFormat, CboOutputFormat}, std::pair{GrpOutputRate, CboOutputRate}}) {
        list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        list->setMinimumContentsLength(longest);
        (new QVBoxLayout(group))->addWidget(list);
    }

    RdoOutputSync = radioGroup("RdoOutputSync", Texts::OutputSync, {}, GrpOutput);
    RdoOutputType = radioGroup(
        "RdoOutputType", Texts::OutputType,
        {QString(Texts::OutputTypeComputer), QString(Texts::OutputTypeDvi), QString(Texts::OutputTypeBoth)},
        GrpOutput);
    RdoTestPattern = radioGroup("RdoTestPattern", Texts::TestPattern,
                                {QString(Texts::None), QString(Texts::Grid)}, GrpOutput);

    auto* lists = new QGridLayout;
    lists->addWidget(GrpOutputFormat, 0, 0);
    lists->addWidget(GrpOutputRate, 1, 0);
    lists->setColumnStretch(1, 1);
    auto* choices = new QHBoxLayout;
    for (RadioGroup* group : {RdoOutputSync, RdoOutputType, RdoTestPattern})
        choices->addWidget(group, 0, Qt::AlignTop);
    choices->addStretch(1);
    auto* output = new QVBoxLayout(GrpOutput);
    output->setContentsMargins(4, 4, 4, 4);
    output->addLayout(lists);
    output->addLayout(choices);

    LblOutputNotAvailableComputerInput = MakePageNotice(
        "LblOutputNotAvailableComputerInput", QString(Texts::OutputNotAvailableComputerInput), this);
    StaticText_NotOnOutSeamlessMode =
        MakePageNotice("StaticText_NotOnOutSeamlessMode", QString(Texts::NotOnOutSeamlessMode), this);

    // The seamless notice below the settings it speaks of; the computer input notice in the middle
    // of the page, where the settings are hidden while it shows.
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(4, 4, 4, 4);
    page->addWidget(GrpOutput);
    page->addWidget(StaticText_NotOnOutSeamlessMode);
    page->addStretch(1);
    page->addWidget(LblOutputNotAvailableComputerInput, 0, Qt::AlignCenter);
    page->addStretch(1);
}

PageOutput::~PageOutput() = default;

void PageOutput::BindTo(EventRouter& router, const MainRoutines& routines)
{
    m_router = &router;
    m_routines = routines;
    m_bindings = std::make_unique<BindingTable>(router);
    const std::vector<std::uint32_t> outputTypes{1, 2, 3};
    m_bindings->Bind({{_OSYNCM, RdoOutputSync, ControlKind::RadioGroup},
                      // 0: the device has not said which output it drives.
                      {_OTYPEM,
                       RdoOutputType,
                       ControlKind::RadioGroup,
                       ValueMap{outputTypes},
                       0,
                       {},
                       [](std::uint32_t type) { return type != 0; }},
                      {_OPAT, RdoTestPattern, ControlKind::RadioGroup}});
    m_subscriptions.push_back(router.subscribe(_OFMTM, [this] { showOutputFormat(); }));
    m_subscriptions.push_back(router.subscribe(_ORATEM, [this] { ShowOutputRate(); }));
    m_subscriptions.push_back(router.subscribe(_REFREQ, [this] { ShowOutputRate(); }));
    auto guard = [](auto action) {
        return [action](int position) { tesso::guarded([&] { action(position); }); };
    };
    connect(CboOutputFormat, &QComboBox::activated, this,
            guard([this](int position) { sendOutputFormat(position); }));
    connect(CboOutputRate, &QComboBox::activated, this,
            guard([this](int position) { sendOutputRate(position); }));
}

void PageOutput::sendOutputFormat(int position)
{
    DeviceDriver* driver = m_router ? m_router->driver() : nullptr;
    if (!driver || !IsSupportedModel(driver->DEV()))
        return;
    if (const std::optional<std::uint32_t> code = ValueAtIndex(position, DeviceLists::OutputFormatCodes))
        driver->setOFMTM(*code);
}

void PageOutput::sendOutputRate(int position)
{
    DeviceDriver* driver = m_router ? m_router->driver() : nullptr;
    if (!driver || position < 0)
        return;
    if (position == CboOutputRate->count() - 1) {
        driver->setREFREQ(1);
    } else {
        driver->setREFREQ(0);
        driver->setORATEM(static_cast<std::uint32_t>(position));
    }
}

void PageOutput::showOutputFormat()
{
    const DeviceDriver* driver = m_router ? m_router->driver() : nullptr;
    if (!driver)
        return;
    const std::uint32_t format = driver->OFMTM();
    if (IsSupportedModel(driver->DEV())) {
        // A code the model's table lacks leaves the choice as it is.
        const int position = IndexOfValue(format, DeviceLists::OutputFormatCodes);
        if (position >= 0 && position < CboOutputFormat->count()) {
            const QSignalBlocker blocker(CboOutputFormat);
            CboOutputFormat->setCurrentIndex(position);
        }
    }
    // The UXGA formats (4 and 5) go up to 60 Hz only.
    const QSignalBlocker blocker(CboOutputRate);
    if (format == 4 || format == 5)
        FillList(CboOutputRate, DeviceLists::UxgaOutputRate);
    else
        FillList(CboOutputRate, DeviceLists::OutputRate);
    ShowOutputRate();
}

void PageOutput::ShowOutputRate()
{
    const DeviceDriver* driver = m_router ? m_router->driver() : nullptr;
    if (!driver)
        return;
    if (m_routines.UpdateReferenceStatus)
        m_routines.UpdateReferenceStatus();
    const int followInput = CboOutputRate->count() - 1;
    int position = -1;
    if (driver->REFREQ() == 1)
        position = followInput;
    else if (driver->ORATEM() < static_cast<std::uint32_t>(std::max(followInput, 0)))
        position = static_cast<int>(driver->ORATEM()); // a real rate, never "Follow Input"
    const QSignalBlocker blocker(CboOutputRate);
    CboOutputRate->setCurrentIndex(position);
    if (m_routines.UpdateStatusGrid)
        m_routines.UpdateStatusGrid();
}

void PageOutput::SetSyncItems(const QStringList& items)
{
    RdoOutputSync->setItems(items);
    if (m_bindings)
        m_bindings->ShowAll();
}

} // namespace tesso
