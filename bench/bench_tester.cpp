// The tester's work on each reply, which runs inside one engine tick.
#include "Misura.h"

#include "Decodifica.h"
#include "Stato.h"
#include "testenco.h"

namespace {

const std::string RispostaTipica("\x14\xc8\x14\x82\x83\xc8\x14\x5f", 8);

corsa::Stato statoTester;
// Never deleted: a static widget would be destroyed after the application.
corsa::testenco* finestraTester = nullptr;
int alterna = 0;

Registra decodifica(Misura{"tester: decodifica di una risposta",
                           "< 20 us",
                           {},
                           [] {
                               auto l = corsa::DecodificaRisposta(RispostaTipica, 130, "m");
                               volatile int passo = l.passo;
                               (void)passo;
                           },
                           10000});

Registra leggoAdc(Misura{"tester: LeggoAdc sulla finestra visibile", "< 200 us",
                         [] {
                             statoTester.MatricePosizione[130] = 130;
                             statoTester.Comando = "s";
                             finestraTester = new corsa::testenco(statoTester);
                             finestraTester->show();
                         },
                         [] {
                             // Alternate two readings so every control really changes.
                             std::string r = RispostaTipica;
                             if (++alterna & 1)
                                 for (char& c : r)
                                     c = char(255 - static_cast<unsigned char>(c));
                             finestraTester->LeggoAdc(r);
                         },
                         2000});

} // namespace
