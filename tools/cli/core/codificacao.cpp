#include "core/codificacao.h"

#include "codec/envelope.h"
#include "core/diagnosticoenvelope.h"
#include "codec/keyrecord.h"
#include "codec/lzw.h"
#include "core/saida.h"
#include "files/core/natureza.h"
#include "files/core/parte.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <vector>

namespace pluvexa::cli {

namespace {

// A refused input (missing, no regular file, unreadable): its message
// printed and Falha; nothing when it may be read.
std::optional<int> recusa(const std::string& entrada)
{
    const std::string mensagem = natureza::confereEntrada(entrada);
    if (mensagem.empty())
        return std::nullopt;
    return falha(mensagem);
}

// A writer that failed on the device (a full disk, say) names the file
// asked for, not the hidden temporary it was writing, and the system's
// reason; nothing when the failure was the writer's own.
std::optional<int> falhaDoDispositivo(const FalhaArquivo& erro, const std::string& saida)
{
    if (erro.motivo.codigo == 0)
        return std::nullopt;
    return falha("Cannot write file " + parte::visivel(saida) + ". " + erro.motivo.ingles);
}

// Why an LZW stream could not be expanded: a string longer than the
// expander holds, or a code that no string had been given.
std::string porQueNaoExpande(const std::filesystem::path& in)
{
    std::ifstream f(in, std::ios::binary);
    const std::vector<std::uint8_t> fluxo{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    if (lzw::longestString(fluxo) > lzw::kDecodeStackSize)
        return "a string is longer than the expander holds (" + std::to_string(lzw::kDecodeStackSize) + " bytes)";
    return "the stream holds a code that does not exist";
}

int codifica(const std::string& entrada, const std::string& saida, bool comprimir)
{
    if (const std::optional<int> r = recusa(entrada))
        return *r;
    lzw::ExpandStatus veredito = lzw::ExpandStatus::Ok;
    lzw::CompressStatus cadeias = lzw::CompressStatus::Ok;
    FalhaArquivo erro;
    const std::filesystem::path in = parte::caminho(entrada);
    const parte::Resultado r = parte::produz(saida, [&](const std::filesystem::path& p) {
        return (comprimir ? compress_file(in, p, &cadeias) : expand_file(in, p, &veredito)) == 1;
    }, erro);
    if (r == parte::Resultado::EscritorFalhou) {
        if (veredito == lzw::ExpandStatus::TooLarge)
            return falha(entrada + " cannot be expanded: it would exceed 64 MiB");
        if (cadeias == lzw::CompressStatus::StringTooLong)
            return falha(naoComprime(entrada));
        if (const std::optional<int> d = falhaDoDispositivo(erro, saida))
            return *d;
        const std::string porQue = veredito == lzw::ExpandStatus::FatalError ? ": " + porQueNaoExpande(in) : "";
        return falha((comprimir ? "compression of " : "expansion of ") + parte::visivel(entrada) + " failed" + porQue);
    }
    return r == parte::Resultado::Colocado ? Sucesso : falha(erro.mensagem);
}

template <typename Record>
std::optional<Record> leRegistro(const std::string& path, std::string& erro)
{
    if (const std::string recusa = natureza::confereEntrada(path); !recusa.empty()) {
        erro = recusa;
        return std::nullopt;
    }
    std::ifstream f(parte::caminho(path), std::ios::binary);
    if (!f) {
        erro = "cannot read key record " + path + ": " + std::strerror(errno);
        return std::nullopt;
    }
    const std::vector<char> data{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    Record r{};
    if (data.size() != r.size()) {
        erro = path + " is not a key record of " + std::to_string(r.size()) + " bytes (it has "
               + std::to_string(data.size()) + ")";
        return std::nullopt;
    }
    std::copy(data.begin(), data.end(), r.begin());
    return r;
}

// Reads a private and a public key record; false with `erro` set when
// either cannot be read.
bool leChaves(const std::string& privada, const std::string& publica, PrivateKeyRecord& priv,
              PublicKeyRecord& pub, std::string& erro)
{
    const auto a = leRegistro<PrivateKeyRecord>(privada, erro);
    const auto b = a ? leRegistro<PublicKeyRecord>(publica, erro) : std::nullopt;
    if (!a || !b)
        return false;
    priv = *a;
    pub = *b;
    return true;
}

// Runs the envelope operation into the part of `saida`, which is put in
// place only when it succeeded; its code becomes the exit status ("error
// NNNN (name)" on failure, then, for an opening that the file itself
// stopped, what the file is).
int conclui(const std::function<int(const std::filesystem::path& parte)>& operacao, const std::string& saida,
            const char* acao, const std::string& entrada)
{
    const bool abrindo = std::string(acao) == "opening";
    int code = 0;
    FalhaArquivo erro;
    const parte::Resultado r = parte::produz(saida, [&](const std::filesystem::path& p) {
        code = operacao(p);
        return code == 0;
    }, erro);
    if (r == parte::Resultado::EscritorFalhou) {
        if (code == kEnvelopeWriteFailed || code == kEnvelopeOutputNotCreated)
            if (const std::optional<int> d = falhaDoDispositivo(erro, saida))
                return *d;
        falha(std::string(acao) + ' ' + parte::visivel(entrada) + " failed: error " + std::to_string(code) + " ("
              + envelope_error_name(code) + ")");
        // The keys' own faults and the output's are said already.
        const bool doArquivo = code != kEnvelopeOutputNotCreated && code != kEnvelopeWriteFailed
                               && code != kEnvelopeModulusTooLong;
        if (abrindo && doArquivo)
            if (const std::optional<CasoEnvelope> caso = diagnosticaArquivo(entrada, code))
                falha(textoCaso(*caso, entrada, false));
        return Falha;
    }
    return r == parte::Resultado::Colocado ? Sucesso : falha(erro.mensagem);
}

}  // namespace

std::string naoComprime(const std::string& entrada)
{
    return "\"" + entrada + "\" cannot be compressed for the central: a run of repeated bytes is too long";
}

int comprime(const std::string& entrada, const std::string& saida)
{
    return codifica(entrada, saida, true);
}

int expande(const std::string& entrada, const std::string& saida)
{
    return codifica(entrada, saida, false);
}

int sela(const std::string& entrada, const std::string& saida, const Selagem& s)
{
    std::string erro;
    PrivateKeyRecord priv{};
    PublicKeyRecord pub{};
    if (!leChaves(s.assinante, s.destinatario, priv, pub, erro))
        return falha(erro);
    if (const std::optional<int> r = recusa(entrada))
        return *r;
    const PublicKeyRecord destinatarios[] = {pub};
    const std::filesystem::path in = parte::caminho(entrada);
    return conclui([&](const std::filesystem::path& p) {
                       return seal_file(in, p, priv, destinatarios, {}, s.cifra, s.resumo);
                   },
                   saida, "sealing", entrada);
}

int abre(const std::string& entrada, const std::string& saida, const Abertura& a)
{
    std::string erro;
    PrivateKeyRecord priv{};
    PublicKeyRecord pub{};
    if (!leChaves(a.chave, a.remetente, priv, pub, erro))
        return falha(erro);
    if (const std::optional<int> r = recusa(entrada))
        return *r;
    const std::filesystem::path in = parte::caminho(entrada);
    // Unverified bytes never stand under the name asked for.
    return conclui([&](const std::filesystem::path& p) { return open_sealed_file(in, p, priv, pub, a.indice); },
                   saida, "opening", entrada);
}

}  // namespace pluvexa::cli
