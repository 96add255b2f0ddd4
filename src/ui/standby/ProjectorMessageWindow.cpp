#include "ProjectorMessageWindow.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "DeviceDriver.h"
#include "ErrorReport.h"
#include "Texts.h"

namespace tesso
{

namespace
{
// STBCTRL codes.
constexpr std::uint32_t ClearOnMessage = 1;
constexpr std::uint32_t ClearOffMessage = 2;
constexpr std::uint32_t Cleared = 4;
} // namespace

ProjectorMessageWindow::ProjectorMessageWindow(QWidget* parent) : QWidget(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("Form_MessageProjector"));
    setWindowTitle(QString(Texts::CaptionMessageProjector));

    Label_Message = new QLabel(QString(Texts::MessageOn), this);
    Label_Message->setObjectName(QStringLiteral("Label_Message"));
    Edit_Message = new QLineEdit(this);
    Edit_Message->setObjectName(QStringLiteral("Edit_Message"));
    // Only keys reach the message; pasted or dropped text would bypass the character codes.
    Edit_Message->setContextMenuPolicy(Qt::NoContextMenu);
    Edit_Message->setAcceptDrops(false);
    Edit_Message->installEventFilter(this);
    // Room for a few dozen character names side by side.
    Edit_Message->setMinimumWidth(Edit_Message->fontMetrics().averageCharWidth() * 55);
    Label_Message->setBuddy(Edit_Message);
    Edit_InfoMessage = new QLineEdit(this);
    Edit_InfoMessage->setObjectName(QStringLiteral("Edit_InfoMessage"));
    Edit_InfoMessage->setReadOnly(true);
    Edit_InfoMessage->setAccessibleName(QStringLiteral("Message information"));

    BtnOk = new QPushButton(QString(Texts::Ok), this);
    BtnCancel = new QPushButton(QString(Texts::Cancel), this);
    BtnClear = new QPushButton(QString(Texts::Clear), this);
    for (QPushButton* button : {BtnOk, BtnCancel, BtnClear})
        button->setAutoDefault(false); // Enter in the message is a character, not "Ok"

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnOk);
    buttons->addWidget(BtnCancel);
    buttons->addWidget(BtnClear);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label_Message);
    layout->addWidget(Edit_Message);
    layout->addWidget(Edit_InfoMessage);
    layout->addLayout(buttons);

    connect(BtnOk, &QPushButton::clicked, this, [this] { tesso::guarded([this] { sendMessage(); }); });
    connect(BtnCancel, &QPushButton::clicked, this,
            [this] { tesso::guarded([this] { closeWithoutSending(); }); });
    connect(BtnClear, &QPushButton::clicked, this, [this] { tesso::guarded([this] { clearCells(); }); });
}

// ---- Properties -----------------------------------------------------------------------------------

void ProjectorMessageWindow::setMSG_ONOFF(int onOff)
{
    m_onOff = onOff == 0 ? 0 : 1;
    setMSG_Label_Message(QString(m_onOff == 0 ? Texts::MessageOn : Texts::MessageOff));
}

QString ProjectorMessageWindow::MSG_Label_Message() const
{
    return Label_Message->text();
}

void ProjectorMessageWindow::setMSG_Label_Message(const QString& text)
{
    Label_Message->setText(text);
}

// ---- The message ----------------------------------------------------------------------------------

QString ProjectorMessageWindow::CharacterText(std::uint8_t code)
{
    if (code < std::size(Texts::ControlCodeNames))
        return QString::fromLatin1(Texts::ControlCodeNames[code]);
    return QString(QChar(code));
}

bool ProjectorMessageWindow::TakeCharacter(std::uint32_t code)
{
    if (code == 0 || code > 255 || m_count >= MaxCharacters)
        return false;
    const auto c = static_cast<std::uint8_t>(code);
    if (!m_display.isEmpty())
        m_display += u'+';
    m_display += CharacterText(c);
    m_codes[static_cast<std::size_t>(m_count++)] = c;
    const QSignalBlocker blocker(Edit_Message);
    Edit_Message->setText(m_display);
    return true;
}

void ProjectorMessageWindow::ResetMessage()
{
    m_display.clear();
    m_codes.fill(0);
    m_count = 0;
    const QSignalBlocker message(Edit_Message);
    const QSignalBlocker info(Edit_InfoMessage);
    Edit_Message->clear();
    Edit_InfoMessage->clear();
}

void ProjectorMessageWindow::typed(const QString& text)
{
    for (const QChar c : text)
        TakeCharacter(c.unicode());
}

bool ProjectorMessageWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != Edit_Message || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    // Tab keeps moving the focus between the controls.
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
        return false;
    tesso::guarded([&] { typed(key->text()); });
    return true;
}

void ProjectorMessageWindow::showEvent(QShowEvent* event)
{
    // Shown by the program, not restored by the window system: a restored window keeps its text.
    if (!event->spontaneous()) {
        ResetMessage();
        if (const QScreen* s = screen())
            move(s->availableGeometry().center() - rect().center());
    }
    QWidget::showEvent(event);
}

// ---- Buttons --------------------------------------------------------------------------------------

void ProjectorMessageWindow::sendMessage()
{
    m_runRead = false;
    emit messageAccepted(m_onOff, QByteArray(reinterpret_cast<const char*>(m_codes.data()), m_count));
    m_count = 0;
    hide();
}

void ProjectorMessageWindow::closeWithoutSending()
{
    m_runRead = false;
    m_count = 0;
    hide();
}

void ProjectorMessageWindow::clearCells()
{
    m_runRead = false;
    ResetMessage();
    if (m_driver) {
        m_driver->setSTBCTRL(m_onOff == 1 ? ClearOffMessage : ClearOnMessage);
        m_driver->setSTBCTRL(Cleared);
    }
    setMSG_ONOFF(m_onOff);
}

// ---- Storing --------------------------------------------------------------------------------------

void ProjectorMessageWindow::StoreMessage(DeviceDriver& driver, int onOff, int count,
                                          const std::uint8_t* codes)
{
    const int n = codes ? std::clamp(count, 0, MaxCharacters) : 0;
    auto store = [&driver, onOff](std::uint32_t index, std::uint32_t code) {
        if (onOff == 0) {
            driver.setSTBION(index);
            driver.setSTBON(code);
        } else {
            driver.setSTBIOFF(index);
            driver.setSTBOFF(code);
        }
    };
    for (int i = 0; i < n; ++i)
        store(static_cast<std::uint32_t>(i), codes[i]);
    store(static_cast<std::uint32_t>(n), 0);
}

} // namespace tesso
