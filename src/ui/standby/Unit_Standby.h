#pragma once
// TForm_Standby: the standby delay window ("Stand by", tool window without close box). Its scroll
// bar and labels come with the standby feature; for now it exists with its caption.

#include <QWidget>

class TForm_Standby : public QWidget
{
    Q_OBJECT

  public:
    explicit TForm_Standby(QWidget* parent = nullptr);
};
