#include "SplashWindow.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>

#include "GlyphImages.h"
#include "Texts.h"

namespace tesso
{

// A tool window, not one that stays on top: the first run's "Select port" box comes up while it
// is shown and must not be hidden behind it.
SplashWindow::SplashWindow(QWidget* parent) : QWidget(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("Form_PageAccueil"));
    setWindowTitle(QString(Texts::MakerName));
    setFixedSize(400, 521);

    Image = new QLabel(this);
    Image->setObjectName(QStringLiteral("Image"));
    Image->setGeometry(0, 0, 400, 521);
    Image->setPixmap(GlyphImages::SplashPicture());

    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setRange(0, Steps);
    ProgressBar->setValue(0);
    ProgressBar->setTextVisible(false);
    ProgressBar->setGeometry(20, 521 - 34, 360, 14);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(0, 0), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void SplashWindow::Step()
{
    ProgressBar->setValue(std::min(Steps, ProgressBar->value() + 1));
    if (isVisible())
        repaint();
}

int SplashWindow::Position() const
{
    return ProgressBar->value();
}

} // namespace tesso
