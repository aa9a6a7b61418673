// The find field above the real grid: typing narrows the rows, the match
// count follows, Escape clears, values typed on filtered rows reach their
// holders, and the whole-file mode moves to the card type and tariff that
// list the match.

#include "maintenance/recargagrid.h"
#include "maintenance/ttabnumedit.h"
#include "maintenance/windowfixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace pluvexa::janela {
namespace {

class Localizar : public JanelaRecargaTest {
protected:
    void SetUp() override
    {
        abreEProcessa();
        escolheTipo(kTipoDinheiro);
        escolheTarifa(1);
    }
    void procura(const QString& texto)
    {
        controle<QLineEdit>("edlocalizar")->setFocus(Qt::OtherFocusReason);
        controle<QLineEdit>("edlocalizar")->clear();
        QTest::keyClicks(controle<QLineEdit>("edlocalizar"), texto);
    }
    // Escape in the field, where the operator's focus is.
    void limpa()
    {
        controle<QLineEdit>("edlocalizar")->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(controle<QLineEdit>("edlocalizar"), Qt::Key_Escape);
    }
    QList<int> usuariosNaGrade() const
    {
        QList<int> out;
        const RecargaGrid& g = *controle<RecargaGrid>("sgRecarga");
        for (int r = 1; r < g.rowCount(); ++r)
            if (!g.cell(0, r).isEmpty())
                out << g.cell(0, r).toInt();
        return out;
    }
    const Recarga& titularDoUsuario(int usuario) const
    {
        for (int i = 0; i < modelo->QtdRecarga; ++i)
            if (modelo->wRecarga[size_t(i)].Usuario == usuario)
                return modelo->wRecarga[size_t(i)];
        ADD_FAILURE() << "no holder " << usuario;
        return modelo->wRecarga[0];
    }
};

TEST_F(Localizar, TypingNarrowsTheRowsAndEscapeClears)
{
    ASSERT_EQ(usuariosNaGrade(), (QList<int>{101, 102}));
    EXPECT_TRUE(controle<QLabel>("lbllocalizados")->text().isEmpty());
    EXPECT_EQ(controle<QLineEdit>("edlocalizar")->accessibleName(), "Localizar");

    procura(QStringLiteral("lim"));
    EXPECT_EQ(usuariosNaGrade(), QList<int>{102});
    EXPECT_EQ(controle<QLabel>("lbllocalizados")->text(), "1 localizado");
    EXPECT_EQ(controle<QLabel>("lblqtdrec")->text(), "1");

    procura(QStringLiteral("zz"));
    EXPECT_TRUE(usuariosNaGrade().isEmpty());
    EXPECT_EQ(controle<QLabel>("lbllocalizados")->text(), "0 localizados");

    limpa();
    EXPECT_TRUE(controle<QLineEdit>("edlocalizar")->text().isEmpty());
    EXPECT_EQ(usuariosNaGrade(), (QList<int>{101, 102}));
    EXPECT_TRUE(controle<QLabel>("lbllocalizados")->text().isEmpty());
    EXPECT_TRUE(dialogos.shown().isEmpty()) << dialogos.shown().join(u'\n').toStdString();
}

TEST_F(Localizar, AValueTypedOnAFilteredRowReachesItsHolderAndTheOthersKeepTheirs)
{
    digitaUsuario(101, "10,00");
    procura(QStringLiteral("ana"));
    ASSERT_EQ(usuariosNaGrade(), QList<int>{102});
    // The first row of the filtered grid is the second holder of the file.
    digitaUsuario(102, "25,50");
    limpa();
    EXPECT_EQ(valorDoUsuario(101), "10,00");
    EXPECT_EQ(valorDoUsuario(102), "25,50");
    EXPECT_DOUBLE_EQ(titularDoUsuario(101).Grupo[0].Valor, 10.0);
    EXPECT_DOUBLE_EQ(titularDoUsuario(102).Grupo[0].Valor, 25.5);
    EXPECT_EQ(controle<QLabel>("lblgervlrdig")->text(), "35,50");
}

TEST_F(Localizar, AValueTypedOnAFilteredRowReachesItsHolderInTheAnswerFile)
{
    digitaUsuario(101, "10,00");
    procura(QStringLiteral("lim"));
    ASSERT_EQ(usuariosNaGrade(), QList<int>{102});
    digitaUsuario(102, "25,50");
    // Generated with the filter still on: the rows shown are written back
    // by holder, the others keep what they hold.
    const std::map<int, QString> valores = geraEAbreResposta();
    EXPECT_EQ(valores.at(101), "000000000000001000");
    EXPECT_EQ(valores.at(102), "000000000000002550");
    EXPECT_EQ(valores.at(106), QString(18, u'0'));
}

TEST_F(Localizar, TheDefaultValueAndTheTotalsConcernTheRowsShown)
{
    procura(QStringLiteral("maria"));
    controle<TTabNumEdit>("edalteravlr")->setFocus(Qt::OtherFocusReason);
    controle<TTabNumEdit>("edalteravlr")->SetValue(40);
    controle<QPushButton>("btnalteravlr")->click();
    EXPECT_EQ(controle<QLabel>("lblvlrrecdig")->text(), "40,00");
    EXPECT_DOUBLE_EQ(titularDoUsuario(101).Grupo[0].Valor, 40.0);
    EXPECT_DOUBLE_EQ(titularDoUsuario(102).Grupo[0].Valor, 0.0);
    limpa();
    EXPECT_EQ(valorDoUsuario(102), "0,00");
    EXPECT_EQ(controle<QLabel>("lblvlrrecdig")->text(), "40,00");
}

TEST_F(Localizar, TheWholeFileModeSwitchesToTheMatchKeepingTypedValues)
{
    digitaUsuario(101, "12,00");
    controle<QCheckBox>("cklocalizatodos")->setChecked(true);
    // EVA ROCHA: credits, listed by tariff 2 through her first group.
    procura(QStringLiteral("rocha"));
    EXPECT_EQ(controle<QLabel>("lbllocalizados")->text(), "1 localizado");
    QTest::keyClick(controle<QLineEdit>("edlocalizar"), Qt::Key_Return);
    EXPECT_EQ(w().selecao().TipoCartaoSel, kTipoCreditos);
    EXPECT_EQ(w().selecao().TarifaSel, 2);
    ASSERT_EQ(usuariosNaGrade(), QList<int>{105});
    EXPECT_EQ(controle<RecargaGrid>("sgRecarga")->currentRow(), 1);
    EXPECT_EQ(controle<RecargaGrid>("sgRecarga")->currentColumn(), 5);
    EXPECT_DOUBLE_EQ(titularDoUsuario(101).Grupo[0].Valor, 12.0);

    // Every holder whose name holds an "a": Enter steps through them.
    procura(QStringLiteral("a"));
    EXPECT_EQ(controle<QLabel>("lbllocalizados")->text(), "6 localizados");
    QTest::keyClick(controle<QLineEdit>("edlocalizar"), Qt::Key_Return);
    EXPECT_EQ(w().selecao().TipoCartaoSel, kTipoDinheiro);
    EXPECT_EQ(controle<RecargaGrid>("sgRecarga")->cell(0, controle<RecargaGrid>("sgRecarga")->currentRow()), "101");
    EXPECT_EQ(valorDoUsuario(101), "12,00");
    QTest::keyClick(controle<QLineEdit>("edlocalizar"), Qt::Key_Return);
    EXPECT_EQ(controle<RecargaGrid>("sgRecarga")->cell(0, controle<RecargaGrid>("sgRecarga")->currentRow()), "102");
    EXPECT_TRUE(dialogos.shown().isEmpty()) << dialogos.shown().join(u'\n').toStdString();
}

// The whole-file mode lists every match beside the field: each holder with
// where the grid lists it and its value, whichever card type and tariff.
class LocalizarNaLista : public Localizar {
protected:
    template <typename T>
    T* filho(const char* nome) const
    {
        T* w = janela->findChild<T*>(QString::fromLatin1(nome));
        EXPECT_NE(w, nullptr) << nome;
        return w;
    }
    QTableView* lista() const { return filho<QTableView>("sglocalizados"); }
    QCheckBox* todos() const { return filho<QCheckBox>("cklocalizatodos"); }
    QLineEdit* campo() const { return filho<QLineEdit>("edlocalizar"); }
    RecargaGrid* grade() const { return filho<RecargaGrid>("sgRecarga"); }
    QList<QStringList> linhas() const
    {
        QList<QStringList> out;
        const QAbstractItemModel* m = lista()->model();
        for (int r = 0; r < m->rowCount(); ++r) {
            QStringList l;
            for (int c = 0; c < m->columnCount(); ++c)
                l << m->index(r, c).data().toString();
            out << l;
        }
        return out;
    }
    void escolheNaLista(int usuario)
    {
        const QAbstractItemModel* m = lista()->model();
        for (int r = 0; r < m->rowCount(); ++r)
            if (m->index(r, 0).data().toString() == QString::number(usuario)) {
                lista()->setCurrentIndex(m->index(r, 0));
                return;
            }
        ADD_FAILURE() << "no holder " << usuario << " in the list";
    }
};

TEST_F(LocalizarNaLista, ListsEveryMatchAcrossCardTypesWithItsValue)
{
    ASSERT_NE(lista(), nullptr);
    digitaUsuario(101, "12,00");
    procura(QStringLiteral("o"));
    EXPECT_FALSE(lista()->isVisible()) << "only in the whole-file mode";
    todos()->setChecked(true);
    ASSERT_TRUE(lista()->isVisible());
    EXPECT_EQ(filho<QLabel>("lbllocalizados")->text(), "4 localizados");
    EXPECT_EQ(linhas(), (QList<QStringList>{{"101", "MARIA SOUZA", "111", "1", "1", "12,00"},
                                            {"104", "DANIEL COSTA", "444", "2", "1", "0"},
                                            {"105", "EVA ROCHA", "555", "2", "2", "0"},
                                            {"106", "FABIO ALVES", "666", "1", "2", "0,00"}}));
    QStringList cabecalho;
    for (int c = 0; c < lista()->model()->columnCount(); ++c)
        cabecalho << lista()->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(cabecalho, (QStringList{"Usuário", "Nome", "Matrícula", "Tipo", "Tarifa", "Valor"}));

    // Nothing matched, or the mode off: no list.
    procura(QStringLiteral("zz"));
    EXPECT_FALSE(lista()->isVisible());
    procura(QStringLiteral("o"));
    EXPECT_TRUE(lista()->isVisible());
    todos()->setChecked(false);
    EXPECT_FALSE(lista()->isVisible());
}

TEST_F(LocalizarNaLista, EnterOrADoubleClickShowsTheHolderInTheGrid)
{
    todos()->setChecked(true);
    procura(QStringLiteral("o"));
    // From the field, Down goes into the list; Enter there shows EVA ROCHA
    // in her card type and tariff, ready to type.
    QTest::keyClick(campo(), Qt::Key_Down);
    ASSERT_EQ(QApplication::focusWidget(), lista());
    escolheNaLista(105);
    QTest::keyClick(lista(), Qt::Key_Return);
    EXPECT_EQ(w().selecao().TipoCartaoSel, kTipoCreditos);
    EXPECT_EQ(w().selecao().TarifaSel, 2);
    EXPECT_EQ(grade()->cell(0, grade()->currentRow()), "105");
    EXPECT_EQ(grade()->currentColumn(), 5);
    ASSERT_EQ(QApplication::focusWidget(), grade());
    digitaUsuario(105, "15");
    EXPECT_DOUBLE_EQ(titularDoUsuario(105).Grupo[0].Valor, 15.0);
    // The list still there, with her value as it is now.
    ASSERT_TRUE(lista()->isVisible());
    EXPECT_EQ(linhas().value(2).value(5), "15");

    // A double click on FABIO ALVES: money, tariff 2.
    escolheNaLista(106);
    const QRect r = lista()->visualRect(lista()->currentIndex().siblingAtColumn(1));
    QTest::mouseClick(lista()->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(lista()->viewport(), Qt::LeftButton, {}, r.center());
    EXPECT_EQ(w().selecao().TipoCartaoSel, kTipoDinheiro);
    EXPECT_EQ(w().selecao().TarifaSel, 2);
    EXPECT_EQ(grade()->cell(0, grade()->currentRow()), "106");
    EXPECT_DOUBLE_EQ(titularDoUsuario(105).Grupo[0].Valor, 15.0);
    EXPECT_TRUE(dialogos.shown().isEmpty()) << dialogos.shown().join(u'\n').toStdString();
}

}  // namespace
}  // namespace pluvexa::janela
