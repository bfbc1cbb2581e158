#pragma once
#include <QColor>
#include <QPushButton>

namespace corsa {

// A push button painted in a background colour of its own whose caption
// wraps onto more lines when it is wider than the button.
class PulsanteGrafico : public QPushButton {
    Q_OBJECT
public:
    explicit PulsanteGrafico(const QString& testo, QWidget* genitore = nullptr);

    void setBackColor(QColor c);
    QColor BackColor() const { return sfondo_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor sfondo_;
};

} // namespace corsa
