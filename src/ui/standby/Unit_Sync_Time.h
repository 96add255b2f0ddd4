#pragma once
// TForm_Sync_Time: the black delay window ("Black Delay"). The main window makes itself its parent
// so that it appears inside the main window. Its controls come with the black delay feature.

#include <QFrame>

class TForm_Sync_Time : public QFrame
{
    Q_OBJECT

  public:
    explicit TForm_Sync_Time(QWidget* parent = nullptr);
};
