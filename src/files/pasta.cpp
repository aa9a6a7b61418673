#include "files/pasta.h"

#include "files/entrada.h"
#include "files/sistema.h"

#include "files/core/parte.h"

#include "files/pastastrabalho.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <dirent.h>
#endif

namespace pluvexa {

using namespace sistema;

namespace {

bool responde(const FalhaArquivo& falha, QString* erro)
{
    if (falha.houve() && erro)
        *erro = textoIngles(falha);
    return !falha.houve();
}

bool responde(const FalhaArquivo& falha, FalhaArquivo* destino)
{
    if (falha.houve() && destino)
        *destino = falha;
    return !falha.houve();
}

// Qt's listing says nothing of why a folder cannot be read: it is looked
// at first, and its reason given the system's number.
FalhaArquivo lista(const QString& pasta, const QStringList& mascaras, QStringList& nomes)
{
    nomes.clear();
    const QString mensagem = QStringLiteral("Cannot read folder %1.").arg(visivel(pasta));
    auto falha = [&](const Motivo& motivo) {
        FalhaArquivo f = falhaDe(Operacao::Ler, pasta, motivo, mensagem);
        f.pasta = true;
        return f;
    };
    if (!FalhasArquivo::permite("list", pasta))
        return falha(portao::motivo());
    const QDir dir(pasta);
    if (!dir.exists())
        return falha({codigoAusente(), "It does not exist.", {}});
    if (!QFileInfo(pasta).isReadable()) {
#ifdef Q_OS_WIN
        return falha({ERROR_ACCESS_DENIED, "Permission denied.", {}});
#else
        return falha({EACCES, "Permission denied.", {}});
#endif
    }
    // Name filters of QDir ignore letter case unless told otherwise.
    nomes = dir.entryList(mascaras, QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
    return {};
}

FalhaArquivo renomeia(const QString& origem, const QString& destino, Durabilidade durabilidade)
{
    const QString mensagem = QStringLiteral("Cannot rename file %1 to %2.").arg(visivel(origem), visivel(destino));
    if (!FalhasArquivo::permite("replace", origem))
        return falhaDe(Operacao::Renomear, origem, portao::motivo(), mensagem);
    FalhaArquivo recusa;
    if (confereSaida(destino, nullptr, &recusa) != natureza::Estado::Aceito) {
        Motivo motivo = recusa.motivo;
        motivo.ingles = recusa.mensagem + '.';
        if (motivo.codigo == 0)
            motivo.portugues = caminhoVisivel(destino).toStdString() + ' ' + motivo.portugues;
        return falhaDe(Operacao::Renomear, origem, motivo, mensagem);
    }
    Motivo motivo;
    if (!trocaNome(origem, destino, motivo))
        return falhaDe(Operacao::Renomear, origem, motivo, mensagem);
    if (durabilidade == Durabilidade::Duravel) {
        const QString pasta = QFileInfo(destino).absolutePath();
        const QString descarga = QStringLiteral("Cannot flush folder %1.").arg(visivel(pasta));
        if (!FalhasArquivo::permite("flush folder", pasta))
            return falhaDe(Operacao::Renomear, origem, portao::motivo(), descarga);
        if (!descarregaPasta(pasta, motivo))
            return falhaDe(Operacao::Renomear, origem, motivo, descarga);
    }
    return {};
}

}  // namespace

bool listaArquivosPasta(const QString& pasta, const QStringList& mascaras, QStringList& nomes, QString* erro)
{
    return responde(lista(pasta, mascaras, nomes), erro);
}

bool listaArquivosPasta(const QString& pasta, const QStringList& mascaras, QStringList& nomes, FalhaArquivo* falha)
{
    return responde(lista(pasta, mascaras, nomes), falha);
}

QStringList nomesForaDaCodificacao(const QString& pasta, const QString& sufixo)
{
    QStringList nomes;
#ifndef Q_OS_WIN
    DIR* d = ::opendir(sistema::nativo(pasta).c_str());
    if (!d)
        return nomes;
    const QByteArray fim = sufixo.toLatin1().toLower();
    while (const dirent* e = ::readdir(d)) {
        const QByteArray nome(e->d_name);
        if (QFile::encodeName(QFile::decodeName(nome)) != nome && nome.toLower().endsWith(fim))
            nomes << QString::fromStdString(parte::escapado(nome.toStdString()));
    }
    ::closedir(d);
    nomes.sort();
#else
    Q_UNUSED(pasta);
    Q_UNUSED(sufixo);
#endif
    return nomes;
}

bool renomeiaSobre(const QString& origem, const QString& destino, Durabilidade durabilidade, QString* erro)
{
    return responde(renomeia(origem, destino, durabilidade), erro);
}

bool renomeiaSobre(const QString& origem, const QString& destino, Durabilidade durabilidade, FalhaArquivo* falha)
{
    return responde(renomeia(origem, destino, durabilidade), falha);
}

}  // namespace pluvexa
