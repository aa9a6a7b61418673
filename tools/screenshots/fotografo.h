#pragma once

// Pictures of the real windows for the operator's manual: a widget as it is
// drawn on screen, saved as a PNG file in the manual's picture folder.

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace pluvexa::capturas {

class Fotografo {
public:
    explicit Fotografo(const QString& pasta) : m_pasta(pasta) {}

    // Saves `janela` as drawn now under `nome`.png, after the event loop
    // has painted what is pending.
    void fotografa(QWidget* janela, const QString& nome);
    const QStringList& fotos() const { return m_fotos; }

private:
    QString m_pasta;
    QStringList m_fotos;
};

// Lets the event loop run for `ms` milliseconds (painting, layouts, the
// folder models' reading).
void espera(int ms);

// Runs `acao` on the modal dialog that is about to open, once it shows;
// the program ends with a message when none shows within ten seconds.
void quandoModal(std::function<void(QWidget*)> acao);

// Ends the capture with a message: the windows did not do what the script
// expected, so its pictures would show something else.
[[noreturn]] void falha(const QString& motivo);

}  // namespace pluvexa::capturas
