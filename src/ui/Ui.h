#pragma once

#include <QMainWindow>

// The main window of the program.
class TfrmUI : public QMainWindow {
    Q_OBJECT

public:
    explicit TfrmUI(QWidget* parent = nullptr);
};
