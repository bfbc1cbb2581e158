// Clicks go through the window, as the user's do: that is where Qt moves the focus.
#define QTEST_QPA_MOUSE_HANDLING

#include "Finestre.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace corsa;

namespace {

// Counts the input that reaches it.
class Registro : public QWidget {
public:
    explicit Registro(QWidget* genitore = nullptr, Qt::WindowFlags f = {}) : QWidget(genitore, f)
    {
        setFocusPolicy(Qt::StrongFocus);
        resize(120, 80);
    }
    int clic = 0, tasti = 0, rotella = 0, contesto = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++clic; }
    void keyPressEvent(QKeyEvent*) override { ++tasti; }
    void wheelEvent(QWheelEvent*) override { ++rotella; }
    void contextMenuEvent(QContextMenuEvent*) override { ++contesto; }
};

// A main window with a menu, a shortcut of its own, one usable from every
// window, and two places for the focus.
struct Principale {
    QMainWindow w;
    Registro* pannello = new Registro;
    QLineEdit* testo = new QLineEdit;
    QMenu* file = w.menuBar()->addMenu(QStringLiteral("File"));
    QAction* apri = file->addAction(QStringLiteral("Apri file"));
    QAction* finestra = new QAction(&w);
    QAction* ovunque = new QAction(&w);

    Principale()
    {
        auto* centro = new QWidget;
        pannello->setParent(centro);
        testo->setParent(centro);
        testo->move(0, 100);
        w.setCentralWidget(centro);
        finestra->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
        ovunque->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_J));
        ovunque->setShortcutContext(Qt::ApplicationShortcut);
        w.addActions({finestra, ovunque});
        w.resize(300, 250);
        w.show();
    }
    void Rotella()
    {
        QWindow* h = w.windowHandle();
        const QPointF p = h->mapFromGlobal(pannello->mapToGlobal(QPointF(10, 10)));
        QWheelEvent e(p, h->mapToGlobal(p), {}, QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(h, &e);
    }
    void Contesto()
    {
        QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(10, 10), pannello->mapToGlobal(QPoint(10, 10)));
        QCoreApplication::sendEvent(pannello, &e);
    }
    void ClicSulMenu()
    {
        QTest::mouseClick(w.menuBar(), Qt::LeftButton, {}, w.menuBar()->actionGeometry(file->menuAction()).center());
    }
    void ClicSuApri() { QTest::mouseClick(file, Qt::LeftButton, {}, file->actionGeometry(apri).center()); }
};

// Other tests of this program may leave buttons down in QTest's mouse state;
// every click here must start from none.
class Finestre : public ::testing::Test {
protected:
    void SetUp() override
    {
        QWidget w;
        w.show();
        for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
            QTest::mouseRelease(&w, b);
    }
};

bool Attiva(QWidget* w)
{
    w->activateWindow();
    return QTest::qWaitForWindowActive(w);
}

} // namespace

TEST_F(Finestre, StatoDellaFinestra)
{
    EXPECT_FALSE(FinestraAbilitata(nullptr));
    auto w = std::make_unique<QWidget>();
    EXPECT_TRUE(FinestraAbilitata(w.get()));
    AbilitaFinestra(w.get(), false);
    AbilitaFinestra(w.get(), false);
    EXPECT_FALSE(FinestraAbilitata(w.get()));
    EXPECT_TRUE(w->isEnabled());
    AbilitaFinestra(w.get(), true);
    EXPECT_TRUE(FinestraAbilitata(w.get()));
    w->setEnabled(false);
    EXPECT_FALSE(FinestraAbilitata(w.get()));
    w->setEnabled(true);

    // Destroyed while blocked: whatever is built next, at the same address or not, is free.
    AbilitaFinestra(w.get(), false);
    w.reset();
    for (int i = 0; i < 20; ++i) {
        auto nuova = std::make_unique<QWidget>();
        EXPECT_TRUE(FinestraAbilitata(nuova.get()));
    }
    AbilitaFinestra(nullptr, false);
}

