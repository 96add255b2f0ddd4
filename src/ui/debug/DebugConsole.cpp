#include "DebugConsole.h"

#include <QAction>
#include <QActionGroup>
#include <QDateTime>
#include <QDir>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QSaveFile>
#include <QScreen>
#include <QShortcut>
#include <QTableView>

#include "Calculator.h"
#include "CommandFile.h"
#include "ConsoleLayout.h"
#include "DebugConversions.h"
#include "DebugMessageBoxPrompts.h"
#include "DebugSettingsStore.h"
#include "DebugTexts.h"
#include "DeviceDriver.h"
#include "DialKnob.h"
#include "ErrorReport.h"
#include "Errors.h"
#include "IntervalDial.h"
#include "LogFolder.h"
#include "QuickSendButtons.h"
#include "ReceivedLogModel.h"
#include "ReceivedPane.h"
#include "SendMemo.h"
#include "Texts.h"
#include "TimedSend.h"
#include "VariableList.h"

namespace tesso
{

using namespace tesso::debug;

namespace
{

constexpr int LabelHeight = 16;
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
        const std::vector<bool> checks = _->Checks();
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
    buildMenus();
    timedSend = new TimedSend(this);
    connectHandlers();
    move(DesignLeft, DesignTop);
    resize(DesignWidth, DesignHeight);
    loadSettings();
    TransmissionduCarriageReturn1Click();
}

DebugConsole::~DebugConsole()
{
    // The handlers below the router's call refer to this window's children.
    m_recString.reset();
    // A layout change made just before exit is not lost.
    if (m_store->SavePending())
        tesso::guarded([this] { m_store->Settle(); });
}

void DebugConsole::buildPanes()
{
    ClientArea = new QWidget(this);
    ClientArea->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(ClientArea);
    ClientArea->installEventFilter(this);

    Panel_Send = new QWidget(ClientArea);
    Panel_Send->setObjectName(QStringLiteral("Panel_Send"));
    Label_Send = boldLabel(QString(DebugTexts::Send), Panel_Send);
    Label_Send->setObjectName(QStringLiteral("Label_Send"));
    Label_Notice = new QLabel(Panel_Send);
    Label_Notice->setObjectName(QStringLiteral("Label_Notice"));
    QPalette noticePalette = Label_Notice->palette();
    noticePalette.setColor(QPalette::WindowText, QColor(170, 0, 0));
    Label_Notice->setPalette(noticePalette);
    Memo_Send = new SendMemo(Panel_Send);
    _ = new VariableList(Panel_Send);
    _->setContextMenuPolicy(Qt::CustomContextMenu);

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
}

void DebugConsole::buildMenus()
{
    Transfert1 = menuBar()->addMenu(QString(DebugTexts::MenuTransfert));
    Envoiedefichiertxttoutcollertxt1 = Transfert1->addAction(QString(DebugTexts::SendTextFile));
    QMenu* force = menuBar()->addMenu(QString(DebugTexts::ForceConnect));
    ForceConnect2 = force->addAction(QString(DebugTexts::ForceConnect));
    ForceConnect2->setCheckable(true);
    QMenu* options = menuBar()->addMenu(QString(DebugTexts::MenuOptions));
    auto* sending = new QActionGroup(this);
    EnvoiDirect1 = options->addAction(QString(DebugTexts::EnvoiDirect));
    EnvoisurCarriageReturn1 = options->addAction(QString(DebugTexts::EnvoiSurCR));
    for (QAction* a : {EnvoiDirect1, EnvoisurCarriageReturn1}) {
        a->setCheckable(true);
        sending->addAction(a);
    }
    EnvoisurCarriageReturn1->setChecked(true);
    options->addSeparator();
    TransmissionduCarriageReturn1 = options->addAction(QString(DebugTexts::TransmissionCR));
    TransmissionduCarriageReturn1->setCheckable(true);

    PopupMenu_Received = new QMenu(this);
    Calculatrice1 = PopupMenu_Received->addAction(QString(DebugTexts::Calculatrice));
    PopupMenu_Received->addSeparator();
    Clear_Txt_Received = PopupMenu_Received->addAction(QString(DebugTexts::AllClear));
    PopupMenu_Received->addSeparator();
    Save_Txt_Received = PopupMenu_Received->addAction(QString(DebugTexts::Save));
    SaveAs_Txt_Received = PopupMenu_Received->addAction(QString(DebugTexts::SaveAs));

    PopupMenu_List = new QMenu(this);
    AllChecked1 = PopupMenu_List->addAction(QString(DebugTexts::AllChecked));
    AllUnChecked1 = PopupMenu_List->addAction(QString(DebugTexts::AllUnChecked));
}

void DebugConsole::connectHandlers()
{
    connect(Envoiedefichiertxttoutcollertxt1, &QAction::triggered, this,
            guard([this] { Envoiedefichiertxttoutcollertxt1Click(); }));
    connect(ForceConnect2, &QAction::triggered, this, guard([this] { ForceConnect2Click(); }));
    for (QAction* a : {EnvoiDirect1, EnvoisurCarriageReturn1, TransmissionduCarriageReturn1})
        connect(a, &QAction::triggered, this, guard([this] { TransmissionduCarriageReturn1Click(); }));
    connect(Calculatrice1, &QAction::triggered, this, guard([this] { Calculatrice1Click(); }));
    connect(Clear_Txt_Received, &QAction::triggered, this, guard([this] { Clear_Txt_ReceivedClick(); }));
    connect(Save_Txt_Received, &QAction::triggered, this, guard([this] { Save_Txt_ReceivedClick(); }));
    connect(SaveAs_Txt_Received, &QAction::triggered, this, guard([this] { SaveAs_Txt_ReceivedClick(); }));
    connect(AllChecked1, &QAction::triggered, this, guard([this] { AllChecked1Click(); }));
    connect(AllUnChecked1, &QAction::triggered, this, guard([this] { AllUnChecked1Click(); }));
    connect(StringGrid_Received, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        PopupMenu_Received->popup(StringGrid_Received->viewport()->mapToGlobal(p));
    });
    connect(_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { PopupMenu_List->popup(_->viewport()->mapToGlobal(p)); });
    connect(StringGrid_Received, &QAbstractItemView::entered, this, [this](const QModelIndex& index) {
        tesso::guarded([&] { StringGrid_ReceivedMouseMove(index.row()); });
    });
    connect(StringGrid_Received, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        tesso::guarded([&] { StringGrid_ReceivedDblClick(index.row()); });
    });
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

    Memo_Send->OnKeyPress = [this](QKeyEvent* event) { Memo_SendKeyPress(event); };
    _->OnToggle = [this] { m_store->SaveNow(); };
    _->OnEntryClick = [this](const QString& word) {
        Memo_Send->AppendLines(word);
        SendTextDirect(word + QLatin1Char('\r'));
    };
    Panel_Description->AskText = [this](const QString& caption, const QString& prompt,
                                        const QString& initial) {
        return m_prompts->AskText(this, caption, prompt, initial);
    };
    Panel_Description->OnSend = [this](const QString& text) {
        Memo_Send->AppendLines(text);
        SendTextDirect(text + QLatin1Char('\r'));
    };
    Panel_Description->OnEdited = [this] { m_store->SaveNow(); };
    Panel_Description->OnDrag = [this](int dx) { DragDivider(dx); };

    timedSend->Send = [this](const QByteArray& line) { return sendBytes(line, true); };
    timedSend->OnLineSent = [this](const QByteArray& line) {
        Memo_Send->AppendLines(QString::fromLatin1(line));
    };
    timedSend->OnProgress = [this](int position) { ProgressBar->setValue(position); };
    timedSend->OnFinished = [this](bool, const QString& failure) { timedSendFinished(failure); };
}

