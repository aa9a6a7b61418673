#include "exchange/arquivo.h"

#include "exchange/saidaarquivo.h"

#include <QFile>
#include <cstring>
#include <vector>

namespace pluvexa {

// A file read through its own buffer, so that peeking at a line and going
// back costs no system call while the line is still in the buffer.
class Arquivo::Entrada {
public:
    bool abre(const QString& nome)
    {
        m_arquivo.setFileName(nome);
        return m_arquivo.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }

    std::int64_t posicao() const { return m_inicio + std::int64_t(m_pos); }

    bool volta(std::int64_t pos)
    {
        if (pos >= m_inicio && pos <= m_inicio + std::int64_t(m_buffer.size())) {
            m_pos = std::size_t(pos - m_inicio);
            return true;
        }
        m_buffer.clear();
        m_pos = 0;
        m_inicio = pos;
        return m_arquivo.seek(pos);
    }

    // Appends the bytes up to the next line feed (not included) to `linha`,
    // keeping at most kMaxLinha of them. True when a line feed ended it.
    bool leAteQuebra(std::string& linha)
    {
        for (;;) {
            if (m_pos == m_buffer.size() && !enche())
                return false;
            const char* ini = m_buffer.data() + m_pos;
            const std::size_t resta = m_buffer.size() - m_pos;
            const void* lf = std::memchr(ini, '\n', resta);
            const std::size_t n = lf ? std::size_t(static_cast<const char*>(lf) - ini) : resta;
            if (linha.size() < kMaxLinha)
                linha.append(ini, std::min(n, kMaxLinha - linha.size()));
            m_pos += n;
            if (lf) {
                ++m_pos;
                return true;
            }
        }
    }

private:
    bool enche()
    {
        m_inicio += std::int64_t(m_buffer.size());
        m_buffer.resize(kBloco);
        const qint64 lidos = m_arquivo.read(m_buffer.data(), qint64(kBloco));
        m_buffer.resize(lidos > 0 ? std::size_t(lidos) : 0);
        m_pos = 0;
        return lidos > 0;
    }

    static constexpr std::size_t kBloco = 64 * 1024;
    QFile m_arquivo;
    std::vector<char> m_buffer;
    std::size_t m_pos = 0;
    std::int64_t m_inicio = 0;  // file offset of m_buffer[0]
};

Arquivo::Arquivo() = default;

Arquivo::~Arquivo()
{
    Fecha();
}

bool Arquivo::Abre(const QString& nome, const std::string& modo)
{
    if (modo != ModoLeitura && modo != ModoGravacao)
        return false;
    Fecha();
    if (modo == ModoLeitura) {
        auto entrada = std::make_unique<Entrada>();
        if (!entrada->abre(nome))
            return false;
        m_entrada = std::move(entrada);
    } else {
        auto saida = std::make_unique<SaidaArquivo>();
        m_falha = {};
        if (!saida->abre(nome)) {
            m_falha = saida->falha();
            return false;
        }
        m_saida = std::move(saida);
    }
    NumLinhas = 0;
    return true;
}

bool Arquivo::LeLinha()
{
    Texto.clear();
    if (!m_entrada)
        return false;
    if (!m_entrada->leAteQuebra(Texto)) {
        Texto.clear();
        return false;
    }
    if (!Texto.empty() && Texto.back() == '\r')
        Texto.pop_back();
    ++NumLinhas;
    return true;
}

bool Arquivo::ExisteLinha()
{
    if (!m_entrada)
        return false;
    const std::int64_t pos = m_entrada->posicao();
    if (!LeLinha())
        return false;
    if (!m_entrada->volta(pos))
        return false;
    --NumLinhas;
    return true;
}

bool Arquivo::Grava(const std::string& texto)
{
    if (texto.empty() || !m_saida)
        return false;
    return m_saida->grava(texto);
}

bool Arquivo::Fecha()
{
    m_entrada.reset();
    if (!m_saida)
        return true;
    const bool ok = m_saida->conclui();
    m_falha = m_saida->falha();
    m_saida.reset();
    return ok;
}

int Arquivo::ContaLinhas()
{
    NumLinhas = 0;
    while (ExisteLinha())
        LeLinha();
    if (m_entrada)
        m_entrada->volta(0);
    return NumLinhas;
}

}  // namespace pluvexa
