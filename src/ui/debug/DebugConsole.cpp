#include "DebugConsole.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QSaveFile>
#include <QScreen>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

#include "Calculator.h"
#include "ConsoleMenus.h"
#include "ConsolePanesLayout.h"
#include "ConsoleSender.h"
#include "DebugConversions.h"
#include "DebugMessageBoxPrompts.h"
#include "DebugSettingsStore.h"
#include "DebugTexts.h"
#include "DeviceDriver.h"
#include "ErrorReport.h"
#include "FileSender.h"
#include "LogFolder.h"
#include "QuickSendButtons.h"
#include "ReceivedLogModel.h"
#include "ReceivedPane.h"
#include "SendMemo.h"
#include "Texts.h"
#include "VariableList.h"

namespace tesso
{

using namespace tesso::debug;

namespace
{

constexpr int MinimumWidth = 200;
constexpr int MinimumHeight = 150;

template <typename Fn> auto guard(Fn fn)
{
    return [fn] { tesso::guarded(fn); };
}

QLabel* boldLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

DebugConsole::DebugConsole(QWidget* parent, const QString& folder)
    : QMainWindow(parent, Qt::Window), m_folder(folder.isEmpty() ? QDir::currentPath() : folder)
{
    setObjectName(QStringLiteral("Form_Debug2007"));
    setWindowTitle(QString(Texts::CaptionDebug));
    Clock = [] { return QDateTime::currentMSecsSinceEpoch(); };
    m_ownPrompts = std::make_unique<DebugMessageBoxPrompts>();
    m_prompts = m_ownPrompts.get();
    m_store = new DebugSettingsStore(m_folder, this);
    m_store->Collect = [this] {
        Debug2007Ini::Content content;
        content.buttons = Panel_Description->Saved();
        const std::vector<bool> checks = VariableEntries->Checks();
        for (std::size_t i = 0; i < content.checked.size() && i < checks.size(); ++i)
            content.checked[i] = checks[i];
        // The size without the window manager's frame, which is not known before the window is
        // shown: stored with it, the window would grow at every start.
        content.top = y();
        content.left = x();
        content.width = width();
        content.height = height();
        return content;
    };

    buildPanes();
    Menus = new ConsoleMenus(this);
    Sender = new ConsoleSender(Memo_Send, ProgressBar, this);
    FileSend = new FileSender(Sender, Memo_Send, ProgressBar, ClientArea, this);
    FileSend->setPrompts(m_prompts);
    connectHandlers();
    move(DesignLeft, DesignTop);
    resize(DesignWidth, DesignHeight);
    loadSettings();
    updateSendMode();
}

DebugConsole::~DebugConsole()
{
    // The log below the driver's signal is one of this window's children.
    disconnect(m_lineReceived);
    // A layout change made just before exit is not lost.
    if (m_store->SavePending())
        tesso::guarded([this] { m_store->Settle(); });
}

void DebugConsole::buildPanes()
{
    ClientArea = new QWidget(this);
    ClientArea->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(ClientArea);

    Panel_Send = new QWidget(ClientArea);
    Panel_Send->setObjectName(QStringLiteral("Panel_Send"));
    Label_Send = boldLabel(QString(DebugTexts::Send), Panel_Send);
    Label_Send->setObjectName(QStringLiteral("Label_Send"));
    Label_Notice = new QLabel(Panel_Send);
    Label_Notice->setObjectName(QStringLiteral("Label_Notice"));
    QPalette noticePalette = Label_Notice->palette();
    noticePalette.setColor(QPalette::WindowText, QColor(170, 0, 0));
    Label_Notice->setPalette(noticePalette);
    // A long notice (a saved log's path) takes a second line rather than being cut.
    Label_Notice->setWordWrap(true);
    Memo_Send = new SendMemo(Panel_Send);
    Label_Send->setBuddy(Memo_Send);
    VariableEntries = new VariableList(Panel_Send);
    VariableEntries->setContextMenuPolicy(Qt::CustomContextMenu);
    VariableEntries->setAccessibleName(QStringLiteral("Variable list"));

    // The label and the notice over the send box and the variable list, which share the height.
    auto* top = new QHBoxLayout;
    top->setSpacing(10);
    top->addWidget(Label_Send, 0, Qt::AlignTop);
    top->addWidget(Label_Notice, 1);
    auto* sendLayout = new QVBoxLayout(Panel_Send);
    sendLayout->setContentsMargins(5, 2, 5, 0);
    sendLayout->setSpacing(0);
    sendLayout->addLayout(top);
    sendLayout->addSpacing(2);
    sendLayout->addWidget(Memo_Send, 1);
    sendLayout->addWidget(VariableEntries, 1);

    Panel_Description = new QuickSendButtons(ClientArea);

    Panel_Received = new ReceivedPane(ClientArea);
    StringGrid_Received = Panel_Received->StringGrid_Received;
    ReceivedLog = Panel_Received->ReceivedLog;

    ProgressBar = new QProgressBar(ClientArea);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setTextVisible(false);
    ProgressBar->setRange(0, 100);
    ProgressBar->setValue(0);

    Panel_Calc = new Calculator(ClientArea);

    m_panes = new ConsolePanesLayout(ClientArea, Panel_Send, Panel_Description, Panel_Received, ProgressBar);
    m_panes->placed = [this] {
        tesso::guarded([this] {
            Panel_Received->Layout();
            m_store->SaveWhenSettled();
        });
    };
}

void DebugConsole::connectHandlers()
{
    connect(Menus->SendTextFile, &QAction::triggered, this, guard([this] { FileSend->sendTextFile(); }));
    connect(Menus->ForceConnect, &QAction::triggered, this, guard([this] { applyForceConnect(); }));
    for (QAction* a : {Menus->SendDirect, Menus->SendOnCarriageReturn, Menus->TransmitCarriageReturn})
        connect(a, &QAction::triggered, this, guard([this] { updateSendMode(); }));
    connect(Menus->ShowCalculator, &QAction::triggered, this, guard([this] { showCalculator(); }));
    connect(Menus->ClearLog, &QAction::triggered, this, guard([this] { clearLog(); }));
    connect(Menus->SaveLog, &QAction::triggered, this, guard([this] { saveLog(); }));
    connect(Menus->SaveLogAs, &QAction::triggered, this, guard([this] { saveLogAs(); }));
    connect(Menus->CheckAll, &QAction::triggered, this, guard([this] { checkAllEntries(); }));
    connect(Menus->UncheckAll, &QAction::triggered, this, guard([this] { uncheckAllEntries(); }));
    connect(StringGrid_Received, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        Menus->LogMenu->popup(StringGrid_Received->viewport()->mapToGlobal(p));
    });
    connect(VariableEntries, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { Menus->ListMenu->popup(VariableEntries->viewport()->mapToGlobal(p)); });
    connect(StringGrid_Received, &QAbstractItemView::entered, this,
            [this](const QModelIndex& index) { tesso::guarded([&] { showEntryOfRow(index.row()); }); });
    connect(StringGrid_Received, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { tesso::guarded([&] { openRowInCalculator(index.row()); }); });
    connect(Panel_Received->Edit_Find, &QLineEdit::returnPressed, this, guard([this] { FindNext(true); }));
    auto* findNext = new QShortcut(QKeySequence::FindNext, this);
    connect(findNext, &QShortcut::activated, this, guard([this] { FindNext(true); }));
    auto* findPrevious = new QShortcut(QKeySequence::FindPrevious, this);
    connect(findPrevious, &QShortcut::activated, this, guard([this] { FindNext(false); }));
    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, [this] {
        Panel_Received->Edit_Find->setFocus();
        Panel_Received->Edit_Find->selectAll();
    });

