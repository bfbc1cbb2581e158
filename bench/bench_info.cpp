// Cost of the reference pictures and of opening their windows.
#include "Misura.h"

#include "Disegni.h"
#include "FinestreInfo.h"

#include <QCoreApplication>
#include <QWidget>

namespace {

// Left alive to the end: widgets must not outlive the application object.
QWidget* principale = nullptr;
corsa::FinestreInfo* info = nullptr;

void Prepara()
{
    if (!principale) {
        principale = new QWidget;
        info = new corsa::FinestreInfo(principale);
    }
}

template <typename Apri, typename Finestra>
void ApriEChiudi(Apri apri, Finestra finestra)
{
    (info->*apri)();
    (info->*finestra)()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

Registra a({"disegno trasmissione 683x430", "< 20 ms, una volta per apertura", nullptr,
            [] { corsa::DisegnoTrasmissione(); }, 50});
Registra b({"disegno cavo 251x189", "< 5 ms", nullptr, [] { corsa::DisegnoCavo(); }, 100});
Registra c({"foto adattatore usb 357x244", "< 20 ms", nullptr, [] { corsa::FotoAdattatoreUsb(); }, 50});
Registra d({"apertura e chiusura elenco telai", "< 50 ms", Prepara,
            [] { ApriEChiudi(&corsa::FinestreInfo::struttura_Click, &corsa::FinestreInfo::form2); }, 30});
Registra e({"apertura e chiusura cavo RS232", "< 50 ms", Prepara,
            [] { ApriEChiudi(&corsa::FinestreInfo::rs232_Click, &corsa::FinestreInfo::cavoConnessione); }, 30});

} // namespace
