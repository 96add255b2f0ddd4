#pragma once
// AboutDialog: the about box. A logo chosen from a per-model list, the maker's notice, the
// program's version and the device's version labels (filled from device variables).

#include <vector>

#include <QDialog>
#include <QPixmap>

class QLabel;
class QPushButton;

namespace tesso
{

class AboutDialog : public QDialog
{
    Q_OBJECT

  public:
    explicit AboutDialog(QWidget* parent = nullptr);

    QLabel* Image_Logo = nullptr;
    QLabel* Panel_Notice = nullptr;
    QLabel* Label_version = nullptr;
    QLabel* label_verupd = nullptr;
    QLabel* label_I = nullptr;
    QLabel* label_k = nullptr;
    QLabel* label_s = nullptr;
    QLabel* label_v = nullptr;
    QLabel* label_opt = nullptr;
    QLabel* Label_D = nullptr;
    QLabel* Label_Lan = nullptr;
    QLabel* Label_H = nullptr;
    QLabel* label_f = nullptr;
    QPushButton* BtnOk = nullptr;

    // The maker's notice names the profile the window holds (empty: none).
    void setProfileName(const QString& name);

    // Selection in the logo list (positions of the supported-model table).
    int LogoIndex() const { return m_logoIndex; }
    void setLogoIndex(int index);
    // Shows the logo at the current selection.
    void RefreshLogo();
    const QPixmap& ShownLogo() const { return m_shown; }

    // "Version : a.bb.cc.dd": major as it is, the three others with two digits.
    static QString VersionText(unsigned major, unsigned minor, unsigned release, unsigned build);

  private:
    std::vector<QPixmap> m_logos;
    int m_logoIndex = 0;
    QPixmap m_shown;
};

} // namespace tesso
