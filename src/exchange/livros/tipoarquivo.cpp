#include "exchange/livros/tipoarquivo.h"

#include "exchange/livros/erroslivro.h"
#include "exchange/livros/leitorods.h"
#include "exchange/livros/leitorxls.h"
#include "exchange/livros/limiteslivro.h"
#include "exchange/livros/ziplivro.h"
#include "files/entrada.h"

#include <QFile>
#include <QFileInfo>
#include <freexl.h>

namespace pluvexa {

using namespace livros;

namespace {

constexpr char kOle2[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
constexpr qsizetype kCabeca = 4096;

bool comeca(const QByteArray& bytes, const char* magia, qsizetype n)
{
    return bytes.size() >= n && std::equal(magia, magia + n, bytes.constData());
}

bool terminaEm(const QString& caminho, const char* sufixo)
{
    return caminho.endsWith(QLatin1String(sufixo), Qt::CaseInsensitive);
}

// Kinds that are surely no spreadsheet, by their first bytes.
bool outroFormato(const QByteArray& b)
{
    static const struct {
        const char* magia;
        qsizetype n;
    } conhecidos[] = {
        {"%PDF-", 5},        {"\x89PNG\r\n\x1a\n", 8}, {"\xFF\xD8\xFF", 3}, {"GIF87a", 6}, {"GIF89a", 6},
        {"II*\0", 4},        {"MM\0*", 4},             {"\x1F\x8B", 2},     {"Rar!", 4},   {"7z\xBC\xAF\x27\x1C", 6},
    };
    for (const auto& k : conhecidos)
        if (comeca(b, k.magia, k.n))
            return true;
    if (comeca(b, "RIFF", 4) && b.mid(8, 4) == "WEBP")
        return true;
    return b.left(kCabeca).contains('\0');
}

// Whether the OLE2 file holds a stream of that name. Its directory
// entries are 128 bytes on 128-byte boundaries (sectors are 512 or 4096
// bytes): a UTF-16 name, its length in bytes with the final NUL at offset
// 64, the entry's type at 66 (2: a stream). Looking at every boundary
// finds the entries wherever the directory's sectors lie.
bool temFluxo(const QByteArray& b, QStringView nome)
{
    for (qsizetype i = 512; i + 128 <= b.size(); i += 128) {
        const auto* e = reinterpret_cast<const unsigned char*>(b.constData() + i);
        const int tamanho = e[64] | (e[65] << 8);
        if (e[66] != 2 || tamanho != (nome.size() + 1) * 2)
            continue;
        bool igual = true;
        for (qsizetype c = 0; c < nome.size() && igual; ++c) {
            const QChar ch(char16_t(e[2 * c] | (e[2 * c + 1] << 8)));
            igual = ch.toCaseFolded() == nome[c].toCaseFolded();
        }
        if (igual)
            return true;
    }
    return false;
}

TipoArquivo tipoOle2(const QByteArray& b, const QString& caminho)
{
    if (temFluxo(b, u"EncryptionInfo") && temFluxo(b, u"EncryptedPackage"))
        return TipoArquivo::ComSenha;
    if (!temFluxo(b, u"Workbook") && !temFluxo(b, u"Book"))
        return TipoArquivo::NaoPlanilha;
    // A sheet too large is refused by its size (recusaXls) before FreeXL
    // would make room for it.
    if (celulasDeclaradas(b) > kMaisCelulas)
        return TipoArquivo::Xls;
    return xlsComSenha(caminho) ? TipoArquivo::ComSenha : TipoArquivo::Xls;
}

TipoArquivo tipoZip(ZipLivro& zip)
{
    if (!zip.aberto())
        return TipoArquivo::Danificado;
    if (zip.tem(QStringLiteral("[Content_Types].xml"))) {
        for (const QString& n : zip.nomes())
            if (n.startsWith(QLatin1String("xl/"), Qt::CaseInsensitive))
                return TipoArquivo::Xlsx;
        return TipoArquivo::NaoPlanilha;  // a document or a presentation
    }
    if (zip.inicio(QStringLiteral("mimetype"), 200).trimmed() != kTipoOds)
        return TipoArquivo::NaoPlanilha;
    bool cifrado = false;
    try {
        zip.leXml(QStringLiteral("META-INF/manifest.xml"), kMaiorExpandido, textoGrandeExpandido(),
                  [&](QXmlStreamReader& xml) {
                      while (!xml.atEnd() && !cifrado) {
                          xml.readNext();
                          cifrado = xml.isStartElement() && xml.name() == QLatin1String("encryption-data");
                      }
                  });
    } catch (const ErroLivro&) {
        return TipoArquivo::Ods;  // reading it will say why
    }
    return cifrado ? TipoArquivo::ComSenha : TipoArquivo::Ods;
}

TipoArquivo tipoTexto(const QString& caminho)
{
    if (terminaEm(caminho, ".xls") || terminaEm(caminho, ".xlsx"))
        return TipoArquivo::NaoExcel;
    if (terminaEm(caminho, ".ods"))
        return TipoArquivo::NaoPlanilha;
    return terminaEm(caminho, ".csv") ? TipoArquivo::Csv : TipoArquivo::Rrm;
}

TipoArquivo classifica(const QByteArray& bytes, const QString& caminho, std::optional<QString>* recusa)
{
    const QString nome = QFileInfo(caminho).fileName();
    if (comeca(bytes, "PK\x03\x04", 4) || comeca(bytes, "PK\x05\x06", 4)) {
        ZipLivro zip(bytes, nome);
        const TipoArquivo t = tipoZip(zip);
        if (recusa && (t == TipoArquivo::Xlsx || t == TipoArquivo::Ods)) {
            try {
                zip.confereDeclarado();
            } catch (const ErroLivro& e) {
                *recusa = e.texto;
            }
        }
        return t;
    }
    if (comeca(bytes, kOle2, 8))
        return tipoOle2(bytes, caminho);
    if (outroFormato(bytes))
        return TipoArquivo::NaoPlanilha;
    return tipoTexto(caminho);
}

// The kind of a file too large to read whole, by its first bytes.
TipoArquivo tipoDaCabeca(const QString& caminho)
{
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly))
        return tipoTexto(caminho);
    const QByteArray b = f.read(kCabeca);
    if (comeca(b, "PK\x03\x04", 4))
        return terminaEm(caminho, ".ods") ? TipoArquivo::Ods : TipoArquivo::Xlsx;
    if (comeca(b, kOle2, 8))
        return TipoArquivo::Xls;
    return outroFormato(b) ? TipoArquivo::NaoPlanilha : tipoTexto(caminho);
}

// `lido` (when given) tells whether the file could be looked at.
TipoArquivo tipo(const QString& caminho, std::optional<QString>* recusa, bool* lido = nullptr)
{
    QByteArray bytes;
    if (lido)
        *lido = true;
    if (leArquivo(caminho, Leitura{true, kMaiorLivro}, bytes))
        return classifica(bytes, caminho, recusa);
    if (QFileInfo(caminho).size() > kMaiorLivro)
        return tipoDaCabeca(caminho);
    if (lido)
        *lido = false;
    return tipoTexto(caminho);
}

}  // namespace

TipoArquivo tipoDosBytes(const QByteArray& bytes, const QString& caminho)
{
    return classifica(bytes, caminho, nullptr);
}

TipoArquivo tipoArquivo(const QString& caminho)
{
    return tipo(caminho, nullptr);
}

std::optional<QString> recusaArquivo(const QString& caminho)
{
    std::optional<QString> recusa;
    const QString nome = QFileInfo(caminho).fileName();
    bool lido = false;
    const TipoArquivo t = tipo(caminho, &recusa, &lido);
    // A file that is gone or cannot be read is the run's to report.
    if (!lido)
        return std::nullopt;
    switch (t) {
    case TipoArquivo::NaoPlanilha:
        return textoNaoPlanilha(nome);
    case TipoArquivo::ComSenha:
        return textoComSenha(nome);
    case TipoArquivo::NaoExcel:
        return textoNaoExcel(nome);
    case TipoArquivo::Danificado:
        return textoDanificada(nome);
    case TipoArquivo::Xls:
        if (QFileInfo(caminho).size() <= kMaiorLivro) {
            if (const QString r = recusaXls(caminho, nome); !r.isEmpty())
                return r;
        }
        break;
    default:
        break;
    }
    return recusa;
}

}  // namespace pluvexa
