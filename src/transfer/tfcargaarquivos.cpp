#include "transfer/tfcargaarquivos.h"

#include "files/pastastrabalho.h"
#include "files/vigiapastas.h"
#include "transfer/arvorepastas.h"
#include "transfer/core/caminhos.h"
#include "transfer/core/ofertas.h"
#include "transfer/core/transferenciadisco.h"
#include "transfer/core/unidades.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace pluvexa {

Tfcargaarquivos::Tfcargaarquivos(const AppContext& ctx, QWidget* parent, const FonteVolumes& volumes)
    : QWidget(parent), m_ctx(ctx), m_volumes(volumes)
{
    setWindowTitle(QStringLiteral("Cargas de Arquivos"));
    setAccessibleName(windowTitle());
    resize(696, 480);
    auto* janela = new QVBoxLayout(this);
    auto* metades = new QHBoxLayout;
    criaMetadeCarga(this);
    criaMetadeGeracao(this);
    metades->addWidget(GroupBox2, 1);
    metades->addWidget(GroupBox3, 1);
    janela->addLayout(metades, 1);
    janela->addWidget(criaCopiados(this));

    m_lista1 = std::make_unique<ListaArquivosWidget>(FileListBox1, kMascaraRecebidos);
    m_lista2 = std::make_unique<ListaArquivosWidget>(FileListBox2, kMascaraGerados);
    m_vigia = new VigiaPastas(this);
    m_vigia->setObjectName(QStringLiteral("vigiapastas"));
    connect(m_vigia, &VigiaPastas::mudou, this, &Tfcargaarquivos::acompanhaListas);
    m_lista1->relida = [this] {
        FileListBox1Change();
        vigiaListas();
    };
    m_lista2->relida = [this] { vigiaListas(); };
    connect(FileListBox1, &QListWidget::itemSelectionChanged, this, &Tfcargaarquivos::FileListBox1Change);
    connect(DirectoryListBox1, &ArvorePastas::pastaMudou, this, [this](const QString& pasta) {
        mostraPastaEscolhida(m_rotuloOrigem, pasta);
        DirectoryListBox1Change();
    });
    connect(DirectoryListBox2, &ArvorePastas::pastaMudou, this,
            [this](const QString& pasta) { mostraPastaEscolhida(m_rotuloDestino, pasta); });
    connect(btnprocesso_in, &QPushButton::clicked, this, &Tfcargaarquivos::btnprocesso_inClick);
    connect(BitBtn1, &QPushButton::clicked, this, &Tfcargaarquivos::BitBtn1Click);
    FormCreate();
}

Tfcargaarquivos::~Tfcargaarquivos() = default;

void Tfcargaarquivos::FormCreate()
{
    // The maintenance window creates the working folders too; whichever
    // opens first finds the folder of generated files there.
    criaPastasTrabalho();
    m_lista2->mostra(pastaGerados());
    lblarqgerados->setText(QString::number(m_lista2->quantidade()));
    // The answer just generated is the one the month sends.
    QStringList gerados;
    for (int i = 0; i < FileListBox2->count(); ++i)
        gerados << FileListBox2->item(i)->text();
    if (const int nova = respostaMaisNova(gerados); nova >= 0) {
        FileListBox2->setCurrentRow(nova, QItemSelectionModel::ClearAndSelect);
        FileListBox2->scrollToItem(FileListBox2->item(nova));
    }

    const QString atual = QDir::currentPath();
    const QString destino = pastaInicialDestino(atual, m_volumes);
    preencheUnidades(DriveComboBox1, atual);
    preencheUnidades(DriveComboBox2, destino);
    ligaUnidade(DriveComboBox1, DirectoryListBox1);
    ligaUnidade(DriveComboBox2, DirectoryListBox2);
    DirectoryListBox1->mostraVolume(raizDaUnidade(atual, m_volumes), atual);
    DirectoryListBox2->mostraVolume(raizDaUnidade(destino, m_volumes), destino);
}

