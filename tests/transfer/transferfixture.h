#pragma once

// The disk transfer runs headless: working folders under a temporary HOME,
// temporary folders standing for the disks, the file lists as plain folder
// listings whose selection the test sets, every dialog scripted.

#include "files/pasta.h"
#include "files/pastastrabalho.h"
#include "support/arquivosteste.h"
#include "support/scriptedinteraction.h"
#include "support/testenv.h"
#include "transfer/core/caminhos.h"
#include "transfer/core/listaarquivos.h"
#include "transfer/core/transferenciadisco.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace pluvexa::transferencia {

// A file list over a folder: the names matching its mask, as the window's
// list reads them.
class ListaPasta final : public ListaArquivos {
public:
    ListaPasta(QString pasta, QString mascara) : m_mascara(std::move(mascara)) { mostra(pasta); }
    QString pasta() const override { return m_pasta; }
    QStringList selecionados() const override { return m_selecionados; }
    void mostra(const QString& pasta) override
    {
        m_pasta = pasta;
        m_selecionados.clear();
        listaArquivosPasta(pasta, {m_mascara}, m_nomes);
        ++leituras;
    }
    const QStringList& nomes() const { return m_nomes; }
    void seleciona(const QStringList& nomes) { m_selecionados = nomes; }
    void selecionaTodos() { m_selecionados = m_nomes; }
    int leituras = 0;

private:
    QString m_mascara;
    QString m_pasta;
    QStringList m_nomes;
    QStringList m_selecionados;
};

using test::grava;
using test::le;

// Every file below `pasta`, as "relative/name".
inline QStringList arquivos(const QString& pasta)
{
    QStringList r;
    QDir dir(pasta);
    for (const QString& n : dir.entryList(QDir::Files | QDir::Hidden, QDir::Name))
        r << n;
    return r;
}

// A fresh set of working folders and two disks.
struct Cenario {
    test::TemporaryHome home;
    QTemporaryDir disco;    // the central's disk, or the company's
    QTemporaryDir disco2;
    test::ScriptedInteraction dialogos;
    TransferenciaDisco run{dialogos};

    Cenario() { criaPastasTrabalho(); }
    QString noDisco(const QString& nome) const { return disco.filePath(nome); }
    QString recebido(const QString& nome) const { return caminhoNaPasta(pastaRecebidos(), nome); }
    QString gerado(const QString& nome) const { return caminhoNaPasta(pastaGerados(), nome); }
};

inline const QString kRecebido1 = QStringLiteral("PX_00123_0007_0412090830_1.rec");
inline const QString kRecebido2 = QStringLiteral("PX_00123_0008_0412100830_1.REC");
inline const QString kResposta1 = QStringLiteral("PX_00123_0007_0412091530_2.REC");
inline const QString kResposta2 = QStringLiteral("PX_00456_0008_0412101530_2.REC");

// What the last run copied, as "<nome> -> <destino>".
inline QStringList copias(const TransferenciaDisco& run)
{
    QStringList r;
    for (const TransferenciaDisco::Copia& c : run.copiados())
        r << c.nome + QStringLiteral(" -> ") + c.destino;
    return r;
}

inline QString erros(const QStringList& linhas)
{
    return kComErros + QLatin1Char('\n') + linhas.join(QLatin1Char('\n'));
}

}  // namespace pluvexa::transferencia
