#pragma once

// The import run: reads an external recharge file (the payroll system's
// ".rrm" layout, or a spreadsheet saved as CSV when the name ends in ".csv":
// see fonteregistros.h) record by record, finds each record's holder among
// the holders of the loaded file (indicetitulares.h: a payroll record by
// registration number and card type, a spreadsheet row by every key it
// gives), and stores the record's value as the value of the holder's
// group 1. A run that stores nothing and refuses nothing (an empty file, a
// spreadsheet of a header alone) is no success either: its report says
// "Nenhum registro reconhecido no arquivo". Every
// record goes to the import log, written to disk as the run goes; every
// record that fails also goes to the result list that the result report
// prints, which keeps the first kMaisLinhasRelatorio of them: memory follows
// the report, not the input.
//
// No widgets: the window follows the run through the callbacks (gauge,
// counter, grid refill, the message naming the log) and keeps its own
// "importing" mark.

#include "exchange/fonteregistros.h"
#include "exchange/indicetitulares.h"
#include "exchange/limitesimportacao.h"
#include "exchange/log.h"
#include "exchange/persrecargaexterna.h"
#include "recharge/modelo.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace pluvexa {

struct OpcoesImportacao {
    QString pastaLog;        // created when missing; empty: the working root's "Log"
    Log::Relogio relogio;    // stamps the log lines; empty: the system clock
};

class RecargaExterna {
public:
    explicit RecargaExterna(ModeloRecarga& modelo, OpcoesImportacao opcoes = {});

    // Called once the file is open, with the number of records it holds
    // (the gauge's maximum).
    std::function<void(int registros)> aoContar;
    // Called after each record with its line number (gauge and counter);
    // the window lets pending messages run here.
    std::function<void(int linha)> aoProgresso;
    // Called once every record is read, before the totals are logged: the
    // window refills its grid from the model.
    std::function<void()> aoRecarregar;
    // The information message to show before the run answers ("Log da
    // operação gerado em ..."); not called when no log could be created.
    std::function<void(const QString&)> aoAvisar;

    // The run. `tipoCartaoSel` is the card type selected in the window; it
    // stands for the card type of payroll records that name none (a
    // spreadsheet row without one is matched across every card type).
    // `escolhas`: the sheet and columns of a spreadsheet. True when every
    // record was valid and stored and there was at least one; false
    // otherwise, also when the run could not start (the log could not be
    // created: nothing changes).
    bool Importa(const QString& nomeArquivo, int tipoCartaoSel, const EscolhasPlanilha& escolhas = {});
    // The workbook's sheet the last run read; empty for CSV and .rrm.
    const QString& abaLida() const { return m_aba; }
    // Why the last run did not start at all (the file too large, the log's
    // folder unusable, the log itself not created): nothing was logged and
    // the model is untouched.
    const std::optional<RecusaImportacao>& recusa() const { return m_recusa; }

    // The log this run writes for `nomeArquivo`, in the log folder: an
    // ".rrm" file's name without the extension + ".log" ("folha.log"), a
    // spreadsheet's whole name + ".log" ("folha.csv.log").
    QString caminhoLog(const QString& nomeArquivo) const;

    // Entry 0 is empty and never printed; then one line per failed record.
    const std::vector<std::string>& Resultado() const { return m_resultado; }
    // Entries 1 to n-1 as text, as the result report prints them.
    QStringList linhasResultado() const;
    int TotalOk = 0;
    int TotalErros = 0;

    // Appends "<line number right-aligned in 13>   <registration
    // left-aligned in 21><message>".
    void AdicionaResultado(const std::string& linha, const std::string& matricula,
                           const QString& mensagem);
    // `texto` padded with blanks to `largura` characters, on the left or on
    // the right; a longer text is left as it is.
    static std::string Completa(const std::string& texto, std::size_t largura, bool aEsquerda);

private:
    void importaRegistros(FonteRegistros& fonte, int tipoCartaoSel, Log& log);
    QString m_aba;
    bool armazena(const RegistroFonte& r, int tipo, Casamento casamento, const IndiceTitulares& indice, Log& log);

    ModeloRecarga& m_modelo;
    OpcoesImportacao m_opcoes;
    std::vector<std::string> m_resultado{std::string()};
    std::optional<RecusaImportacao> m_recusa;
    int m_omitidas = 0;  // result lines past kMaisLinhasRelatorio
};

}  // namespace pluvexa