// ---- Driver and prompts -------------------------------------------------------------------------

void DebugConsole::setDriver(DeviceDriver* driver, EventRouter* router)
{
    m_recString.reset();
    m_driver = driver;
    if (driver && router)
        m_recString = router->takeOver(DriverEvent::RecString, [this] { AddReceivedRow(); });
}

void DebugConsole::setPrompts(DebugPrompts* prompts)
{
    m_prompts = prompts ? prompts : m_ownPrompts.get();
}

// ---- Settings -----------------------------------------------------------------------------------

void DebugConsole::loadSettings()
{
    Debug2007Ini::Content content;
    content.checked.fill(true);
    if (!m_store->Load(content))
        return applyBounds(std::nullopt, std::nullopt, std::nullopt, std::nullopt);
    Panel_Description->Load(content.buttons);
    _->SetChecks(std::vector<bool>(content.checked.begin(), content.checked.end()));
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

void DebugConsole::FormResize()
{
    const ConsoleLayout l =
        ConsoleLayout::Compute(ClientArea->width(), ClientArea->height(), m_dividerOffset);
    m_dividerOffset = l.offset;
    Panel_Send->setGeometry(l.sendPane);
    Panel_Description->setGeometry(l.strip);
    Panel_Received->setGeometry(l.receivedPane);
    ProgressBar->setGeometry(l.progressBar);
    layoutSendPane(l.sendPane.width(), l.sendPane.height());
    Panel_Received->Layout();
    m_store->SaveWhenSettled();
}

void DebugConsole::layoutSendPane(int width, int height)
{
    const int inner = std::max(0, width - 10);
    Label_Send->setGeometry(5, 2, std::min(inner, 40), LabelHeight);
    Label_Notice->setGeometry(50, 2, std::max(0, width - 55), LabelHeight);
    const int top = 2 + LabelHeight + 2;
    const int memoHeight = ConsoleLayout::Round((height - 2) / 2.0);
    Memo_Send->setGeometry(5, top, inner, std::max(0, memoHeight));
    _->setGeometry(5, top + memoHeight, inner, std::max(0, height - top - memoHeight));
}

void DebugConsole::DragDivider(int dx)
{
    m_dividerOffset += dx;
    FormResize();
}

bool DebugConsole::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ClientArea && event->type() == QEvent::Resize)
        tesso::guarded([this] { FormResize(); });
    return QMainWindow::eventFilter(watched, event);
}

