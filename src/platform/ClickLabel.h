#pragma once
#include <QLabel>

namespace corsa {

// A label whose background colour can be set and read, and that reports
// the press of any mouse button (1 left, 2 right, 4 middle).
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(QWidget* genitore = nullptr);

    void setBackColor(QColor c);
    QColor BackColor() const { return sfondo_; }
    void setCaption(const QString& testo) { setText(testo); }
    QString Caption() const { return text(); }

signals:
    void mouseDown(int pulsante);

protected:
    void mousePressEvent(QMouseEvent* e) override;

private:
    QColor sfondo_;
};

} // namespace corsa
