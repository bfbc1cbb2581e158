#include "Disegni.h"
#include "Finestre.h"
#include "FinestreInfo.h"
#include "Telai.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>
#include <memory>

using namespace corsa;

namespace {

void EliminaChiuse() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// The close button of the title bar goes through the window system.
void PulsanteChiudi(QWidget* w)
{
    ASSERT_NE(w->windowHandle(), nullptr);
    w->windowHandle()->close();
}

class Finestre : public ::testing::Test {
protected:
    void SetUp() override
    {
        principale.setObjectName("Form1");
        principale.resize(648, 550);
        principale.show();
        info = std::make_unique<FinestreInfo>(&principale);
    }
    void TearDown() override
    {
        info.reset();
        EliminaChiuse();
    }
    QWidget principale;
    std::unique_ptr<FinestreInfo> info;
};

const QString Invito = " Seleziona una macchina dalla lista";

} // namespace

TEST_F(Finestre, ListaApertaConInvitoENienteScelto)
{
    info->struttura_Click();
    Form2* f = info->form2();
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(f->isVisible());
    EXPECT_TRUE(f->isWindow());
    EXPECT_EQ(f->objectName(), "Form2");
    EXPECT_EQ(f->windowTitle(), "Soluzioni meccaniche ");
    EXPECT_EQ(f->size(), QSize(706, 504));
    EXPECT_FALSE(f->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(FinestraAbilitata(&principale));

    EXPECT_EQ(f->findChild<QLabel*>("Label2")->text(), Invito);
    QComboBox* c = f->findChild<QComboBox*>("Combo1");
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->currentIndex(), -1);
    EXPECT_FALSE(c->isEditable());
    ASSERT_EQ(c->count(), 9);
    EXPECT_EQ(c->itemText(5), "24 G");
    EXPECT_EQ(c->geometry(), QRect(40, 8, 57, 21));

    QLabel* l1 = f->findChild<QLabel*>("Label1");
    EXPECT_EQ(l1->text(), "Rapporti di trasmissione tra la vite e l'albero dell'encoder  ");
    EXPECT_EQ(l1->toolTip(), "NOTA:  l'escursione dell'encoder è pari a 5.33 giri per 128 passi");
    EXPECT_EQ(l1->font().family(), "Arial");
    EXPECT_EQ(l1->font().pointSize(), 12);
    EXPECT_FALSE(l1->font().bold());
    EXPECT_TRUE(f->Label2->font().bold());
    EXPECT_EQ(f->Label2->geometry(), QRect(120, 32, 553, 25));

    QLabel* pic = f->findChild<QLabel*>("Picture1");
    ASSERT_NE(pic, nullptr);
    EXPECT_EQ(pic->geometry(), QRect(8, 64, 689, 433));
    EXPECT_EQ(pic->pixmap().size(), QSize(683, 430));
    // The diagram sits at the top-left corner, inside the thin border.
    const QImage visto = pic->grab().toImage();
    EXPECT_EQ(visto.pixelColor(1 + 1, 1 + 200), QColor(0, 0, 255));
}

TEST_F(Finestre, SceltaDellUtenteMostraLaRiga)
{
    info->struttura_Click();
    Form2* f = info->form2();
    QComboBox* c = f->Combo1;
    // From nothing chosen, six steps down reach "24 G".
    for (int i = 0; i < 6; ++i)
        QTest::keyClick(c, Qt::Key_Down);
    EXPECT_EQ(c->currentText(), "24 G");
    EXPECT_EQ(f->Label2->text(), " Telaio  24G  rapporto 1/4     tipico vite Z8   encoder Z 32 ");
    QTest::keyClick(c, Qt::Key_Home);
    EXPECT_EQ(c->currentText(), "9 G");
    EXPECT_EQ(f->Label2->text(), " Telaio  9G  rapporto 1/1,5     tipico vite Z 10   encoder Z 15 ");
    QTest::keyClick(c, Qt::Key_End);
    EXPECT_EQ(f->Label2->text(), *TestoTelaio(8));
    // An index outside the table leaves the text as it was.
    c->setCurrentIndex(-1);
    f->Combo1_Click();
    EXPECT_EQ(f->Label2->text(), *TestoTelaio(8));
}

TEST_F(Finestre, RiaprireLaListaApertaLaLasciaComE)
{
    info->struttura_Click();
    Form2* f = info->form2();
    QTest::keyClick(f->Combo1, Qt::Key_Down);
    info->struttura_Click();
    EXPECT_EQ(info->form2(), f);
    EXPECT_EQ(f->Combo1->currentIndex(), 0);
    EXPECT_EQ(f->Label2->text(), *TestoTelaio(0));
}

TEST_F(Finestre, ChiusaERiapertaRipartedaCapo)
{
    info->struttura_Click();
    QPointer<Form2> vecchia = info->form2();
    QTest::keyClick(vecchia->Combo1, Qt::Key_Down);
    PulsanteChiudi(vecchia);
    EXPECT_EQ(info->form2(), nullptr);
    EliminaChiuse();
    EXPECT_TRUE(vecchia.isNull()) << "closing must destroy the window";

    info->struttura_Click();
    Form2* nuova = info->form2();
    ASSERT_NE(nuova, nullptr);
    EXPECT_TRUE(nuova->isVisible());
    EXPECT_EQ(nuova->Label2->text(), Invito);
    EXPECT_EQ(nuova->Combo1->currentIndex(), -1);
}

