#include "dadoscentral.h"

#include "central/dadosdemo.h"
#include "central/ladocentral.h"
#include "fotografo.h"
#include "recharge/cp1252.h"
#include "recharge/empacotamento.h"
#include "recharge/escritorrecarga.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>

namespace pluvexa::capturas {

namespace {

template <typename Registro>
Registro chave(const char* nome)
{
    const QString caminho = QStringLiteral(PLUVEXA_SOURCE_DIR "/keys/demo/") + QString::fromLatin1(nome);
    QFile f(caminho);
    Registro r{};
    if (!f.open(QIODevice::ReadOnly))
        falha(QStringLiteral("cannot read %1").arg(caminho));
    const QByteArray dados = f.readAll();
    if (size_t(dados.size()) != r.size())
        falha(QStringLiteral("%1 is no key record").arg(caminho));
    std::copy(dados.begin(), dados.end(), r.begin());
    return r;
}

}  // namespace

QString enviaDemo(int remessa, const QDateTime& quando, const QString& pasta)
{
    DemoOptions opcoes;
    opcoes.remessa = remessa;
    ModeloRecarga modelo;
    geraModeloDemo(modelo, opcoes, quando);
    const QString nome = nomeArquivoRecebido(opcoes.empresa, remessa, quando);
    const ResultadoEscrita escrita = EscritorRecarga(modelo).gera(paraCp1252(nome), quando, quando);
    if (!escrita.ok())
        falha(escrita.textosRecusas().join(QStringLiteral("; ")));

    QTemporaryDir tmp;
    const QString texto = tmp.filePath(QStringLiteral("central.txt"));
    salvaLinhas(escrita.linhas, texto);
    QDir().mkpath(pasta);
    const QString destino = QDir(pasta).filePath(nome);
    const RespostaCentral r = preparaArquivoRecebido(texto, destino, chave<PrivateKeyRecord>("central.private"),
                                                     chave<PublicKeyRecord>("own.public"));
    if (r.resultado != CentralOk)
        falha(QStringLiteral("the central could not seal %1 (%2)").arg(nome).arg(r.codigoEnvelope));
    return destino;
}

}  // namespace pluvexa::capturas
