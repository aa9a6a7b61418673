#pragma once

// The import log: one time-stamped line per event, in bytes that are the
// same on every system: "dd/MM/yyyy HH:mm:ss", the marker, the text
// (Windows-1252), CR LF. The file appears under its name complete, when
// closed.

#include "exchange/arquivo.h"

#include <QDateTime>
#include <QString>
#include <functional>
#include <string>

namespace pluvexa {

class Log {
public:
    using Relogio = std::function<QDateTime()>;

    // Every line is stamped with the moment `relogio` gives.
    explicit Log(Relogio relogio = [] { return QDateTime::currentDateTime(); });

    // Creates the log anew (an earlier log of that name is replaced when
    // this one is closed). Each line goes to disk as it is written: a log
    // as long as its input is never held in memory.
    bool Abre(const QString& nome) { return Arq.Abre(nome, Arquivo::ModoGravacao); }
    bool Erro(const std::string& texto) { return grava("  *** Erro: ", texto, ""); }
    bool Info(const std::string& texto) { return grava("      Info: ", texto, ""); }
    bool Destaque(const std::string& texto) { return grava(" +------  ", texto, "  -----+"); }
    // False when the log could not be put under its name; falha() says why.
    bool Fecha() { return Arq.Fecha(); }
    const FalhaArquivo& falha() const { return Arq.falha(); }

private:
    bool grava(const char* marca, const std::string& texto, const char* fim);

    Relogio m_relogio;
    std::string m_carimbo;
    qint64 m_segundo = 0;
    Arquivo Arq;
};

}  // namespace pluvexa
