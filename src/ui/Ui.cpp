#include "ui/Ui.h"

TfrmUI::TfrmUI(QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName("frmUI");
    setWindowTitle("Tallivoranda");
    resize(800, 560);
}
