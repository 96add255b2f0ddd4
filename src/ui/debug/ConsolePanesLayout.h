#pragma once
// ConsolePanesLayout: the console's client area as a layout. The send pane, the quick-send strip
// and the received pane side by side above the progress bar, placed by ConsoleLayout's rule (the
// strip is the divider, centred and moved by the user's offset); the least size is what lets both
// panes show their captions at the centred divider.

#include <functional>
#include <vector>

#include <QLayout>

namespace tesso
{

class ConsolePanesLayout : public QLayout
{
  public:
    // Takes the four parts in this order.
    ConsolePanesLayout(QWidget* parent, QWidget* sendPane, QWidget* strip, QWidget* receivedPane,
                       QWidget* progressBar);
    ~ConsolePanesLayout() override;

    // The divider's offset from the centre; clamped when the parts are next placed.
    int offset() const { return m_offset; }
    void setOffset(int offset) { m_offset = offset; }
    // Called after every placement.
    std::function<void()> placed;

    void addItem(QLayoutItem* item) override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    int count() const override { return static_cast<int>(m_items.size()); }
    QSize minimumSize() const override;
    QSize sizeHint() const override { return minimumSize(); }
    void setGeometry(const QRect& rect) override;

  private:
    std::vector<QLayoutItem*> m_items;
    int m_offset = 0;
};

} // namespace tesso