void Tfcargaarquivos::DirectoryListBox1Change()
{
    m_lista1->mostra(DirectoryListBox1->pasta());
    // The first file becomes the current entry, without being selected.
    if (FileListBox1->count() > 0)
        FileListBox1->setCurrentRow(0, QItemSelectionModel::NoUpdate);
}

void Tfcargaarquivos::FileListBox1Change()
{
    lblarqcarga->setText(QString::number(FileListBox1->count()));
}

void Tfcargaarquivos::btnprocesso_inClick()
{
    TransferenciaDisco run(*m_ctx.interaction);
    run.carrega(*m_lista1);
    mostraCopiados(run.copiados());
}

void Tfcargaarquivos::BitBtn1Click()
{
    const QString destino = DirectoryListBox2->pasta();
    TransferenciaDisco run(*m_ctx.interaction);
    run.gera(*m_lista2, destino, textoUnidade(raizDaUnidade(destino, m_volumes)));
    mostraCopiados(run.copiados());
}

// The closing message is gone once answered; the list of where each file
// went stays in the window until the next run.
void Tfcargaarquivos::mostraCopiados(const QList<TransferenciaDisco::Copia>& copiados)
{
    m_copiados->clear();
    for (const TransferenciaDisco::Copia& c : copiados)
        m_copiados->addItem(QStringLiteral("%1 copiado para %2")
                                .arg(c.nome, caminhoVisivel(QFileInfo(c.destino).absolutePath())));
    if (copiados.isEmpty())
        m_copiados->addItem(QStringLiteral("Nenhum arquivo copiado"));
    m_grupoCopiados->show();
}

QString Tfcargaarquivos::pastaOrigem() const
{
    return DirectoryListBox1->pasta();
}

QString Tfcargaarquivos::pastaDestino() const
{
    return DirectoryListBox2->pasta();
}

void Tfcargaarquivos::escolhePasta(bool origem, const QString& pasta)
{
    QComboBox* unidades = origem ? DriveComboBox1 : DriveComboBox2;
    ArvorePastas* pastas = origem ? DirectoryListBox1 : DirectoryListBox2;
    const QString raiz = raizDaUnidade(pasta, m_volumes);
    const int indice = unidades->findData(raiz);
    if (indice >= 0 && indice != unidades->currentIndex()) {
        const QSignalBlocker bloqueio(unidades);
        unidades->setCurrentIndex(indice);
    }
    pastas->mostraVolume(raiz, pasta);
}

void Tfcargaarquivos::preencheUnidades(QComboBox* unidades, const QString& pastaInicial)
{
    const QSignalBlocker bloqueio(unidades);
    unidades->clear();
    for (const Unidade& u : unidadesMontadas(pastaInicial, m_volumes))
        unidades->addItem(u.texto, u.raiz);
    unidades->setCurrentIndex(unidades->findData(raizDaUnidade(pastaInicial, m_volumes)));
}

// The drive list and the folder list of one half move together: a drive
// chosen shows its folders from the root.
void Tfcargaarquivos::ligaUnidade(QComboBox* unidades, ArvorePastas* pastas)
{
    connect(unidades, &QComboBox::currentIndexChanged, pastas, [unidades, pastas] {
        pastas->mostraVolume(unidades->currentData().toString());
    });
}

void Tfcargaarquivos::mostraPastaEscolhida(QLabel* rotulo, const QString& pasta)
{
    rotulo->setText(QDir::toNativeSeparators(pasta));
    rotulo->setToolTip(rotulo->text());
}

void Tfcargaarquivos::vigiaListas()
{
    m_vigia->vigia({m_lista1->pasta(), m_lista2->pasta()});
}

void Tfcargaarquivos::acompanhaListas()
{
    m_lista1->rele();
    m_lista2->rele();
    // The count of generated files follows them while the list shows them;
    // once it shows the company's disk, it keeps the last one taken.
    if (QDir(m_lista2->pasta()) == QDir(pastaGerados()))
        lblarqgerados->setText(QString::number(m_lista2->quantidade()));
}

void Tfcargaarquivos::closeEvent(QCloseEvent* event)
{
    // FormClose: the window holds nothing but its lists; it is destroyed.
    event->accept();
}

}  // namespace pluvexa
