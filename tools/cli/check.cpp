// check and rewrite: the record reader, the processing log and the writer
// on the command line.

#include "ambiente.h"
#include "arquivoentrada.h"
#include "cli.h"
#include "codec/builtinkeys.h"
#include "core/diagnosticoenvelope.h"
#include "diagnosticolinhas.h"
#include "files/entrada.h"
#include "recharge/camposregistro.h"
#include "recharge/cp1252.h"
#include "recharge/empacotamento.h"
#include "recharge/escritorrecarga.h"
#include "recharge/formatonumero.h"
#include "recharge/processamento.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <span>

namespace pluvexa::cli {

namespace {

// The first bytes of `path`, enough to tell a sealed file by.
QByteArray inicio(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.read(256) : QByteArray();
}

std::span<const std::uint8_t> bytes(const QByteArray& b)
{
    return {reinterpret_cast<const std::uint8_t*>(b.constData()), std::size_t(b.size())};
}

// Why the received file `copia` (a private copy of `path`) did not open
// with the built-in keys: the opening's reason, then what the file is.
QString naoAbre(const QString& path, const QString& copia)
{
    QString razao = QStringLiteral("%1 cannot be opened with the built-in keys").arg(citado(path));
    QByteArray dados;
    if (!leArquivo(copia, dados))
        return razao;
    const int codigo = codigoAbertura(bytes(dados), own_private_key(), central_public_key());
    const CasoEnvelope caso = diagnosticaEnvelope(bytes(dados), codigo);
    return razao + QStringLiteral("\npluvexa-cli: ") + QString::fromStdString(textoCaso(caso, path.toStdString(), true));
}

QString selado(const QString& path, const char* comoOutro)
{
    return QStringLiteral("\"%1\" is a sealed file, not %2 (leave out --%3)")
        .arg(QDir::toNativeSeparators(path), QString::fromLatin1(comoOutro),
             QString::fromLatin1(std::string_view(comoOutro) == "plain text" ? "plain" : "draft"));
}

}  // namespace

std::optional<QString> carrega(const QString& path, bool rascunho, bool plano, std::vector<Texto>& linhas,
                               QStringList& log)
{
    QString erro;
    // A sealed file read as text would be listed as garbage events.
    if (plano && pareceSelado(bytes(inicio(path))))
        return selado(path, "plain text");
    if (plano) {
        if (!leTextoRecarga(path, linhas, &erro))
            return erro;
        return std::nullopt;
    }
    // Opened from a private copy: the temporaries go there, never beside
    // the operator's file.
    QTemporaryDir tmp;
    const QString copia = tmp.filePath(QFileInfo(path).fileName());
    if (!tmp.isValid())
        return QStringLiteral("cannot make a private folder for %1").arg(citado(path));
    if (!copiaArquivo(path, copia, Durabilidade::Comum, &erro))
        return erro;
    int resultado = FalhaEnvelope;
    Completude completude;
    try {
        resultado = DescompactaArquivo(copia, rascunho, linhas, completude);
    } catch (const ErroArquivo& e) {
        return QString::fromUtf8(e.what());
    }
    switch (resultado) {
    case EmpacotamentoOk:
        break;
    case Incompleto:
        log << QStringLiteral("  ") << completude.linhaLog();
        return completude.textoIngles(path);
    case FalhaCompressao:
        log << QStringLiteral("  ") << QStringLiteral(" ==> Erro ao Descompactar o Arquivo ");
        if (rascunho && pareceSelado(bytes(inicio(copia))))
            return selado(path, "a draft");
        return QStringLiteral("%1 cannot be expanded").arg(citado(path));
    case ForaDoPadrao:
        return QStringLiteral("%1 is out of the recharge text's pattern: more than %2 non-blank lines")
            .arg(citado(path))
            .arg(kMaisLinhasTexto);
    default:
        log << QStringLiteral("  ") << QStringLiteral(" ==> Erro ao Descriptografar o Arquivo ");
        return naoAbre(path, copia);
    }
    log << QStringLiteral("  ") << QStringLiteral("Arquivo Descriptografado com Sucesso")
        << QStringLiteral("Arquivo Descompactado com Sucesso") << QStringLiteral("  ");
    // A received file's envelope vouches for its text: what it lacks is
    // only noted, as the window does.
    if (!completude.completa())
        log << completude.linhaLog();
    return std::nullopt;
}

namespace {

void resumo(const ModeloRecarga& m, const ResultadoProcessamento& r)
{
    escreve(QString());
    escreve(QStringLiteral("Holders: %1").arg(m.QtdRecarga));
    escreve(QStringLiteral("Card types: %1").arg(r.listaTiposCartao.size()));
    escreve(QStringLiteral("Tariffs: %1").arg(r.listaTarifas.size()));
    for (int t = 0; t < kTiposCartao; ++t) {
        const TipoCartao& tipo = m.wTipoCartao[size_t(t)];
        if (tipo.Codigo == 0)
            continue;
        int portadores = 0;
        double total = 0;
        for (int i = 0; i < m.QtdRecarga; ++i) {
            const Recarga& h = m.wRecarga[size_t(i)];
            if (h.TipoCartao != t)
                continue;
            ++portadores;
            for (const GrupoRecarga& g : h.Grupo)
                total += g.Valor;
        }
        const QString entrado = tipo.Modalidade == Dinheiro
            ? QStringLiteral("R$ ") + formata(u"###,##0.00", Moeda::deDouble(total))
            : formata(u"###,##0", static_cast<long long>(total)) + QStringLiteral(" credits");
        escreve(QStringLiteral("  %1 - %2: %3 holders, %4 entered")
                    .arg(t, 2, 10, QLatin1Char('0'))
                    .arg(deCp1252(tipo.Descricao).trimmed())
                    .arg(portadores)
                    .arg(entrado));
    }
}

}  // namespace

QStringList diagnostico(const QString& path, bool plano, const std::vector<Texto>& linhas, const ErroConversao* erro)
{
    // Plain text is the file itself, whose blank lines an editor counts;
    // what an envelope or a draft holds is taken as the program writes it,
    // without any.
    std::vector<std::size_t> numeros;
    QByteArray texto;
    if (plano && leArquivo(path, texto))
        numeros = numerosDeLinha(std::string_view(texto.constData(), std::size_t(texto.size())));
    return diagnosticoLinhas(path, linhas, numeros, erro);
}

QString naoProcessa(const QString& path)
{
    return QStringLiteral("\"%1\" cannot be processed: a field is not a number (see the line above)")
        .arg(QDir::toNativeSeparators(path));
}

void imprimeDiagnostico(const QStringList& diagnostico)
{
    descarregaSaida();
    for (const QString& l : diagnostico)
        std::fprintf(stderr, "%s\n", l.toUtf8().constData());
}

bool processaArquivo(const QString& path, bool rascunho, bool plano, ModeloRecarga& modelo,
                     ResultadoProcessamento& resultado, QStringList& log, QString& erro, QStringList* diagnosticos)
{
    log = bannerProcessamento(QDateTime::currentDateTime(),
                              QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
    std::vector<Texto> linhas;
    if (std::optional<QString> falhou = carrega(path, rascunho, plano, linhas, log)) {
        erro = *falhou;
        return false;
    }
    try {
        resultado = ProcessadorRecarga(modelo).processa(linhas, log);
    } catch (const ErroConversao& e) {
        if (diagnosticos)
            *diagnosticos = diagnostico(path, plano, linhas, &e);
        erro = naoProcessa(path);
        return false;
    }
    if (diagnosticos && !resultado.consistente())
        *diagnosticos = diagnostico(path, plano, linhas, nullptr);
    return true;
}

std::optional<int> processaConsistente(const QString& path, bool rascunho, bool plano, ModeloRecarga& modelo,
                                       ResultadoProcessamento& resultado, const QString& nada)
{
    QStringList log;
    QString erro;
    QStringList apontados;
    const bool processado = processaArquivo(path, rascunho, plano, modelo, resultado, log, erro, &apontados);
    for (const QString& l : log)
        std::fprintf(stderr, "%s\n", l.toUtf8().constData());
    imprimeDiagnostico(apontados);
    if (!processado)
        return falha(erro);
    if (!resultado.consistente())
        return falha(QStringLiteral("%1 has inconsistent records; %2").arg(citado(path), nada));
    return std::nullopt;
}

int check(const QStringList& args)
{
    QCommandLineParser parser;
    descreve(parser,
             QStringLiteral("Processes FILE as \"Processar Arquivo\" does and prints the processing log and a\n"
                            "summary. FILE is a received file (sealed; opened with the built-in keys) unless\n"
                            "--draft or --plain says otherwise. A received file that does not open gets a\n"
                            "second line on standard error saying what it is (empty, cut short, plain text,\n"
                            "a draft, not sealed for this program's key, altered). After the log, lines\n"
                            "\"FILE\":N: on standard error point at the records of a wrong length or of an\n"
                            "unknown type and at a field that is not a number (lines counted from 1)."),
             QStringLiteral("0 every record is consistent, 1 some record is not or FILE cannot be "
                            "loaded"));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("file to check"));
    const ArquivoEntrada arquivo(parser);
    if (int r = analisa(parser, args, 1); r >= 0)
        return r;
    if (const std::optional<int> r = arquivo.confereOpcoes("check"))
        return *r;
    const QString path = parser.positionalArguments().first();
    if (const std::optional<int> r = ArquivoEntrada::confereExiste(path))
        return *r;

    ModeloRecarga modelo;
    ResultadoProcessamento resultado;
    QStringList log;
    QString erro;
    QStringList apontados;
    const bool processado =
        processaArquivo(path, arquivo.rascunho(), arquivo.plano(), modelo, resultado, log, erro, &apontados);
    for (const QString& l : log)
        escreve(l);
    imprimeDiagnostico(apontados);
    if (!processado)
        return falha(erro);
    resumo(modelo, resultado);
    if (!resultado.consistente())
        return falha(QStringLiteral("%1 has inconsistent records (see the log above)").arg(citado(path)));
    return Sucesso;
}

int rewrite(const QStringList& args)
{
    QCommandLineParser parser;
    descreve(parser,
             QStringLiteral("Reads plain recharge text IN and writes it back as OUT through the record\n"
                            "writer (plain text, CR LF): every record at its written length. The header\n"
                            "gets the current dates and times and OUT's name. Refuses a file with\n"
                            "inconsistent records, whose content would be lost."),
             QStringLiteral("0 OUT written, 1 IN cannot be read or has inconsistent records, or OUT "
                            "cannot be written"));
    parser.addPositionalArgument(QStringLiteral("IN"), QStringLiteral("plain recharge text"));
    parser.addPositionalArgument(QStringLiteral("OUT"), QStringLiteral("text to write"));
    if (int r = analisa(parser, args, 2); r >= 0)
        return r;
    const QStringList p = parser.positionalArguments();
    if (const std::optional<int> r = ArquivoEntrada::confereExiste(p[0]))
        return *r;
    std::vector<Texto> entrada;
    if (QString erro; !leTextoRecarga(p[0], entrada, &erro))
        return falha(erro);
    ModeloRecarga modelo;
    ProcessadorRecarga processador(modelo);
    QStringList log;
    try {
        const ResultadoProcessamento r = processador.processa(entrada, log);
        if (!r.consistente()) {
            for (const QString& l : log)
                std::fprintf(stderr, "%s\n", l.toUtf8().constData());
            imprimeDiagnostico(diagnostico(p[0], true, entrada, nullptr));
            return falha(QStringLiteral("%1 has inconsistent records; nothing written").arg(citado(p[0])));
        }
    } catch (const ErroConversao& e) {
        imprimeDiagnostico(diagnostico(p[0], true, entrada, &e));
        return falha(naoProcessa(p[0]));
    }
    const ResultadoEscrita escrita = EscritorRecarga(modelo).gera(
        paraCp1252(QFileInfo(p[1]).fileName()),
        [] { return QDateTime::currentDateTime(); });
    if (!escrita.ok())
        return falha(QStringLiteral("the records cannot be written: ")
                     + escrita.textosRecusas().join(QStringLiteral("; ")));
    try {
        salvaLinhas(escrita.linhas, p[1]);
    } catch (const ErroArquivo& e) {
        return falha(QString::fromUtf8(e.what()));
    }
    return Sucesso;
}

}  // namespace pluvexa::cli