// Reopened in the same turn of the event loop as the close: the fresh window
// must not be the one Qt is about to delete.
TEST_F(Finestre, RiapertaSubitoDopoLaChiusuraResta)
{
    info->struttura_Click();
    info->form2()->close();
    info->struttura_Click();
    EliminaChiuse();
    ASSERT_NE(info->form2(), nullptr);
    EXPECT_TRUE(info->form2()->isVisible());
    EXPECT_EQ(info->form2()->Label2->text(), Invito);
}

TEST_F(Finestre, CavoDisabilitaLaPrincipaleFinoAllaChiusura)
{
    info->rs232_Click();
    CavoConnessione* w = info->cavoConnessione();
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(FinestraAbilitata(&principale));
    EXPECT_TRUE(principale.isEnabled()) << "out of reach, but not greyed";
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->isEnabled());
    EXPECT_EQ(w->objectName(), "CavoConnessione");
    EXPECT_EQ(w->windowTitle(), "Cavo di connessione RS232");
    EXPECT_EQ(w->size(), QSize(253, 190));
    EXPECT_EQ(w->windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_TRUE(w->findChildren<QWidget*>().isEmpty());
    // The drawing is the window's own background, from the top-left corner.
    const QImage visto = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(visto.copy(0, 0, LarghezzaCavo, AltezzaCavo), DisegnoCavo());
    EXPECT_TRUE(QTest::qWaitForWindowActive(w)) << "the window just shown takes the focus";
}

TEST_F(Finestre, UsbDisabilitaLaPrincipaleFinoAllaChiusura)
{
    info->usb_Click();
    ProgUsb* w = info->progUsb();
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(FinestraAbilitata(&principale));
    EXPECT_EQ(w->objectName(), "ProgUsb");
    EXPECT_EQ(w->windowTitle(), "Adattatore USB fotoaccoppiato");
    EXPECT_EQ(w->size(), QSize(359, 246));
    QLabel* pic = w->findChild<QLabel*>("Picture1");
    ASSERT_NE(pic, nullptr);
    EXPECT_EQ(pic->toolTip(),
              "Interfaccia usb fotoaccopiata livello TTL aquistabile presso Orvento  ( per schede dal 2012)");
    EXPECT_EQ(pic->pixmap().size(), QSize(357, 244));
    // Inside the sunken border the whole photo shows in the window.
    const QImage visto = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(visto.copy(2, 2, LarghezzaUsb, AltezzaUsb), FotoAdattatoreUsb());
}

TEST_F(Finestre, OgniModoDiChiudereRiabilitaLaPrincipale)
{
    for (int modo = 0; modo < 3; ++modo) {
        for (bool cavo : {true, false}) {
            cavo ? info->rs232_Click() : info->usb_Click();
            QWidget* w = cavo ? static_cast<QWidget*>(info->cavoConnessione()) : info->progUsb();
            ASSERT_NE(w, nullptr);
            ASSERT_FALSE(FinestraAbilitata(&principale));
            if (modo == 0)
                PulsanteChiudi(w);
            else if (modo == 1)
                w->close();
            else
                delete w;
            EXPECT_TRUE(FinestraAbilitata(&principale)) << "modo " << modo << (cavo ? " cavo" : " usb");
            EliminaChiuse();
            EXPECT_TRUE(FinestraAbilitata(&principale));
            EXPECT_EQ(cavo ? static_cast<QWidget*>(info->cavoConnessione()) : info->progUsb(), nullptr);
        }
    }
}

TEST_F(Finestre, LaListaRestaUsabileMentreUnaImmagineEAperta)
{
    info->struttura_Click();
    info->rs232_Click();
    EXPECT_FALSE(FinestraAbilitata(&principale));
    EXPECT_TRUE(info->form2()->isEnabled());
    QTest::keyClick(info->form2()->Combo1, Qt::Key_Down);
    EXPECT_EQ(info->form2()->Label2->text(), *TestoTelaio(0));
}

// Above the main window, and gone with the object that opened them.
TEST_F(Finestre, FinestreLegateAllaPrincipale)
{
    info->struttura_Click();
    info->rs232_Click();
    QPointer<QWidget> a = info->form2(), b = info->cavoConnessione();
    for (QWidget* w : {a.data(), b.data()})
        EXPECT_EQ(w->windowHandle()->transientParent(), principale.windowHandle());
    info.reset();
    EXPECT_TRUE(a.isNull());
    EXPECT_TRUE(b.isNull());
}

// Closing the main window must still end the program with the list open.
TEST_F(Finestre, LaListaApertaNonTrattieneIlProgramma)
{
    info->struttura_Click();
    info->rs232_Click();
    PulsanteChiudi(info->cavoConnessione());
    bool trattenuto = false;
    QTimer::singleShot(0, [this] { PulsanteChiudi(&principale); });
    QTimer::singleShot(5000, [&] {
        trattenuto = true;
        QCoreApplication::exit(1);
    });
    QApplication::exec();
    EXPECT_FALSE(trattenuto);
}
