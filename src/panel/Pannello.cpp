#include "Pannello.h"

#include "ClickLabel.h"
#include "Editori.h"
#include "Lampade.h"
#include "PictureBox.h"
#include "TestiNumerici.h"

#include <QPushButton>
#include <algorithm>
#include <cmath>

namespace corsa {

namespace {

QString Num(int v) { return TestoNumero(v); }

void Punto(PictureBox* p, int x, int y, QRgb colore) { p->Line(x, y, x, y, colore); }

} // namespace

Pannello::Pannello(Stato& stato, const ControlliPannello& controlli) : s_(stato), c_(controlli) {}

QString Pannello::Titolo(const QString& nomeFile) { return QStringLiteral("Corsa ") + nomeFile; }

// Vertical cursors run from y 1 to 128 and horizontal ones from x 1 to 128;
// the cursor update draws the very same lines, which is what lets XOR erase.
void Pannello::Cursore(PictureBox* p, int x) const { p->Line(x, 1, x, 128, Colore::Bianco); }

void Pannello::CursoreOrizzontale(PictureBox* p, int y, QRgb colore) const { p->Line(1, y, 128, y, colore); }

void Pannello::RidisegnaMatrici()
{
    const auto& A = s_.MatricePosizione;
    const auto& B = s_.MatriceVelocita;
    for (PictureBox* p : {c_.Picture1, c_.Picture2}) {
        p->Cls();
        p->setDrawMode(PictureBox::Penna::Copia);
        p->setDrawWidth(3);
    }
    const int tol = A[Tolleranza], sic = A[Sicura];
    for (int i = 0; i <= 128; ++i) {
        const int y = 128 - A[i];
        Punto(c_.Picture1, i, y, Colore::Verde);
        Punto(c_.Picture1, i, y + tol, Colore::GrigioChiaro);
        Punto(c_.Picture1, i, y - tol, Colore::GrigioChiaro);
        Punto(c_.Picture1, i, y + sic, Colore::Rosso);
        Punto(c_.Picture1, i, y - sic, Colore::Rosso);
        Punto(c_.Picture2, i, 128 - B[i], Colore::Verde);
    }
    c_.Label3->setCaption(QStringLiteral("Tolleranza  = ") + Num(tol));
    c_.Label4->setCaption(QStringLiteral("Sicura = ") + Num(sic));
    for (PictureBox* p : {c_.Picture1, c_.Picture2}) {
        p->setDrawWidth(1);
        p->setDrawMode(PictureBox::Penna::Xor);
    }
    Cursore(c_.Picture1, s_.UltimoMaster);
    Cursore(c_.Picture2, s_.UltimoMaster);
    CursoreOrizzontale(c_.Picture1, 128 - s_.UltimoSlave, Colore::Bianco);
    (s_.SceltaVelocita ? c_.Picture2 : c_.Picture1)
        ->Line(s_.UltimoPuntatore, 1, s_.UltimoPuntatore, 128, Colore::Magenta);
    CursoreOrizzontale(c_.Picture1, 128 - A[LimiteMinimo], Colore::Giallo);
    CursoreOrizzontale(c_.Picture1, 128 - A[LimiteMassimo], Colore::Giallo);

    c_.Label1->setCaption(QStringLiteral("Master =") + Num(s_.Master));
    c_.Label2->setCaption(QStringLiteral("Slave =") + Num(s_.Slave));
    c_.Label9->setCaption(QStringLiteral("Minimo = ") + Num(A[LimiteMinimo]));
    c_.Label8->setCaption(QStringLiteral("Massimo = ") + Num(A[LimiteMassimo]));
    c_.Label11->setCaption(QStringLiteral("Ritardo movimento = ") + Num(A[RitardoMovimento]));
    c_.Label16->setCaption(QStringLiteral("Soglia adc Volt.= ") + TestoNumero(A[SogliaAdc] / 50.0));
    if (c_.finestra)
        c_.finestra->setWindowTitle(Titolo(s_.NomeFile));
    c_.Label18->setCaption(QStringLiteral("Versione chip = ") +
                           QString::fromLatin1(s_.VersioneChip.data(), int(s_.VersioneChip.size())));
    AggiornaStatoIngressi(s_.StatoChip[4]);
    ControlloModifiche(2);
}

void Pannello::ControlloModifiche(uint8_t modo)
{
    if (modo == 1) {
        PrendiCopie(s_.MatricePosizione, s_.MatriceVelocita);
    } else if (modo == 2) {
        bool diverso = false;
        for (int i = 1; i <= 140; ++i)
            diverso |= s_.MatricePosizione[i] != s_.CopiaPosizione[i];
        for (int i = 1; i <= 128; ++i)
            diverso |= s_.MatriceVelocita[i] != s_.CopiaVelocita[i];
        s_.Modificato = diverso;
        c_.Command1->setVisible(diverso);
    }
}

void Pannello::PrendiCopie(const std::array<uint8_t, 141>& posizione, const std::array<uint8_t, 129>& velocita)
{
    for (int i = 1; i <= 140; ++i)
        s_.CopiaPosizione[i] = posizione[i];
    for (int i = 1; i <= 128; ++i)
        s_.CopiaVelocita[i] = velocita[i];
}

void Pannello::AggiornaCursori()
{
    for (PictureBox* p : {c_.Picture1, c_.Picture2}) {
        p->setDrawWidth(1);
        p->setDrawMode(PictureBox::Penna::Xor);
    }
    s_.Master = s_.StatoChip[1];
    s_.Slave = s_.StatoChip[2];
    if (s_.UltimoMaster != s_.Master) {
        Cursore(c_.Picture1, s_.Master);
        Cursore(c_.Picture1, s_.UltimoMaster);
        Cursore(c_.Picture2, s_.Master);
        Cursore(c_.Picture2, s_.UltimoMaster);
        s_.UltimoMaster = s_.Master;
    }
    if (s_.UltimoSlave != s_.Slave) {
        CursoreOrizzontale(c_.Picture1, 128 - s_.Slave, Colore::Bianco);
        CursoreOrizzontale(c_.Picture1, 128 - s_.UltimoSlave, Colore::Bianco);
        s_.UltimoSlave = s_.Slave;
    }
    if (s_.UltimoPuntatore != s_.PuntatoreMatrice || s_.UltimaSceltaVelocita != s_.SceltaVelocita) {
        const int nuovo = s_.PuntatoreMatrice, vecchio = s_.UltimoPuntatore;
        (s_.SceltaVelocita ? c_.Picture2 : c_.Picture1)->Line(nuovo, 1, nuovo, 128, Colore::Magenta);
        (s_.UltimaSceltaVelocita ? c_.Picture2 : c_.Picture1)->Line(vecchio, 1, vecchio, 128, Colore::Magenta);
        s_.UltimoPuntatore = s_.PuntatoreMatrice;
        s_.UltimaSceltaVelocita = s_.SceltaVelocita;
    }
    c_.Label1->setCaption(QStringLiteral("Master =") + Num(s_.Master));
    c_.Label2->setCaption(QStringLiteral("Slave =") + Num(s_.Slave));
    ScriviPuntatore();
    c_.Label19->setCaption(QStringLiteral(" Velocita = ") + Num(s_.StatoChip[3]));
}

void Pannello::ScriviPuntatore()
{
    // The pointer never passes 128, so it addresses both matrices.
    const int p = std::min<int>(s_.PuntatoreMatrice, 128);
    const int v = s_.SceltaVelocita ? s_.MatriceVelocita[p] : s_.MatricePosizione[p];
    c_.Label5->setCaption(QStringLiteral("Puntatore matrice = ") + Num(s_.PuntatoreMatrice));
    c_.Label6->setCaption(QStringLiteral("Valore matrice = ") + Num(v));
}

void Pannello::AggiornaStatoIngressi(uint8_t s)
{
    const auto lampade = CalcolaLampade(s, testoRotazione_);
    for (int i = 0; i < 5; ++i) {
        c_.Label14[i]->setCaption(lampade[i].testo);
        c_.Label14[i]->setBackColor(lampade[i].colore);
    }
}

void Pannello::MostraIndicatori(bool visibile)
{
    for (ClickLabel* l : c_.Label14)
        l->setVisible(visibile);
    c_.Label19->setVisible(visibile);
    c_.Label18->setVisible(visibile);
}

void Pannello::Label_MouseDown(Editore e, int pulsante)
{
    auto& A = s_.MatricePosizione;
    switch (e) {
    case Editore::Label11: PassoEditore(RegolaRitardo, pulsante, A[RitardoMovimento]); break;
    case Editore::Label16: PassoEditore(RegolaSoglia, pulsante, A[SogliaAdc]); break;
    case Editore::Label3:
        PassoEditore(RegolaTolleranza, pulsante, A[Tolleranza]);
        AccoppiaSicura(A[Tolleranza], A[Sicura]);
        break;
    case Editore::Label4: PassoEditore(RegolaSicura(A[Tolleranza]), pulsante, A[Sicura]); break;
    case Editore::Label9: PassoEditore(RegolaMinimo, pulsante, A[LimiteMinimo]); break;
    case Editore::Label8: PassoEditore(RegolaMassimo, pulsante, A[LimiteMassimo]); break;
    case Editore::Label5:
        PassoEditore(RegolaPuntatore, pulsante, s_.PuntatoreMatrice);
        AggiornaCursori();
        return;
    case Editore::Label6: {
        const int p = std::min<int>(s_.PuntatoreMatrice, 128);
        uint8_t& v = s_.SceltaVelocita ? s_.MatriceVelocita[p] : s_.MatricePosizione[p];
        PassoEditore(RegolaValore(s_.PassoModifica), pulsante, v);
        RidisegnaMatrici();
        AggiornaCursori();
        return;
    }
    }
    RidisegnaMatrici();
}

void Pannello::Picture_MouseDown(bool velocita, int pulsante, double x)
{
    if (pulsante != 1)
        return;
    s_.SceltaVelocita = velocita;
    // A press on the border can lie just outside 0..128; keep the pointer inside.
    const double f = std::floor(x);
    s_.PuntatoreMatrice = static_cast<uint8_t>(std::clamp(f, 0.0, 128.0));
    ScriviPuntatore();
    AggiornaCursori();
}

} // namespace corsa
