#include "files/arquivoseguro.h"

#include "files/core/conteudo.h"
#include "files/core/parte.h"
#include "files/core/temporario.h"
#include "files/entrada.h"
#include "files/pastastrabalho.h"
#include "files/sistema.h"

#include <QFileInfo>
#include <QIODevice>
#include <algorithm>
#include <set>

namespace pluvexa {

using namespace sistema;

QString textoJanela(const FalhaArquivo& falha)
{
    const QString caminho = caminhoVisivel(QString::fromStdString(falha.arquivo));
    return QString::fromStdString(frase(falha.operacao, caminho.toStdString(), falha.motivo, falha.pasta));
}

QString textoIngles(const FalhaArquivo& falha)
{
    return QString::fromStdString(falha.mensagem);
}

namespace {

QString pastaDe(const QString& path)
{
    return QFileInfo(path).absolutePath();
}

// The command line's words for a temporary that could not be opened or
// written; the reason follows.
QString naoCriou(const QString& temporario)
{
    return QStringLiteral("Cannot create file %1.").arg(visivel(temporario));
}

QString naoGravou(const QString& temporario)
{
    return QStringLiteral("Cannot write file %1.").arg(visivel(temporario));
}

// Copies the content of the regular file `origem` into the temporary
// `destino` just created (open in `descritor` when >= 0), and closes it.
bool copiaConteudo(const QString& origem, const QString& destino, int descritor, Motivo& motivo, bool& naOrigem)
{
    naOrigem = false;
    conteudo::Saida saida;
    if (!saida.abre(nativo(destino), descritor, motivo))
        return false;
    return conteudo::copia(nativo(origem), saida, motivo, naOrigem) && saida.fecha(motivo);
}

// The old file kept aside while a group is put in place, so that it can
// come back if the group cannot be completed: a second name (a hard link
// costs nothing) or, on a file system without them, a copy; either is a
// temporary of this run.
QString guardaAnterior(const QString& final, Motivo& motivo)
{
    std::string copia = temporario::ligacao(nativo(final), motivo);
    if (copia.empty()) {
        int fd = -1;
        copia = temporario::cria(nativo(final), motivo, &fd);
        if (copia.empty())
            return {};
        bool naOrigem = false;
        if (!copiaConteudo(final, deNativo(copia), fd, motivo, naOrigem)) {
            temporario::remove(copia);
            return {};
        }
    }
    return deNativo(copia);
}

// A device over a temporary just created: the bytes go to the system as
// they come, and the first one it cannot take fails this write and every
// later one, the reason kept.
class DispositivoParte final : public QIODevice {
public:
    explicit DispositivoParte(conteudo::Saida& saida) : m_saida(saida) {}
    bool isSequential() const override { return true; }
    // Why a write failed; codigo 0 and ingles empty while none did.
    const Motivo& motivo() const { return m_motivo; }
    bool falhou() const { return m_falhou; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* dados, qint64 tamanho) override
    {
        if (m_falhou)
            return -1;
        if (!m_saida.grava(dados, std::size_t(tamanho), m_motivo)) {
            m_falhou = true;
            return -1;
        }
        return tamanho;
    }

private:
    conteudo::Saida& m_saida;
    Motivo m_motivo;
    bool m_falhou = false;
};

}  // namespace

// --- FalhasArquivo ---------------------------------------------------------

FalhasArquivo::FalhasArquivo(int falhaNa, int codigo)
{
    m_contagem.falhaNa = falhaNa;
    m_contagem.codigo = codigo;
    portao::instala(&m_contagem);
}

FalhasArquivo::~FalhasArquivo()
{
    if (portao::instalada() == &m_contagem)
        portao::instala(nullptr);
}

QStringList FalhasArquivo::registro() const
{
    QStringList r;
    for (const std::string& passo : m_contagem.registro)
        r << QString::fromStdString(passo);
    return r;
}

bool FalhasArquivo::permite(const char* passo, const QString& caminho)
{
    return !portao::instalada() || portao::permite(passo, caminho.toStdString());
}

// --- Gravacao --------------------------------------------------------------

Gravacao::Gravacao(Durabilidade durabilidade) : m_durabilidade(durabilidade) {}

Gravacao::~Gravacao()
{
    descarta();
}

bool Gravacao::falhou(const FalhaArquivo& falha)
{
    if (!m_falha.houve())
        m_falha = falha;
    return false;
}

QString Gravacao::criaTemporario(const QString& destino, int* descritor)
{
    m_itens.push_back({destino, {}, {}});
    Motivo motivo;
    if (const natureza::Estado estado = natureza::saida(nativo(destino), motivo); estado != natureza::Estado::Aceito) {
        FalhaArquivo recusa = natureza::falha(estado, nativo(destino), motivo, true);
        recusa.arquivo = destino.toStdString();
        falhou(recusa);
        return {};
    }
    const QString criacao = QStringLiteral("Cannot create a temporary file for %1.").arg(visivel(destino));
    if (!FalhasArquivo::permite("write", destino)) {
        falhou(falhaDe(Operacao::Criar, destino, portao::motivo(), criacao));
        return {};
    }
    const std::string criado = temporario::cria(nativo(destino), motivo, descritor);
    if (criado.empty()) {
        falhou(falhaDe(Operacao::Criar, destino, motivo, criacao));
        return {};
    }
    m_itens.back().temporario = deNativo(criado);
    return m_itens.back().temporario;
}

QString Gravacao::abreTemporario(const QString& destino, conteudo::Saida& saida)
{
    int fd = -1;
    const QString tmp = criaTemporario(destino, &fd);
    if (tmp.isEmpty())
        return {};
    // The descriptor of the file just created: no name is looked up again.
    Motivo motivo;
    if (!saida.abre(nativo(tmp), fd, motivo)) {
        falhou(falhaDe(Operacao::Criar, destino, motivo, naoCriou(tmp)));
        return {};
    }
    return tmp;
}

bool Gravacao::escreve(const QString& destino, QByteArrayView dados)
{
    conteudo::Saida saida;
    const QString tmp = abreTemporario(destino, saida);
    if (tmp.isEmpty())
        return false;
    Motivo motivo;
    if (!saida.grava(dados.data(), std::size_t(dados.size()), motivo) || !saida.fecha(motivo))
        return falhou(falhaDe(Operacao::Gravar, destino, motivo, naoGravou(tmp)));
    return true;
}

bool Gravacao::produz(const QString& destino, const std::function<bool(const QString&)>& escritor)
{
    const QString tmp = criaTemporario(destino, nullptr);
    if (tmp.isEmpty())
        return false;
    limpaCodigo();
    if (!escritor(tmp)) {
        const Motivo motivo = parte::motivoDoEscritor();
        temporario::remove(nativo(tmp));
        m_itens.back().temporario.clear();
        return falhou(falhaDe(Operacao::Gravar, destino, motivo, naoGravou(tmp)));
    }
    return true;
}

bool Gravacao::produzDispositivo(const QString& destino, const std::function<bool(QIODevice&)>& escritor)
{
    conteudo::Saida saida;
    const QString tmp = abreTemporario(destino, saida);
    if (tmp.isEmpty())
        return false;
    Motivo motivo;
    DispositivoParte dispositivo(saida);
    dispositivo.open(QIODevice::WriteOnly);
    const bool escrito = escritor(dispositivo);
    dispositivo.close();
    if (!dispositivo.falhou() && escrito && saida.fecha(motivo))
        return true;
    if (dispositivo.falhou())
        motivo = dispositivo.motivo();
    else if (!escrito)
        motivo = Motivo::proprio({}, "o conteúdo não pôde ser gerado");
    saida.fecha(motivo);
    temporario::remove(nativo(tmp));
    m_itens.back().temporario.clear();
    return falhou(falhaDe(Operacao::Gravar, destino, motivo, naoGravou(tmp)));
}

bool Gravacao::copia(const QString& origem, const QString& destino)
{
    Motivo motivo;
    if (const natureza::Estado estado = natureza::entrada(nativo(origem), motivo); estado != natureza::Estado::Aceito) {
        m_itens.push_back({destino, {}, {}});
        FalhaArquivo recusa = natureza::falha(estado, nativo(origem), motivo, false);
        recusa.arquivo = origem.toStdString();
        return falhou(recusa);
    }
    int fd = -1;
    const QString tmp = criaTemporario(destino, &fd);
    if (tmp.isEmpty())
        return false;
    bool naOrigem = false;
    if (!copiaConteudo(origem, tmp, fd, motivo, naOrigem))
        return falhou(falhaDe(naOrigem ? Operacao::Ler : Operacao::Copiar, naOrigem ? origem : destino, motivo,
                              QStringLiteral("Cannot copy file %1 to %2.").arg(visivel(origem), visivel(tmp))));
    return true;
}

bool Gravacao::confirma()
{
    if (m_falha.houve()) {
        descarta();
        return false;
    }
    const bool duravel = m_durabilidade == Durabilidade::Duravel;
    Motivo motivo;
    auto falhaPasso = [&](Operacao operacao, const char* texto, const QString& path, const QString& arquivo) {
        falhou(falhaDe(operacao, arquivo, motivo,
                       QStringLiteral("%1 %2.").arg(QString::fromLatin1(texto), visivel(path))));
        desfaz(0);
        return false;
    };

    if (duravel)
        for (const Item& item : m_itens) {
            motivo = portao::motivo();
            if (!FalhasArquivo::permite("flush", item.temporario) || !descarregaArquivo(item.temporario, motivo))
                return falhaPasso(Operacao::Gravar, "Cannot flush file", item.temporario, item.destino);
        }

    // A single file replaces the old one in one step; a group keeps the old
    // files aside so that a failure half-way can put them back.
    if (m_itens.size() > 1)
        for (Item& item : m_itens) {
            if (!QFileInfo(item.destino).isFile())
                continue;
            motivo = portao::motivo();
            if (FalhasArquivo::permite("keep", item.destino))
                item.anterior = guardaAnterior(item.destino, motivo);
            if (item.anterior.isEmpty())
                return falhaPasso(Operacao::Copiar, "Cannot keep a copy of file", item.destino, item.destino);
        }

    std::reverse(m_itens.begin(), m_itens.end());
    for (std::size_t i = 0; i < m_itens.size(); ++i) {
        Item& item = m_itens[i];
        motivo = portao::motivo();
        if (!temporario::intacto(nativo(item.temporario))) {
            motivo = Motivo::proprio("It was replaced while being written.", "foi substituído enquanto era gravado");
        } else if (const natureza::Estado estado = natureza::saida(nativo(item.destino), motivo);
                   estado != natureza::Estado::Aceito) {
            const FalhaArquivo recusa = natureza::falha(estado, nativo(item.destino), motivo, true);
            motivo = recusa.motivo;
            motivo.ingles = recusa.mensagem + '.';
        } else if (!FalhasArquivo::permite("rename", item.destino)) {
            motivo = portao::motivo();
        } else if (trocaNome(item.temporario, item.destino, motivo)) {
            temporario::esquece(nativo(item.temporario));
            item.temporario.clear();
            continue;
        }
        falhou(falhaDe(Operacao::Renomear, item.destino, motivo,
                       QStringLiteral("Cannot rename file %1 to %2.")
                           .arg(visivel(item.temporario), visivel(item.destino))));
        desfaz(i);
        return false;
    }

    // Every new file now stands complete. A folder that cannot be flushed
    // is reported, so that the caller deletes nothing older, but the files
    // stay: a single file's old content is already gone. The operator hears
    // of it as a file of that folder not written.
    bool ok = true;
    if (duravel) {
        std::set<QString> pastas;
        for (const Item& item : m_itens)
            pastas.insert(pastaDe(item.destino));
        for (const QString& pasta : pastas) {
            motivo = portao::motivo();
            if (ok && (!FalhasArquivo::permite("flush folder", pasta) || !descarregaPasta(pasta, motivo))) {
                const auto item = std::find_if(m_itens.begin(), m_itens.end(),
                                               [&](const Item& i) { return pastaDe(i.destino) == pasta; });
                ok = falhou(falhaDe(Operacao::Gravar, item->destino, motivo,
                                    QStringLiteral("Cannot flush folder %1.").arg(visivel(pasta))));
            }
        }
    }
    for (const Item& item : m_itens)
        if (!item.anterior.isEmpty())
            temporario::remove(nativo(item.anterior));  // the old content, no longer needed
    m_itens.clear();
    return ok;
}

void Gravacao::desfaz(std::size_t colocados)
{
    Motivo motivo;
    for (std::size_t i = 0; i < colocados; ++i) {
        Item& item = m_itens[i];
        if (!item.anterior.isEmpty()) {
            // Put back, or (when that fails too) left where it is: then it
            // is the only copy of the old content.
            if (FalhasArquivo::permite("restore", item.destino))
                trocaNome(item.anterior, item.destino, motivo);
            temporario::esquece(nativo(item.anterior));
            item.anterior.clear();
        } else {
            removeArquivo(item.destino);  // the new file this group put there, where nothing stood
        }
    }
    descarta();
}

void Gravacao::descarta()
{
    for (const Item& item : m_itens) {
        if (!item.temporario.isEmpty())
            temporario::remove(nativo(item.temporario));
        if (!item.anterior.isEmpty())
            temporario::remove(nativo(item.anterior));
    }
    m_itens.clear();
}

// --- GravacaoContinua -----------------------------------------------------

GravacaoContinua::GravacaoContinua(Durabilidade durabilidade) : m_gravacao(durabilidade) {}

GravacaoContinua::~GravacaoContinua()
{
    descarta();
}

bool GravacaoContinua::abre(const QString& destino)
{
    if (m_aberta || !m_gravacao.vazia())
        return m_gravacao.falhou(falhaDe(Operacao::Criar, destino, Motivo::proprio("A file is open already.",
                                                                                   "um arquivo já está aberto"),
                                         QStringLiteral("Cannot open %1: a file is open already.").arg(visivel(destino))));
    m_temporario = m_gravacao.abreTemporario(destino, m_saida);
    if (m_temporario.isEmpty())
        return false;
    m_destino = destino;
    m_aberta = true;
    return true;
}

bool GravacaoContinua::esvazia()
{
    if (m_buffer.empty())
        return true;
    Motivo motivo;
    const bool ok = m_saida.grava(m_buffer.data(), m_buffer.size(), motivo);
    m_buffer.clear();
    if (!ok)
        return m_gravacao.falhou(falhaDe(Operacao::Gravar, m_destino, motivo, naoGravou(m_temporario)));
    return true;
}

bool GravacaoContinua::acrescenta(QByteArrayView dados)
{
    if (!m_aberta || m_gravacao.falha().houve())
        return false;
    // A line of a few dozen bytes is no system call of its own.
    constexpr std::size_t kBuffer = 64 * 1024;
    m_buffer.append(dados.data(), std::size_t(dados.size()));
    return m_buffer.size() < kBuffer || esvazia();
}

bool GravacaoContinua::confirma()
{
    if (!m_aberta)
        return m_gravacao.falhou(falhaDe(Operacao::Gravar, m_destino,
                                         Motivo::proprio("The file was never opened.", "o arquivo não foi aberto"),
                                         QStringLiteral("Cannot write a file that was never opened.")));
    m_aberta = false;
    Motivo motivo;
    if (esvazia() && !m_saida.fecha(motivo))
        m_gravacao.falhou(falhaDe(Operacao::Gravar, m_destino, motivo, naoGravou(m_temporario)));
    if (m_gravacao.falha().houve()) {
        m_gravacao.descarta();
        return false;
    }
    return m_gravacao.confirma();
}

void GravacaoContinua::descarta()
{
    if (m_aberta) {
        Motivo motivo;
        m_saida.fecha(motivo);
        m_aberta = false;
    }
    m_buffer.clear();
    m_gravacao.descarta();
}

// --- ArquivoTemporario ----------------------------------------------------

ArquivoTemporario::ArquivoTemporario(const QString& vizinho)
{
    const QString criacao = QStringLiteral("Cannot create a temporary file for %1.").arg(visivel(vizinho));
    // The operator hears of the temporary itself, in the folder it needed.
    std::string tentado = temporario::nome(nativo(vizinho));
    if (!FalhasArquivo::permite("scratch", vizinho)) {
        m_falha = falhaDe(Operacao::Criar, deNativo(tentado), portao::motivo(), criacao);
        return;
    }
    Motivo motivo;
    const std::string criado = temporario::cria(nativo(vizinho), motivo, nullptr, &tentado);
    if (criado.empty())
        m_falha = falhaDe(Operacao::Criar, deNativo(tentado), motivo, criacao);
    else
        m_caminho = deNativo(criado);
}

bool ArquivoTemporario::grava(QByteArrayView dados)
{
    conteudo::Saida saida;
    Motivo motivo;
    if (!saida.abre(nativo(m_caminho), -1, motivo) || !saida.grava(dados.data(), std::size_t(dados.size()), motivo)
        || !saida.fecha(motivo)) {
        m_falha = falhaDe(Operacao::Gravar, m_caminho, motivo, naoGravou(m_caminho));
        return false;
    }
    return true;
}

bool ArquivoTemporario::produz(const std::function<bool(const QString&)>& escritor)
{
    limpaCodigo();
    if (escritor(m_caminho))
        return true;
    m_falha = falhaDe(Operacao::Gravar, m_caminho, parte::motivoDoEscritor(), naoGravou(m_caminho));
    return false;
}

ArquivoTemporario::~ArquivoTemporario()
{
    if (criado())
        temporario::remove(nativo(m_caminho));
}

// --- single operations -----------------------------------------------------

namespace {

bool responde(bool ok, const FalhaArquivo& falha, QString* erro)
{
    if (!ok && erro)
        *erro = textoIngles(falha);
    return ok;
}

bool responde(bool ok, const FalhaArquivo& falha, FalhaArquivo* destino)
{
    if (!ok && destino)
        *destino = falha;
    return ok;
}

template <typename Saida>
bool grava(const QString& destino, QByteArrayView dados, Durabilidade durabilidade, Saida* saida)
{
    Gravacao g(durabilidade);
    const bool ok = g.escreve(destino, dados) && g.confirma();
    return responde(ok, g.falha(), saida);
}

template <typename Saida>
bool copiaUm(const QString& origem, const QString& destino, Durabilidade durabilidade, Saida* saida)
{
    Gravacao g(durabilidade);
    const bool ok = g.copia(origem, destino) && g.confirma();
    return responde(ok, g.falha(), saida);
}

FalhaArquivo apagaUm(const QString& caminho)
{
    const QString mensagem = QStringLiteral("Cannot delete file %1.").arg(visivel(caminho));
    if (!FalhasArquivo::permite("remove", caminho))
        return falhaDe(Operacao::Apagar, caminho, portao::motivo(), mensagem);
    Motivo motivo;
    if (apaga(caminho, motivo))
        return {};
    return falhaDe(Operacao::Apagar, caminho, motivo, mensagem);
}

FalhaArquivo moveUm(const QString& origem, const QString& destino, Durabilidade durabilidade)
{
    const QString mensagem = QStringLiteral("Cannot move file %1 to %2.").arg(visivel(origem), visivel(destino));
    if (!FalhasArquivo::permite("move", origem))
        return falhaDe(Operacao::Renomear, origem, portao::motivo(), mensagem);
    Motivo motivo;
    if (!mudaNome(origem, destino, motivo))  // never replaces
        return falhaDe(Operacao::Renomear, origem, motivo, mensagem);
    if (durabilidade == Durabilidade::Duravel)
        for (const QString& pasta : {pastaDe(destino), pastaDe(origem)}) {
            motivo = portao::motivo();
            if (!FalhasArquivo::permite("flush folder", pasta) || !descarregaPasta(pasta, motivo))
                return falhaDe(Operacao::Renomear, origem, motivo,
                               QStringLiteral("Cannot flush folder %1.").arg(visivel(pasta)));
        }
    return {};
}

}  // namespace

bool gravaArquivo(const QString& destino, QByteArrayView dados, Durabilidade durabilidade, QString* erro)
{
    return grava(destino, dados, durabilidade, erro);
}

bool gravaArquivo(const QString& destino, QByteArrayView dados, Durabilidade durabilidade, FalhaArquivo* falha)
{
    return grava(destino, dados, durabilidade, falha);
}

bool copiaArquivo(const QString& origem, const QString& destino, Durabilidade durabilidade, QString* erro)
{
    return copiaUm(origem, destino, durabilidade, erro);
}

bool copiaArquivo(const QString& origem, const QString& destino, Durabilidade durabilidade, FalhaArquivo* falha)
{
    return copiaUm(origem, destino, durabilidade, falha);
}

bool removeArquivo(const QString& caminho, QString* erro)
{
    const FalhaArquivo f = apagaUm(caminho);
    return responde(!f.houve(), f, erro);
}

bool removeArquivo(const QString& caminho, FalhaArquivo* falha)
{
    const FalhaArquivo f = apagaUm(caminho);
    return responde(!f.houve(), f, falha);
}

bool moveArquivo(const QString& origem, const QString& destino, Durabilidade durabilidade, QString* erro)
{
    const FalhaArquivo f = moveUm(origem, destino, durabilidade);
    return responde(!f.houve(), f, erro);
}

bool moveArquivo(const QString& origem, const QString& destino, Durabilidade durabilidade, FalhaArquivo* falha)
{
    const FalhaArquivo f = moveUm(origem, destino, durabilidade);
    return responde(!f.houve(), f, falha);
}

}  // namespace pluvexa
