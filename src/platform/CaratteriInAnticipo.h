#pragma once
#include <condition_variable>
#include <mutex>
#include <thread>

namespace corsa {

// The first text the main window measures would load, there and then, the
// system's font configuration and the toolkit's list of fonts: some
// milliseconds before anything can be shown. This loads them on a second
// thread instead, the configuration while the application connects to the
// display, the list while the window is being built. Nothing changes in
// which fonts are found or how they look.
//
//     CaratteriInAnticipo caratteri;       // before the QApplication
//     QApplication app(argc, argv);
//     const auto elenco = caratteri.ApplicazionePronta();
class CaratteriInAnticipo {
public:
    // Waited for when the application goes: the list must not outlive it.
    class Attesa {
    public:
        explicit Attesa(CaratteriInAnticipo* c) : c_(c) {}
        Attesa(Attesa&& a) noexcept : c_(a.c_) { a.c_ = nullptr; }
        Attesa(const Attesa&) = delete;
        Attesa& operator=(const Attesa&) = delete;
        Attesa& operator=(Attesa&&) = delete;
        ~Attesa()
        {
            if (c_)
                c_->Attendi();
        }

    private:
        CaratteriInAnticipo* c_;
    };

    CaratteriInAnticipo();
    ~CaratteriInAnticipo();
    CaratteriInAnticipo(const CaratteriInAnticipo&) = delete;
    CaratteriInAnticipo& operator=(const CaratteriInAnticipo&) = delete;

    // The QApplication exists: the list of fonts may be read now.
    [[nodiscard]] Attesa ApplicazionePronta();
    void Attendi();

private:
    enum class Fase { Configurazione, Elenco, Fine };
    void Lavora();

    std::mutex mutex_;
    std::condition_variable segnale_;
    Fase fase_ = Fase::Configurazione;
    std::thread filo_;
};

} // namespace corsa
