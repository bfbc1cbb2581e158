// Prints the median cost of each registered measurement; with an argument,
// only of those whose name holds it (for a profiler run on one of them).
#include "Misura.h"

#include <QApplication>
#include <algorithm>
#include <cstdio>

std::vector<Misura>& Misure()
{
    static std::vector<Misura> m;
    return m;
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::string filtro = argc > 1 ? argv[1] : "";
    std::printf("%-44s %14s   %s\n", "misura", "mediana", "obiettivo");
    for (auto& m : Misure()) {
        if (m.nome.find(filtro) == std::string::npos)
            continue;
        if (m.prepara)
            m.prepara();
        for (int i = 0; i < 10; ++i) { // warm-up
            if (m.primaDi)
                m.primaDi();
            m.corpo();
        }
        std::vector<double> t;
        t.reserve(m.ripetizioni);
        for (int i = 0; i < m.ripetizioni; ++i) {
            if (m.primaDi)
                m.primaDi();
            auto a = std::chrono::steady_clock::now();
            m.corpo();
            auto b = std::chrono::steady_clock::now();
            t.push_back(std::chrono::duration<double, std::micro>(b - a).count());
        }
        std::nth_element(t.begin(), t.begin() + t.size() / 2, t.end());
        std::printf("%-44s %11.3f us   %s\n", m.nome.c_str(), t[t.size() / 2], m.obiettivo.c_str());
    }
    return 0;
}