void DebugConsole::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    tesso::guarded([this] { prepareToShow(); });
}

void DebugConsole::hideEvent(QHideEvent* event)
{
    // A resize that has not settled yet is written now rather than lost at exit.
    if (m_store->SavePending())
        tesso::guarded([this] { m_store->Settle(); });
    QMainWindow::hideEvent(event);
}

void DebugConsole::prepareToShow()
{
    if (Panel_Received->FollowsNewRows())
        Panel_Received->ScrollToEnd();
    if (!m_driver)
        m_prompts->Information(this, QString::fromUtf8(DebugTexts::NoDriver));
}

// ---- Sending ------------------------------------------------------------------------------------

DebugConsole::SendMode DebugConsole::ComputeSendMode(bool direct, bool transmitCR)
{
    if (direct)
        return transmitCR ? SendMode::DirectWithCR : SendMode::Direct;
    return transmitCR ? SendMode::LineWithCR : SendMode::Line;
}

void DebugConsole::TransmissionduCarriageReturn1Click()
{
    sendMode = ComputeSendMode(EnvoiDirect1->isChecked(), TransmissionduCarriageReturn1->isChecked());
}

void DebugConsole::Memo_SendKeyPress(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    QString typed = event->text();
    if (enter)
        typed = QStringLiteral("\r");
    else if (event->key() == Qt::Key_Backspace)
        typed = QStringLiteral("\b");
    else if (event->key() == Qt::Key_Delete)
        typed.clear(); // moves the caret; it is no character
    if (enter)
        Memo_Send->Remember(Memo_Send->CaretLine());
    if (sendMode == SendMode::DirectWithCR || sendMode == SendMode::Direct) {
        if (!typed.isEmpty() && !(sendMode == SendMode::Direct && enter))
            sendTyped(typed);
        return;
    }
    if (!enter)
        return;
    const QString line = Memo_Send->CaretLine();
    if (line.isEmpty() || line == QStringLiteral("\b"))
        return;
    sendTyped(sendMode == SendMode::LineWithCR ? line + QLatin1Char('\r') : line);
}

