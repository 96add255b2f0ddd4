#include "FrameFormatWindow.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "FramePicture.h"

namespace tesso
{

using namespace tesso::frames;

FrameFormatWindow::FrameFormatWindow(QWidget* parent) : QDialog(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("FormFrameFormat"));
    setWindowTitle(QStringLiteral("Resizing..."));
    auto* layout = new QVBoxLayout(this);
    LblFormat = new QLabel(this);
    RdoFormat1 = new QRadioButton(this);
    RdoFormat2 = new QRadioButton(this);
    for (QWidget* w : std::initializer_list<QWidget*>{LblFormat, RdoFormat1, RdoFormat2})
        layout->addWidget(w);
    // Long captions wrap: radio buttons do not, so each carries its text in a tool tip too.
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

bool FrameFormatWindow::SetQuestion(int width, int height)
{
    const FitQuestion question = fitQuestionFor(width, height);
    if (question == FitQuestion::None)
        return false;
    m_tooLarge = question == FitQuestion::TooLarge;
    if (m_tooLarge) {
        LblFormat->setText(QStringLiteral("Picture is too large to fit.\r\nWhat would you prefer ?"));
        RdoFormat1->setText(
            QStringLiteral("Crop (right and bottom side of the picture will not be displayed)"));
        RdoFormat2->setText(
            QStringLiteral("Shrink (picture will fit but loss of quality and aspect ratio is possible)"));
    } else {
        LblFormat->setText(QStringLiteral("Picture is too small to fit.\r\nWhat would you prefer ?"));
        RdoFormat1->setText(QStringLiteral("Center (picture will be centered and surrounded with black)"));
        RdoFormat2->setText(
            QStringLiteral("Zoom (picture will fit but loss of quality and aspect ratio is possible)"));
    }
    RdoFormat1->setChecked(true);
    return true;
}

int FrameFormatWindow::ChosenMode() const
{
    if (m_tooLarge)
        return RdoFormat1->isChecked() ? Crop : Shrink;
    return RdoFormat1->isChecked() ? Center : Zoom;
}

int FrameFormatWindow::ChooseFit(int width, int height)
{
    if (!SetQuestion(width, height))
        return Exact;
    return exec() == QDialog::Accepted ? ChosenMode() : Cancelled;
}

} // namespace tesso
