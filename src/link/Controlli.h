#pragma once
#include <QAction>
#include <QMenu>

class QLabel;
class QPushButton;
class QTimer;
class QWidget;

namespace corsa {

// The main window's controls that the link switches between its connected
// and not-connected states, and the timer that paces the exchange.
struct ControlliConnessione {
    QWidget* Form1 = nullptr;
    QMenu* chip = nullptr;
    QAction* connetti = nullptr;
    QAction* disconnetti = nullptr;
    QAction* enco = nullptr;
    QPushButton* Command1 = nullptr;
    QLabel* Label7 = nullptr;
    QTimer* Timer1 = nullptr;

    // The menu and its entry on the bar go together.
    void abilitaChip(bool abilitato) const
    {
        chip->setEnabled(abilitato);
        chip->menuAction()->setEnabled(abilitato);
    }
};

} // namespace corsa
