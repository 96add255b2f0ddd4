#pragma once
// ReceivedPane: the right pane Panel_Received, the received log as the user sees it: the
// "Received" label, the column header grid, the log StringGrid_Received over its model, and under
// it a find box and the row limit. The log follows new replies unless the user has scrolled up
// to read older ones.

#include <QWidget>

class QLabel;
class QLineEdit;
class QTableView;
class QTableWidget;

namespace tesso
{

class ReceivedLogModel;

class ReceivedPane : public QWidget
{
    Q_OBJECT

  public:
    explicit ReceivedPane(QWidget* parent = nullptr);

    QLabel* Label_Received = nullptr;
    QTableWidget* StringGrid_Title = nullptr;
    QTableView* StringGrid_Received = nullptr;
    ReceivedLogModel* ReceivedLog = nullptr;
    QLineEdit* Edit_Find = nullptr;
    QLabel* Label_RowLimit = nullptr;

    // The grids' columns, a fifth of the pane's inner width each.
    void Layout();
    // Selects and shows the next (or previous) reply containing the find box's text; false when
    // none does.
    bool FindNext(bool forward);
    bool FollowsNewRows() const { return m_follow; }
    // Shows the newest rows and follows new ones again.
    void ScrollToEnd();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    bool m_follow = true;
    bool m_autoScrolling = false;
};

} // namespace tesso
