// Full redraw and cursor update of the main window, offscreen.
#include "Misura.h"

#include "Form1.h"
#include "Messaggi.h"
#include "PortaSeriale.h"

#include <memory>

namespace {

// A port that is never opened: the panel sends nothing.
class PortaChiusa : public corsa::PortaSeriale {
public:
    void setCommPort(int n) override { n_ = n; }
    int CommPort() const override { return n_; }
    void setSettings(const QString&) override {}
    void setInputLen(int) override {}
    void setPortOpen(bool) override {}
    bool PortOpen() const override { return false; }
    void Output(const QByteArray&) override {}
    QByteArray Input() override { return {}; }
    void setInBufferCount(int) override {}

private:
    int n_ = 1;
};

struct Banco {
    corsa::Stato stato;
    PortaChiusa porta;
    corsa::MessaggiQt messaggi;
    corsa::Form1 f{stato, porta, messaggi};
    Banco() { f.Form_Load(); }
};

Banco& B()
{
    static auto* b = new Banco;
    return *b;
}

Registra ridisegno({"pannello: ridisegno completo", "< 300 us", [] { B(); },
                    [] { B().f.pannello().RidisegnaMatrici(); }, 2000});

Registra cursore({"pannello: cursori, il carro si sposta", "< 20 us", [] { B(); },
                  [] {
                      auto& s = B().stato;
                      s.StatoChip[1] = uint8_t(s.StatoChip[1] == 40 ? 80 : 40);
                      B().f.pannello().AggiornaCursori();
                  },
                  20000});

} // namespace