TEST_F(Finestre, LAspettoNonCambia)
{
    QWidget w;
    QPalette pal = w.palette();
    pal.setColor(QPalette::Window, QColor(192, 192, 192));
    for (auto gruppo : {QPalette::Active, QPalette::Inactive})
        pal.setColor(gruppo, QPalette::WindowText, Qt::black);
    w.setPalette(pal);
    w.setAutoFillBackground(true);
    auto* valore = new QLabel(QStringLiteral("Velocità  128"), &w);
    valore->setGeometry(8, 8, 160, 24);
    auto* spenta = new QLabel(QStringLiteral("Tolleranza  =  9"), &w);
    spenta->setGeometry(8, 40, 160, 24);
    auto* pulsante = new QPushButton(QStringLiteral("Invia"), &w);
    pulsante->setGeometry(8, 72, 90, 28);
    w.resize(200, 110);
    w.show();

    const QImage acceso = w.grab().toImage();
    const QImage etichettaAccesa = spenta->grab().toImage();
    AbilitaFinestra(&w, false);
    EXPECT_EQ(w.grab().toImage(), acceso);
    AbilitaFinestra(&w, true);

    w.setEnabled(false); // what the window looked like before
    EXPECT_NE(w.grab().toImage(), acceso);
    w.setEnabled(true);

    // A control disabled on its own still looks disabled, blocked window or not.
    spenta->setEnabled(false);
    const QImage etichettaSpenta = spenta->grab().toImage();
    EXPECT_NE(etichettaSpenta, etichettaAccesa);
    AbilitaFinestra(&w, false);
    EXPECT_EQ(spenta->grab().toImage(), etichettaSpenta);
    AbilitaFinestra(&w, true);
}

TEST_F(Finestre, MouseTastiERotellaNonArrivano)
{
    Principale p;
    ASSERT_TRUE(Attiva(&p.w));
    p.pannello->setFocus();
    AbilitaFinestra(&p.w, false);
    QTest::mouseClick(p.pannello, Qt::LeftButton);
    QTest::mouseClick(p.testo, Qt::LeftButton);
    QTest::keyClick(p.w.windowHandle(), Qt::Key_A);
    p.Rotella();
    p.Contesto();
    EXPECT_EQ(p.pannello->clic, 0);
    EXPECT_EQ(p.pannello->tasti, 0);
    EXPECT_EQ(p.pannello->rotella, 0);
    EXPECT_EQ(p.pannello->contesto, 0);
    EXPECT_TRUE(p.pannello->hasFocus()) << "a click must not move the focus either";

    AbilitaFinestra(&p.w, true);
    QTest::mouseClick(p.pannello, Qt::LeftButton);
    QTest::keyClick(p.w.windowHandle(), Qt::Key_A);
    p.Rotella();
    p.Contesto();
    EXPECT_EQ(p.pannello->clic, 1);
    EXPECT_EQ(p.pannello->tasti, 1);
    EXPECT_EQ(p.pannello->rotella, 1);
    EXPECT_EQ(p.pannello->contesto, 1);
    QTest::mouseClick(p.testo, Qt::LeftButton);
    EXPECT_TRUE(p.testo->hasFocus());
}

