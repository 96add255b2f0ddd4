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

class QAction;
class QKeyEvent;
class QLabel;
class QMenu;
class QProgressBar;
class QTableView;

namespace tesso
{

class DebugSettingsStore;
class Calculator;
class IntervalDial;
class DeviceDriver;
class QuickSendButtons;
class ReceivedPane;
class ReceivedLogModel;
class SendMemo;
class TimedSend;
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
    // The driver whose link is used; its received lines come through the router to this window
    // alone from now on.
    void setDriver(DeviceDriver* driver, EventRouter* router);

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
    VariableList* _ = nullptr;
    QuickSendButtons* Panel_Description = nullptr;
    ReceivedPane* Panel_Received = nullptr;
    QTableView* StringGrid_Received = nullptr; // the pane's
    ReceivedLogModel* ReceivedLog = nullptr;   // the pane's
    QProgressBar* ProgressBar = nullptr;
    Calculator* Panel_Calc = nullptr;
    TimedSend* timedSend = nullptr;
    QPointer<IntervalDial> Dial; // only while a paced send runs

    QMenu* Transfert1 = nullptr;
    QAction* Envoiedefichiertxttoutcollertxt1 = nullptr;
    QAction* ForceConnect2 = nullptr;
    QAction* EnvoiDirect1 = nullptr;
    QAction* EnvoisurCarriageReturn1 = nullptr;
    QAction* TransmissionduCarriageReturn1 = nullptr;
    QMenu* PopupMenu_Received = nullptr;
    QAction* Calculatrice1 = nullptr;
    QAction* Clear_Txt_Received = nullptr;
    QAction* Save_Txt_Received = nullptr;
    QAction* SaveAs_Txt_Received = nullptr;
    QMenu* PopupMenu_List = nullptr;
    QAction* AllChecked1 = nullptr;
    QAction* AllUnChecked1 = nullptr;

    // ---- Sending ---------------------------------------------------------------------------------
    // Direct modes send each key as it is typed, line modes the caret's line on Enter; "with CR"
    // sends Enter as a carriage return.
    enum class SendMode { DirectWithCR, Direct, LineWithCR, Line };
    SendMode sendMode = SendMode::Line;
    static SendMode ComputeSendMode(bool direct, bool transmitCR);

    // A key press in the send box, before the box acts on it.
    void Memo_SendKeyPress(QKeyEvent* event);
    // Every character on its own as typed in mode 1 (a CR is dropped); nothing for an empty text.
    void SendTextDirect(const QString& text);
    // The paced send of the text's lines, one per tick of the interval.
    void StartTimedSend(const QByteArray& text);
    // The notice under the "Send" label (a refused send, a failed find).
    QString Notice() const;

    // ---- Handlers --------------------------------------------------------------------------------
    void AddReceivedRow();
    void Envoiedefichiertxttoutcollertxt1Click();
    void ForceConnect2Click();
    void TransmissionduCarriageReturn1Click();
    void Clear_Txt_ReceivedClick();
    // "Save": the reply log as "Debug2007.txt" in the log folder (see LogFolder), whose path the
    // notice then shows.
    void Save_Txt_ReceivedClick();
    void setLogFolder(const QString& folder) { m_logFolder = folder; }
    void SaveAs_Txt_ReceivedClick();
    void Calculatrice1Click();
    void AllChecked1Click();
    void AllUnChecked1Click();
    void StringGrid_ReceivedMouseMove(int row);
    void StringGrid_ReceivedDblClick(int row);
    void prepareToShow();
    void FormResize();
    // The divider moved by dx pixels.
    void DragDivider(int dx);
    int DividerOffset() const { return m_dividerOffset; }
    // The next (or previous) logged reply containing the find box's text.
    void FindNext(bool forward = true);

    DebugSettingsStore& SettingsStore() const { return *m_store; }

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildPanes();
    void buildMenus();
    void connectHandlers();
    void loadSettings();
    void applyBounds(const std::optional<int>& top, const std::optional<int>& left,
                     const std::optional<int>& width, const std::optional<int>& height);
    void layoutSendPane(int width, int height);
    void showNotice(const QString& text);
    // Why the console may not send now (a frame transfer holds the line), or nothing.
    bool refusesToSend();
    void sendTyped(const QString& text);
    // Why nothing may be sent now (no driver, raw mode, a closed link when that matters), or empty.
    QString whyNotSend(bool needOpenLink) const;
    // Sends the bytes; returns why they could not be sent, or an empty text.
    QString sendBytes(const QByteArray& bytes, bool needOpenLink);
    void showDial();
    void timedSendFinished(const QString& failure);
    void saveLog(const QString& fileName, bool withTimes);

    QPointer<DeviceDriver> m_driver;
    Subscription m_recString;
    DebugPrompts* m_prompts = nullptr;
    std::unique_ptr<DebugPrompts> m_ownPrompts;
    DebugSettingsStore* m_store = nullptr;
    QString m_folder;
    QString m_logFolder; // chosen on the first "Save"

    int m_dividerOffset = 0;
};

} // namespace tesso
