#pragma once
// CalcKeypad: the calculator's keypad picture Image2. The pointer over a key remembers it and,
// when the key is usable in the current row, frames it in blue; a press on a usable key reports
// it.

#include <functional>

#include <QImage>
#include <QWidget>

namespace tesso
{

class CalcKeypad : public QWidget
{
    Q_OBJECT

  public:
    static constexpr int PictureWidth = 306;
    static constexpr int PictureHeight = 235;

    explicit CalcKeypad(QWidget* parent = nullptr);

    std::function<int()> CurrentRow;

    int Hovered() const { return m_hovered; }
    bool Framed() const { return m_framed; }
    const QImage& CleanPicture() const { return m_clean; }

  signals:
    // A usable key was pressed.
    void keyPressed(int key);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    int row() const { return CurrentRow ? CurrentRow() : 0; }
    static QImage drawClean();

    QImage m_clean;
    int m_hovered = 0;
    bool m_framed = false;
};

} // namespace tesso
