#pragma once
// IpConfigDialog, "LAN Setup": the computer's network link to the device (TCP or UDP, remote
// address, remote port, local port). One instance lives for the whole process and is shown
// modally from the "LAN/Setup" item of the serial-port menu.
//
// Typical use from that menu item:
//     if (IPConfigDlg->Execute()) { check "LAN/Setup"; refresh the status bar; }

#include <QString>

#include "ConnectionDialog.h"
#include "DriverLinks.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace tesso
{

class IpConfigDialog : public ConnectionDialog
{
    Q_OBJECT

  public:
    // The driver is not owned; it may be null (then the driver steps do nothing).
    explicit IpConfigDialog(DeviceDriver* driver, QWidget* parent = nullptr);
    ~IpConfigDialog() override;

    // 1 = UDP, 2 = TCP (LinkType values). Any other value shows as TCP and becomes 2
    // when the dialog is shown.
    LinkType Mode() const { return m_mode; }
    void setMode(LinkType mode);
    QString RemoteAddr() const { return m_remoteAddr; }
    void setRemoteAddr(const QString& address);
    int RemotePort() const { return m_remotePort; }
    void setRemotePort(int port);
    int LocalPort() const { return m_localPort; }
    void setLocalPort(int port);
    // Applied(): true after a successful "Apply", false after "Cancel" (or Escape / closing the
    // window).

    // Mode := linkType, RemoteAddr := ipRemoteAddress, RemotePort := ipRemotePort,
    // LocalPort := ipLocalPort.
    void LoadFromDriver() override;
    // When Applied: ipRemoteAddress, ipRemotePort, ipLocalPort, then linkType := Mode, in this order.
    void ApplyToDriver() override;

    // Controls (owned by the dialog; BOk and BCancel are the base's).
    QGroupBox* GrpConnectionMode = nullptr;
    QRadioButton* RBTcp = nullptr;
    QRadioButton* RBUdp = nullptr;
    QLabel* LblLocalPort = nullptr;
    QLineEdit* ELocalPort = nullptr;
    QLabel* LblRemoteAddr = nullptr;
    QLineEdit* ERemoteAddr = nullptr;
    QLabel* LblRemotePort = nullptr;
    QLineEdit* ERemotePort = nullptr;

    // Handlers (discardChoice is the base's).
    void chooseTcp();
    void chooseUdp();
    void prepareToShow() override;
    void applyChoice() override;

  private:
    void buildControls();

    LinkType m_mode = LinkType::Tcp;
    QString m_remoteAddr;
    int m_remotePort = 0;
    int m_localPort = 0;
};

} // namespace tesso
