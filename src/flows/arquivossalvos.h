#pragma once

// Where the files the operator saves go: each kind (listing, review,
// spreadsheet...) opens its chooser in the folder the last file of that
// kind went to, kept between runs, else in the user's Documents folder,
// never in the program's working folders; and the last file saved, which
// the main window names and whose folder it opens.

#include "interaction/appcontext.h"

#include <QString>
#include <functional>

namespace pluvexa {

// The user's Documents folder as the system names it; the home folder when
// it names none.
QString pastaDocumentos();

// "Arquivo gravado: <name>", the name without its folder.
QString textoArquivoGravado(const QString& caminho);

// The path a save chooser proposes in `pasta` (the Documents folder when
// empty): the base name of `arquivo` (or `padrao` when it has none) +
// `extensao`.
QString caminhoParaSalvar(const QString& pasta, const QString& arquivo, const QString& padrao,
                          const QString& extensao);

class ArquivosSalvos {
public:
    // How the folders outlive the run: a text read and kept by key (the
    // settings). Empty functions keep nothing.
    struct Memoria {
        std::function<QString(const QString& chave)> le;
        std::function<void(const QString& chave, const QString& valor)> guarda;
    };

    explicit ArquivosSalvos(Memoria memoria = {}, QString documentos = pastaDocumentos());

    // Where the chooser of `tipo` opens: the folder the last file of that
    // kind went to while it is still a folder, else the Documents folder.
    QString pastaInicial(TipoSalvo tipo) const;
    // A file of `tipo` was written at `caminho`: its folder becomes the
    // kind's, and it is the last file saved.
    void registra(TipoSalvo tipo, const QString& caminho);

    // The last file saved in this run (as the operator reads its path);
    // empty before any.
    const QString& ultimoArquivo() const { return m_ultimo; }
    QString pastaUltimoArquivo() const;

    // The settings key of a kind's folder.
    static QString chave(TipoSalvo tipo);

private:
    Memoria m_memoria;
    QString m_documentos;
    QString m_ultimo;
};

}  // namespace pluvexa
