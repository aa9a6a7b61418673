#pragma once

// What the import result report prints, as plain data: the page header's
// texts, the column heading and the result lines (entry 0 of the run's
// result list left out). The report form only lays them out.

#include <QDate>
#include <QString>
#include <QStringList>

namespace pluvexa {

class RecargaExterna;

inline const QString kTituloResultadoImportacao = QStringLiteral("Resultado da Importação das Recargas");

struct RelatorioImportacao {
    QString qrlnomecadastro;  // the title
    QString qrlrelatorio;     // "Empresa : " + company
    QString qrlperiodo;       // "Arquivo   : " + the chosen file
    QString qrlfiltro;        // "Importado : " + today in the short date format
    QString QRLabel1;         // the column heading
    QStringList Linhas;       // one per failed record, in file order
};

RelatorioImportacao montaRelatorioImportacao(const RecargaExterna& run, const QString& titulo,
                                             const QString& empresa, const QString& arquivo,
                                             const QDate& hoje);

}  // namespace pluvexa
