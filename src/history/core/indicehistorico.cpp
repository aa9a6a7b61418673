#include "history/core/indicehistorico.h"

#include "files/arquivoseguro.h"
#include "files/entrada.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <algorithm>

namespace pluvexa {

namespace {

const QByteArray kCabecalho = QByteArrayLiteral("pluvexa-resumo 1");
// Far more than ten years of months (an entry takes a few hundred bytes at
// most); a larger file is not ours.
constexpr qint64 kMaiorResumo = 4 * 1024 * 1024;

qint64 modificado(const QFileInfo& arquivo)
{
    return arquivo.lastModified().toMSecsSinceEpoch();
}

// A batch's entry: the totals (six fields), or, for a damaged batch, zero
// totals followed by the error and the reason (eight; an older program
// skips those lines).
constexpr qsizetype kCamposLido = 6;
constexpr qsizetype kCamposDanificado = 8;

// Tabs and line breaks would split an entry.
QByteArray campo(const QString& texto)
{
    QByteArray b = texto.toUtf8();
    b.replace('\t', ' ').replace('\n', ' ').replace('\r', ' ');
    return b;
}

// Only a batch standing as a regular file is summarised: a link put in its
// place is refused when read, so no entry may speak for it.
bool comum(const QFileInfo& arquivo)
{
    return arquivo.isFile() && !arquivo.isSymLink();
}

}  // namespace

IndiceHistorico::IndiceHistorico(const QString& pasta) : m_pasta(pasta)
{
    QByteArray bytes;
    if (!leArquivo(QDir(pasta).filePath(kNome), Leitura::propria(kMaiorResumo), bytes))
        return;
    const QList<QByteArray> linhas = bytes.split('\n');
    if (linhas.value(0) != kCabecalho)
        return;
    for (qsizetype i = 1; i < linhas.size(); ++i) {
        const QList<QByteArray> campos = linhas.at(i).split('\t');
        if (campos.size() != kCamposLido && campos.size() != kCamposDanificado)
            continue;
        Entrada e;
        bool ok[5] = {};
        e.tamanho = campos.at(1).toLongLong(&ok[0]);
        e.modificado = campos.at(2).toLongLong(&ok[1]);
        e.titularesComValor = campos.at(3).toInt(&ok[2]);
        e.totalValor = campos.at(4).toDouble(&ok[3]);
        e.totalCreditos = campos.at(5).toLongLong(&ok[4]);
        if (campos.size() == kCamposDanificado) {
            e.erro = QString::fromUtf8(campos.at(6));
            e.motivo = QString::fromUtf8(campos.at(7));
            if (e.erro.isEmpty())
                continue;
        }
        if (std::all_of(std::begin(ok), std::end(ok), [](bool b) { return b; }))
            m_entradas.insert(QString::fromUtf8(campos.at(0)), e);
    }
}

bool IndiceHistorico::preenche(const QFileInfo& arquivo, LoteHistorico& lote) const
{
    const auto it = m_entradas.constFind(arquivo.fileName());
    if (it == m_entradas.cend() || !comum(arquivo) || it->tamanho != arquivo.size()
        || it->modificado != modificado(arquivo))
        return false;
    lote.titularesComValor = it->titularesComValor;
    lote.totalValor = it->totalValor;
    lote.totalCreditos = it->totalCreditos;
    lote.erro = it->erro;
    lote.motivo = it->motivo;
    return true;
}

void IndiceHistorico::guarda(const QFileInfo& arquivo, const LoteHistorico& lote)
{
    if (!comum(arquivo)) {
        m_mudou = m_entradas.remove(arquivo.fileName()) || m_mudou;
        return;
    }
    m_entradas.insert(arquivo.fileName(), {arquivo.size(), modificado(arquivo), lote.titularesComValor,
                                           lote.totalValor, lote.totalCreditos, lote.erro, lote.motivo});
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
                 + QByteArray::number(it->totalValor, 'g', 17) + '\t' + QByteArray::number(it->totalCreditos);
        if (!it->erro.isEmpty())
            texto += '\t' + campo(it->erro) + '\t' + campo(it->motivo);
        texto += '\n';
    }
    if (!gravaArquivo(QDir(m_pasta).filePath(kNome), texto, Durabilidade::Comum))
        return false;
    m_mudou = false;
    return true;
}

}  // namespace pluvexa
