// Protocol costs: judging and loading a block reply, building both blocks.
#include "Misura.h"
#include "Protocollo.h"

namespace {

corsa::Stato& StatoBench()
{
    static corsa::Stato s;
    return s;
}

QByteArray& RispostaBench()
{
    static QByteArray r;
    return r;
}

volatile int pozzo = 0; // keeps the work from being optimised away

Registra giudizioECaricamento({"link: giudica e carica risposta 140 byte", "< 5 us",
                               [] {
                                   RispostaBench() = QByteArray(140, '\0');
                                   for (int i = 0; i < 140; ++i)
                                       RispostaBench()[i] = static_cast<char>(i * 7);
                               },
                               [] {
                                   auto& s = StatoBench();
                                   if (corsa::RispostaValida(corsa::ComandoLeggiPosizione, RispostaBench()))
                                       pozzo = corsa::CaricaBloccoPosizione(s, RispostaBench());
                               },
                               20000});

Registra bloccoPosizione({"link: costruisce blocco posizione",
                          "< 5 us",
                          {},
                          [] { pozzo = static_cast<int>(corsa::BloccoPosizione(StatoBench()).size()); },
                          20000});

Registra bloccoVelocita({"link: costruisce blocco velocita",
                         "< 5 us",
                         {},
                         [] { pozzo = static_cast<int>(corsa::BloccoVelocita(StatoBench()).size()); },
                         20000});

} // namespace