    connect(Memo_Send, &SendMemo::keyPressed, Sender, &ConsoleSender::sendTypedKey);
    connect(VariableEntries, &VariableList::toggled, this, [this] { m_store->SaveNow(); });
    connect(VariableEntries, &VariableList::entryClicked, this, [this](const QString& word) {
        Memo_Send->AppendLines(word);
        Sender->SendTextDirect(word + QLatin1Char('\r'));
    });
    Panel_Description->AskText = [this](const QString& caption, const QString& prompt,
                                        const QString& initial) {
        return m_prompts->AskText(this, caption, prompt, initial);
    };
    connect(Panel_Description, &QuickSendButtons::sendRequested, this, [this](const QString& text) {
        Memo_Send->AppendLines(text);
        Sender->SendTextDirect(text + QLatin1Char('\r'));
    });
    connect(Panel_Description, &QuickSendButtons::edited, this, [this] { m_store->SaveNow(); });
    connect(Panel_Description, &QuickSendButtons::dragged, this, &DebugConsole::DragDivider);

    connect(Sender, &ConsoleSender::notice, this, &DebugConsole::showNotice);
    connect(FileSend, &FileSender::pacedSendEnded, this, &DebugConsole::updateSendMode);
}

// ---- Driver and prompts -------------------------------------------------------------------------