void DebugConsole::sendTyped(const QString& text)
{
    if (!m_driver || refusesToSend())
        return;
    for (const QChar c : text) {
        if (c.unicode() > 0xFF) {
            // Converted, it would go out as "?", which the device reads as a query.
            showNotice(QString(DebugTexts::NoSingleByte).arg(c));
            return;
        }
    }
    m_driver->SendString(text.toLatin1());
}

void DebugConsole::SendTextDirect(const QString& text)
{
    if (text.isEmpty() || !m_driver || refusesToSend())
        return;
    const SendMode remembered = sendMode;
    sendMode = SendMode::Direct;
    ProgressBar->setMaximum(static_cast<int>(text.size()));
    QString failure;
    for (qsizetype i = 0; i < text.size() && failure.isEmpty(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r')) {
            // Dropped, as Enter is in this mode.
        } else if (c.unicode() > 0xFF) {
            showNotice(QString(DebugTexts::NoSingleByte).arg(c));
        } else {
            failure = sendBytes(QByteArray(1, static_cast<char>(c.unicode())), false);
        }
        ProgressBar->setValue(static_cast<int>(i + 1));
    }
    ProgressBar->setValue(0);
    sendMode = remembered;
    if (!failure.isEmpty())
        tesso::reportError(failure);
}

QString DebugConsole::whyNotSend(bool needOpenLink) const
{
    if (!m_driver)
        return QString(DebugTexts::LinkClosed);
    if (m_driver->ConMode() == MODE_RAW)
        return QString(DebugTexts::FrameTransferHoldsLine);
    if (needOpenLink && !m_driver->LinkConnected())
        return QString(DebugTexts::LinkClosed);
    return {};
}

QString DebugConsole::sendBytes(const QByteArray& bytes, bool needOpenLink)
{
    if (QString reason = whyNotSend(needOpenLink); !reason.isEmpty())
        return reason;
    try {
        m_driver->SendString(bytes);
    } catch (const TessoError& e) {
        return e.text();
    } catch (const std::exception& e) {
        return QString::fromLocal8Bit(e.what());
    }
    return {};
}

