#pragma once
#include <QString>

class QFileDialog;
class QWidget;

namespace corsa {

// One file dialog object serving both the open and the save dialog. Its
// settings stay as the last caller left them, for the other dialog too.
class DialogoFile {
public:
    // Flags bit: ask before returning the name of a file that exists (save).
    static constexpr int ChiediSovrascrittura = 2;

    virtual ~DialogoFile() = default;

    QString FileName; // offered at first; the chosen file's full path after
    int Flags = 0;
    QString DefaultExt; // added, with its dot, to a name typed without one
    // Before anyone sets it, a cancel already counts as one: the open dialog
    // may be shown before the first save has set it.
    bool CancelError = true;

    // Modal. True when the user chose a file, FileName holding it. A cancel
    // gives false while CancelError is set; otherwise true with FileName
    // empty.
    virtual bool ShowSave() = 0;
    virtual bool ShowOpen() = 0;
};

class DialogoFileQt : public DialogoFile {
public:
    explicit DialogoFileQt(QWidget* genitore = nullptr) : genitore_(genitore) {}
    void setGenitore(QWidget* w) { genitore_ = w; }
    bool ShowSave() override;
    bool ShowOpen() override;

    // Puts the current settings on a dialog; apart so a test can read them back.
    void Configura(QFileDialog& d, bool salva) const;

private:
    bool Mostra(bool salva);
    QWidget* genitore_;
};

} // namespace corsa
