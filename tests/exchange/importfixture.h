#pragma once

// A small loaded file for the import run: three card types (money up to
// 600, credits up to 250, money up to 100) and holders chosen for the
// matching rules, with the run's log going to a temporary folder and its
// clock fixed.

#include "exchange/recargaexterna.h"
#include "recharge/modelo.h"
#include "registroexterno.h"
#include "support/titulares.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace pluvexa::test {

enum Titular {
    M001Dinheiro,     // "M001", type 1
    M002Creditos,     // "M002", type 2
    M001Creditos,     // "M001" again, type 2
    SemMatricula,     // blank registration, type 1
    Acentuada,        // "JOSÉ" in Windows-1252, type 1
    M005Pequeno,      // "M005", type 3 (maximum 100)
    Vinte,            // 20-character registration, type 1
    VinteEUm,         // 21-character registration, type 1
    QtdTitulares,
    AlemDoArquivo = QtdTitulares,  // left from an earlier file: "M999", type 1
};

inline const std::string kVinte = "ABCDEFGHIJKLMNOPQRST";
inline const std::string kVinteEUm = "ABCDEFGHIJKLMNOPQRSTU";

class ImportFixture : public ::testing::Test {
protected:
    ImportFixture()
    {
        m.wTipoCartao[1] = {1, "DINHEIRO", Dinheiro, 100, 600};
        m.wTipoCartao[2] = {2, "CREDITOS", Creditos, 50, 250};
        m.wTipoCartao[3] = {3, "PEQUENO", Dinheiro, 100, 100};
        const std::pair<std::string, int> titulares[] = {
            {"M001", 1}, {"M002", 2}, {"M001", 2}, {"", 1}, {"JOS\xC9", 1},
            {"M005", 3}, {kVinte, 1}, {kVinteEUm, 1}, {"M999", 1}};
        int i = 0;
        for (const auto& [matricula, tipo] : titulares) {
            m.wRecarga[std::size_t(i)] = test::titular(1000 + i, 0, "", matricula, tipo, {{1, 10, 0.0}});
            ++i;
        }
        m.QtdRecarga = QtdTitulares;
    }

    QString externo(const std::vector<std::string>& linhas, const QString& nome = QStringLiteral("folha.rrm"))
    {
        std::string bytes;
        for (const std::string& l : linhas)
            bytes += l + "\r\n";
        const QString caminho = dir.filePath(nome);
        gravaTexto(caminho, bytes);
        return caminho;
    }

    RecargaExterna& run()
    {
        if (!m_run) {
            OpcoesImportacao o;
            o.pastaLog = dir.filePath(QStringLiteral("Log"));
            o.relogio = [] { return QDateTime(QDate(2026, 3, 9), QTime(14, 5, 7)); };
            m_run = std::make_unique<RecargaExterna>(m, o);
            m_run->aoAvisar = [this](const QString& t) { avisos << t; };
        }
        return *m_run;
    }

    bool importa(const std::vector<std::string>& linhas, int tipoCartaoSel = 1)
    {
        return run().Importa(externo(linhas), tipoCartaoSel);
    }

    double valor(int titular) const { return m.wRecarga[std::size_t(titular)].Grupo[0].Valor; }
    // The log of the test's run: each test imports one file, a payroll file
    // ("folha.log") or a spreadsheet, whose log keeps its extension
    // ("folha.csv.log").
    std::string log() const
    {
        const QDir pasta(dir.filePath(QStringLiteral("Log")));
        const QStringList logs = pasta.entryList({QStringLiteral("*.log")}, QDir::Files);
        return leTexto(pasta.filePath(logs.size() == 1 ? logs.first() : QStringLiteral("folha.log")));
    }
    // Every file of the log folder, the hidden temporaries included.
    QStringList arquivosDoLog() const
    {
        return QDir(dir.filePath(QStringLiteral("Log"))).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }

    ModeloRecarga m;
    QTemporaryDir dir;
    QStringList avisos;

private:
    std::unique_ptr<RecargaExterna> m_run;
};

}  // namespace pluvexa::test
