#pragma once

// The FILE argument of check, listing, import and export: a received file
// (sealed, opened with the built-in keys) unless --draft (compressed only)
// or --plain (plain recharge text) says otherwise. The options, their
// exclusion and the loading are written once here.

#include "recharge/modelo.h"
#include "recharge/processamento.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <optional>

namespace pluvexa::cli {

class ArquivoEntrada {
public:
    // Adds --draft and --plain to `parser`.
    explicit ArquivoEntrada(QCommandLineParser& parser);

    // After parsing: true when --draft and --plain are both given.
    bool ambos() const { return rascunho() && plano(); }
    bool rascunho() const { return m_parser.isSet(m_rascunho); }
    bool plano() const { return m_parser.isSet(m_plano); }

    // The usage error of `comando` when --draft and --plain are both given:
    // UsoErrado, the message printed; nothing otherwise.
    std::optional<int> confereOpcoes(const char* comando) const;
    // Falha, the reason printed, when `path` is missing, is no regular file
    // (links followed) or cannot be read; nothing otherwise.
    static std::optional<int> confereExiste(const QString& path);

    // processaConsistente() with the kind of file the options say.
    std::optional<int> processa(const QString& path, ModeloRecarga& modelo, ResultadoProcessamento& resultado,
                                const QString& nada) const;

private:
    QCommandLineParser& m_parser;
    QCommandLineOption m_rascunho;
    QCommandLineOption m_plano;
};

// Prints "pluvexa-cli <comando>: <opcoes> exclude each other" and answers
// UsoErrado.
int exclusaoMutua(const char* comando, const char* opcoes);

}  // namespace pluvexa::cli
