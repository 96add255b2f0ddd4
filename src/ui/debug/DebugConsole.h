#pragma once
// DebugConsole: the protocol debug console ("Debug"). Raw text typed in the send box or read
// from a file goes to the device over the driver's link unchanged; every reply the driver
// receives is logged, split into its mnemonic and its value in decimal, binary and hexadecimal.
// Beside them: the variable list that hides chosen replies, thirty quick-send buttons, a number
// calculator and the console's settings file "Debug2007.ini".
//
// The console hears the driver's received lines through the event router, taking them over from
// the moment it is given the driver. It holds the driver weakly: without one it sends nothing.
// While a frame transfer holds the line in raw mode it sends nothing either.

#include <functional>
#include <memory>
#include <optional>

#include <QMainWindow>
#include <QPointer>

#include "DebugPrompts.h"
#include "EventRouter.h"

class QLabel;
class QProgressBar;
class QTableView;

namespace tesso
{

class ConsoleMenus;
class ConsolePanesLayout;
class ConsoleSender;
class DebugSettingsStore;
class FileSender;
class Calculator;
class DeviceDriver;
class QuickSendButtons;
class ReceivedPane;
class ReceivedLogModel;
class SendMemo;
class VariableList;

class DebugConsole : public QMainWindow
{
    Q_OBJECT

  public:
    static constexpr int DesignLeft = 31;
    static constexpr int DesignTop = 150;
    static constexpr int DesignWidth = 605;
    static constexpr int DesignHeight = 794;

    // folder: where "Debug2007.ini" and "Debug2007.txt" are kept (the current directory when
    // empty). The settings file is read here.
    explicit DebugConsole(QWidget* parent = nullptr, const QString& folder = QString());
    ~DebugConsole() override;

    DeviceDriver* Driver() const { return m_driver; }
    // The driver whose link is used and whose received lines are logged here.
    void setDriver(DeviceDriver* driver);

    // Answers the console's questions (default: message boxes); must outlive the console.
    void setPrompts(DebugPrompts* prompts);
    // The receive time given to each logged reply (default: the clock, in ms since the epoch).
    std::function<qint64()> Clock;

    // ---- Controls --------------------------------------------------------------------------------
    QWidget* ClientArea = nullptr;
    QWidget* Panel_Send = nullptr;
    QLabel* Label_Send = nullptr;
    QLabel* Label_Notice = nullptr;
    SendMemo* Memo_Send = nullptr;
    VariableList* VariableEntries = nullptr;
    QuickSendButtons* Panel_Description = nullptr;
    ReceivedPane* Panel_Received = nullptr;
    QTableView* StringGrid_Received = nullptr; // the pane's
    ReceivedLogModel* ReceivedLog = nullptr;   // the pane's
    QProgressBar* ProgressBar = nullptr;
    Calculator* Panel_Calc = nullptr;
    ConsoleMenus* Menus = nullptr;

    // ---- Sending ---------------------------------------------------------------------------------
    // Typing and direct sends in the menu's mode, and the text file sent at once or paced.
    ConsoleSender* Sender = nullptr;
    FileSender* FileSend = nullptr;
    // The notice under the "Send" label (a refused send, a failed find).
    QString Notice() const;

    // ---- Handlers --------------------------------------------------------------------------------
    // A received reply line, unless its mnemonic is unchecked in the variable list.
    void addReceivedLine(const QByteArray& line);
    // A command another program sent through the hub, after the program's address
    // ("127.0.0.1:40312 > 128B"); logged whatever the variable list hides, since it is no reply.
    void addHubCommand(const QString& client, const QByteArray& command);
    // One of the hub's notes (connects, disconnects, refusals), after "hub: ".
    void addHubNote(const QString& line);
    // "Force Connect": the driver's flag as the menu asks, the menu as the driver then has it.
    void applyForceConnect();
    // The menu's sending mode, for what is typed.
    void updateSendMode();
    void clearLog();
    // "Save": the reply log as "Debug2007.txt" in the log folder (see LogFolder), whose path the
    // notice then shows.
    void saveLog();
    void setLogFolder(const QString& folder) { m_logFolder = folder; }
    void saveLogAs();
    void showCalculator();
    void checkAllEntries();
    void uncheckAllEntries();
    // The pointer over a logged reply: the variable list shows the entry of its mnemonic, the
    // title its text.
    void showEntryOfRow(int row);
    // A double click on a logged reply: its value in the calculator.
    void openRowInCalculator(int row);
    // The divider moved by dx pixels.
    void DragDivider(int dx);
    int DividerOffset() const;
    // The next (or previous) logged reply containing the find box's text.
    void FindNext(bool forward = true);

    DebugSettingsStore& SettingsStore() const { return *m_store; }

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void buildPanes();
    void connectHandlers();
    void loadSettings();
    void applyBounds(const std::optional<int>& top, const std::optional<int>& left,
                     const std::optional<int>& width, const std::optional<int>& height);
    void refreshOnShow();
    void showNotice(const QString& text);
    void writeLog(const QString& fileName, bool withTimes);

    QPointer<DeviceDriver> m_driver;
    QMetaObject::Connection m_lineReceived;
    DebugPrompts* m_prompts = nullptr;
    std::unique_ptr<DebugPrompts> m_ownPrompts;
    DebugSettingsStore* m_store = nullptr;
    QString m_folder;
    QString m_logFolder; // chosen on the first "Save"

    ConsolePanesLayout* m_panes = nullptr; // the client area's
};

} // namespace tesso
