#pragma once
#include "Messaggi.h"

#include <deque>
#include <functional>
#include <vector>

namespace corsa::test {

// Records every box and answers with what the test queued (Riprova for a
// Retry/Cancel box, OK otherwise, when nothing is queued).
class MessaggiScriptati : public Messaggi {
public:
    struct Box {
        QString testo;
        std::optional<QString> titolo;
        Pulsanti pulsanti;
        Icona icona;
    };
    std::vector<Box> mostrati;
    std::deque<Risposta> risposte;
    std::function<void()> durante; // runs while the "box" is open

    Risposta Mostra(const QString& testo, const std::optional<QString>& titolo, Pulsanti p, Icona i) override
    {
        mostrati.push_back({testo, titolo, p, i});
        if (durante)
            durante();
        if (!risposte.empty()) {
            Risposta r = risposte.front();
            risposte.pop_front();
            return r;
        }
        return p == Pulsanti::OK ? Risposta::OK : Risposta::Riprova;
    }
};

} // namespace corsa::test