void DebugConsole::setDriver(DeviceDriver* driver)
{
    disconnect(m_lineReceived);
    m_driver = driver;
    Sender->setDriver(driver);
    if (driver)
        m_lineReceived = connect(driver, &DeviceDriver::lineReceived, this, &DebugConsole::addReceivedLine);
}

void DebugConsole::setPrompts(DebugPrompts* prompts)
{
    m_prompts = prompts ? prompts : m_ownPrompts.get();
    FileSend->setPrompts(m_prompts);
}

// ---- Settings -----------------------------------------------------------------------------------

void DebugConsole::loadSettings()
{
    Debug2007Ini::Content content;
    content.checked.fill(true);
    if (!m_store->Load(content))
        return applyBounds(std::nullopt, std::nullopt, std::nullopt, std::nullopt);
    Panel_Description->Load(content.buttons);
    VariableEntries->SetChecks(std::vector<bool>(content.checked.begin(), content.checked.end()));
    applyBounds(content.top, content.left, content.width, content.height);
}

void DebugConsole::applyBounds(const std::optional<int>& top, const std::optional<int>& left,
                               const std::optional<int>& width, const std::optional<int>& height)
{
    QRect bounds(left.value_or(x()), top.value_or(y()), width.value_or(this->width()),
                 height.value_or(this->height()));
    const QScreen* screen = QGuiApplication::screenAt(bounds.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen) {
        // A file from a larger or another screen must not put the window out of reach.
        const QRect room = screen->availableGeometry();
        bounds.setWidth(std::clamp(bounds.width(), std::min(MinimumWidth, room.width()), room.width()));
        bounds.setHeight(std::clamp(bounds.height(), std::min(MinimumHeight, room.height()), room.height()));
        bounds.moveLeft(std::clamp(bounds.left(), room.left(), room.right() + 1 - bounds.width()));
        bounds.moveTop(std::clamp(bounds.top(), room.top(), room.bottom() + 1 - bounds.height()));
    }
    move(bounds.topLeft());
    resize(bounds.size());
}

// ---- Layout -------------------------------------------------------------------------------------

int DebugConsole::DividerOffset() const
{
    return m_panes->offset();
}

void DebugConsole::DragDivider(int dx)
{
    m_panes->setOffset(m_panes->offset() + dx);
    // At once, not at the next layout pass: the pointer is waiting for it.
    m_panes->setGeometry(ClientArea->rect());
}

void DebugConsole::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    tesso::guarded([this] { refreshOnShow(); });
}

void DebugConsole::hideEvent(QHideEvent* event)
{
    // A resize that has not settled yet is written now rather than lost at exit.
    if (m_store->SavePending())
        tesso::guarded([this] { m_store->Settle(); });
    QMainWindow::hideEvent(event);
}

void DebugConsole::refreshOnShow()
{
    if (Panel_Received->FollowsNewRows())
        Panel_Received->ScrollToEnd();
    if (!m_driver)
        m_prompts->Information(this, QString::fromUtf8(DebugTexts::NoDriver));
}

// ---- Sending ------------------------------------------------------------------------------------

void DebugConsole::updateSendMode()
{
    Sender->sendMode = ConsoleSender::ComputeSendMode(Menus->SendDirect->isChecked(),
                                                      Menus->TransmitCarriageReturn->isChecked());
}

