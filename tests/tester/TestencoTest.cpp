#include "ClickLabel.h"
#include "ProgressBar.h"
#include "PulsanteGrafico.h"
#include "Risposte.h"
#include "Stato.h"
#include "testenco.h"

#include <QLocale>
#include <QTest>
#include <gtest/gtest.h>

using namespace corsa;
using namespace corsa::test;

namespace {

const QColor Grigio(192, 192, 192);
const QColor Verde(0, 255, 0);
const QColor Rosso(255, 0, 0);

class Finestra : public ::testing::Test {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        stato.MatricePosizione[130] = 130;
        stato.Comando = "s";
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    ClickLabel* etichetta(const QString& nome) { return w.findChild<ClickLabel*>(nome); }
    ProgressBar* barra(int i) { return w.findChild<ProgressBar*>(QStringLiteral("ProgressBar1_%1").arg(i)); }
    ClickLabel* riga(int i) { return etichetta(QStringLiteral("Label1_%1").arg(i)); }

    Stato stato;
    testenco w{stato};
};

} // namespace

TEST_F(Finestra, LayoutAsDesigned)
{
    EXPECT_EQ(w.objectName(), "testenco");
    EXPECT_EQ(w.windowTitle(), "Tester per  sensori ottici encoder");
    EXPECT_EQ(w.size(), QSize(514, 259));
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    const auto f = w.windowFlags();
    EXPECT_EQ(f & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_TRUE(f & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(f & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(f & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(w.palette().color(QPalette::Window), Grigio);

    for (int i = 0; i < 7; ++i) {
        ASSERT_NE(riga(i), nullptr) << i;
        ASSERT_NE(barra(i), nullptr) << i;
        EXPECT_EQ(riga(i)->geometry(), QRect(16, 8 + 24 * i, 25, 17));
        EXPECT_EQ(riga(i)->Caption(), QStringLiteral("Bit %1").arg(i));
        EXPECT_EQ(riga(i)->BackColor(), i == 0 ? Verde : Grigio);
        EXPECT_TRUE(riga(i)->font().bold());
        EXPECT_DOUBLE_EQ(riga(i)->font().pointSizeF(), 9);
        EXPECT_EQ(barra(i)->geometry(), QRect(48, 8 + 24 * i, 457, 17));
        EXPECT_EQ(barra(i)->Min(), 0);
        EXPECT_EQ(barra(i)->Max(), 255);
    }
    ASSERT_NE(riga(7), nullptr);
    EXPECT_EQ(riga(7)->geometry(), QRect(72, 200, 433, 25));
    EXPECT_EQ(riga(7)->Caption(), "Bit 0");
    EXPECT_DOUBLE_EQ(riga(7)->font().pointSizeF(), 9.75);
    EXPECT_EQ(riga(7)->frameShape(), QFrame::Box);
    EXPECT_TRUE(riga(7)->alignment() & Qt::AlignHCenter);
    ASSERT_NE(barra(7), nullptr);
    EXPECT_EQ(barra(7)->geometry(), QRect(48, 232, 457, 17));

    auto* nota = etichetta("Label2");
    ASSERT_NE(nota, nullptr);
    EXPECT_EQ(nota->Caption(), "NOTA: Gli ingressi rispetto al conteggio sono negati , se basso vale 1  se alto vale 0");
    EXPECT_EQ(nota->geometry(), QRect(64, 176, 441, 17));
    EXPECT_FALSE(nota->font().bold());
    EXPECT_DOUBLE_EQ(nota->font().pointSizeF(), 8.25);

    auto* pulsante = w.findChild<PulsanteGrafico*>("Command1");
    ASSERT_NE(pulsante, nullptr);
    EXPECT_EQ(pulsante->text(), "Cambio encoder");
    EXPECT_EQ(pulsante->geometry(), QRect(8, 176, 57, 49));
    EXPECT_EQ(pulsante->BackColor(), QColor(255, 255, 0));
    EXPECT_TRUE(pulsante->font().bold());

    for (QWidget* c : w.findChildren<QWidget*>())
        EXPECT_EQ(c->font().family(), "Arial") << c->objectName().toStdString();
}

TEST_F(Finestra, TheButtonShowsYellowAndOnlyAsksForTheSwitch)
{
    w.show();
    auto* pulsante = w.findChild<PulsanteGrafico*>("Command1");
    const QImage img = pulsante->grab().toImage();
    EXPECT_EQ(QColor(img.pixel(img.width() / 2, 4)), QColor(255, 255, 0));

    QTest::mouseClick(pulsante, Qt::LeftButton);
    EXPECT_EQ(stato.CambioEncoder, 1);
    EXPECT_EQ(stato.Comando, "s");
}

TEST_F(Finestra, AReadingSetsEveryBarLabelAndTheStatusRow)
{
    stato.Comando = "m";
    w.LeggoAdc(Risposta({Basso, Alto, Alto, 130, 131, Alto, Basso}, 95));
    const int attesi[] = {Basso, Alto, Alto, 130, 131, Alto, Basso, 95};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(barra(i)->Value(), attesi[i]) << i;
    const QColor colori[] = {Verde, Rosso, Rosso, Verde, Rosso, Rosso, Verde};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(riga(i)->BackColor(), colori[i]) << i;
        EXPECT_EQ(riga(i)->Caption(), QStringLiteral("Bit %1").arg(i));
    }
    EXPECT_EQ(barra(3)->ToolTipText(), " Bit 3 Volt =  2.548 Soglia di commutazione = 2.6");
    EXPECT_TRUE(barra(7)->ToolTipText().startsWith(" Alimentazione emettitori IR Volt =  7.999 MilliAmper.=  10.29"));
    // Gray 1 + 8 + 64 = 73 is step 113; the frame screw counts down from 127.
    EXPECT_EQ(riga(7)->Caption(), " Encoder [ VITE TELAIO ]  : Passo conteggio negato = 14");
    EXPECT_EQ(riga(7)->BackColor(), Verde);
    EXPECT_EQ(stato.Comando, "m");
    EXPECT_EQ(stato.CambioEncoder, 0);

    // The next reading leaves nothing of this one but captions.
    stato.Comando = "@";
    w.LeggoAdc(Risposta({Alto, Basso, Basso, Alto, Basso, Basso, Alto}, 255));
    const QColor dopo[] = {Rosso, Verde, Verde, Rosso, Verde, Verde, Rosso};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(riga(i)->BackColor(), dopo[i]) << i;
    EXPECT_EQ(barra(7)->Value(), 255);
    EXPECT_EQ(riga(7)->Caption(), "Alimentazione fotoemettitori non corretta ");
    EXPECT_EQ(riga(7)->BackColor(), Rosso);
}

TEST_F(Finestra, ThresholdAndEncoderAreReadAtEachCall)
{
    const auto r = Risposta(150, AlimentazioneBuona);
    w.LeggoAdc(r);
    EXPECT_EQ(riga(7)->Caption(), " Encoder [ MOTORE CV ]  : Passo conteggio diretto = 0");
    stato.MatricePosizione[130] = 150;
    stato.Comando = "m";
    w.LeggoAdc(r);
    EXPECT_EQ(riga(0)->BackColor(), Verde);
    EXPECT_EQ(riga(7)->Caption(), " Encoder [ VITE TELAIO ]  : Passo conteggio negato = 42");
    EXPECT_TRUE(barra(0)->ToolTipText().endsWith("= 3"));
}

TEST_F(Finestra, ToolTipsFollowTheUserLocale)
{
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    w.LeggoAdc(Risposta(130, AlimentazioneBuona));
    EXPECT_EQ(barra(0)->ToolTipText(), " Bit 0 Volt =  2.548 Soglia di commutazione = 2,6");
    // The supply text keeps the point whatever the locale.
    EXPECT_TRUE(barra(7)->ToolTipText().contains("Volt =  7.999 MilliAmper.=  10.29"));
}

TEST_F(Finestra, AShortReplyLeavesTheRestOfTheLastReading)
{
    stato.Comando = "m";
    const auto prima = Risposta(Basso, 100);
    w.LeggoAdc(prima);
    const QString stato7 = riga(7)->Caption();
    const QString alimentazione = barra(7)->ToolTipText();
    const QString bit5 = barra(5)->ToolTipText();

    w.LeggoAdc(std::string(4, char(Alto)));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(barra(i)->Value(), Alto);
        EXPECT_EQ(riga(i)->BackColor(), Rosso);
    }
    for (int i = 4; i < 7; ++i) {
        EXPECT_EQ(barra(i)->Value(), Basso);
        EXPECT_EQ(riga(i)->BackColor(), Verde);
    }
    EXPECT_EQ(barra(5)->ToolTipText(), bit5);
    EXPECT_EQ(barra(7)->Value(), 100);
    EXPECT_EQ(barra(7)->ToolTipText(), alimentazione);
    EXPECT_EQ(riga(7)->Caption(), stato7);
    EXPECT_EQ(riga(7)->BackColor(), Verde);

    w.LeggoAdc(std::string(7, char(Alto)));
    EXPECT_EQ(riga(6)->BackColor(), Rosso);
    EXPECT_EQ(riga(7)->Caption(), stato7);
    w.LeggoAdc(std::string());
    EXPECT_EQ(barra(0)->Value(), Alto);
}
