#pragma once

// The file layer. Every file the program or the command line finishes is
// written through here, so every caller gets the same promise and tests can
// make any step fail.
//
// The promise: nothing half-written ever stands under a final name. A file
// is written as a new temporary ".<final>.<6 random characters>.tmp" in its
// own folder (files/core/temporario.h) and then renamed over the final name
// in one step, which replaces an older file of that name without removing
// it first. Several files can be put in place together (a draft and its
// ".LOG", a key pair): afterwards either every new file stands or every old
// one does. A final name must be new or an existing regular file
// (files/core/natureza.h); the layer never opens, renames over or deletes a
// file it did not create but for the final name it was asked to replace.
//
// Durable files, whose loss costs the operator work (drafts, answers, their
// ".LOG", the import log, transfer copies, key pairs), are flushed to the
// device, and so are the folders that name them, before `confirma` answers
// true; whatever the caller deletes after that is no longer the only copy.
//
// Operations that can fail, each counted once by FalhasArquivo: writing a
// temporary, flushing it, keeping the old file aside (groups only),
// renaming, flushing a folder, removing, moving, copying.
//
// A failure is kept as data (FalhaArquivo, files/core/falha.h): what could
// not be done to which file, and why, the system's error number included.
// The command line prints its English sentence (erro(), or a QString*
// argument); the windows show textoJanela()'s Portuguese one.

#include "files/core/conteudo.h"
#include "files/core/falha.h"
#include "files/core/portao.h"

#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <vector>

class QIODevice;

namespace pluvexa {

namespace conteudo {
class Saida;
}

// The windows' words for a failure: "Não foi possível gravar o arquivo
// <caminho>: disco cheio.", the path as the operator reads it.
QString textoJanela(const FalhaArquivo& falha);
// The command line's: "Cannot write file \"<path>\". No space left on device."
QString textoIngles(const FalhaArquivo& falha);

enum class Durabilidade {
    Comum,    // the input remains (CLI outputs): no flush
    Duravel,  // flushed to the device, with its folder, before confirma() answers
};

// One or more files to put in place together.
class Gravacao {
public:
    explicit Gravacao(Durabilidade durabilidade = Durabilidade::Duravel);
    // Temporaries never confirmed are deleted.
    ~Gravacao();
    Gravacao(const Gravacao&) = delete;
    Gravacao& operator=(const Gravacao&) = delete;

    // Writes `dados` as the new content of `destino`, into its temporary.
    bool escreve(const QString& destino, QByteArrayView dados);
    // For writers that take a path (the coder, the envelope): `escritor`
    // writes the new, empty temporary at the path it is given and answers
    // whether it succeeded. A failed temporary is deleted. A writer that
    // fails is taken to have met the device's error when the system reports
    // one a write meets (a full disk), else to have failed for its own
    // reasons (falha().motivo.codigo is then 0).
    bool produz(const QString& destino, const std::function<bool(const QString& temporario)>& escritor);
    // For writers that take a device (a PDF writer): `escritor` writes into
    // `saida`, open for writing on the new temporary. A byte the device
    // cannot take (a full disk) fails it, with the system's reason, even
    // when the writer does not look; otherwise the writer's answer counts.
    bool produzDispositivo(const QString& destino, const std::function<bool(QIODevice& saida)>& escritor);

    // Copies the content of the regular file `origem` as the new content of
    // `destino`; the copy must have the size the source had.
    bool copia(const QString& origem, const QString& destino);

    // Puts every temporary in place, in the reverse order of adding: the
    // file added first (the one the others accompany, whose presence
    // readers look for) appears last, once its companions stand. On a
    // failure the files already renamed are put back as they were, the
    // remaining temporaries are deleted, and the answer is false with erro()
    // naming the step.
    bool confirma();
    // Deletes the temporaries not yet put in place.
    void descarta();

    // The first failure, naming the file: "Cannot write file ..." (the
    // command line's words), and as data.
    QString erro() const { return textoIngles(m_falha); }
    const FalhaArquivo& falha() const { return m_falha; }
    bool vazia() const { return m_itens.empty(); }

private:
    friend class GravacaoContinua;
    struct Item {
        QString destino;
        QString temporario;  // the new content until it is put in place
        QString anterior;    // the old file kept aside while a group is put in place
    };
    bool falhou(const FalhaArquivo& falha);
    // Checks `destino`, passes the gate and creates its temporary (open in
    // `descritor` when given); empty on failure.
    QString criaTemporario(const QString& destino, int* descritor);
    // The same, open for writing in `saida`; empty on failure.
    QString abreTemporario(const QString& destino, conteudo::Saida& saida);
    void desfaz(std::size_t colocados);

    Durabilidade m_durabilidade;
    std::vector<Item> m_itens;
    FalhaArquivo m_falha;
};

// One file written in pieces as its content is made, when that content
// grows with an input the program does not control (the import log, one
// line per record): its temporary is created by `abre`, each piece goes to
// it at once (through a small buffer), and `confirma` puts it in place as
// Gravacao does. Nothing of the content is held in memory. A temporary not
// confirmed is deleted. One file per object.
class GravacaoContinua {
public:
    explicit GravacaoContinua(Durabilidade durabilidade = Durabilidade::Duravel);
    ~GravacaoContinua();
    GravacaoContinua(const GravacaoContinua&) = delete;
    GravacaoContinua& operator=(const GravacaoContinua&) = delete;

