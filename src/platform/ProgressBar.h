#pragma once
#include <QProgressBar>

namespace corsa {

// A level bar without text whose value is a single-precision number within
// its minimum and maximum; a value outside them is held at the nearer end
// rather than refused, so a stray count can never stop a reading.
class ProgressBar : public QProgressBar {
    Q_OBJECT
public:
    explicit ProgressBar(QWidget* genitore = nullptr);

    void setMin(float m);
    void setMax(float m);
    float Min() const { return min_; }
    float Max() const { return max_; }

    void setValue(float v);
    float Value() const { return valore_; }

    void setToolTipText(const QString& t) { setToolTip(t); }
    QString ToolTipText() const { return toolTip(); }

private:
    void Mostra();

    float min_ = 0;
    float max_ = 100;
    float valore_ = 0;
};

} // namespace corsa
