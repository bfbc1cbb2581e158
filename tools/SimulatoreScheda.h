#pragma once
#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class QFile;
class QSocketNotifier;

namespace corsa::sim {

// Faults the board can show on demand, on a whole port or on one command.
enum class Guasto {
    Nessuno,
    Silenziosa,    // the port is there, nothing answers
    SenzaRev,      // "v" answers a text without "REV"
    Corta,         // every reply one short of its least length
    Lunga,         // replies padded with extra bytes up to 150
    Spazzatura,    // random bytes in place of the reply
    RifiutoEeprom, // "w" refused, nothing stored
    CadutaBlocco,  // half the reply, then the port vanishes
};

struct NomeDiGuasto {
    Guasto guasto;
    const char* nome;
};
// The one list of fault names: the parser reads it, the help prints it.
// clang-format off
inline constexpr NomeDiGuasto Guasti[] = {
    {Guasto::Silenziosa,    "silenziosa"},
    {Guasto::SenzaRev,      "senzarev"},
    {Guasto::Corta,         "corta"},
    {Guasto::Lunga,         "lunga"},
    {Guasto::Spazzatura,    "spazzatura"},
    {Guasto::RifiutoEeprom, "rifiutoeeprom"},
    {Guasto::CadutaBlocco,  "caduta"},
    {Guasto::Nessuno,       "nessuno"},
};
// clang-format on

std::optional<Guasto> GuastoDaNome(const QString& nome);
QString NomeGuasto(Guasto g);
QString ElencoGuasti(); // every name, blank-separated, as the help lists them

struct ByteRicevuto {
    qint64 ms; // since the simulator started
    int porta;
    uint8_t valore;
};

// The board's side of the line on pseudo-terminals: each port is a
// pseudo-terminal placed as the link "comN" in a folder. Driven by the Qt
// event loop; usable in-process by tests and by the corsa-sim program.
class SimulatoreScheda : public QObject {
    Q_OBJECT
public:
    // cartella: where the links comN go; the EEPROM files go there too
    // unless told otherwise.
    explicit SimulatoreScheda(const QString& cartella, QObject* parent = nullptr);
    ~SimulatoreScheda() override;

    QString cartella() const { return cartella_; }
    void impostaCartellaEeprom(const QString& cartella) { cartellaEeprom_ = cartella; }
    QString fileEeprom(int porta) const;

    bool aggiungiPorta(int porta); // creates the pseudo-terminal and its link
    void rimuoviPorta(int porta);  // the device vanishes: link gone, far end closed
    bool haPorta(int porta) const { return porte_.count(porta) != 0; }
    QString percorso(int porta) const;    // the link's path
    QString dispositivo(int porta) const; // the pseudo-terminal behind it

    void impostaGuasto(int porta, Guasto g, std::optional<uint8_t> comando = std::nullopt);
    void togliGuasti(int porta);
    void impostaStopSicurezza(int porta, bool attivo);
    // The "v" and "w" replies as chosen texts; nullopt gives the default
    // back. The senzarev fault keeps its own text; other faults still apply.
    void impostaTestoVersione(int porta, std::optional<QByteArray> testo);
    void impostaTestoEeprom(int porta, std::optional<QByteArray> testo);

    // The board's memory, index 0 unused as in the PC's image.
    std::array<uint8_t, 141>* ramPosizione(int porta);
    std::array<uint8_t, 129>* ramVelocita(int porta);
    std::array<uint8_t, 141>* eepromPosizione(int porta);
    std::array<uint8_t, 129>* eepromVelocita(int porta);
    int scrittureEeprom(int porta) const;

    // The next status and tester replies, as the board would send them now.
    QByteArray rispostaStato(int porta) const;
    QByteArray rispostaTester(int porta, uint8_t comando) const;

    // Every byte received, with its time; per port as plain bytes.
    const std::vector<ByteRicevuto>& registro() const { return registro_; }
    QByteArray ricevuti(int porta) const;
    void svuotaRegistro();
    bool impostaFileRegistro(const QString& percorso);

    // One line of the text used on corsa-sim's standard input; returns what
    // to print (empty on success of a silent command).
    QString esegui(const QString& riga);

signals:
    void ricevuto(int porta, const QByteArray& dati);
    void portaRimossa(int porta);

private:
    enum class Attesa { Comando, BloccoPosizione, BloccoVelocita, Conferma };
    struct Porta {
        int numero = 0;
        int master = -1;
        int slave = -1;
        QString dispositivo;
        std::unique_ptr<QSocketNotifier> notifica;
        Attesa attesa = Attesa::Comando;
        QByteArray raccolti;
        qint64 ultimoByte = 0;
        std::array<uint8_t, 141> ramPos{};
        std::array<uint8_t, 129> ramVel{};
        std::array<uint8_t, 141> eepPos{};
        std::array<uint8_t, 129> eepVel{};
        int scrittureEeprom = 0;
        bool stop = false;
        Guasto guasto = Guasto::Nessuno;
        std::map<uint8_t, Guasto> guastiComando;
        uint32_t caso = 12345; // garbage generator state
        std::optional<QByteArray> testoVersione;
        std::optional<QByteArray> testoEeprom;
    };

    void leggi(int porta);
    void byteRicevuto(Porta& p, uint8_t b);
    void comando(Porta& p, uint8_t c);
    QByteArray rispondi(Porta& p, uint8_t c, QByteArray risposta, int minimo);
    void invia(Porta& p, const QByteArray& dati);
    Guasto guastoPer(const Porta& p, uint8_t c) const;
    void caricaEeprom(Porta& p);
    void salvaEeprom(Porta& p);
    Porta* trova(int porta);
    const Porta* trova(int porta) const;

    QString cartella_;
    QString cartellaEeprom_;
    QElapsedTimer orologio_;
    std::map<int, std::unique_ptr<Porta>> porte_;
    std::vector<ByteRicevuto> registro_;
    std::unique_ptr<QFile> fileRegistro_;
};

} // namespace corsa::sim
