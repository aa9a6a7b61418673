#pragma once

// The working folders' lists and the answers' names: the files a folder
// holds under a mask, the program's own drafts and the newest of them, an
// answer already written for a batch or in this minute. Deleting goes
// through the file layer, like every write.

#include <QString>
#include <QStringList>

namespace pluvexa {

// The names (without folder) of the files in `folder` whose names match
// `mask` regardless of case, sorted by name, so the last one is the highest.
QStringList listaArquivos(const QString& folder, const QString& mask);

// Deletes a file if it is there; a missing or undeletable file is no error.
void apagaSeExiste(const QString& path);

// The program's own drafts in `pasta`: regular files (a link is none, nor
// is a folder) named "PX_*_2" + `extensao` (".REC" or ".LOG") in this letter
// case, sorted by name. Nothing else there is ever continued or deleted as a
// draft: a user's notes, "TMP1.REC", a link named like a draft.
QStringList rascunhosProprios(const QString& pasta, const QString& extensao);

// The position in `nomes` of the newest draft by the time stamp in its name
// ("PX_EEEEE_RRRR_YYMMDDHHNN_2.REC"); names without one count as oldest,
// equal stamps go by name. -1 when `nomes` is empty.
int indiceRascunhoMaisNovo(const QStringList& nomes);

// The name of an answer already written in `pasta` for the company and
// batch ("PX_EEEEE_RRRR_*_2.REC", or "_4.REC" once the disk transfer took
// it), the highest when there are several; empty when there is none.
QString respostaExistente(const QString& pasta, int empresa, int remessa);

// What stands in `pasta` under the names of this minute's answer
// `arquivo` ("..._2.REC") and its `log`.
struct RespostaDoMinuto {
    enum Situacao {
        Livre,       // neither name is taken, nor was such an answer sent
        NaoEnviada,  // this minute's answer is there, not yet taken to the disk
        Ocupada,     // sent already ("_4.REC"), or something else holds a name
    } situacao = Livre;
    QString nome;  // the name taken (NaoEnviada, Ocupada)
};
RespostaDoMinuto respostaDoMinuto(const QString& pasta, const QString& arquivo, const QString& log);

}  // namespace pluvexa
