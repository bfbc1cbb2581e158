#pragma once
#include "Decodifica.h"

#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <string>

namespace corsa {

struct Stato;
class ClickLabel;
class ProgressBar;
class PulsanteGrafico;

// The encoder tester: seven sensor levels against the ADC threshold, the
// encoder step they encode and the emitters' supply. It keeps the last
// reading shown, also while hidden.
class testenco : public QWidget {
    Q_OBJECT
public:
    explicit testenco(Stato& stato, QWidget* genitore = nullptr);

    // Shows one reply of the board to "m" or "s". Only the rows the reply
    // covers change; the threshold and the encoder's text are read from the
    // shared state at the moment of the call.
    void LeggoAdc(const std::string& risposta);

    // Opening from the main window's menu: the main window is put out of
    // reach, the tester shows its last reading and asks for the motor encoder.
    void Apri();
    // Closing only hides: "@" sends the link back to status polling.
    void ChiudiTester();

    QPointer<QWidget> principale;    // the window the tester hands back to
    std::function<bool()> collegato; // requests go to the link only while it is open

    ClickLabel* Label1(int i) const { return label1_.at(std::size_t(i)); }
    ProgressBar* ProgressBar1(int i) const { return barre_.at(std::size_t(i)); }
    PulsanteGrafico* Command1() const { return command1_; }
    ClickLabel* Label2() const { return label2_; }

protected:
    void closeEvent(QCloseEvent* e) override; // every request to close, whatever its reason

private:
    void Form_Load();
    void Command1_Click();
    bool Richiesta() const { return !collegato || collegato(); }
    void Mostra(const LetturaTester& l);

    Stato& stato_;
    std::array<ClickLabel*, RigheTester> label1_{};
    std::array<ProgressBar*, RigheTester> barre_{};
    PulsanteGrafico* command1_ = nullptr;
    ClickLabel* label2_ = nullptr;
    bool caricato_ = false;
};

} // namespace corsa