void DebugConsole::showNotice(const QString& text)
{
    Label_Notice->setText(text);
    Label_Notice->setToolTip(text);
}

QString DebugConsole::Notice() const
{
    return Label_Notice->text();
}

// ---- Received log -------------------------------------------------------------------------------

void DebugConsole::addReceivedLine(const QByteArray& line)
{
    if (VariableEntries->Hidden().Contains(ExtractMnemonic(line)))
        return;
    ReceivedLog->Append(line, Clock ? Clock() : 0);
}

void DebugConsole::addHubCommand(const QString& client, const QByteArray& command)
{
    // "#" comes with its line end, which the log's one-line rows leave out.
    const QByteArray source = client.toLatin1() + " > ";
    ReceivedLog->Append(source + command.trimmed(), Clock ? Clock() : 0, static_cast<int>(source.size()));
}

void DebugConsole::addHubNote(const QString& line)
{
    ReceivedLog->Append("hub: " + line.toLatin1(), Clock ? Clock() : 0, ReceivedLogModel::NoValue);
}

void DebugConsole::clearLog()
{
    ReceivedLog->Clear();
}

void DebugConsole::saveLog()
{
    if (m_logFolder.isEmpty())
        m_logFolder = LogFolder::forThisProcess();
    writeLog(QDir(m_logFolder).filePath(QString(DebugTexts::LogFileName)), false);
}

void DebugConsole::saveLogAs()
{
    if (const std::optional<DebugPrompts::LogFile> file = m_prompts->SaveLogAs(this))
        writeLog(file->fileName, file->withTimes);
}

void DebugConsole::writeLog(const QString& fileName, bool withTimes)
{
    ReceivedLog->Flush();
    const QByteArray text = ReceivedLog->SaveText(withTimes);
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        return tesso::reportError(file.errorString());
    showNotice(QString(DebugTexts::LogSaved).arg(QDir::toNativeSeparators(fileName)));
}

void DebugConsole::FindNext(bool forward)
{
    const bool found = Panel_Received->FindNext(forward);
    showNotice(found ? QString() : QString(DebugTexts::NotFound).arg(Panel_Received->Edit_Find->text()));
}

void DebugConsole::showEntryOfRow(int row)
{
    if (row < 0 || row > ReceivedLog->LoggedRows())
        return;
    const QString search =
        QStringLiteral("  ") + QString::fromLatin1(ExtractMnemonic(ReceivedLog->Text(row)));
    if (const std::optional<QString> entry = VariableEntries->ShowEntryContaining(search))
        setWindowTitle(*entry);
}

void DebugConsole::openRowInCalculator(int row)
{
    if (row < 0 || row > ReceivedLog->LoggedRows())
        return;
    const QByteArray text = ReceivedLog->Text(row);
    const std::optional<std::uint64_t> value = ExtractValue(text);
    const QString decimal = value ? QString::number(*value) : QStringLiteral("0");
    const CalcEdit::Rows rows = CalcEdit::FromDecimal(decimal);
    Panel_Calc->LoadDecimal(decimal);
    const QString hint = QStringLiteral(" Var: %1, Dec: %2, Bin: %3, Hex: %4")
                             .arg(QString::fromLatin1(ExtractMnemonic(text)), rows[0], rows[1], rows[2]);
    StringGrid_Received->setToolTip(hint);
    ReceivedLog->setHint(hint);
    showCalculator();
}

void DebugConsole::showCalculator()
{
    Panel_Calc->show();
    Panel_Calc->moveWithin(Panel_Calc->pos());
    Panel_Calc->raise();
}

// ---- Variable list and Force Connect -----------------------------------------------------------

void DebugConsole::checkAllEntries()
{
    VariableEntries->setAllChecked(true);
}

void DebugConsole::uncheckAllEntries()
{
    VariableEntries->setAllChecked(false);
}

void DebugConsole::applyForceConnect()
{
    if (!m_driver) {
        Menus->ForceConnect->setChecked(false);
        return;
    }
    m_driver->setForcedConnection(Menus->ForceConnect->isChecked());
    Menus->ForceConnect->setChecked(m_driver->forcedConnection());
}

} // namespace tesso
