#pragma once

// The disk transfer window: received files in from a disk, answer files out
// onto the company's disk. Opened by the main window's tree as a maximised
// child. The widgets and their handlers live here; the runs are done by
// TransferenciaDisco, which sees the lists through ListaArquivos and every
// dialog through the Interaction.

#include "interaction/appcontext.h"
#include "transfer/core/transferenciadisco.h"
#include "transfer/core/unidades.h"
#include "transfer/listaarquivoswidget.h"

#include <QWidget>
#include <memory>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace pluvexa {

class ArvorePastas;
class VigiaPastas;

class Tfcargaarquivos : public QWidget {
    Q_OBJECT
public:
    // `volumes` lists the mounted drives (a test gives its own).
    explicit Tfcargaarquivos(const AppContext& ctx, QWidget* parent = nullptr,
                             const FonteVolumes& volumes = volumesDoSistema());
    ~Tfcargaarquivos() override;

    // Loading half.
    QGroupBox* GroupBox2 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QComboBox* DriveComboBox1 = nullptr;
    ArvorePastas* DirectoryListBox1 = nullptr;
    QListWidget* FileListBox1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblarqcarga = nullptr;
    QFrame* Panel1 = nullptr;
    QPushButton* btnprocesso_in = nullptr;

    // Generating half.
    QGroupBox* GroupBox3 = nullptr;
    QListWidget* FileListBox2 = nullptr;
    QGroupBox* GroupBox4 = nullptr;
    QComboBox* DriveComboBox2 = nullptr;
    ArvorePastas* DirectoryListBox2 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* lblarqgerados = nullptr;
    QFrame* Panel2 = nullptr;
    QPushButton* BitBtn1 = nullptr;

    void FormCreate();
    void DirectoryListBox1Change();
    void FileListBox1Change();
    void btnprocesso_inClick();
    void BitBtn1Click();

    // The folder each half works with, as chosen in its folder list.
    QString pastaOrigem() const;
    QString pastaDestino() const;
    // Chooses a folder as the operator would with the drive and folder
    // lists of one half (`origem` true for the loading half).
    void escolhePasta(bool origem, const QString& pasta);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void criaMetadeCarga(QWidget* pai);
    void criaMetadeGeracao(QWidget* pai);
    QGroupBox* criaCopiados(QWidget* pai);
    void mostraCopiados(const QList<TransferenciaDisco::Copia>& copiados);
    void preencheUnidades(QComboBox* unidades, const QString& pastaInicial);
    void ligaUnidade(QComboBox* unidades, ArvorePastas* pastas);
    void mostraPastaEscolhida(QLabel* rotulo, const QString& pasta);
    // Both lists follow their folders: files that appear or go there are
    // listed or dropped, each list staying on the folder it shows.
    void vigiaListas();
    void acompanhaListas();

    AppContext m_ctx;
    const FonteVolumes& m_volumes;
    std::unique_ptr<ListaArquivosWidget> m_lista1;
    std::unique_ptr<ListaArquivosWidget> m_lista2;
    QLabel* m_rotuloOrigem = nullptr;
    QLabel* m_rotuloDestino = nullptr;
    QGroupBox* m_grupoCopiados = nullptr;
    QListWidget* m_copiados = nullptr;
    VigiaPastas* m_vigia = nullptr;
};

}  // namespace pluvexa
