#pragma once
#include <QWidget>

namespace corsa {

// A rectangle outline that frames a group of controls; it takes no input.
class Shape : public QWidget {
    Q_OBJECT
public:
    Shape(QColor colore, int spessore, QWidget* genitore = nullptr);
    QColor colore() const { return colore_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor colore_;
    int spessore_;
};

} // namespace corsa