bool DebugConsole::refusesToSend()
{
    if (m_driver && m_driver->ConMode() == MODE_RAW) {
        showNotice(QString(DebugTexts::FrameTransferHoldsLine));
        return true;
    }
    return false;
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

// ---- File send ----------------------------------------------------------------------------------

void DebugConsole::Envoiedefichiertxttoutcollertxt1Click()
{
    const QString fileName = m_prompts->OpenTextFile(this, QString(DebugTexts::TextFileFilter));
    if (fileName.isEmpty())
        return;
    QString error;
    const std::optional<QList<QByteArray>> lines = CommandFile::Read(fileName, error);
    if (!lines) {
        tesso::reportError(error);
        return;
    }
    const QByteArray text = CommandFile::Joined(*lines);
    switch (m_prompts->AskTemporize(this)) {
    case DebugPrompts::Pace::Cancelled:
        return;
    case DebugPrompts::Pace::AtOnce: {
        if (text.isEmpty())
            return;
        // Sent into a closed link, the file would look sent.
        const QString failure = whyNotSend(true);
        if (!failure.isEmpty()) {
            tesso::reportError(failure);
            return;
        }
        QStringList shown;
        for (const QByteArray& line : *lines)
            shown << QString::fromLatin1(line);
        Memo_Send->AppendLines(shown.join(QLatin1Char('\n')));
        SendTextDirect(QString::fromLatin1(text));
        return;
    }
    case DebugPrompts::Pace::Paced:
        StartTimedSend(text);
        return;
    }
}

void DebugConsole::StartTimedSend(const QByteArray& text)
{
    const QList<QByteArray> lines = CommandFile::SplitLines(text);
    if (lines.isEmpty())
        return;
    ProgressBar->setMaximum(std::max(1, static_cast<int>(CommandFile::Joined(lines).size())));
    sendMode = SendMode::Direct;
    showDial();
    timedSend->Start(lines);
}

void DebugConsole::showDial()
{
    if (!Dial) {
        Dial = new IntervalDial(ClientArea);
        Dial->Knob->setSelected(DialKnob::PositionCount);
        Dial->OnIntervalChange = [this](int ms) { timedSend->SetInterval(ms); };
        Dial->OnClose = [this] { timedSend->Cancel(); };
        Dial->move(50, 50);
    }
    Dial->setInterval(timedSend->Interval());
    Dial->show();
    Dial->raise();
}

void DebugConsole::timedSendFinished(const QString& failure)
{
    if (Dial)
        Dial->deleteLater(); // its close button may be what ended the send
    Dial = nullptr;
    ProgressBar->setValue(0);
    TransmissionduCarriageReturn1Click();
    if (!failure.isEmpty())
        tesso::reportError(failure);
}

// ---- Received log -------------------------------------------------------------------------------

void DebugConsole::AddReceivedRow()
{
    if (!m_driver)
        return;
    const QByteArray text = m_driver->receivedString();
    if (_->Hidden().Contains(ExtractMnemonic(text)))
        return;
    ReceivedLog->Append(text, Clock ? Clock() : 0);
}

void DebugConsole::Clear_Txt_ReceivedClick()
{
    ReceivedLog->Clear();
}

void DebugConsole::Save_Txt_ReceivedClick()
{
    if (m_logFolder.isEmpty())
        m_logFolder = LogFolder::forThisProcess();
    saveLog(QDir(m_logFolder).filePath(QString(DebugTexts::LogFileName)), false);
}

void DebugConsole::SaveAs_Txt_ReceivedClick()
{
    if (const std::optional<DebugPrompts::LogFile> file = m_prompts->SaveLogAs(this))
        saveLog(file->fileName, file->withTimes);
}

void DebugConsole::saveLog(const QString& fileName, bool withTimes)
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

void DebugConsole::StringGrid_ReceivedMouseMove(int row)
{
    if (row < 0 || row > ReceivedLog->LoggedRows())
        return;
    const QString search =
        QStringLiteral("  ") + QString::fromLatin1(ExtractMnemonic(ReceivedLog->Text(row)));
    if (const std::optional<QString> entry = _->ShowEntryContaining(search))
        setWindowTitle(*entry);
}

void DebugConsole::StringGrid_ReceivedDblClick(int row)
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
    Calculatrice1Click();
}

void DebugConsole::Calculatrice1Click()
{
    Panel_Calc->show();
    Panel_Calc->raise();
}

// ---- Variable list and Force Connect -----------------------------------------------------------

void DebugConsole::AllChecked1Click()
{
    _->Allchecked(true);
}

void DebugConsole::AllUnChecked1Click()
{
    _->Allchecked(false);
}

void DebugConsole::ForceConnect2Click()
{
    if (!m_driver) {
        ForceConnect2->setChecked(false);
        return;
    }
    m_driver->setForceConn(ForceConnect2->isChecked());
    ForceConnect2->setChecked(m_driver->ForceConn());
}

} // namespace tesso
