#include "core/diagnosticoenvelope.h"

#include "codec/envelope.h"
#include "codec/lzw.h"
#include "files/core/parte.h"

#include <algorithm>
#include <fstream>
#include <istream>
#include <iterator>
#include <ostream>
#include <sstream>
#include <streambuf>
#include <vector>

namespace pluvexa::cli {

namespace {

constexpr std::size_t kTrailer = 6;            // content length (4) and CRC (2), the last bytes
constexpr std::size_t kFimDoTextoInicial = 256;  // the envelope's opening text ends well before this
constexpr std::size_t kAmostra = 4096;          // enough of a text or stream to know it by

// An envelope's opening text as this program writes it; the central's may
// say otherwise before its 0D 0A 1A 00.
constexpr std::uint8_t kInicio[] = {'Q', '7', ' ', 'E', 'n', 'c', 'r', 'y', 'p', 't', 'e',
                                    'd', ' ', 'F', 'i', 'l', 'e', 0x0D, 0x0A, 0x1A, 0x00};

bool textoDeRecarga(std::span<const std::uint8_t> b)
{
    if (b.size() < 2 || b[0] < '0' || b[0] > '9' || b[1] < '0' || b[1] > '9')
        return false;
    const auto amostra = b.first(std::min(b.size(), kAmostra));
    return std::all_of(amostra.begin(), amostra.end(),
                       [](std::uint8_t c) { return c >= 0x20 || c == '\r' || c == '\n' || c == '\t'; });
}

// A compressed recharge text: its first codes expand to text beginning as
// a record does. Random bytes fail at once (an undefined code).
bool fluxoDeTexto(std::span<const std::uint8_t> b)
{
    const auto amostra = b.first(std::min(b.size(), kAmostra) & ~std::size_t{1});
    if (amostra.size() < 4 || amostra[0] != 0)
        return false;
    const lzw::ExpandResult r = lzw::expand(amostra, nullptr, amostra.size() / 2 * lzw::kDecodeStackSize);
    return r.status == lzw::ExpandStatus::Ok && textoDeRecarga(r.bytes);
}

std::size_t le16(std::span<const std::uint8_t> b, std::size_t i)
{
    return std::size_t(b[i]) | std::size_t(b[i + 1]) << 8;
}

// Whether the envelope's layout, read from its header and the trailer's
// content length, asks for more bytes than the file holds: a file cut
// short has lost its trailer, and the bytes standing in its place give a
// length that does not fit.
bool acabaCedo(std::span<const std::uint8_t> b, std::size_t pos)
{
    if (b.size() < pos + kTrailer)
        return true;
    const std::size_t fim = b.size() - kTrailer;  // where the trailer starts
    auto avanca = [&](std::uint64_t n) {
        pos = std::uint64_t(pos) + n > fim ? fim + 1 : std::size_t(pos + n);
        return pos <= fim;
    };
    if (pos + 2 > fim)
        return true;
    const std::size_t info = le16(b, pos);
    if (!avanca(2 + info) || pos + 4 > fim)
        return true;
    const unsigned cifra = b[pos];
    const unsigned resumo = b[pos + 1];
    avanca(4);
    if (cifra != 0) {
        if (!avanca(8) || pos + 1 > fim)
            return true;
        const unsigned destinatarios = b[pos];
        avanca(1);
        for (unsigned i = 0; i < destinatarios; ++i)
            if (pos + 2 > fim || !avanca(2 + le16(b, pos)))
                return true;
    }
    const std::uint64_t comprimento = std::uint64_t(b[fim]) | std::uint64_t(b[fim + 1]) << 8
                                      | std::uint64_t(b[fim + 2]) << 16 | std::uint64_t(b[fim + 3]) << 24;
    const std::uint64_t conteudo = cifra != 0 ? 8 * (comprimento / 8 + 1) : comprimento;
    std::uint64_t assinatura = pos + conteudo;  // where the signature's length stands
    if (resumo == 0)
        return assinatura > fim;
    if (assinatura + 2 > fim)
        return true;
    assinatura += 2 + le16(b, std::size_t(assinatura));
    return assinatura > fim;
}

// The plain bytes of an opening nobody reads.
class Descarte : public std::streambuf {
protected:
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

}  // namespace

bool pareceSelado(std::span<const std::uint8_t> inicio)
{
    const auto amostra = inicio.first(std::min(inicio.size(), kFimDoTextoInicial));
    const auto zero = std::find(amostra.begin(), amostra.end(), std::uint8_t{0});
    const std::size_t n = std::size_t(zero - amostra.begin());
    return zero != amostra.end() && n >= 3 && amostra[n - 3] == 0x0D && amostra[n - 2] == 0x0A
           && amostra[n - 1] == 0x1A;
}

CasoEnvelope diagnosticaEnvelope(std::span<const std::uint8_t> bytes, int codigo)
{
    if (bytes.empty())
        return CasoEnvelope::Vazio;
    if (pareceSelado(bytes)) {
        const std::size_t depoisDoInicio =
            std::size_t(std::find(bytes.begin(), bytes.end(), std::uint8_t{0}) - bytes.begin()) + 1;
        if (acabaCedo(bytes, depoisDoInicio))
            return CasoEnvelope::Curto;
        if (codigo == kEnvelopePrivateKeyFailed || codigo == kEnvelopeNoKeyBlock)
            return CasoEnvelope::OutraChave;
        return CasoEnvelope::Alterado;
    }
    // The first bytes of this program's opening text and nothing after.
    if (bytes.size() < sizeof kInicio && std::equal(bytes.begin(), bytes.end(), kInicio))
        return CasoEnvelope::Curto;
    if (textoDeRecarga(bytes))
        return CasoEnvelope::TextoPlano;
    if (fluxoDeTexto(bytes))
        return CasoEnvelope::Rascunho;
    return CasoEnvelope::NaoSelado;
}

std::string textoCaso(CasoEnvelope caso, const std::string& caminho, bool embutidas)
{
    const std::string p = parte::visivel(caminho);
    switch (caso) {
    case CasoEnvelope::Vazio:
        return p + " is empty";
    case CasoEnvelope::Curto:
        return p + " ends early: it was cut short and has lost the trailer that holds its length";
    case CasoEnvelope::TextoPlano:
        return p + " is not a sealed file: it looks like plain recharge text"
               + (embutidas ? " (use --plain)" : "");
    case CasoEnvelope::Rascunho:
        return p + " is not a sealed file: it looks like a draft"
               + (embutidas ? " (use --draft)" : " (compressed only; use expand)");
    case CasoEnvelope::OutraChave:
        return p + (embutidas ? " was not sealed for this program's key" : " was not sealed for this key");
    case CasoEnvelope::Alterado:
        return p + " was altered, or sealed for another key";
    case CasoEnvelope::NaoSelado:
        break;
    }
    return p + " is not a sealed file";
}

int codigoAbertura(std::span<const std::uint8_t> bytes, const PrivateKeyRecord& chave,
                   const PublicKeyRecord& remetente, std::size_t indice)
{
    std::istringstream entrada(std::string(bytes.begin(), bytes.end()));
    Descarte descarte;
    std::ostream saida(&descarte);
    return open_sealed_stream(entrada, saida, chave, remetente, indice);
}

std::optional<CasoEnvelope> diagnosticaArquivo(const std::string& caminho, int codigo)
{
    std::ifstream f(parte::caminho(caminho), std::ios::binary | std::ios::ate);
    if (!f)
        return std::nullopt;
    const std::streamoff tamanho = f.tellg();
    if (tamanho < 0 || tamanho > std::streamoff(256) * 1024 * 1024)
        return std::nullopt;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(tamanho));
    f.seekg(0);
    if (!f.read(reinterpret_cast<char*>(bytes.data()), tamanho))
        return std::nullopt;
    return diagnosticaEnvelope(bytes, codigo);
}

}  // namespace pluvexa::cli
