#pragma once
#include "DialogoFile.h"

#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace corsa::test {

// Records each dialog shown with the settings it had, and answers with the
// names the test queued; std::nullopt (or an empty queue) is a Cancel.
class DialogoScriptato : public DialogoFile {
public:
    struct Mostrato {
        bool salva;
        QString fileName;
        int flags;
        QString defaultExt;
        bool cancelError;
    };
    std::vector<Mostrato> mostrati;
    std::deque<std::optional<QString>> risposte;
    std::function<void()> durante; // runs while the dialog is "open"

    bool ShowSave() override { return Mostra(true); }
    bool ShowOpen() override { return Mostra(false); }

private:
    bool Mostra(bool salva)
    {
        mostrati.push_back({salva, FileName, Flags, DefaultExt, CancelError});
        if (durante)
            durante();
        std::optional<QString> r;
        if (!risposte.empty()) {
            r = risposte.front();
            risposte.pop_front();
        }
        if (r) {
            FileName = *r;
            return true;
        }
        if (CancelError)
            return false;
        FileName.clear();
        return true;
    }
};

} // namespace corsa::test
