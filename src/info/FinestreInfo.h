#pragma once
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QWidget>

class QComboBox;
class QLabel;

namespace corsa {

// Frame list: pick a machine frame, read its transmission ratio.
class Form2 : public QWidget {
    Q_OBJECT
public:
    explicit Form2(QWidget* genitore = nullptr);

    void Form_Load();
    void Combo1_Click();

    QComboBox* Combo1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Picture1;

signals:
    void chiusa();

protected:
    void closeEvent(QCloseEvent* e) override;
};

// A tool window that only shows a picture and says when the user closes it.
class FinestraImmagine : public QWidget {
    Q_OBJECT
public:
    explicit FinestraImmagine(QWidget* genitore = nullptr);

signals:
    void scaricata(); // the window's unload: the main window comes back

protected:
    void closeEvent(QCloseEvent* e) override;
};

// The RS-232 cable drawing, as the window's own background.
class CavoConnessione : public FinestraImmagine {
    Q_OBJECT
public:
    explicit CavoConnessione(QWidget* genitore = nullptr);
    const QImage& sfondo() const { return disegno_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QImage disegno_;
};

// The USB adapter picture with its tool-tip.
class ProgUsb : public FinestraImmagine {
    Q_OBJECT
public:
    explicit ProgUsb(QWidget* genitore = nullptr);
    QLabel* Picture1;
};

// The menu side of the three reference windows. Each window exists at most
// once; closing it destroys it, and the next opening builds it afresh. The two
// picture windows keep the main window disabled while they are open.
class FinestreInfo : public QObject {
    Q_OBJECT
public:
    explicit FinestreInfo(QWidget* finestraPrincipale, QObject* genitore = nullptr);
    ~FinestreInfo() override;

    void struttura_Click();
    void rs232_Click();
    void usb_Click();

    Form2* form2() const { return form2_; }
    CavoConnessione* cavoConnessione() const { return cavo_; }
    ProgUsb* progUsb() const { return usb_; }

private:
    void Accosta(QWidget* w);
    template <typename Finestra>
    void ApriImmagine(QPointer<Finestra>& finestra);
    void RiabilitaPrincipale();

    QPointer<QWidget> principale_;
    QPointer<Form2> form2_;
    QPointer<CavoConnessione> cavo_;
    QPointer<ProgUsb> usb_;
};

} // namespace corsa
