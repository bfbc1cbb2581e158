// Save and load of one matrix file through the menu handlers, on disk.
#include "FileMatrici.h"
#include "Misura.h"

#include <QTemporaryDir>
#include <memory>

namespace {

using namespace corsa;

// Always chooses the same file, as a user saving over and over would.
class DialogoFisso : public DialogoFile {
public:
    QString nome;
    bool ShowSave() override { return Scegli(); }
    bool ShowOpen() override { return Scegli(); }

private:
    bool Scegli()
    {
        FileName = nome;
        return true;
    }
};

class Silenzio : public Messaggi {
public:
    Risposta Mostra(const QString&, const std::optional<QString>&, Pulsanti, Icona) override { return Risposta::OK; }
};

struct Banco {
    QTemporaryDir dir;
    Stato stato;
    DialogoFisso dialogo;
    Silenzio messaggi;
    FileMatrici file{stato, dialogo, messaggi, {}};
    Banco()
    {
        for (size_t i = 0; i < stato.MatricePosizione.size(); ++i)
            stato.MatricePosizione[i] = uint8_t(i * 7);
        for (size_t i = 0; i < stato.MatriceVelocita.size(); ++i)
            stato.MatriceVelocita[i] = uint8_t(255 - i);
        dialogo.nome = dir.filePath("banco.qmr");
        file.save_Click();
    }
};

std::shared_ptr<Banco> banco;

Registra salva({"file matrici: salva (scrivi accanto e sostituisci)", "< 1 ms",
                [] { banco = std::make_shared<Banco>(); }, [] { banco->file.save_Click(); }, 200});
Registra apri({"file matrici: apri (leggi, verifica, applica)", "< 1 ms", [] { banco = std::make_shared<Banco>(); },
               [] { banco->file.apri_Click(); }, 1000});
Registra analizza({"file matrici: solo formato e lettura in memoria", "", [] { banco = std::make_shared<Banco>(); },
                   [] {
                       auto c = LeggiFileMatrice(FormattaFileMatrice(banco->stato));
                       ApplicaFileMatrice(c, banco->stato);
                   },
                   2000});

} // namespace
