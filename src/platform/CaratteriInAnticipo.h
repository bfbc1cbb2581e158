#pragma once
#include <thread>

namespace corsa {

// The first text the main window measures would load the system's font
// configuration there and then: some milliseconds, before anything can be
// shown. This loads it on a second thread while the application connects to
// the display. The same configuration, so the same fonts, are found.
//
//     CaratteriInAnticipo caratteri;   // before the QApplication
//     QApplication app(argc, argv);
//     caratteri.Attendi();             // done by now, or almost
class CaratteriInAnticipo {
public:
    CaratteriInAnticipo();
    ~CaratteriInAnticipo();
    CaratteriInAnticipo(const CaratteriInAnticipo&) = delete;
    CaratteriInAnticipo& operator=(const CaratteriInAnticipo&) = delete;

    // Before the first text: the toolkit then finds the work done rather
    // than starting it again alongside.
    void Attendi();

private:
    std::thread filo_;
};

} // namespace corsa
