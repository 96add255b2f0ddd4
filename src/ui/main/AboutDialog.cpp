#include "AboutDialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "DeviceModels.h"
#include "GlyphImages.h"
#include "TextFormat.h"
#include "Texts.h"

namespace tesso
{

namespace
{

QLabel* deviceLabel(const char* name, QLatin1String text, int x, int y, QWidget* parent)
{
    auto* label = new QLabel(QString(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(x, y, 120, 16);
    return label;
}

QString twoDigits(unsigned value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("About_Tesso"));
    setFixedSize(289, 289);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    for (const tesso::ModelInfo& model : tesso::ModelTable::Models)
        m_logos.push_back(GlyphImages::Logo(QString::fromLatin1(model.name)));

    Image_Logo = new QLabel(this);
    Image_Logo->setObjectName(QStringLiteral("Image_Logo"));
    Image_Logo->setGeometry(8, 8, 120, 48);

    Panel_Notice =
        new QLabel(QString(Texts::MakerName) + QStringLiteral("\n") + QString(Texts::ApplicationTitle), this);
    Panel_Notice->setObjectName(QStringLiteral("Panel_Notice"));
    Panel_Notice->setGeometry(136, 8, 145, 48);
    Panel_Notice->setWordWrap(true);
    Panel_Notice->setFrameShape(QFrame::StyledPanel);

    auto* software = new QGroupBox(QString(Texts::Software), this);
    software->setGeometry(8, 64, 273, 44);
    Label_version = deviceLabel("Label_version", Texts::VersionUnknown, 10, 20, software);
    Label_version->setFixedWidth(250);

    auto* device = new QGroupBox(QString(Texts::Device), this);
    device->setGeometry(8, 114, 273, 130);
    label_verupd = deviceLabel("label_verupd", Texts::DeviceVersionUnknown, 10, 20, device);
    label_I = deviceLabel("label_I", Texts::LabelI, 10, 40, device);
    label_k = deviceLabel("label_k", Texts::LabelK, 10, 60, device);
    label_s = deviceLabel("label_s", Texts::LabelS, 10, 80, device);
    label_v = deviceLabel("label_v", Texts::LabelV, 10, 100, device);
    label_opt = deviceLabel("label_opt", Texts::LabelO, 140, 40, device);
    Label_D = deviceLabel("Label_D", Texts::LabelD, 140, 60, device);
    Label_Lan = deviceLabel("Label_Lan", Texts::LabelLan, 140, 80, device);
    Label_H = deviceLabel("Label_H", Texts::LabelH, 140, 100, device);
    label_f = deviceLabel("label_f", Texts::LabelF, 140, 100, device);
    Label_H->hide();
    label_f->hide();

    BtnOk = new QPushButton(QString(Texts::OkUpper), this);
    BtnOk->setObjectName(QStringLiteral("BtnOk"));
    BtnOk->setGeometry(107, 254, 75, 26);
    BtnOk->setDefault(true);
    connect(BtnOk, &QPushButton::clicked, this, &QDialog::accept);

    RefreshLogo();
}

void AboutDialog::setProfileName(const QString& name)
{
    QString notice = QString(Texts::MakerName) + QStringLiteral("\n") + QString(Texts::ApplicationTitle);
    if (!name.isEmpty())
        notice += QStringLiteral("\n") + TextFormat::Format(Texts::AboutProfileFormat, {name});
    Panel_Notice->setText(notice);
}

void AboutDialog::setLogoIndex(int index)
{
    if (index >= 0 && index < static_cast<int>(m_logos.size()))
        m_logoIndex = index;
}

void AboutDialog::RefreshLogo()
{
    m_shown = m_logos[static_cast<std::size_t>(m_logoIndex)];
    Image_Logo->setPixmap(m_shown);
}

QString AboutDialog::VersionText(unsigned major, unsigned minor, unsigned release, unsigned build)
{
    return TextFormat::Format(Texts::VersionFormat, {QString::number(major), twoDigits(minor),
                                                     twoDigits(release), twoDigits(build)});
}

} // namespace tesso
