#include "report/tfrepimportacao.h"

#include "recharge/cp1252.h"
#include "recharge/formatonumero.h"
#include "report/fonts.h"

namespace pluvexa {

Tfrepimportacao::Tfrepimportacao()
    : QRBand4(QuickRep1.columnHeader),
      QRLabel1(QRBand4.add(report::label("QRLabel1", {}, 0.5, 0.5, 0, report::arial(8, true)))),
      QRBand2(QuickRep1.detail),
      QRLabel2(QRBand2.add(report::label("QRLabel2", {}, 0.5, 0.5, 0, report::courierNew(8)))),
      QRBand3(QuickRep1.summary),
      QRShape1(QRBand3.add(report::line("QRShape1", 0.3, 0.8, 189.2, 3)))
{
    qrlperiodo.visible = true;
    qrlfiltro.visible = true;
    QRBand4.height = 5.6;
    QRBand2.height = 5.6;
    QRBand3.height = 7.7;

    QuickRep1.beforePrint = [this] { QuickRep1BeforePrint(); };
    QuickRep1.needData = [this] { return QuickRep1NeedData(); };
    QRBand2.beforePrint = [this] { QRBand2BeforePrint(); };
}

void Tfrepimportacao::defineCabecalho(const QString& titulo, const QString& empresa,
                                      const QString& arquivo, const QDate& hoje)
{
    qrlnomecadastro.text = titulo;
    qrlrelatorio.text = QStringLiteral("Empresa : ") + empresa;
    qrlperiodo.text = QStringLiteral("Arquivo   : ") + arquivo;
    qrlfiltro.text = QStringLiteral("Importado : ") + dataCurta(hoje);
}

void Tfrepimportacao::DefineLinhas(const std::vector<Texto>& linhas)
{
    Linhas.clear();
    for (std::size_t i = 0; i < linhas.size(); ++i) {
        if (i == 0) {
            Linhas.push_back(linhas[0]);  // never printed
            continue;
        }
        for (Texto& parte : quebraLinha(linhas[i]))
            Linhas.push_back(std::move(parte));
    }
}

std::vector<Texto> Tfrepimportacao::quebraLinha(const Texto& linha)
{
    // Line number (13), three blanks, the registration (21): the message
    // starts at 37.
    constexpr std::size_t kColunaMensagem = 37;
    constexpr std::size_t kRoom = kLarguraLinha - kColunaMensagem;
    std::vector<Texto> partes;
    if (linha.size() <= kLarguraLinha) {
        partes.push_back(linha);
        return partes;
    }
    // A registration longer than its column pushes the message right: the
    // first line takes what fits, the rest follows in the message column.
    std::size_t pos = 0;
    std::size_t largura = kLarguraLinha;
    Texto recuo;
    while (pos < linha.size()) {
        const std::size_t resta = linha.size() - pos;
        std::size_t n = std::min(resta, largura);
        if (n < resta) {
            const std::size_t branco = linha.rfind(' ', pos + n);
            const std::size_t inicioMensagem = partes.empty() ? kColunaMensagem : 0;
            if (branco != Texto::npos && branco > pos + inicioMensagem)
                n = branco - pos;
        }
        Texto parte = recuo + linha.substr(pos, n);
        while (!parte.empty() && parte.back() == ' ')
            parte.pop_back();
        partes.push_back(std::move(parte));
        pos += n;
        while (pos < linha.size() && linha[pos] == ' ')
            ++pos;
        recuo = Texto(kColunaMensagem, ' ');
        largura = kRoom;
    }
    return partes;
}

void Tfrepimportacao::QuickRep1BeforePrint()
{
    LinhaAtual = 0;
    QRLabel1.text = QStringLiteral("Linha do Arquivo      Matrícula                                 Erro");
}

bool Tfrepimportacao::QuickRep1NeedData()
{
    ++LinhaAtual;
    return LinhaAtual < int(Linhas.size());
}

void Tfrepimportacao::QRBand2BeforePrint()
{
    QRLabel2.text = deCp1252(Linhas[size_t(LinhaAtual)]);
}

}  // namespace pluvexa
