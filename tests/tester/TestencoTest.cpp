#include "ClickLabel.h"
#include "ProgressBar.h"
#include "PulsanteGrafico.h"
#include "Risposte.h"
#include "Stato.h"
#include "testenco.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace corsa;
using namespace corsa::test;

namespace {
const QColor Verde(0, 255, 0), Rosso(255, 0, 0), Grigio(192, 192, 192);

class Finestra : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
    ProgressBar* barra(int i) { return w.findChild<ProgressBar*>(QStringLiteral("ProgressBar1_%1").arg(i)); }
    ClickLabel* riga(int i) { return w.findChild<ClickLabel*>(QStringLiteral("Label1_%1").arg(i)); }
    Stato stato = [] {
        Stato s;
        s.MatricePosizione[130] = 130;
        s.Comando = "m";
        return s;
    }();
    testenco w{stato};
};
} // namespace

TEST_F(Finestra, LayoutAsDesigned)
{
    EXPECT_EQ(w.windowTitle(), "Tester per  sensori ottici encoder");
    EXPECT_EQ(w.size(), QSize(514, 259));
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    EXPECT_EQ(w.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_FALSE(w.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    for (int i = 0; i < 8; ++i) {
        ASSERT_TRUE(riga(i)) << i;
        ASSERT_TRUE(barra(i)) << i;
        EXPECT_EQ(barra(i)->geometry(), QRect(48, i < 7 ? 8 + 24 * i : 232, 457, 17));
        EXPECT_EQ(barra(i)->Max(), 255);
        EXPECT_EQ(riga(i)->geometry(), i < 7 ? QRect(16, 8 + 24 * i, 25, 17) : QRect(72, 200, 433, 25));
        EXPECT_EQ(riga(i)->BackColor(), i == 0 ? Verde : Grigio);
    }
    EXPECT_EQ(riga(7)->Caption(), "Bit 0");
    auto* nota = w.findChild<ClickLabel*>("Label2");
    ASSERT_TRUE(nota);
    EXPECT_EQ(nota->Caption(),
              "NOTA: Gli ingressi rispetto al conteggio sono negati , se basso vale 1  se alto vale 0");
    for (QWidget* c : w.findChildren<QWidget*>())
        EXPECT_EQ(c->font().family(), "Arial") << c->objectName().toStdString();
}

TEST_F(Finestra, TheYellowButtonOnlyAsksForTheSwitch)
{
    w.show();
    auto* pulsante = w.findChild<PulsanteGrafico*>("Command1");
    ASSERT_TRUE(pulsante);
    EXPECT_EQ(pulsante->text(), "Cambio encoder");
    const QImage img = pulsante->grab().toImage();
    EXPECT_EQ(QColor(img.pixel(img.width() / 2, 4)), QColor(255, 255, 0));
    QTest::mouseClick(pulsante, Qt::LeftButton);
    EXPECT_EQ(stato.CambioEncoder, 1);
    EXPECT_EQ(stato.Comando, "m");
}

TEST_F(Finestra, EachReadingReplacesTheLastOneReadingTheStateAtTheCall)
{
    w.LeggoAdc(Risposta({Basso, Alto, Alto, 130, 131, Alto, Basso}));
    const int attesi[] = {Basso, Alto, Alto, 130, 131, Alto, Basso, 95};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(barra(i)->Value(), attesi[i]) << i;
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(riga(i)->BackColor(), (0b1001001 >> i) & 1 ? Verde : Rosso) << i;
    EXPECT_EQ(barra(3)->ToolTipText(), " Bit 3 Volt =  2.548 Soglia di commutazione = 2,6");
    EXPECT_TRUE(barra(7)->ToolTipText().startsWith(" Alimentazione emettitori IR Volt =  7.999 MilliAmper.=  10.29"));
    // Gray 73 is step 113, which the frame screw shows counted down.
    EXPECT_EQ(riga(7)->Caption(), " Encoder [ VITE TELAIO ]  : Passo conteggio negato = 14");
    EXPECT_EQ(riga(7)->BackColor(), Verde);

    stato.Comando = "@";
    stato.MatricePosizione[130] = 150;
    w.LeggoAdc(Risposta({Alto, 150, Basso, Alto, Basso, Basso, Alto}, 255));
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(riga(i)->BackColor(), (0b0110110 >> i) & 1 ? Verde : Rosso) << i;
    EXPECT_TRUE(barra(0)->ToolTipText().endsWith("= 3"));
    EXPECT_EQ(riga(7)->Caption(), "Alimentazione fotoemettitori non corretta ");
    EXPECT_EQ(riga(7)->BackColor(), Rosso);
    EXPECT_EQ(stato.Comando, "@");
    EXPECT_EQ(stato.CambioEncoder, 0);
}

TEST_F(Finestra, AShortReplyLeavesTheRestOfTheLastReading)
{
    w.LeggoAdc(Risposta({Basso, Basso, Basso, Basso, Basso, Basso, Basso}, 100));
    const QString stato7 = riga(7)->Caption(), alimentazione = barra(7)->ToolTipText();
    std::size_t coperti = 0;
    for (std::size_t n : {4, 7, 0}) {
        w.LeggoAdc(std::string(n, char(Alto)));
        coperti = std::max(coperti, n);
        for (std::size_t i = 0; i < 7; ++i)
            EXPECT_EQ(riga(int(i))->BackColor(), i < coperti ? Rosso : Verde) << n << i;
        EXPECT_EQ(barra(7)->Value(), 100);
        EXPECT_EQ(barra(7)->ToolTipText(), alimentazione);
        EXPECT_EQ(riga(7)->Caption(), stato7);
    }
}
