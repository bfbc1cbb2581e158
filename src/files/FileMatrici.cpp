#include "FileMatrici.h"

#include "FileDisco.h"
#include "LetturaNumero.h"

#include <algorithm>

namespace corsa {

QString MessaggioFormatoErrato() { return QStringLiteral("File sconosciuto ,formato errato)"); }

QByteArray FormattaFileMatrice(const Stato& s)
{
    QByteArray b;
    b.reserve(RigheFileMatrice * 6);
    b.append(MarcatoreFile).append("\r\n");
    auto riga = [&b](uint8_t v) { b.append(' ').append(QByteArray::number(v)).append("\r\n"); };
    for (size_t i = 1; i < s.MatricePosizione.size(); ++i)
        riga(s.MatricePosizione[i]);
    for (size_t i = 1; i < s.MatriceVelocita.size(); ++i)
        riga(s.MatriceVelocita[i]);
    return b;
}

namespace {

// A line ends at CR, and an LF right after it belongs to that end; any other
// LF is part of the line. The last line needs no end.
class LettoreRighe {
public:
    explicit LettoreRighe(std::string_view d) : d_(d) {}
    std::optional<std::string_view> Prossima()
    {
        if (i_ >= d_.size())
            return std::nullopt;
        const size_t cr = d_.find('\r', i_);
        const size_t fine = cr == std::string_view::npos ? d_.size() : cr;
        std::string_view riga = d_.substr(i_, fine - i_);
        i_ = fine;
        if (i_ < d_.size()) {
            ++i_;
            if (i_ < d_.size() && d_[i_] == '\n')
                ++i_;
        }
        return riga;
    }

private:
    std::string_view d_;
    size_t i_ = 0;
};

template <size_t N>
bool LeggiValori(LettoreRighe& righe, std::array<uint8_t, N>& dest, ContenutoFile& c)
{
    for (size_t i = 1; i < N; ++i) {
        ++c.riga;
        auto r = righe.Prossima();
        if (!r)
            return false;
        const double v = LeggiIntero(*r);
        if (!(v >= 0 && v <= 255))
            return false;
        dest[i] = uint8_t(v);
    }
    return true;
}

} // namespace

ContenutoFile LeggiFileMatrice(std::string_view dati)
{
    ContenutoFile c;
    LettoreRighe righe(dati);
    c.riga = 1;
    auto prima = righe.Prossima();
    if (!prima)
        return c;
    if (prima->find(MarcatoreFile) == std::string_view::npos) {
        c.esito = ContenutoFile::Esito::SenzaMarcatore;
        return c;
    }
    if (LeggiValori(righe, c.posizione, c) && LeggiValori(righe, c.velocita, c))
        c.esito = ContenutoFile::Esito::Completo;
    return c;
}

void ApplicaFileMatrice(const ContenutoFile& c, Stato& s)
{
    if (c.esito != ContenutoFile::Esito::Completo)
        return;
    std::copy(c.posizione.begin() + 1, c.posizione.end(), s.MatricePosizione.begin() + 1);
    std::copy(c.velocita.begin() + 1, c.velocita.end(), s.MatriceVelocita.begin() + 1);
}

FileMatrici::FileMatrici(Stato& stato, DialogoFile& dialogo, Messaggi& messaggi, std::function<void()> ridisegna)
    : s_(stato), dialog1_(dialogo), messaggi_(messaggi), ridisegna_(std::move(ridisegna))
{
}

void FileMatrici::save_Click()
{
    dialog1_.Flags = DialogoFile::ChiediSovrascrittura;
    dialog1_.DefaultExt = QStringLiteral("qmr");
    dialog1_.CancelError = true;
    dialog1_.FileName = s_.NomeFile;
    if (!dialog1_.ShowSave())
        return;
    s_.NomeFile = dialog1_.FileName;
    // The caption shows the new name from the next full redraw on.
    if (auto motivo = ScriviFile(s_.NomeFile, FormattaFileMatrice(s_)))
        messaggi_.Mostra(QStringLiteral("Il file non è stato salvato: ") + *motivo, std::nullopt, Pulsanti::OK,
                         Icona::Critica);
}

void FileMatrici::apri_Click()
{
    // The open dialog keeps whatever the last save set on it.
    if (!dialog1_.ShowOpen())
        return;
    s_.NomeFile = dialog1_.FileName; // kept even when the rest fails
    const auto dati = LeggiFile(s_.NomeFile);
    if (!dati)
        return;
    const ContenutoFile c = LeggiFileMatrice(*dati);
    switch (c.esito) {
    case ContenutoFile::Esito::SenzaMarcatore:
        messaggi_.Mostra(MessaggioFormatoErrato(), std::nullopt, Pulsanti::OK, Icona::Nessuna);
        return;
    case ContenutoFile::Esito::Interrotto:
        // Nothing stored: a half-loaded image could reach the board.
        return;
    case ContenutoFile::Esito::Completo:
        ApplicaFileMatrice(c, s_);
        if (ridisegna_)
            ridisegna_();
        return;
    }
}

} // namespace corsa
