#include "files/arquivoseguro.h"

#include "files/conferencia.h"
#include "files/core/temporario.h"
#include "files/sistema.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <set>

namespace pluvexa {

using namespace sistema;

namespace {

QString pastaDe(const QString& path)
{
    return QFileInfo(path).absolutePath();
}

// The old file kept aside while a group is put in place, so that it can
// come back if the group cannot be completed: a second name (a hard link
// costs nothing) or, on a file system without them, a copy; either is a
// temporary of this run.
QString guardaAnterior(const QString& final, QString& motivo)
{
    std::string razao;
    std::string copia = temporario::ligacao(nativo(final), razao);
    if (copia.empty()) {
        int fd = -1;
        copia = temporario::cria(nativo(final), razao, &fd);
        if (copia.empty()) {
            motivo = QString::fromStdString(razao);
            return {};
        }
        if (!copiaConteudo(final, deNativo(copia), fd, motivo)) {
            temporario::remove(copia);
            return {};
        }
    }
    return deNativo(copia);
}

}  // namespace

// --- FalhasArquivo ---------------------------------------------------------

FalhasArquivo::FalhasArquivo(int falhaNa)
{
    m_contagem.falhaNa = falhaNa;
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

bool Gravacao::falha(const QString& mensagem)
{
    if (m_erro.isEmpty())
        m_erro = mensagem;
    return false;
}

QString Gravacao::criaTemporario(const QString& destino, int* descritor)
{
    m_itens.push_back({destino, {}, {}});
    QString recusa;
    if (confereSaida(destino, &recusa) != especie::Estado::Aceito) {
        falha(recusa);
        return {};
    }
    if (!FalhasArquivo::permite("write", destino)) {
        falha(QStringLiteral("Cannot create a temporary file for %1. %2").arg(visivel(destino), kSimulada));
        return {};
    }
    std::string motivo;
    const std::string criado = temporario::cria(nativo(destino), motivo, descritor);
    if (criado.empty()) {
        falha(QStringLiteral("Cannot create a temporary file for %1. %2")
                  .arg(visivel(destino), QString::fromStdString(motivo)));
        return {};
    }
    m_itens.back().temporario = deNativo(criado);
    return m_itens.back().temporario;
}

bool Gravacao::escreve(const QString& destino, QByteArrayView dados)
{
    int fd = -1;
    const QString tmp = criaTemporario(destino, &fd);
    if (tmp.isEmpty())
        return false;
    QFile f;
    // The descriptor of the file just created: no name is looked up again.
    const bool aberto = fd >= 0 ? f.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)
                                : f.open(QIODevice::WriteOnly | QIODevice::ExistingOnly);
    if (!aberto)
        return falha(QStringLiteral("Cannot create file %1. %2").arg(visivel(tmp), f.errorString()));
    if (f.write(dados.data(), dados.size()) != dados.size() || !f.flush())
        return falha(QStringLiteral("Cannot write file %1. %2").arg(visivel(tmp), f.errorString()));
    return true;
}

bool Gravacao::produz(const QString& destino, const std::function<bool(const QString&)>& escritor)
{
    const QString tmp = criaTemporario(destino, nullptr);
    if (tmp.isEmpty())
        return false;
    if (!escritor(tmp)) {
        temporario::remove(nativo(tmp));
        m_itens.back().temporario.clear();
        return falha(QStringLiteral("Cannot write file %1.").arg(visivel(tmp)));
    }
    return true;
}

bool Gravacao::copia(const QString& origem, const QString& destino)
{
    QString recusa;
    if (confereEntrada(origem, &recusa) != especie::Estado::Aceito) {
        m_itens.push_back({destino, {}, {}});
        return falha(recusa);
    }
    int fd = -1;
    const QString tmp = criaTemporario(destino, &fd);
    if (tmp.isEmpty())
        return false;
    QString motivo;
    if (!copiaConteudo(origem, tmp, fd, motivo))
        return falha(QStringLiteral("Cannot copy file %1 to %2. %3").arg(visivel(origem), visivel(tmp), motivo));
    return true;
}

bool Gravacao::confirma()
{
    if (!m_erro.isEmpty()) {
        descarta();
        return false;
    }
    const bool duravel = m_durabilidade == Durabilidade::Duravel;
    QString motivo;
    auto falhaPasso = [&](const char* texto, const QString& path) {
        falha(QStringLiteral("%1 %2. %3").arg(QString::fromLatin1(texto), visivel(path), motivo));
        desfaz(0);
        return false;
    };

    if (duravel)
        for (const Item& item : m_itens) {
            motivo = kSimulada;
            if (!FalhasArquivo::permite("flush", item.temporario) || !descarregaArquivo(item.temporario, motivo))
                return falhaPasso("Cannot flush file", item.temporario);
        }

    // A single file replaces the old one in one step; a group keeps the old
    // files aside so that a failure half-way can put them back.
    if (m_itens.size() > 1)
        for (Item& item : m_itens) {
            if (!QFileInfo(item.destino).isFile())
                continue;
            motivo = kSimulada;
            if (FalhasArquivo::permite("keep", item.destino))
                item.anterior = guardaAnterior(item.destino, motivo);
            if (item.anterior.isEmpty())
                return falhaPasso("Cannot keep a copy of file", item.destino);
        }

    std::reverse(m_itens.begin(), m_itens.end());
    for (std::size_t i = 0; i < m_itens.size(); ++i) {
        Item& item = m_itens[i];
        motivo = kSimulada;
        QString recusa;
        if (!temporario::intacto(nativo(item.temporario)))
            motivo = QStringLiteral("It was replaced while being written.");
        else if (confereSaida(item.destino, &recusa) != especie::Estado::Aceito)
            motivo = recusa + QLatin1Char('.');
        else if (FalhasArquivo::permite("rename", item.destino) && trocaNome(item.temporario, item.destino, motivo)) {
            temporario::esquece(nativo(item.temporario));
            item.temporario.clear();
            continue;
        }
        falha(QStringLiteral("Cannot rename file %1 to %2. %3")
                  .arg(visivel(item.temporario), visivel(item.destino), motivo));
        desfaz(i);
        return false;
    }

    // Every new file now stands complete. A folder that cannot be flushed
    // is reported, so that the caller deletes nothing older, but the files
    // stay: a single file's old content is already gone.
    bool ok = true;
    if (duravel) {
        std::set<QString> pastas;
        for (const Item& item : m_itens)
            pastas.insert(pastaDe(item.destino));
        for (const QString& pasta : pastas) {
            motivo = kSimulada;
            if (ok && (!FalhasArquivo::permite("flush folder", pasta) || !descarregaPasta(pasta, motivo)))
                ok = falha(QStringLiteral("Cannot flush folder %1. %2").arg(visivel(pasta), motivo));
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
    QString motivo;
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
    if (m_arquivo.isOpen() || !m_gravacao.vazia())
        return m_gravacao.falha(QStringLiteral("Cannot open %1: a file is open already.").arg(visivel(destino)));
    int fd = -1;
    const QString tmp = m_gravacao.criaTemporario(destino, &fd);
    if (tmp.isEmpty())
        return false;
    // The descriptor of the file just created: no name is looked up again.
    // Buffered, so that a line of a few dozen bytes is no system call.
    bool aberto = false;
    if (fd >= 0) {
        aberto = m_arquivo.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle);
    } else {
        m_arquivo.setFileName(tmp);
        aberto = m_arquivo.open(QIODevice::WriteOnly | QIODevice::ExistingOnly);
    }
    if (!aberto)
        return m_gravacao.falha(QStringLiteral("Cannot create file %1. %2").arg(visivel(tmp), m_arquivo.errorString()));
    return true;
}

bool GravacaoContinua::acrescenta(QByteArrayView dados)
{
    if (!m_arquivo.isOpen() || !m_gravacao.m_erro.isEmpty())
        return false;
    if (m_arquivo.write(dados.data(), dados.size()) == dados.size())
        return true;
    return m_gravacao.falha(QStringLiteral("Cannot write file %1. %2")
                                .arg(visivel(m_gravacao.m_itens.back().temporario), m_arquivo.errorString()));
}

bool GravacaoContinua::confirma()
{
    if (!m_arquivo.isOpen())
        return m_gravacao.falha(QStringLiteral("Cannot write a file that was never opened."));
    if (!m_arquivo.flush() && m_gravacao.m_erro.isEmpty())
        m_gravacao.falha(QStringLiteral("Cannot write file %1. %2")
                             .arg(visivel(m_gravacao.m_itens.back().temporario), m_arquivo.errorString()));
    m_arquivo.close();
    return m_gravacao.confirma();
}

void GravacaoContinua::descarta()
{
    if (m_arquivo.isOpen())
        m_arquivo.close();
    m_gravacao.descarta();
}

// --- ArquivoTemporario ----------------------------------------------------

ArquivoTemporario::ArquivoTemporario(const QString& vizinho)
{
    if (!FalhasArquivo::permite("scratch", vizinho)) {
        m_erro = QStringLiteral("Cannot create a temporary file for %1. %2").arg(visivel(vizinho), kSimulada);
        return;
    }
    std::string motivo;
    const std::string criado = temporario::cria(nativo(vizinho), motivo);
    if (criado.empty())
        m_erro = QStringLiteral("Cannot create a temporary file for %1. %2")
                     .arg(visivel(vizinho), QString::fromStdString(motivo));
    else
        m_caminho = deNativo(criado);
}

ArquivoTemporario::~ArquivoTemporario()
{
    if (criado())
        temporario::remove(nativo(m_caminho));
}

// --- single operations -----------------------------------------------------

namespace {

bool responde(bool ok, const QString& mensagem, QString* erro)
{
    if (!ok && erro)
        *erro = mensagem;
    return ok;
}

}  // namespace

bool gravaArquivo(const QString& destino, QByteArrayView dados, Durabilidade durabilidade, QString* erro)
{
    Gravacao g(durabilidade);
    const bool ok = g.escreve(destino, dados) && g.confirma();
    return responde(ok, g.erro(), erro);
}

bool copiaArquivo(const QString& origem, const QString& destino, Durabilidade durabilidade, QString* erro)
{
    Gravacao g(durabilidade);
    const bool ok = g.copia(origem, destino) && g.confirma();
    return responde(ok, g.erro(), erro);
}

bool removeArquivo(const QString& caminho, QString* erro)
{
    if (!FalhasArquivo::permite("remove", caminho))
        return responde(false, QStringLiteral("Cannot delete file %1. %2").arg(visivel(caminho), kSimulada), erro);
    QFile f(caminho);
    if (f.remove() || !QFileInfo::exists(caminho))
        return true;
    return responde(false, QStringLiteral("Cannot delete file %1. %2").arg(visivel(caminho), f.errorString()), erro);
}

bool moveArquivo(const QString& origem, const QString& destino, Durabilidade durabilidade, QString* erro)
{
    const QString mensagem = QStringLiteral("Cannot move file %1 to %2.").arg(visivel(origem), visivel(destino));
    if (!FalhasArquivo::permite("move", origem))
        return responde(false, mensagem + QLatin1Char(' ') + kSimulada, erro);
    QFile f(origem);
    if (QFileInfo::exists(destino) || QFileInfo(destino).isSymLink() || !f.rename(destino))  // never replaces
        return responde(false, mensagem + QLatin1Char(' ') + f.errorString(), erro);
    if (durabilidade == Durabilidade::Duravel) {
        QString motivo = kSimulada;
        for (const QString& pasta : {pastaDe(destino), pastaDe(origem)})
            if (!FalhasArquivo::permite("flush folder", pasta) || !descarregaPasta(pasta, motivo))
                return responde(false, QStringLiteral("Cannot flush folder %1. %2").arg(visivel(pasta), motivo), erro);
    }
    return true;
}

}  // namespace pluvexa
