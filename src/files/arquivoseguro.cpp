#include "files/arquivoseguro.h"
#include "files/sistema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <set>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace pluvexa {

using namespace sistema;

namespace {

// A second name for the old file, so that it can come back if the group
// cannot be completed. A hard link costs nothing; a file system without
// them gets a copy.
bool guardaAnterior(const QString& final, const QString& copia, QString& motivo)
{
    QFile::remove(copia);  // a leftover of an earlier interrupted run, never a final name
#ifdef Q_OS_WIN
    if (CreateHardLinkW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(copia).utf16()),
                        reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(final).utf16()), nullptr))
        return true;
#else
    if (::link(QFile::encodeName(final).constData(), QFile::encodeName(copia).constData()) == 0)
        return true;
#endif
    QFile origem(final);
    if (origem.copy(copia))
        return true;
    motivo = origem.errorString();
    return false;
}

QString pastaDe(const QString& path)
{
    return QFileInfo(path).absolutePath();
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

QString Gravacao::parcial(const QString& destino)
{
    return destino + QStringLiteral(".part");
}

bool Gravacao::falha(const QString& mensagem)
{
    if (m_erro.isEmpty())
        m_erro = mensagem;
    return false;
}

bool Gravacao::escreve(const QString& destino, QByteArrayView dados)
{
    return produz(destino, [&](const QString& parte) {
        QFile f(parte);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return falha(QStringLiteral("Cannot create file %1. %2").arg(visivel(parte), f.errorString()));
        if (f.write(dados.data(), dados.size()) != dados.size() || !f.flush())
            return falha(QStringLiteral("Cannot write file %1. %2").arg(visivel(parte), f.errorString()));
        return true;
    });
}

bool Gravacao::produz(const QString& destino, const std::function<bool(const QString&)>& escritor)
{
    const QString parte = parcial(destino);
    m_itens.push_back({destino, {}});
    if (!FalhasArquivo::permite("write", parte))
        return falha(QStringLiteral("Cannot create file %1. %2").arg(visivel(parte), kSimulada));
    if (!escritor(parte)) {
        QFile::remove(parte);
        return falha(QStringLiteral("Cannot write file %1.").arg(visivel(parte)));
    }
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
            const QString parte = parcial(item.destino);
            motivo = kSimulada;
            if (!FalhasArquivo::permite("flush", parte) || !descarregaArquivo(parte, motivo))
                return falhaPasso("Cannot flush file", parte);
        }

    // A single file replaces the old one in one step; a group keeps the old
    // files aside so that a failure half-way can put them back.
    if (m_itens.size() > 1)
        for (Item& item : m_itens) {
            if (!QFileInfo::exists(item.destino))
                continue;
            const QString copia = item.destino + QStringLiteral(".old");
            motivo = kSimulada;
            if (!FalhasArquivo::permite("keep", item.destino) || !guardaAnterior(item.destino, copia, motivo))
                return falhaPasso("Cannot keep a copy of file", item.destino);
            item.anterior = copia;
        }

    std::reverse(m_itens.begin(), m_itens.end());
    for (std::size_t i = 0; i < m_itens.size(); ++i) {
        const QString& destino = m_itens[i].destino;
        motivo = kSimulada;
        if (!FalhasArquivo::permite("rename", destino) || !trocaNome(parcial(destino), destino, motivo)) {
            falha(QStringLiteral("Cannot rename file %1 to %2. %3")
                      .arg(visivel(parcial(destino)), visivel(destino), motivo));
            desfaz(i);
            return false;
        }
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
            removeArquivo(item.anterior);  // a leftover copy holds no final name
    m_itens.clear();
    return ok;
}

void Gravacao::desfaz(std::size_t colocados)
{
    QString motivo;
    for (std::size_t i = 0; i < colocados; ++i) {
        const Item& item = m_itens[i];
        if (!item.anterior.isEmpty()) {
            if (FalhasArquivo::permite("restore", item.destino))
                trocaNome(item.anterior, item.destino, motivo);
        } else {
            removeArquivo(item.destino);
        }
    }
    for (std::size_t i = 0; i < m_itens.size(); ++i)
        if (i >= colocados && !m_itens[i].anterior.isEmpty())
            removeArquivo(m_itens[i].anterior);
    descarta();
}

void Gravacao::descarta()
{
    for (const Item& item : m_itens)
        QFile::remove(parcial(item.destino));  // a part is never a final name
    m_itens.clear();
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
    const qint64 tamanho = QFileInfo(origem).size();
    const bool ok = g.produz(destino, [&](const QString& parte) {
                        QFile::remove(parte);
                        return QFile::copy(origem, parte) && QFileInfo(parte).size() == tamanho;
                    })
                    && g.confirma();
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
    if (QFileInfo::exists(destino) || !f.rename(destino))  // QFile::rename never replaces
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
