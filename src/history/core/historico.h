#pragma once

// What was sent. With every answer, "Gerar Arquivo" keeps the answer's plain
// text, compressed as a draft is, as "<answer name without extension>.HIS"
// in the history folder: the company's own readable record of each batch,
// since the answer itself is sealed for the central. This unit names those
// files, reads them back into a model, lists the kept batches and compares
// two of them. No widgets.

#include "recharge/modelo.h"

#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

namespace pluvexa {

inline const QString kExtensaoHistorico = QStringLiteral(".HIS");

// The parts of an answer's or a kept batch's name,
// "PX_<company:5>_<batch:4>_<yyMMddHHmm>_2.REC" or "..._2.HIS".
struct NomeLote {
    int empresa = 0;
    int remessa = 0;
    QDateTime geradoEm;
};
std::optional<NomeLote> leNomeLote(const QString& nomeArquivo);

// The kept batch's name for an answer's name ("..._2.REC" -> "..._2.HIS").
QString nomeHistorico(const QString& nomeResposta);
// The answer's name for a kept batch's name ("..._2.HIS" -> "..._2.REC").
QString nomeResposta(const QString& nomeHistorico);

// Reads a kept batch into `modelo`: expanded (to kMaiorTextoRecarga bytes
// at most), then processed as a received file is. False, with `erro` saying
// why (the command line's words), when the file cannot be read, does not
// expand, holds no whole text (completude.h) or no consistent recharge
// text; `motivo`, when given, receives the reason in the windows' words
// ("não é um arquivo comum", "não pôde ser descompactado"). A batch of the
// history folder is the program's own file, read as it stands and only up
// to kMaiorTextoCompactado bytes; one the user names on the command line
// (`ligacao` Segue) may be a link to one.
enum class Ligacao { Recusa, Segue };
bool carregaHistorico(const QString& caminho, ModeloRecarga& modelo, QString& erro, QString* motivo = nullptr,
                      Ligacao ligacao = Ligacao::Recusa);

struct LoteHistorico {
    QString caminho;       // the .HIS file
    QString resposta;      // the answer's name
    NomeLote nome;
    int titularesComValor = 0;
    double totalValor = 0;         // as the generation log totals it
    long long totalCreditos = 0;
    bool enviado = false;  // the answer was taken to the disk ("_4.REC")
    QString erro;          // not empty: the file is damaged or foreign
    QString motivo;        // why, in the windows' words (empty: a name that is not a batch's)
};

// Totals of a model as the generation log computes them.
void totalizaLote(const ModeloRecarga& modelo, LoteHistorico& lote);

// Every ".HIS" of `pasta`, newest first (by the stamp in the name, ties by
// the name). `gerados`: where a sent answer stands renamed "_4.REC". A file
// that cannot be read is listed with its error. With `Resumo::Usa` the
// totals of batches unchanged since the last listing come from the folder's
// summary (indicehistorico.h), which is brought up to date; a batch found
// damaged is entered there too, and not read again until it changes.
enum class Resumo { Ignora, Usa };
std::vector<LoteHistorico> listaHistorico(const QString& pasta, const QString& gerados,
                                          Resumo resumo = Resumo::Ignora);

enum class Situacao { Novo, Saiu, Alterado, Igual };
// "Novo", "Saiu", "Alterado", "Igual".
QString textoSituacao(Situacao situacao);

// One holder present in either batch, keyed by user code and card type. The
// values are the sum of the holder's groups: money in currency units,
// credits whole.
struct LinhaComparacao {
    int usuario = 0;
    int tipo = 0;
    Texto nome;  // from B when present there, otherwise from A
    bool creditos = false;
    std::optional<double> valorA;
    std::optional<double> valorB;
    Situacao situacao = Situacao::Igual;
    double diferenca() const { return valorB.value_or(0) - valorA.value_or(0); }
};

// Batch A against batch B, ordered by user code, then card type.
std::vector<LinhaComparacao> comparaLotes(const ModeloRecarga& a, const ModeloRecarga& b);

}  // namespace pluvexa
