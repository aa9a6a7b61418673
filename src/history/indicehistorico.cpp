#include "history/indicehistorico.h"

#include "files/arquivoseguro.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <algorithm>

namespace pluvexa {

namespace {

const QByteArray kCabecalho = QByteArrayLiteral("pluvexa-resumo 1");
// Far more than ten years of months; a larger file is not ours.
constexpr qint64 kMaiorResumo = 4 * 1024 * 1024;

qint64 modificado(const QFileInfo& arquivo)
{
    return arquivo.lastModified().toMSecsSinceEpoch();
}

}  // namespace

IndiceHistorico::IndiceHistorico(const QString& pasta) : m_pasta(pasta)
{
    QFile f(QDir(pasta).filePath(kNome));
    if (!f.open(QIODevice::ReadOnly) || f.size() > kMaiorResumo)
        return;
    const QList<QByteArray> linhas = f.readAll().split('\n');
    if (linhas.value(0) != kCabecalho)
        return;
    for (qsizetype i = 1; i < linhas.size(); ++i) {
        const QList<QByteArray> campos = linhas.at(i).split('\t');
        if (campos.size() != 6)
            continue;
        Entrada e;
        bool ok[5] = {};
        e.tamanho = campos.at(1).toLongLong(&ok[0]);
        e.modificado = campos.at(2).toLongLong(&ok[1]);
        e.titularesComValor = campos.at(3).toInt(&ok[2]);
        e.totalValor = campos.at(4).toDouble(&ok[3]);
        e.totalCreditos = campos.at(5).toLongLong(&ok[4]);
        if (std::all_of(std::begin(ok), std::end(ok), [](bool b) { return b; }))
            m_entradas.insert(QString::fromUtf8(campos.at(0)), e);
    }
}

bool IndiceHistorico::preenche(const QFileInfo& arquivo, LoteHistorico& lote) const
{
    const auto it = m_entradas.constFind(arquivo.fileName());
    if (it == m_entradas.cend() || it->tamanho != arquivo.size() || it->modificado != modificado(arquivo))
        return false;
    lote.titularesComValor = it->titularesComValor;
    lote.totalValor = it->totalValor;
    lote.totalCreditos = it->totalCreditos;
    return true;
}

void IndiceHistorico::guarda(const QFileInfo& arquivo, const LoteHistorico& lote)
{
    m_entradas.insert(arquivo.fileName(), {arquivo.size(), modificado(arquivo), lote.titularesComValor,
                                           lote.totalValor, lote.totalCreditos});
    m_mudou = true;
}

void IndiceHistorico::mantemSo(const QStringList& nomes)
{
    for (auto it = m_entradas.begin(); it != m_entradas.end();) {
        if (nomes.contains(it.key())) {
            ++it;
        } else {
            it = m_entradas.erase(it);
            m_mudou = true;
        }
    }
}

bool IndiceHistorico::grava()
{
    if (!m_mudou)
        return true;
    QByteArray texto = kCabecalho + '\n';
    for (auto it = m_entradas.cbegin(); it != m_entradas.cend(); ++it) {
        // Names with a tab or a line break are not batches of ours.
        if (it.key().contains(u'\t') || it.key().contains(u'\n'))
            continue;
        texto += it.key().toUtf8() + '\t' + QByteArray::number(it->tamanho) + '\t'
                 + QByteArray::number(it->modificado) + '\t' + QByteArray::number(it->titularesComValor) + '\t'
                 + QByteArray::number(it->totalValor, 'g', 17) + '\t' + QByteArray::number(it->totalCreditos)
                 + '\n';
    }
    if (!gravaArquivo(QDir(m_pasta).filePath(kNome), texto, Durabilidade::Comum))
        return false;
    m_mudou = false;
    return true;
}

}  // namespace pluvexa
