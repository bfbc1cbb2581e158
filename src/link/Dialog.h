#pragma once
#include <QWidget>

class QLabel;

namespace corsa {

class ProgressBar;

// The progress window of reads and writes: a title and a bar from 0 to 200.
// Shown and hidden by the exchange, never closed, never in the way: it takes
// neither the focus nor the input of the main window.
class Dialog : public QWidget {
    Q_OBJECT
public:
    explicit Dialog(QWidget* genitore = nullptr);

    QLabel* Label1 = nullptr;
    ProgressBar* ProgressBar1 = nullptr;
};

} // namespace corsa
