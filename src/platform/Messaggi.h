#pragma once
#include <QString>
#include <optional>

class QWidget;

namespace corsa {

enum class Pulsanti { OK, RiprovaAnnulla };
enum class Icona { Nessuna, Critica };
enum class Risposta { OK, Riprova, Annulla };

// Modal message boxes. A box without a title of its own shows the
// program's name, as desktop toolkits do.
class Messaggi {
public:
    virtual ~Messaggi() = default;
    virtual Risposta Mostra(const QString& testo, const std::optional<QString>& titolo, Pulsanti pulsanti,
                            Icona icona) = 0;
};

class MessaggiQt : public Messaggi {
public:
    explicit MessaggiQt(QWidget* genitore = nullptr) : genitore_(genitore) {}
    void setGenitore(QWidget* w) { genitore_ = w; }
    Risposta Mostra(const QString& testo, const std::optional<QString>& titolo, Pulsanti pulsanti,
                    Icona icona) override;

private:
    QWidget* genitore_;
};

QString TitoloProgramma(); // "Corsa"

} // namespace corsa
