#include "flows/listasarquivos.h"

#include "files/arquivoseguro.h"
#include "files/entrada.h"
#include "files/identidade.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <utility>

namespace pluvexa {

QStringList listaArquivos(const QString& folder, const QString& mask)
{
    QDir dir(folder);
    return dir.entryList({mask}, QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
}

void apagaSeExiste(const QString& path)
{
    removeArquivo(path);
}

QStringList rascunhosProprios(const QString& pasta, const QString& extensao)
{
    const QString fim = QStringLiteral("_2") + extensao;
    const QString inicio = QStringLiteral("PX_");
    const QDir dir(pasta);
    QStringList nomes;
    // System: a link whose target is gone is listed too, and then refused.
    for (const QString& nome : dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name)) {
        if (nome.size() < inicio.size() + fim.size() || !nome.startsWith(inicio) || !nome.endsWith(fim))
            continue;
        if (identidadeArquivo(dir.filePath(nome), Ligacoes::NaoSegue).tipo == IdentidadeArquivo::Tipo::Comum)
            nomes << nome;
    }
    return nomes;
}

int indiceRascunhoMaisNovo(const QStringList& nomes)
{
    static const QRegularExpression carimbo(QStringLiteral("_(\\d{10})_2\\.REC$"),
                                            QRegularExpression::CaseInsensitiveOption);
    auto chave = [](const QString& nome) {
        const QRegularExpressionMatch m = carimbo.match(nome);
        return std::pair(m.hasMatch() ? m.captured(1) : QString(), nome.toUpper());
    };
    int melhor = -1;
    for (int i = 0; i < nomes.size(); ++i)
        if (melhor < 0 || chave(nomes[melhor]) < chave(nomes[i]))
            melhor = i;
    return melhor;
}

QString respostaExistente(const QString& pasta, int empresa, int remessa)
{
    const QString prefixo = QStringLiteral("PX_%1_%2_")
                                .arg(empresa, 5, 10, QLatin1Char('0'))
                                .arg(remessa, 4, 10, QLatin1Char('0'));
    QStringList respostas = listaArquivos(pasta, prefixo + QStringLiteral("*_2.REC"));
    respostas += listaArquivos(pasta, prefixo + QStringLiteral("*_4.REC"));
    if (respostas.isEmpty())
        return {};
    std::sort(respostas.begin(), respostas.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return respostas.last();
}

RespostaDoMinuto respostaDoMinuto(const QString& pasta, const QString& arquivo, const QString& log)
{
    const QDir dir(pasta);
    auto ocupado = [&](const QString& nome) {
        const QFileInfo f(dir.filePath(nome));
        return f.exists() || f.isSymLink();
    };
    auto resposta = [&](const QString& nome) {
        return confereSaida(dir.filePath(nome)) == natureza::Estado::Aceito;  // a regular file, no link
    };
    // Marked by the disk transfer, its last five characters become "4.REC".
    const QString enviada = arquivo.chopped(5) + QStringLiteral("4.REC");
    if (ocupado(enviada))
        return {RespostaDoMinuto::Ocupada, enviada};
    if (ocupado(arquivo)) {
        if (!resposta(arquivo))
            return {RespostaDoMinuto::Ocupada, arquivo};
        if (ocupado(log) && !resposta(log))
            return {RespostaDoMinuto::Ocupada, log};
        return {RespostaDoMinuto::NaoEnviada, arquivo};
    }
    // A log without its answer is no answer of this program to replace.
    if (ocupado(log))
        return {RespostaDoMinuto::Ocupada, log};
    return {};
}

}  // namespace pluvexa
