#pragma once
#include "Decodifica.h"

#include <QWidget>
#include <array>
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

    ClickLabel* Label1(int i) const { return label1_.at(std::size_t(i)); }
    ProgressBar* ProgressBar1(int i) const { return barre_.at(std::size_t(i)); }
    PulsanteGrafico* Command1() const { return command1_; }
    ClickLabel* Label2() const { return label2_; }

private:
    void Command1_Click();
    void Mostra(const LetturaTester& l);

    Stato& stato_;
    std::array<ClickLabel*, RigheTester> label1_{};
    std::array<ProgressBar*, RigheTester> barre_{};
    PulsanteGrafico* command1_ = nullptr;
    ClickLabel* label2_ = nullptr;
};

} // namespace corsa
