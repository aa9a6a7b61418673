#pragma once

// The packing pipeline: text lines of a recharge file become a draft
// (compressed) or an answer file (compressed, then sealed for the central),
// and a received file (sealed) or a draft becomes plain text again. Both
// directions work through two temporaries of the file layer in the folder
// worked in (the plain text, CR LF, and the compressed stream), each named
// ".<file>.<6 random characters>.tmp" and deleted on every path: no name of
// the working folders is ever taken for one, and two programs packing in
// one folder never share one.

#include "codec/keyrecord.h"
#include "files/arquivoseguro.h"
#include "recharge/completude.h"
#include "recharge/linhastexto.h"
#include "recharge/modelo.h"

#include <QString>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace pluvexa {

enum ResultadoEmpacotamento : int {
    EmpacotamentoOk = 1,
    FalhaCompressao = 2,   // compression or expansion failed
    FalhaEnvelope = 3,     // sealing failed, or the envelope cannot be opened
    ForaDoPadrao = 4,      // opened and expanded, but more lines than a recharge text holds
    Incompleto = 5,        // a draft expanded, but not whole (see completude.h)
};

// A file that cannot be created, written or read: what() in the command
// line's words, naming the path; falha() as data, for the windows' words.
class ErroArquivo : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    explicit ErroArquivo(const FalhaArquivo& falha) : std::runtime_error(falha.mensagem), m_falha(falha) {}

    const FalhaArquivo& falha() const { return m_falha; }
    // What the windows show: "Não foi possível gravar o arquivo <caminho>:
    // disco cheio." (what() when it carries no failure of the file layer).
    QString textoJanela() const;

private:
    FalhaArquivo m_falha;
};

// The keys of the envelope: the program's own private key record (signs
// answers, opens received files) and the central's public key record (the
// recipient of answers, checks the received files' signatures).
struct ChavesEnvelope {
    PrivateKeyRecord propriaPrivada{};
    PublicKeyRecord centralPublica{};

    // The keys compiled into the program.
    static ChavesEnvelope embutidas();
};

// Packs `linhas` for pasta/nome: compressed only when `rascunho`, otherwise
// compressed and sealed (own key signs, the central is the single recipient,
// DES-CBC, MD5). Blank lines at the end of `linhas` are removed (the list is
// changed). The result is left as a part in `saida`, not yet in place, so
// that the caller can add what must appear with it (its ".LOG") and confirm
// them together. Throws ErroArquivo when a temporary cannot be created or
// written (the coder or the envelope meeting a full disk too), or the final
// name is refused (no regular file stands there).
int CompactaArquivo(std::vector<Texto>& linhas, const QString& pasta, const QString& nome,
                    bool rascunho, Gravacao& saida,
                    const ChavesEnvelope& chaves = ChavesEnvelope::embutidas());

// The same, put in place at once (durable); a failure to put it in place
// answers as the packing step would.
int CompactaArquivo(std::vector<Texto>& linhas, const QString& pasta, const QString& nome,
                    bool rascunho, const ChavesEnvelope& chaves = ChavesEnvelope::embutidas());

// The most bytes a compressed recharge text (a draft, a kept batch) can
// take. A text holds at most kMaisLinhasTexto lines of at most 277 bytes
// (275 characters and CR LF): 2,783,573 bytes. The coder writes one 16-bit
// code for each string it matches, every string at least one byte, then
// the end code and its pad: never more than two bytes per byte of text and
// four more. A larger stream is none the program wrote, and is refused
// before it is read.
inline constexpr std::int64_t kMaiorTextoCompactado = 2 * std::int64_t(kMaisLinhasTexto) * 277 + 4;

// Turns the file at `caminho` into the lines of its plain text: expand only
// when `rascunho`, otherwise open the envelope then expand; the lines as
// divideTexto gives them (no blank line; ForaDoPadrao past
// kMaisLinhasTexto). A draft is the program's own file: read as it stands
// (no link followed) and only up to kMaiorTextoCompactado bytes; it expands
// to kMaiorTextoRecarga bytes at most (FalhaCompressao past it) and must be
// whole (Incompleto otherwise). `completude` says how whole the text is, for
// a received file too, whose envelope vouches for it (the caller only notes
// what it lacks). `linhas` is empty unless the answer is EmpacotamentoOk.
// Throws ErroArquivo when `caminho` is no regular file, is larger or cannot
// be read, or a temporary cannot be created, written (a full disk) or read
// back.
int DescompactaArquivo(const QString& caminho, bool rascunho, std::vector<Texto>& linhas,
                       Completude& completude, const ChavesEnvelope& chaves = ChavesEnvelope::embutidas());
int DescompactaArquivo(const QString& caminho, bool rascunho, std::vector<Texto>& linhas,
                       const ChavesEnvelope& chaves = ChavesEnvelope::embutidas());

// Removes blank lines (spaces and control characters only) from the end.
void removeLinhasEmBrancoFinais(std::vector<Texto>& linhas);

// Saves lines each followed by CR LF through the file layer; throws
// ErroArquivo, naming the step that failed, when the file cannot be written
// or put in place.
void salvaLinhas(const std::vector<Texto>& linhas, const QString& caminho,
                 Durabilidade durabilidade = Durabilidade::Comum);
// Adds the lines, each followed by CR LF, to a group of files.
bool salvaLinhas(const std::vector<Texto>& linhas, const QString& caminho, Gravacao& saida);

// Reads a regular file's text lines; CR LF, CR or LF end a line. False, with
// `erro` naming the path and the system's reason, when it is no regular
// file or cannot be read.
bool leLinhas(const QString& caminho, std::vector<Texto>& linhas, QString* erro = nullptr);
bool leLinhas(const QString& caminho, std::vector<Texto>& linhas, FalhaArquivo* falha);
// Reads a plain recharge text's lines as divideTexto splits them: blank
// lines are left out. False, with `erro`, as leLinhas; when it is larger
// than kMaiorTextoPlano (before reading it); naming the limit, when it
// holds more than kMaisLinhasTexto non-blank lines; and when it is not
// whole (Completude::textoIngles).
inline constexpr qint64 kMaiorTextoPlano = 16 * 1024 * 1024;
bool leTextoRecarga(const QString& caminho, std::vector<Texto>& linhas, QString* erro = nullptr);
// The same for tests and callers that take a missing file as empty.
std::vector<Texto> carregaLinhas(const QString& caminho);

}  // namespace pluvexa