    // Checks `destino` and creates its temporary, open for writing.
    bool abre(const QString& destino);
    // Appends `dados` to the temporary. After a failed write every later
    // piece is refused and confirma() answers false: a log with a hole in
    // the middle would tell less than none.
    bool acrescenta(QByteArrayView dados);
    // Writes what is buffered, closes the temporary and puts it in place.
    bool confirma();
    // Closes and deletes the temporary.
    void descarta();

    bool aberta() const { return m_aberta; }
    // The first failure, naming the file: in the command line's words, and
    // as data.
    QString erro() const { return m_gravacao.erro(); }
    const FalhaArquivo& falha() const { return m_gravacao.falha(); }

private:
    bool esvazia();

    Gravacao m_gravacao;
    conteudo::Saida m_saida;
    QString m_destino;
    QString m_temporario;
    std::string m_buffer;
    bool m_aberta = false;
};

// A path as the system takes it, for what opens files by path itself (the
// coder, the envelope, the standard library): the system's own bytes, so
// that a name that is not valid UTF-8 reaches the file it names; UTF-16 on
// Windows. The one way from a path to the system: the layer's own steps
// take it too.
std::filesystem::path caminhoSistema(const QString& caminho);

// A scratch file of one operation (the packing's plain text and compressed
// stream): a new, empty temporary beside `vizinho`, deleted when this object
// goes, on every path (success, failure, exception). Counted by
// FalhasArquivo as "scratch".
class ArquivoTemporario {
public:
    explicit ArquivoTemporario(const QString& vizinho);
    ~ArquivoTemporario();
    ArquivoTemporario(const ArquivoTemporario&) = delete;
    ArquivoTemporario& operator=(const ArquivoTemporario&) = delete;

    bool criado() const { return !m_caminho.isEmpty(); }
    const QString& caminho() const { return m_caminho; }
    // Why it could not be created ("Cannot create a temporary file for
    // ..."; as data, naming the temporary that could not be created), or
    // why grava() or produz() failed.
    QString erro() const { return textoIngles(m_falha); }
    const FalhaArquivo& falha() const { return m_falha; }

    // Writes `dados` as its whole content.
    bool grava(QByteArrayView dados);
    // Runs a writer that takes a path (the coder, the envelope) on it. When
    // the writer fails, falha() holds the device's error it met (a full
    // disk: motivo.codigo set), or no system error when it failed for its
    // own reasons, which the caller tells.
    bool produz(const std::function<bool(const QString& caminho)>& escritor);

private:
    QString m_caminho;
    FalhaArquivo m_falha;
};

// One file, written and put in place as above. `erro` (when given) receives
// the failure in the command line's words, `falha` as data.
bool gravaArquivo(const QString& destino, QByteArrayView dados, Durabilidade durabilidade,
                  QString* erro = nullptr);
bool gravaArquivo(const QString& destino, QByteArrayView dados, Durabilidade durabilidade, FalhaArquivo* falha);

// Copies the regular file `origem` to `destino` through a temporary that is
// flushed (when durable) and compared in size with the source before it is
// put in place. A source that cannot be read fails as reading it (Ler,
// naming `origem`); the rest as steps on `destino`.
bool copiaArquivo(const QString& origem, const QString& destino, Durabilidade durabilidade,
                  QString* erro = nullptr);
bool copiaArquivo(const QString& origem, const QString& destino, Durabilidade durabilidade, FalhaArquivo* falha);

// Deletes a file. A file that is not there is no failure.
bool removeArquivo(const QString& caminho, QString* erro = nullptr);
bool removeArquivo(const QString& caminho, FalhaArquivo* falha);

// Moves (renames) `origem` to `destino`, which must not exist: an existing
// file there is never replaced. Durable: both folders are flushed.
bool moveArquivo(const QString& origem, const QString& destino, Durabilidade durabilidade,
                 QString* erro = nullptr);
bool moveArquivo(const QString& origem, const QString& destino, Durabilidade durabilidade, FalhaArquivo* falha);

// Counts the layer's operations while it lives and, when `falhaNa` > 0,
// makes the falhaNa-th one (from 1) fail without doing anything, as the
// system's error `codigo` would (an errno, GetLastError on Windows; 0:
// "Simulated failure."). One at a time; for tests.
class FalhasArquivo {
public:
    explicit FalhasArquivo(int falhaNa = 0, int codigo = 0);
    ~FalhasArquivo();
    FalhasArquivo(const FalhasArquivo&) = delete;
    FalhasArquivo& operator=(const FalhasArquivo&) = delete;

    int operacoes() const { return m_contagem.operacoes; }
    bool falhou() const { return m_contagem.falhou; }
    // Each operation as "<step> <path>", in order.
    QStringList registro() const;

    // The layer's gate: counts the operation and answers whether it may run.
    static bool permite(const char* passo, const QString& caminho);

private:
    portao::Contagem m_contagem;
};

}  // namespace pluvexa