TEST_F(Finestre, MenuEScorciatoieNonArrivano)
{
    Principale p;
    QWidget altra;
    altra.show();
    QSignalSpy aperto(p.apri, &QAction::triggered), finestra(p.finestra, &QAction::triggered),
        ovunque(p.ovunque, &QAction::triggered);
    ASSERT_TRUE(Attiva(&p.w));
    p.pannello->setFocus();
    AbilitaFinestra(&p.w, false);

    p.ClicSulMenu();
    EXPECT_FALSE(p.file->isVisible());
    // Dropped by the program itself, the menu still takes no click, and goes at the first try.
    p.file->popup(p.w.mapToGlobal(QPoint(0, 0)));
    ASSERT_TRUE(p.file->isVisible());
    p.ClicSuApri();
    EXPECT_FALSE(p.file->isVisible());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    QTest::keyClick(p.w.windowHandle(), Qt::Key_K, Qt::ControlModifier);
    ASSERT_TRUE(Attiva(&altra));
    QTest::keyClick(altra.windowHandle(), Qt::Key_J, Qt::ControlModifier);
    EXPECT_EQ(aperto.count() + finestra.count() + ovunque.count(), 0);
    // Another window's menu still closes on a click that lands on the blocked one.
    QMenu menuAltra(&altra);
    menuAltra.addAction(QStringLiteral("Connetti"));
    menuAltra.popup(altra.mapToGlobal(QPoint(0, 0)));
    ASSERT_TRUE(menuAltra.isVisible());
    QTest::mouseClick(p.pannello, Qt::LeftButton);
    EXPECT_FALSE(menuAltra.isVisible());
    EXPECT_EQ(p.pannello->clic, 0);

    AbilitaFinestra(&p.w, true);
    QTest::keyClick(altra.windowHandle(), Qt::Key_J, Qt::ControlModifier);
    EXPECT_EQ(ovunque.count(), 1);
    ASSERT_TRUE(Attiva(&p.w));
    QTest::keyClick(p.w.windowHandle(), Qt::Key_K, Qt::ControlModifier);
    EXPECT_EQ(finestra.count(), 1);
    p.ClicSulMenu();
    ASSERT_TRUE(p.file->isVisible());
    p.ClicSuApri();
    EXPECT_EQ(aperto.count(), 1);
    EXPECT_FALSE(p.file->isVisible());
}

TEST_F(Finestre, LeFinestreFiglieRestanoLibere)
{
    Principale p;
    auto* strumento = new Registro(&p.w, Qt::Tool);
    strumento->show();
    AbilitaFinestra(&p.w, false);
    QTest::mouseClick(strumento, Qt::LeftButton);
    QTest::keyClick(strumento->windowHandle(), Qt::Key_A);
    EXPECT_EQ(strumento->clic, 1);
    EXPECT_EQ(strumento->tasti, 1);

    // A message box is modal: while it is up, only it takes input.
    auto* avviso = new QMessageBox(QMessageBox::Information, QStringLiteral("Corsa"), QStringLiteral("Pronto"),
                                   QMessageBox::Ok, &p.w);
    avviso->show();
    QSignalSpy chiuso(avviso, &QMessageBox::finished);
    QTest::mouseClick(avviso->button(QMessageBox::Ok), Qt::LeftButton);
    EXPECT_EQ(chiuso.count(), 1);
    EXPECT_FALSE(avviso->isVisible());

    // The window manager's close is input too.
    EXPECT_FALSE(p.w.windowHandle()->close());
    EXPECT_FALSE(p.w.close());
    EXPECT_TRUE(p.w.isVisible());
    EXPECT_TRUE(strumento->windowHandle()->close());
    AbilitaFinestra(&p.w, true);
    EXPECT_TRUE(p.w.windowHandle()->close());
    EXPECT_FALSE(p.w.isVisible());
}

TEST_F(Finestre, DaiFuocoPortaIlFuocoNellaFinestra)
{
    QWidget a, b;
    new QLabel(QStringLiteral("Porta"), &a);
    auto* primo = new QLineEdit(&a);
    auto* secondo = new QLineEdit(&a);
    primo->move(0, 30);
    secondo->move(0, 60);
    new QLineEdit(&b);
    b.show();
    ASSERT_TRUE(Attiva(&b));

    a.show();
    DaiFuoco(&a);
    EXPECT_EQ(a.focusWidget(), primo) << "the first in tab order, ready before the window system answers";
    ASSERT_TRUE(QTest::qWaitForWindowActive(&a));
    EXPECT_TRUE(primo->hasFocus());

    DaiFuoco(&b);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&b));
    DaiFuoco(secondo);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&a));
    EXPECT_TRUE(secondo->hasFocus());
    DaiFuoco(&b);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&b));
    DaiFuoco(&a);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&a));
    EXPECT_TRUE(secondo->hasFocus()) << "back where it was";
}
