#include "files/conferencia.h"

#include "files/pastastrabalho.h"
#include "files/sistema.h"

#include <QFile>

#ifndef Q_OS_WIN
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace pluvexa {

using namespace sistema;

namespace {

especie::Estado responde(especie::Estado estado, const QString& caminho, const std::string& razao, bool deSaida,
                         QString* erro, QString* motivo)
{
    if (erro)
        *erro = QString::fromStdString(especie::mensagem(estado, nativo(caminho), razao, deSaida));
    if (motivo)
        *motivo = QString::fromStdString(razao);
    return estado;
}

QString nasJanelas(especie::Estado estado, const QString& caminho, const QString& motivo, bool deSaida)
{
    const QString nome = caminhoVisivel(caminho);
    switch (estado) {
    case especie::Estado::Aceito:
        return {};
    case especie::Estado::NaoComum:
        return QStringLiteral("%1 não é um arquivo comum").arg(nome);
    case especie::Estado::Ausente:
        return QStringLiteral("O arquivo %1 não existe").arg(nome);
    case especie::Estado::Inacessivel:
        return (deSaida ? QStringLiteral("Não foi possível gravar o arquivo %1: %2")
                        : QStringLiteral("Não foi possível ler o arquivo %1: %2"))
            .arg(nome, motivo);
    }
    return {};
}

}  // namespace

especie::Estado confereEntrada(const QString& caminho, QString* erro, QString* motivo)
{
    std::string razao;
    return responde(especie::entrada(nativo(caminho), razao), caminho, razao, false, erro, motivo);
}

especie::Estado confereSaida(const QString& caminho, QString* erro, QString* motivo)
{
    std::string razao;
    return responde(especie::saida(nativo(caminho), razao), caminho, razao, true, erro, motivo);
}

QString recusaEntrada(const QString& caminho, AusenteAceito ausente)
{
    QString motivo;
    const especie::Estado estado = confereEntrada(caminho, nullptr, &motivo);
    if (estado == especie::Estado::Ausente && ausente == AusenteAceito::Sim)
        return {};
    return nasJanelas(estado, caminho, motivo, false);
}

QString recusaSaida(const QString& caminho)
{
    QString motivo;
    return nasJanelas(confereSaida(caminho, nullptr, &motivo), caminho, motivo, true);
}

bool leArquivo(const QString& caminho, QByteArray& dados, QString* erro)
{
    dados.clear();
    QFile f;
#ifdef Q_OS_WIN
    if (confereEntrada(caminho, erro) != especie::Estado::Aceito)
        return false;
    f.setFileName(caminho);
    if (!f.open(QIODevice::ReadOnly)) {
        if (erro)
            *erro = QStringLiteral("Cannot read file %1. %2").arg(visivel(caminho), f.errorString());
        return false;
    }
#else
    // Opened once and looked at through its descriptor: what is read is
    // what was checked.
    const int fd = ::open(QFile::encodeName(caminho).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        const int e = errno;
        const std::string razao = motivoSistema().toStdString();
        const auto estado = e == ENOENT || e == ENOTDIR ? especie::Estado::Ausente : especie::Estado::Inacessivel;
        responde(estado, caminho, razao, false, erro, nullptr);
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        responde(especie::Estado::NaoComum, caminho, {}, false, erro, nullptr);
        return false;
    }
    f.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
#endif
    dados = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        if (erro)
            *erro = QStringLiteral("Cannot read file %1. %2").arg(visivel(caminho), f.errorString());
        dados.clear();
        return false;
    }
    return true;
}

}  // namespace pluvexa
