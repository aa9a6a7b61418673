#include "exchange/livros/ziplivro.h"

#include "exchange/livros/erroslivro.h"
#include "exchange/livros/limiteslivro.h"

#include <QBuffer>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipfileinfo.h>

namespace pluvexa::livros {

namespace {

// A part as it expands, seen as a device that fails once the part or the
// workbook passes its bound: the XML reader then stops where it is, and
// the bound, not the XML, is reported.
class ParteContada : public QIODevice {
public:
    ParteContada(QuaZipFile& parte, std::int64_t limite, std::int64_t& total)
        : m_parte(parte), m_limite(limite), m_total(total)
    {
    }
    bool isSequential() const override { return true; }
    bool excedeu() const { return m_excedeu; }
    bool falhou() const { return m_falhou; }

protected:
    qint64 readData(char* dados, qint64 maximo) override
    {
        if (m_excedeu || m_falhou)
            return -1;
        const qint64 n = m_parte.read(dados, maximo);
        if (n < 0) {
            m_falhou = true;
            return -1;
        }
        m_lidos += n;
        m_total += n;
        if (m_lidos > m_limite || m_total > kMaiorExpandido) {
            m_excedeu = true;
            return -1;
        }
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QuaZipFile& m_parte;
    std::int64_t m_limite;
    std::int64_t& m_total;
    std::int64_t m_lidos = 0;
    bool m_excedeu = false;
    bool m_falhou = false;
};

}  // namespace

ZipLivro::ZipLivro(const QByteArray& bytes, QString nome)
    : m_nome(std::move(nome)), m_bytes(bytes), m_buffer(std::make_unique<QBuffer>(&m_bytes)),
      m_zip(std::make_unique<QuaZip>(m_buffer.get()))
{
    if (!m_zip->open(QuaZip::mdUnzip))
        return;
    m_aberto = true;
    int partes = 0;
    for (bool mais = m_zip->goToFirstFile(); mais; mais = m_zip->goToNextFile()) {
        QuaZipFileInfo64 info;
        if (!m_zip->getCurrentFileInfo(&info))
            continue;
        // A directory of millions of entries is refused before it is
        // listed whole.
        if (++partes > kMaisPartes) {
            m_declarado = kMaiorExpandido + 1;
            break;
        }
        m_nomes << info.name;
        m_declarado += std::int64_t(std::min<quint64>(info.uncompressedSize, quint64(kMaiorExpandido) + 1));
    }
    if (m_zip->getZipError() != UNZ_OK && m_nomes.isEmpty())
        m_aberto = false;
}

ZipLivro::~ZipLivro()
{
    if (m_zip)
        m_zip->close();
}

bool ZipLivro::tem(const QString& nome) const
{
    return m_nomes.contains(nome, Qt::CaseInsensitive);
}

void ZipLivro::confereDeclarado() const
{
    if (m_declarado > kMaiorExpandido)
        throw ErroLivro(textoGrandeExpandido());
}

bool ZipLivro::leXml(const QString& nome, std::int64_t limite, const QString& textoLimite,
                     const std::function<void(QXmlStreamReader&)>& le)
{
    if (!m_aberto || !m_zip->setCurrentFile(nome, QuaZip::csInsensitive))
        return false;
    QuaZipFile parte(m_zip.get());
    if (!parte.open(QIODevice::ReadOnly))
        throw ErroLivro(textoDanificada(m_nome));
    ParteContada contada(parte, limite, m_expandido);
    contada.open(QIODevice::ReadOnly);
    QXmlStreamReader xml(&contada);
    le(xml);
    if (contada.excedeu()) {
        throw ErroLivro(m_expandido > kMaiorExpandido ? textoGrandeExpandido() : textoLimite);
    }
    if (contada.falhou() || (xml.hasError() && xml.error() != QXmlStreamReader::CustomError))
        throw ErroLivro(textoDanificada(m_nome));
    parte.close();
    return true;
}

QByteArray ZipLivro::inicio(const QString& nome, int maximo)
{
    if (!m_aberto || !m_zip->setCurrentFile(nome, QuaZip::csInsensitive))
        return {};
    QuaZipFile parte(m_zip.get());
    if (!parte.open(QIODevice::ReadOnly))
        return {};
    QByteArray dados = parte.read(maximo);
    parte.close();
    return dados;
}

}  // namespace pluvexa::livros
